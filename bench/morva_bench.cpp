// Run on demand: ./build/bench/morva_bench (a few minutes; --benchmark_filter=REGEX runs some).
//
// Each figure that the program is judged by is a ratio of two measurements taken in the same run:
// the program against a reference doing the same work (cp, sqlite3, a minimal Qt program), or a
// clinic of 100,000 subjects against one of 100. Both sides are repeated and run interleaved in a
// random order, so that a busy moment of the machine falls on either side alike, and the table
// at the end gives the median of each side and their ratio.
//
// What is timed: the start of the program to the first paint of its main window (a process of its
// own, with its peak memory) beside a minimal Qt program; the data work of the main, scoring and
// lookup windows; the backup copy of a 100 MB file beside cp (with and without bringing the copy
// to disk); an encrypted backup of 100 MB and its decryption beside the backup copy (with the key
// derivation and without it); the restore of a 100 MB subjects file beside cp; and the research
// exports beside sqlite3 writing the same 65 columns as CSV, with the same byte-order mark and
// brought to disk.
#include "backup/encrypted_backup.h"
#include "common/database_copy.h"
#include "export/research_export.h"
#include "records/columns.h"
#include "records/postgres/postgres_subject_store.h"
#include "records/sqlite/data_connection.h"
#include "records/settings_store.h"
#include "records/subject_list.h"
#include "records/subject_store.h"
#include "records/table_view.h"
#include "scoring/love_type.h"
#include "scoring/score_report.h"
#include "statistics/group_summary.h"
#include "support/data_support.h"
#include "support/postgres_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include <sodium.h>
#include <memory>
#include <vector>

extern char **environ;

using namespace morva;

namespace {

QString CodeOf(int i)
{
    return QStringLiteral("S-%1").arg(i, 6, 10, QLatin1Char('0'));
}

// Names and groups repeat as they do in a clinic: the same few dozen names over and over.
const QStringList &FirstNames()
{
    static const QStringList names = QStringLiteral(
        "سارا مریم زهرا فاطمه نرگس مینا لیلا الهام شیما پریسا ژاله یاسمن آرزو نازنین مهسا "
        "علی رضا محمد حسین مهدی امیر کاوه بهرام آرش نیما پویا سینا حمید مجید سعید "
        "محمدرضا علیرضا امیرحسین فرشته ستاره کیانا هانیه غزل بهاره طاهره").split(u' ');
    return names;
}

const QStringList &LastNames()
{
    static const QStringList names = QStringLiteral(
        "احمدی محمدی حسینی رضایی کریمی موسوی جعفری صادقی رحیمی هاشمی نوری قاسمی "
        "اکبری عباسی کاظمی مرادی سلطانی یوسفی بهرامی شریفی طاهری نجفی زارعی فرهادی "
        "خسروی حیدری ابراهیمی اسماعیلی میرزایی قربانی عزیزی رستمی سعیدی منصوری "
        "کامرانی تهرانی شیرازی اصفهانی تبریزی کرمانی گیلانی مازندرانی خراسانی "
        "عبدالرحیم‌زاده میرحسینی‌نژاد پورمحمدی آقاجانی باقری جلالی دلاوری رنجبر "
        "سبحانی شفیعی صفری عسگری فتحی قنبری").split(u' ');
    return names;
}

QString GroupOf(int i)
{
    return QString(QChar(u'A' + i % 7));
}

// The values a filter of the lookup window is tried with. Each is held by exactly kProbeSubjects
// subjects spread evenly through the table, in either clinic, so that a filter finds as many rows
// (a full first screen) in a clinic of 100 as in one of 100,000.
constexpr int kProbeSubjects = 40;
const QString kProbeGroup = QStringLiteral("Z");
const QString kProbeFirstName = QStringLiteral("پروانه");
const QString kProbeLastName = QStringLiteral("آزمون‌دوست");

// The sessions each subject of the clinics measured now has: its answers given that many times.
int &SessionsEach()
{
    static int sessions = 1;
    return sessions;
}

// One data folder per size and number of sessions, filled once and kept for the whole run, with
// the stores on it.
class Clinic {
public:
    Clinic(int subjects, int sessions)
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("fill"));
        db.transact([&] {
            testing::StoredSubject subject;
            for (int item = 1; item <= 45; ++item)
                subject.answers << QString::number(item % 9 + 1);
            const int probeEvery = std::max(1, subjects / kProbeSubjects);
            for (int i = 0; i < subjects; ++i) {
                const bool probe = i % probeEvery == 0 && i / probeEvery < kProbeSubjects;
                subject.code = CodeOf(i);
                subject.firstName = probe ? kProbeFirstName : FirstNames()[i % FirstNames().size()];
                subject.lastName = probe ? kProbeLastName : LastNames()[i % LastNames().size()];
                subject.group = probe ? kProbeGroup : GroupOf(i);
                testing::InsertSubject(db, subject);
            }
            QStringList items;
            for (int item = 1; item <= 45; ++item)
                items << QStringLiteral("\"%1\"").arg(item);
            for (int session = 1; session <= sessions; ++session)
                db.run(QStringLiteral("INSERT INTO \"Session\" (\"Code\", \"Number\", \"Date\", \"Started\", \"Saved\", %1) "
                                      "SELECT \"Code\", ?, ?, ?, ?, %1 FROM \"Answer\" ORDER BY \"ID\"")
                           .arg(items.join(u", ")),
                       {QString::number(session), QStringLiteral("1405/0%1/10").arg(session),
                        QStringLiteral("2026-0%1-01T10:00:00+03:30").arg(session + 4),
                        QStringLiteral("2026-0%1-01T10:30:00+03:30").arg(session + 4)});
        });
    }
    void enter() const { folder_.enter(); }
    QString path() const { return folder_.path(); }
    Stores &stores() { return folder_.stores(); }

private:
    testing::DataFolder folder_;
};

// Emptied before the application object goes, which the stores' connections need.
std::map<std::pair<int, int>, std::unique_ptr<Clinic>> &Clinics()
{
    static std::map<std::pair<int, int>, std::unique_ptr<Clinic>> clinics;
    return clinics;
}

Clinic &ClinicOf(int subjects)
{
    auto &clinic = Clinics()[{subjects, SessionsEach()}];
    if (!clinic)
        clinic = std::make_unique<Clinic>(subjects, SessionsEach());
    clinic->enter();
    return *clinic;
}

// The same clinic on a PostgreSQL server of the benchmark's own (over the loopback network), its
// subjects moved there from the desk's file once; the settings stay on the desk, as in a room.
class ServerClinic {
public:
    explicit ServerClinic(int subjects)
        : store_(testing::TestServer().newDatabase(testing::PostgresServer::Reach::Loopback), std::nullopt),
          stores_{ClinicOf(subjects).stores().settings, store_}
    {
        store_.takeSubjectsOf(ClinicOf(subjects).path() + QStringLiteral("/DB/DB2.mdb"));
    }
    Stores &stores() { return stores_; }

private:
    PostgresSubjectStore store_;
    Stores stores_;
};

std::map<int, std::unique_ptr<ServerClinic>> &ServerClinics()
{
    static std::map<int, std::unique_ptr<ServerClinic>> clinics;
    return clinics;
}

// Whether the steps measured now run on the server rather than on the desk's file.
bool &OnTheServer()
{
    static bool server = false;
    return server;
}

Stores &StoresOf(int subjects)
{
    if (!OnTheServer())
        return ClinicOf(subjects).stores();
    auto &clinic = ServerClinics()[subjects];
    if (!clinic)
        clinic = std::make_unique<ServerClinic>(subjects);
    ClinicOf(subjects).enter();
    return clinic->stores();
}

// A step of the windows measured on the clinic's server.
void OnServer(benchmark::State &state, void (*step)(benchmark::State &))
{
    OnTheServer() = true;
    step(state);
    OnTheServer() = false;
}

// A step of the windows measured in a clinic whose subjects have each been tested three times.
void ThreeSessions(benchmark::State &state, void (*step)(benchmark::State &))
{
    SessionsEach() = 3;
    step(state);
    SessionsEach() = 1;
}

// ---------------------------------------------------------------------------------------------
// Processes: started directly (no shell), timed from the start to the end, with the child's own
// processor time and peak memory.

struct ChildRun {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    // As the kernel counts it for the child (ru_maxrss), which is at least the benchmark's own peak
    // at the start: the child begins in the benchmark's memory. Comparable only between children
    // of the same benchmark run; a program's own peak is what it reports (see ReportedPeak).
    double peakMegabytes = 0;
    bool succeeded = false;
    QByteArray errorOutput;
};

std::vector<std::string> Environment(const std::map<std::string, std::string> &overrides)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry(*e);
        if (!overrides.count(entry.substr(0, entry.find('='))))
            env.push_back(entry);
    }
    for (const auto &[name, value] : overrides)
        env.push_back(name + '=' + value);
    return env;
}

long long SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs program with args in folder; its standard output goes to outputFd (or nowhere), its
// standard error is kept. The environment variable MORVA_STARTUP_TIMELINE, when asked for, holds
// the moment the child was started.
ChildRun RunChild(const QString &program, const QStringList &args, const QString &folder, int outputFd = -1,
                  std::map<std::string, std::string> env = {}, bool timeline = false)
{
    ChildRun run;
    FILE *errors = std::tmpfile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(errors), 2);
    const QByteArray where = QFile::encodeName(folder);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, where.constData());

    std::vector<QByteArray> argBytes{QFile::encodeName(program)};
    for (const QString &a : args)
        argBytes.push_back(a.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const auto started = std::chrono::steady_clock::now();
    if (timeline)
        env["MORVA_STARTUP_TIMELINE"] = std::to_string(SteadyNanoseconds());
    std::vector<std::string> envStrings = Environment(env);
    std::vector<char *> envp;
    for (std::string &e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        run.peakMegabytes = usage.ru_maxrss / 1024.0;
        run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    std::rewind(errors);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, errors)) > 0;)
        run.errorOutput.append(buffer, static_cast<qsizetype>(n));
    std::fclose(errors);
    return run;
}

// ---------------------------------------------------------------------------------------------
// Start-up: the program, started in a clinic's data folder, ends after the first paint of its
// main window; the minimal program after its own first paint. Each run's timeline is kept.

using Timeline = std::vector<std::pair<std::string, double>>;

std::map<std::string, std::vector<Timeline>> &Timelines()
{
    static std::map<std::string, std::vector<Timeline>> timelines;
    return timelines;
}

Timeline ParseTimeline(const QByteArray &errorOutput)
{
    Timeline steps;
    for (const QByteArray &line : errorOutput.split('\n')) {
        static const QByteArray prefix("morva start-up: ");
        if (!line.startsWith(prefix))
            continue;
        const QByteArray rest = line.mid(prefix.size());
        const qsizetype ms = rest.indexOf(" ms ");
        if (ms > 0)
            steps.emplace_back(rest.mid(ms + 4).toStdString(), rest.left(ms).toDouble());
    }
    return steps;
}

// The peak memory a started program reports of itself ("morva start-up: peak memory 34512 kB"),
// in MB; nothing when it reports none.
std::optional<double> ReportedPeak(const QByteArray &errorOutput)
{
    static const QByteArray prefix("morva start-up: peak memory ");
    for (const QByteArray &line : errorOutput.split('\n')) {
        if (line.startsWith(prefix) && line.endsWith(" kB"))
            return line.mid(prefix.size(), line.size() - prefix.size() - 3).toDouble() / 1024.0;
    }
    return std::nullopt;
}

// A folder of the child's own for its single-instance lock, so that a Morva running on the machine
// (another engineer's test, say) neither stops the child nor is stopped by it. In memory where the
// machine has a memory file system, as a desktop's runtime folder (/run/user/<uid>) is: on a
// disk, the lock's write to the disk would cost each start a time no desktop pays.
std::map<std::string, std::string> StartUpEnvironment()
{
    static QTemporaryDir runtime(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                     ? QStringLiteral("/dev/shm/morva-bench-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/morva-bench-XXXXXX"));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::map<std::string, std::string> env{{"XDG_RUNTIME_DIR", runtime.path().toStdString()}};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        env["QT_QPA_PLATFORM"] = "offscreen";
    return env;
}

void TimeStartUp(benchmark::State &state, const QString &program, const QString &folder, const std::string &label)
{
    double peak = 0, cpu = 0;
    for (auto _ : state) {
        const ChildRun run = RunChild(program, {}, folder, -1, StartUpEnvironment(), true);
        if (!run.succeeded) {
            state.SkipWithError(("the program did not start: " + run.errorOutput.toStdString()).c_str());
            return;
        }
        const std::optional<double> reported = ReportedPeak(run.errorOutput);
        if (!reported) {
            state.SkipWithError("the program did not report its peak memory");
            return;
        }
        state.SetIterationTime(run.wallSeconds);
        peak = std::max(peak, *reported);
        cpu += run.cpuSeconds;
        Timelines()[label].push_back(ParseTimeline(run.errorOutput));
    }
    state.counters["peak_MB"] = peak;
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

void StartUp(benchmark::State &state)
{
    const int subjects = static_cast<int>(state.range(0));
    TimeStartUp(state, QStringLiteral(MORVA_EXECUTABLE), ClinicOf(subjects).path(),
                "Morva, " + std::to_string(subjects) + " subjects");
}

void StartUpFloor(benchmark::State &state)
{
    TimeStartUp(state, QStringLiteral(MINIMAL_WINDOW_EXECUTABLE), QDir::tempPath(), "minimal Qt program");
}

// ---------------------------------------------------------------------------------------------
// The windows' data work.

// What the main window reads when it loads: the settings and its views of the subjects.
void OpenMainWindowViews(benchmark::State &state)
{
    Stores &stores = StoresOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(stores.settings.read());
        TableView ide(stores.subjects, table::Subjects);
        TableView answer(stores.subjects, table::Answers);
        TableView lookup(stores.subjects, table::Subjects);
        benchmark::DoNotOptimize(answer.hasRows());
    }
}

void FilterByCodeAndReadRow(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    TableView ide(StoresOf(size).subjects, table::Subjects);
    int i = 0;
    for (auto _ : state) {
        ide.setFilter(column::Code, CodeOf((i += 7919) % size));
        benchmark::DoNotOptimize(ide.rowCount());
        benchmark::DoNotOptimize(ide.field(column::Morva));
    }
}

// A registration saved: the subject and its empty answers, the code checked first. The subject is
// deleted again (not timed), so that the clinic keeps its size for the other measurements.
void AddAndCommitSubjectPair(benchmark::State &state)
{
    SubjectStore &store = StoresOf(static_cast<int>(state.range(0))).subjects;
    Subject subject;
    subject.firstName = QStringLiteral("نام");
    subject.group = QStringLiteral("B");
    int i = 0;
    for (auto _ : state) {
        subject.code = QStringLiteral("new-%1").arg(++i);
        benchmark::DoNotOptimize(store.codeTaken(subject.code));
        benchmark::DoNotOptimize(store.registerSubject(subject));
        state.PauseTiming();
        store.deleteSubject(subject.code);
        state.ResumeTiming();
    }
}

// What the scoring window does for one code: read the subject with the answers, check for
// unanswered items, sum and classify, and list the subject's sessions with their sums.
void SelectAndScoreSubject(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    SubjectStore &store = StoresOf(size).subjects;
    int i = 0;
    for (auto _ : state) {
        const QString code = CodeOf((i += 7919) % size);
        const SubjectWithAnswers subject = store.read(code);
        const ScoreReport report = Score(*subject.answers);
        benchmark::DoNotOptimize(MissingItemsList(*subject.answers));
        benchmark::DoNotOptimize(LoveTypeText(report.type));
        for (const TestSession &session : store.sessions(code)) // the window's list of sessions
            benchmark::DoNotOptimize(Score(session.answers));
    }
}

const QList<SubjectListModel::Column> &LookupColumns()
{
    static const QList<SubjectListModel::Column> columns{{column::Code, QStringLiteral("کد")},
                                                         {column::FName, QStringLiteral("نام")},
                                                         {column::LName, QStringLiteral("نام خانوادگی")},
                                                         {column::Group, QStringLiteral("گروه")}};
    return columns;
}

// What the lookup window reads when it opens: the settings, the grid's first screen and both
// name lists (all 40 first names and 61 last names at either size).
void OpenLookupWindowData(benchmark::State &state)
{
    Stores &stores = StoresOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(stores.settings.read());
        SubjectListModel grid(stores.subjects, LookupColumns());
        benchmark::DoNotOptimize(grid.rowCount());
        benchmark::DoNotOptimize(stores.subjects.distinctNames(SubjectFilter::Field::FirstName));
        benchmark::DoNotOptimize(stores.subjects.distinctNames(SubjectFilter::Field::LastName));
    }
}

// One choice in a filter input: the grid lists the first screen of the subjects with that value,
// as many rows at either size; the grid is shown whole again in between, as the window does when
// a filter is cleared (not timed).
void FilterLookupGrid(benchmark::State &state, SubjectFilter::Field field, const QString &value)
{
    SubjectListModel grid(StoresOf(static_cast<int>(state.range(0))).subjects, LookupColumns());
    for (auto _ : state) {
        grid.setFilter({field, value});
        if (grid.rowCount() != 32)
            state.SkipWithError("the filter does not fill the first screen");
        state.PauseTiming();
        grid.setFilter(SubjectFilter::All());
        state.ResumeTiming();
    }
}

// Deleting one subject as the lookup window does: the grid narrowed to the code, the subject
// read and deleted with the answers, then the grid and both name lists read again. A subject is
// stored before each deletion (not timed), so that the table keeps its size.
void DeleteOneSubject(benchmark::State &state)
{
    SubjectStore &store = StoresOf(static_cast<int>(state.range(0))).subjects;
    SubjectListModel grid(store, LookupColumns());
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString code = QStringLiteral("gone-%1").arg(++i);
        Subject subject;
        subject.code = code;
        store.registerSubject(subject);
        state.ResumeTiming();
        grid.setFilter({SubjectFilter::Field::Code, code});
        benchmark::DoNotOptimize(store.read(code));
        store.deleteSubject(code);
        grid.setFilter(SubjectFilter::All());
        benchmark::DoNotOptimize(store.distinctNames(SubjectFilter::Field::FirstName));
        benchmark::DoNotOptimize(store.distinctNames(SubjectFilter::Field::LastName));
    }
}

// ---------------------------------------------------------------------------------------------
// Backup and restore of 100 MB.

constexpr qint64 kLargeBytes = 100 * 1024 * 1024;

// A folder holding a 100 MB file of random bytes, made once for the whole run.
class LargeFile {
public:
    LargeFile()
    {
        QFile file(source());
        file.open(QIODevice::WriteOnly);
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        for (qint64 written = 0; written < kLargeBytes; written += block.size()) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
            file.write(block);
        }
    }
    QString source() const { return dir_.filePath(QStringLiteral("DB2.mdb")); }
    QString destination() const { return dir_.filePath(QStringLiteral("backup.mdbB")); }

private:
    QTemporaryDir dir_;
};

const LargeFile &Large()
{
    static LargeFile file;
    return file;
}

void Copy100MB(benchmark::State &state, const std::function<bool(const QString &, const QString &)> &copy)
{
    const LargeFile &file = Large();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(file.destination());
        state.ResumeTiming();
        if (!copy(file.source(), file.destination()))
            state.SkipWithError("the copy failed");
    }
    state.SetBytesProcessed(state.iterations() * kLargeBytes);
}

bool Cp(const QString &source, const QString &destination)
{
    return RunChild(QStringLiteral("cp"), {source, destination}, {}).succeeded;
}

bool CpAndSync(const QString &source, const QString &destination)
{
    return Cp(source, destination)
        && RunChild(QStringLiteral("sync"), {QStringLiteral("--data"), destination}, {}).succeeded;
}

void ProcessEventsBetweenChunks(qint64, qint64)
{
    QCoreApplication::processEvents();
}

// As the backup window copies: pending events are processed between the chunks, and the copy
// is on disk before it takes the destination's place.
void CopyDatabaseFile100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) {
        return !CopyDatabaseFile(source, destination, Paced(ProcessEventsBetweenChunks));
    });
}

void Cp100MB(benchmark::State &state)
{
    Copy100MB(state, Cp);
}

// cp leaves its copy in the cache; brought to disk, it compares with a copy that is.
void CpAndSync100MB(benchmark::State &state)
{
    Copy100MB(state, CpAndSync);
}

void QFileCopy100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) { return QFile::copy(source, destination); });
}

// The 100 MB file encrypted as the backup window encrypts it, and an encrypted backup of it
// decrypted as a restore decrypts it, each beside the plain backup copy: with the key derived
// from the passphrase as new backups derive it (Argon2id, a fixed cost whatever the file's size,
// counted), and with the lightest derivation libsodium allows, which leaves the stream of chunks.
const QString kBenchPassphrase = QStringLiteral("کلید کلینیک ۱۴۰۳ Morva");
const KeyCost kLightestKeyCost{crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};

void EncryptSubjectsFile100MB(benchmark::State &state, KeyCost cost)
{
    const Passphrase passphrase(kBenchPassphrase);
    Copy100MB(state, [&](const QString &source, const QString &destination) {
        return !EncryptSubjectsFile(source, destination, passphrase, Paced(ProcessEventsBetweenChunks), cost);
    });
}

void DecryptBackupFile100MB(benchmark::State &state, KeyCost cost)
{
    const LargeFile &file = Large();
    const QDir folder = QFileInfo(file.source()).dir();
    const QString sealed = folder.filePath(QStringLiteral("sealed-%1.mdbE").arg(cost.memoryBytes));
    const QString opened = folder.filePath(QStringLiteral("opened.mdb"));
    const Passphrase passphrase(kBenchPassphrase);
    if (!QFileInfo::exists(sealed) && EncryptSubjectsFile(file.source(), sealed, passphrase, {}, cost))
        state.SkipWithError("the encryption failed");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(opened);
        state.ResumeTiming();
        if (DecryptBackupFile(sealed, opened, passphrase, {}, Paced(ProcessEventsBetweenChunks)).stop
            != RestoreOutcome::Stop::None)
            state.SkipWithError("the decryption failed");
    }
    state.SetBytesProcessed(state.iterations() * kLargeBytes);
}

// A subjects file of 100 MB: the 100,000 subjects, and a table of padding that brings the file to
// its size. It is the backup the restore takes; the desk it is restored into holds the same file
// after the first restore, so every restore keeps 100 MB of present subjects before it replaces
// them.
class RestoreDesk {
public:
    RestoreDesk()
    {
        ClinicOf(100000);
        DataConnection(DataFile::Subjects, QStringLiteral("backup")).run(QStringLiteral("VACUUM INTO ?"), {backup()});
        {
            DataConnection db(backup(), QStringLiteral("pad"));
            const qint64 pad = kLargeBytes - QFileInfo(backup()).size();
            db.run(QStringLiteral("CREATE TABLE \"Pad\" (\"b\" BLOB)"));
            db.run(QStringLiteral("INSERT INTO \"Pad\" VALUES (zeroblob(?))"), {pad});
        }
        folder_.enter();
        if (restore().stop != RestoreOutcome::Stop::None)
            std::fprintf(stderr, "the restore of the benchmark fails\n");
        QFile::remove(kept());
    }

    QString backup() const { return dir_.filePath(QStringLiteral("subjects.mdbB")); }
    QString kept() const { return dir_.filePath(QStringLiteral("kept.mdbB")); }
    QString copy() const { return dir_.filePath(QStringLiteral("copy.mdbB")); }
    SubjectStore &store() { return folder_.stores().subjects; }
    void enter() const { folder_.enter(); }

    RestoreOutcome restore()
    {
        return store().restoreFrom(backup(), kept(), {}, Paced(ProcessEventsBetweenChunks));
    }

private:
    QTemporaryDir dir_;
    testing::DataFolder folder_;
};

std::unique_ptr<RestoreDesk> &DeskHeld()
{
    static std::unique_ptr<RestoreDesk> desk;
    return desk;
}

RestoreDesk &Desk()
{
    if (!DeskHeld())
        DeskHeld() = std::make_unique<RestoreDesk>();
    DeskHeld()->enter();
    return *DeskHeld();
}

void Restore100MB(benchmark::State &state)
{
    RestoreDesk &desk = Desk();
    for (auto _ : state) {
        if (desk.restore().stop != RestoreOutcome::Stop::None)
            state.SkipWithError("the restore failed");
        state.PauseTiming();
        QFile::remove(desk.kept());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kLargeBytes);
}

void CpSubjectsFile100MB(benchmark::State &state)
{
    RestoreDesk &desk = Desk();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(desk.copy());
        state.ResumeTiming();
        if (!Cp(desk.backup(), desk.copy()))
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * kLargeBytes);
}

// The whole backup of the desk's 100 MB subjects file, as the backup window makes it: the file
// settled, made sure of and copied.
void BackupOfSubjects100MB(benchmark::State &state)
{
    RestoreDesk &desk = Desk();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(desk.copy());
        state.ResumeTiming();
        if (desk.store().backupTo(desk.copy(), Paced(ProcessEventsBetweenChunks)))
            state.SkipWithError("the backup failed");
    }
    state.SetBytesProcessed(state.iterations() * kLargeBytes);
}

// ---------------------------------------------------------------------------------------------
// Research exports.

// The memory this process holds now, and the most it has held since it was last asked, in MB.
double MemoryMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

void ResetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// A research export of every subject, with names; rss_growth_MB is how far the peak of the
// resident memory rose above its level at the start, until the file was committed.
void ExportEverySubject(benchmark::State &state, ExportFormat format)
{
    SubjectStore &subjects = StoresOf(static_cast<int>(state.range(0))).subjects;
    const QString path = QStringLiteral("export.out");
    double growth = 0;
    for (auto _ : state) {
        const double start = MemoryMegabytes("VmRSS:");
        ResetPeakMemory();
        const ExportOutcome outcome =
            ExportSubjects(subjects, {path, format, SubjectFilter::All(), true}, [](qint64, qint64) { return true; });
        growth = std::max(growth, MemoryMegabytes("VmHWM:") - start);
        if (outcome.result != ExportOutcome::Result::Written)
            state.SkipWithError(outcome.reason.toStdString().c_str());
    }
    state.counters["rss_growth_MB"] = growth;
    state.counters["file_MB"] = QFileInfo(path).size() / (1024.0 * 1024.0);
}

// The groups side by side: the summary of every subject of the clinic, in its seven groups, in one
// pass; rss_growth_MB as for the exports, which stays flat however many subjects there are.
void SummarizeEveryGroup(benchmark::State &state)
{
    SubjectStore &subjects = StoresOf(static_cast<int>(state.range(0))).subjects;
    double growth = 0;
    for (auto _ : state) {
        const double start = MemoryMegabytes("VmRSS:");
        ResetPeakMemory();
        GroupSummaries summaries = SummarizeGroups(subjects); // not const: the benchmark library wants it writable
        growth = std::max(growth, MemoryMegabytes("VmHWM:") - start);
        benchmark::DoNotOptimize(summaries);
        if (summaries.all.complete == 0)
            state.SkipWithError("the clinic's subjects were not read");
    }
    state.counters["rss_growth_MB"] = growth;
}

// The columns of the research export as SQL over the join of a subject and the first answers
// under its code: the answers 1 to 9 as numbers, the three sums and means, the love type's number
// and label, and whether the answers are complete. The sums are worked out once for each row (a
// materialised step): left to the planner, each use of a sum would add up its fifteen answers
// again, and the reference would be slowed by how it is written rather than by its work.
QString ExportQuery()
{
    QStringList items, sums;
    for (int item = 1; item <= 45; ++item)
        items << QStringLiteral("CASE WHEN a.\"%1\" GLOB '[1-9]' THEN CAST(a.\"%1\" AS INTEGER) END AS q%1").arg(item);
    for (int first : {1, 16, 31}) {
        QStringList terms;
        for (int item = first; item < first + 15; ++item)
            terms << QStringLiteral("q%1").arg(item);
        sums << terms.join(u'+');
    }
    QString labels;
    for (int t = 0; t < 8; ++t)
        labels += QStringLiteral(" WHEN %1 THEN '%2'").arg(t + 1).arg(LoveTypeLabel(static_cast<LoveType>(t)));
    QStringList outer{QStringLiteral("code"), QStringLiteral("first_name"), QStringLiteral("last_name"),
                      QStringLiteral("beloved"), QStringLiteral("\"group\""), QStringLiteral("gender"),
                      QStringLiteral("age"), QStringLiteral("marital"), QStringLiteral("education"),
                      QStringLiteral("reg_date"), QStringLiteral("reg_time")};
    for (int item = 1; item <= 45; ++item)
        outer << QStringLiteral("q%1").arg(item);
    outer << QStringLiteral("intimacy") << QStringLiteral("passion") << QStringLiteral("commitment");
    for (const char *c : {"intimacy", "passion", "commitment"})
        outer << QStringLiteral("printf('%.1f', %1 / 15.0) AS %1_mean").arg(QLatin1String(c));
    outer << QStringLiteral("love_type") << QStringLiteral("CASE love_type%1 END AS love_type_label").arg(labels)
          << QStringLiteral("(intimacy IS NOT NULL AND passion IS NOT NULL AND commitment IS NOT NULL) AS complete");
    return QStringLiteral(
               "WITH r AS (SELECT s.rowid AS pos, s.\"Code\" AS code, s.\"FName\" AS first_name, s.\"LName\" AS last_name, "
               "s.\"Morva\" AS beloved, s.\"Group\" AS \"group\", s.\"Jens\" AS gender, "
               "CASE WHEN s.\"Sen\" GLOB '[0-9]*' AND s.\"Sen\" NOT GLOB '*[^0-9]*' THEN CAST(s.\"Sen\" AS INTEGER) END AS age, "
               "s.\"Taahol\" AS marital, s.\"Tahsil\" AS education, s.\"Date\" AS reg_date, s.\"Time\" AS reg_time, %1 "
               "FROM \"IDE\" s LEFT JOIN \"Answer\" a ON a.rowid = (SELECT MIN(rowid) FROM \"Answer\" WHERE \"Code\" = s.\"Code\")), "
               "t AS MATERIALIZED (SELECT *, %2 AS intimacy, %3 AS passion, %4 AS commitment FROM r), "
               "u AS (SELECT *, CASE (intimacy >= 108) * 4 + (passion >= 98) * 2 + (commitment >= 111) "
               "WHEN 0 THEN 1 WHEN 4 THEN 2 WHEN 2 THEN 3 WHEN 1 THEN 4 WHEN 6 THEN 5 WHEN 5 THEN 6 WHEN 3 THEN 7 "
               "WHEN 7 THEN 8 END AS love_type FROM t) "
               "SELECT %5 FROM u ORDER BY pos")
        .arg(items.join(QStringLiteral(", ")), sums[0], sums[1], sums[2], outer.join(QStringLiteral(", ")));
}

// The reference for the CSV export: Debian's sqlite3 writing the same columns of the same join,
// after the same byte-order mark, and the file brought to disk. Its time is the child's from its
// start to the end of the sync; its memory is the child's peak.
void Sqlite3CsvOfTheExport(benchmark::State &state)
{
    const QString folder = ClinicOf(static_cast<int>(state.range(0))).path();
    const QString query = ExportQuery();
    const QString path = QDir(folder).filePath(QStringLiteral("sqlite3.csv"));
    double peak = 0, cpu = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const bool bom = ::write(fd, "\xEF\xBB\xBF", 3) == 3;
        const ChildRun run = RunChild(QStringLiteral("sqlite3"),
                                      {QStringLiteral("-csv"), QStringLiteral("-header"), QStringLiteral("DB/DB2.mdb"), query},
                                      folder, fd);
        const bool synced = ::fdatasync(fd) == 0;
        ::close(fd);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        if (!bom || !run.succeeded || !synced)
            state.SkipWithError(("sqlite3 failed (Debian: sqlite3): " + run.errorOutput.toStdString()).c_str());
        peak = std::max(peak, run.peakMegabytes);
        cpu += run.cpuSeconds;
    }
    state.counters["child_peak_MB"] = peak;
    state.counters["child_cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
    state.counters["file_MB"] = QFileInfo(path).size() / (1024.0 * 1024.0);
}

// ---------------------------------------------------------------------------------------------
// The table of ratios.

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Whether a run stopped with an error: error_occurred up to Debian 12's library, skipped after.
template <class R> bool Failed(const R &run)
{
    if constexpr (requires { run.error_occurred; })
        return run.error_occurred;
    else
        return run.skipped != decltype(run.skipped){};
}

// Keeps every repetition's time (in milliseconds) and counters, by the benchmark's name without
// its suffixes ("StartUp/100000"), and prints the usual lines as well.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Side {
        std::vector<double> ms;
        std::map<std::string, std::vector<double>> counters;
    };

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || Failed(run))
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += '/' + run.run_name.args;
            Side &side = sides_[name];
            side.ms.push_back(run.GetAdjustedRealTime() * ToMilliseconds(run.time_unit));
            for (const auto &[counter, value] : run.counters)
                side.counters[counter].push_back(value);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const Side *side(const std::string &name) const
    {
        const auto found = sides_.find(name);
        return found == sides_.end() || found->second.ms.empty() ? nullptr : &found->second;
    }

private:
    static double ToMilliseconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-6;
        case benchmark::kMicrosecond:
            return 1e-3;
        case benchmark::kMillisecond:
            return 1;
        case benchmark::kSecond:
            break;
        }
        return 1e3;
    }

    std::map<std::string, Side> sides_;
};

struct Ratio {
    const char *what;
    const char *a;
    const char *b;
    bool speed;         // a speed (b's time over a's), not a time ratio (a's over b's)
    const char *target; // as the issue states it
    const char *counter = nullptr; // shown beside the times for both sides
};

const Ratio kRatios[] = {
    {"start-up to first paint, 100,000 vs 100 subjects", "StartUp/100000", "StartUp/100", false, "<= 1.3x", "peak_MB"},
    {"start-up, 100 subjects vs minimal Qt program", "StartUp/100", "StartUpFloor", false, "<= 1.5x", "peak_MB"},
    {"backup copy 100 MB vs cp (speed)", "CopyDatabaseFile100MB", "Cp100MB", true, ">= 0.5x"},
    {"backup copy 100 MB vs cp + sync (speed)", "CopyDatabaseFile100MB", "CpAndSync100MB", true, ">= 1x"},
    {"encrypted backup 100 MB vs backup copy, the stream (lightest key derivation)", "EncryptSubjectsFile100MB/Stream",
     "CopyDatabaseFile100MB", false, "<= 2x"},
    {"decrypting a 100 MB backup vs backup copy, the stream (lightest key derivation)",
     "DecryptBackupFile100MB/Stream", "CopyDatabaseFile100MB", false, "<= 2x"},
    {"encrypted backup 100 MB vs backup copy, Argon2id key derivation counted", "EncryptSubjectsFile100MB/Argon2id",
     "CopyDatabaseFile100MB", false, "-"},
    {"decrypting a 100 MB backup vs backup copy, Argon2id key derivation counted", "DecryptBackupFile100MB/Argon2id",
     "CopyDatabaseFile100MB", false, "-"},
    {"whole backup (settle, copy) vs cp (speed)", "BackupOfSubjects100MB", "CpSubjectsFile100MB", true, "-"},
    {"restore of a 100 MB subjects file vs cp (speed)", "Restore100MB", "CpSubjectsFile100MB", true, ">= 0.3x"},
    {"CSV export 100,000 with names vs sqlite3 -csv", "ExportEverySubject/Csv/100000", "Sqlite3CsvOfTheExport/100000",
     false, "<= 1.5x", "rss_growth_MB"},
    {"SAV export 100,000 vs sqlite3 -csv", "ExportEverySubject/Sav/100000", "Sqlite3CsvOfTheExport/100000", false, "-",
     "rss_growth_MB"},
    {"XLSX export 100,000 vs sqlite3 -csv", "ExportEverySubject/Xlsx/100000", "Sqlite3CsvOfTheExport/100000", false,
     "-", "rss_growth_MB"},
    {"group summary, 100,000 vs 100", "SummarizeEveryGroup/100000", "SummarizeEveryGroup/100", false, "A < 1 s",
     "rss_growth_MB"},
    {"lookup window's data, 100,000 vs 100", "OpenLookupWindowData/100000", "OpenLookupWindowData/100", false, "<= 1.3x"},
    {"lookup filter by group, 100,000 vs 100", "FilterLookupGrid/ByGroup/100000", "FilterLookupGrid/ByGroup/100", false, "-"},
    {"lookup filter by first name, 100,000 vs 100", "FilterLookupGrid/ByFirstName/100000",
     "FilterLookupGrid/ByFirstName/100", false, "-"},
    {"lookup filter by last name, 100,000 vs 100", "FilterLookupGrid/ByLastName/100000", "FilterLookupGrid/ByLastName/100",
     false, "-"},
    {"deleting a subject, 100,000 vs 100", "DeleteOneSubject/100000", "DeleteOneSubject/100", false, "-"},
    {"main window's views, 100,000 vs 100", "OpenMainWindowViews/100000", "OpenMainWindowViews/100", false, "-"},
    {"finding a subject by code, 100,000 vs 100", "FilterByCodeAndReadRow/100000", "FilterByCodeAndReadRow/100", false, "-"},
    {"registering a subject, 100,000 vs 100", "AddAndCommitSubjectPair/100000", "AddAndCommitSubjectPair/100", false, "-"},
    {"scoring a subject, 100,000 vs 100", "SelectAndScoreSubject/100000", "SelectAndScoreSubject/100", false, "-"},
    {"lookup window's data, server vs desk file, 100,000", "OnServer/OpenLookupWindowData/100000",
     "OpenLookupWindowData/100000", false, "<= 3x, < 100 ms"},
    {"lookup filter by group, server vs desk file, 100,000", "OnServer/FilterLookupGrid/100000",
     "FilterLookupGrid/ByGroup/100000", false, "<= 3x, < 100 ms"},
    {"deleting a subject, server vs desk file, 100,000", "OnServer/DeleteOneSubject/100000", "DeleteOneSubject/100000",
     false, "<= 3x, < 100 ms"},
    {"scoring a subject, server vs desk file, 100,000", "OnServer/SelectAndScoreSubject/100000",
     "SelectAndScoreSubject/100000", false, "<= 3x, < 100 ms"},
    {"registering a subject, server vs desk file, 100,000", "OnServer/AddAndCommitSubjectPair/100000",
     "AddAndCommitSubjectPair/100000", false, "<= 3x, < 100 ms"},
    {"CSV export, server vs desk file, 100,000", "OnServer/ExportCsv/100000", "ExportEverySubject/Csv/100000", false,
     "<= 3x"},
    {"lookup window's data, three sessions each vs one, 100,000", "ThreeSessions/OpenLookupWindowData/100000",
     "OpenLookupWindowData/100000", false, "<= 1.3x"},
    {"scoring a subject, three sessions each vs one, 100,000", "ThreeSessions/SelectAndScoreSubject/100000",
     "SelectAndScoreSubject/100000", false, "<= 1.3x"},
    {"registering a subject, three sessions each vs one, 100,000", "ThreeSessions/AddAndCommitSubjectPair/100000",
     "AddAndCommitSubjectPair/100000", false, "<= 1.3x"},
};

QString Figure(double ms)
{
    if (ms >= 100)
        return QString::number(ms, 'f', 0) + QStringLiteral(" ms");
    if (ms >= 1)
        return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
    return QString::number(ms * 1000, 'f', 0) + QStringLiteral(" µs");
}

QString SideText(const RatioReporter::Side &side, const char *counter)
{
    const auto [low, high] = std::minmax_element(side.ms.begin(), side.ms.end());
    QString text = QStringLiteral("%1 (%2–%3)").arg(Figure(Median(side.ms)), Figure(*low), Figure(*high));
    if (counter && side.counters.count(counter))
        text += QStringLiteral(", %1 %2").arg(QLatin1String(counter)).arg(Median(side.counters.at(counter)), 0, 'f', 1);
    return text;
}

void PrintRatios(const RatioReporter &reporter)
{
    std::printf("\nRatios: medians of the interleaved repetitions (fastest–slowest in brackets)\n\n");
    std::printf("| what | A | B | ratio | target |\n|---|---|---|---|---|\n");
    for (const Ratio &r : kRatios) {
        const RatioReporter::Side *a = reporter.side(r.a);
        const RatioReporter::Side *b = reporter.side(r.b);
        if (!a || !b)
            continue;
        const double ratio = r.speed ? Median(b->ms) / Median(a->ms) : Median(a->ms) / Median(b->ms);
        std::printf("| %s | %s: %s | %s: %s | %.2fx | %s |\n", r.what, r.a, qPrintable(SideText(*a, r.counter)), r.b,
                    qPrintable(SideText(*b, r.counter)), ratio, r.target);
    }
}

// Each step's median time from the start of the process, in the order the steps came.
void PrintTimelines()
{
    for (const auto &[label, runs] : Timelines()) {
        if (runs.empty())
            continue;
        std::printf("\nStart-up timeline, %s (median of %zu runs, ms since the process started)\n", label.c_str(),
                    runs.size());
        std::vector<std::string> order;
        std::map<std::string, std::vector<double>> times;
        for (const Timeline &run : runs) {
            for (const auto &[step, ms] : run) {
                if (!times.count(step))
                    order.push_back(step);
                times[step].push_back(ms);
            }
        }
        double previous = 0;
        for (const std::string &step : order) {
            const double ms = Median(times[step]);
            std::printf("  %7.1f  (+%5.1f)  %s\n", ms, ms - previous, step.c_str());
            previous = ms;
        }
    }
}

} // namespace

// Processes and large copies: a fixed number of rounds in each repetition.
BENCHMARK(StartUp)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(StartUpFloor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(CopyDatabaseFile100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Cp100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(CpAndSync100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(QFileCopy100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(EncryptSubjectsFile100MB, Argon2id, DefaultKeyCost())->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(EncryptSubjectsFile100MB, Stream, kLightestKeyCost)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DecryptBackupFile100MB, Argon2id, DefaultKeyCost())->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(DecryptBackupFile100MB, Stream, kLightestKeyCost)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(Restore100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BackupOfSubjects100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(CpSubjectsFile100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(ExportEverySubject, Csv, ExportFormat::Csv)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(Sqlite3CsvOfTheExport)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK_CAPTURE(ExportEverySubject, Xlsx, ExportFormat::Xlsx)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(ExportEverySubject, Sav, ExportFormat::Sav)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(SummarizeEveryGroup)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
// The windows' data work: as many rounds as fit in a tenth of a second.
BENCHMARK(OpenLookupWindowData)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(FilterLookupGrid, ByGroup, SubjectFilter::Field::Group, kProbeGroup)
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(FilterLookupGrid, ByFirstName, SubjectFilter::Field::FirstName, kProbeFirstName)
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(FilterLookupGrid, ByLastName, SubjectFilter::Field::LastName, kProbeLastName)
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK(DeleteOneSubject)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK(SelectAndScoreSubject)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK(OpenMainWindowViews)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK(FilterByCodeAndReadRow)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK(AddAndCommitSubjectPair)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
// The same steps with the subjects on a PostgreSQL server.
BENCHMARK_CAPTURE(OnServer, OpenLookupWindowData, OpenLookupWindowData)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(OnServer, FilterLookupGrid, [](benchmark::State &s) {
    FilterLookupGrid(s, SubjectFilter::Field::Group, kProbeGroup);
})->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(OnServer, DeleteOneSubject, DeleteOneSubject)->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(OnServer, SelectAndScoreSubject, SelectAndScoreSubject)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(OnServer, AddAndCommitSubjectPair, AddAndCommitSubjectPair)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
// The same steps with every subject tested three times.
BENCHMARK_CAPTURE(ThreeSessions, OpenLookupWindowData, OpenLookupWindowData)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(ThreeSessions, SelectAndScoreSubject, SelectAndScoreSubject)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(ThreeSessions, AddAndCommitSubjectPair, AddAndCommitSubjectPair)
    ->Arg(100000)->Unit(benchmark::kMicrosecond)->MinTime(0.1);
BENCHMARK_CAPTURE(OnServer, ExportCsv, [](benchmark::State &s) { ExportEverySubject(s, ExportFormat::Csv); })
    ->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Both sides of every ratio repeated and interleaved, unless asked otherwise.
    std::vector<char *> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    const auto given = [&](const char *flag) {
        return std::any_of(args.begin() + 1, args.end(), [&](const char *a) { return std::strncmp(a, flag, std::strlen(flag)) == 0; });
    };
    if (!given("--benchmark_repetitions"))
        args.push_back(repetitions.data());
    if (!given("--benchmark_enable_random_interleaving"))
        args.push_back(interleaving.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    PrintTimelines();
    std::fflush(stdout);
    DeskHeld().reset();
    ServerClinics().clear();
    Clinics().clear();
    benchmark::Shutdown();
    return 0;
}
