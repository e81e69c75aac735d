// Run on demand: ./build/bench/morva_bench
// Fills a temporary data folder with 100 and with 100,000 subjects and times the data work of
// the main window (opening its views, finding a subject by code, registering one subject), of
// the scoring window (selecting a subject and scoring it) and of the lookup window (opening it,
// filtering its grid, deleting a subject). Copies a 100 MB subjects file as the backup window
// does, beside a plain QFile::copy and cp for comparison. Exports every subject for research in
// the three formats, beside sqlite3 printing the same join as CSV.
#include "common/database_copy.h"
#include "export/research_export.h"
#include "records/columns.h"
#include "records/sqlite/data_connection.h"
#include "records/settings_store.h"
#include "records/subject_list.h"
#include "records/subject_store.h"
#include "records/table_view.h"
#include "scoring/love_type.h"
#include "scoring/score_report.h"
#include "support/data_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

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

// One data folder per size, filled once and kept for the whole run, with the stores on it.
class Clinic {
public:
    explicit Clinic(int subjects)
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("fill"));
        db.transact([&] {
            testing::StoredSubject subject;
            for (int item = 1; item <= 45; ++item)
                subject.answers << QString::number(item % 9 + 1);
            for (int i = 0; i < subjects; ++i) {
                subject.code = CodeOf(i);
                subject.firstName = FirstNames()[i % FirstNames().size()];
                subject.lastName = LastNames()[i % LastNames().size()];
                subject.group = GroupOf(i);
                testing::InsertSubject(db, subject);
            }
        });
    }
    void enter() const { folder_.enter(); }
    Stores &stores() { return folder_.stores(); }

private:
    testing::DataFolder folder_;
};

Stores &StoresOf(int subjects)
{
    static std::map<int, std::unique_ptr<Clinic>> clinics;
    auto &clinic = clinics[subjects];
    if (!clinic)
        clinic = std::make_unique<Clinic>(subjects);
    clinic->enter();
    return clinic->stores();
}

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

// A registration saved: the subject and its empty answers, the code checked first.
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
    }
}

// What the scoring window does for one code: read the subject with the answers, check for
// unanswered items, sum and classify.
void SelectAndScoreSubject(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    SubjectStore &store = StoresOf(size).subjects;
    int i = 0;
    for (auto _ : state) {
        const SubjectWithAnswers subject = store.read(CodeOf((i += 7919) % size));
        const ScoreReport report = Score(*subject.answers);
        benchmark::DoNotOptimize(MissingItemsList(*subject.answers));
        benchmark::DoNotOptimize(LoveTypeText(report.type));
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
// name lists.
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

// One choice in a filter input: the grid lists the first screen of the subjects with that value.
void FilterLookupGrid(benchmark::State &state, SubjectFilter::Field field, const QStringList &values)
{
    SubjectListModel grid(StoresOf(static_cast<int>(state.range(0))).subjects, LookupColumns());
    qsizetype i = 0;
    for (auto _ : state) {
        grid.setFilter({field, values[i++ % values.size()]});
        benchmark::DoNotOptimize(grid.rowCount());
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

// A folder holding a 100 MB file of random bytes, made once for the whole run.
class LargeFile {
public:
    static constexpr qint64 kBytes = 100 * 1024 * 1024;

    LargeFile()
    {
        QFile file(source());
        file.open(QIODevice::WriteOnly);
        QByteArray block(1024 * 1024, Qt::Uninitialized);
        for (qint64 written = 0; written < kBytes; written += block.size()) {
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
        QFile::remove(file.destination());
        if (!copy(file.source(), file.destination()))
            state.SkipWithError("the copy failed");
    }
    state.SetBytesProcessed(state.iterations() * LargeFile::kBytes);
}

// As the backup window copies: pending events are processed between the chunks, and the copy
// is on disk before it takes the destination's place.
void CopyDatabaseFile100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) {
        return !CopyDatabaseFile(source, destination, Paced([](qint64, qint64) { QCoreApplication::processEvents(); }));
    });
}

// cp leaves its copy in the cache; brought to disk, it compares with a copy that is.
void CpAndSync100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) {
        return QProcess::execute(QStringLiteral("cp"), {source, destination}) == 0
            && QProcess::execute(QStringLiteral("sync"), {QStringLiteral("--data"), destination}) == 0;
    });
}

void QFileCopy100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) { return QFile::copy(source, destination); });
}

void Cp100MB(benchmark::State &state)
{
    Copy100MB(state, [](const QString &source, const QString &destination) {
        return QProcess::execute(QStringLiteral("cp"), {source, destination}) == 0;
    });
}

// The resident memory of this process now, in MB.
double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

// A research export of every subject, with names; rss_growth_MB is how far the resident memory
// rose above its level at the start while the export ran.
void ExportEverySubject(benchmark::State &state, ExportFormat format)
{
    SubjectStore &subjects = StoresOf(static_cast<int>(state.range(0))).subjects;
    const QString path = QStringLiteral("export.out");
    double growth = 0;
    for (auto _ : state) {
        const double start = ResidentMegabytes();
        const ExportOutcome outcome = ExportSubjects(subjects, {path, format, SubjectFilter::All(), true}, [&](qint64, qint64) {
            growth = std::max(growth, ResidentMegabytes() - start);
            return true;
        });
        if (outcome.result != ExportOutcome::Result::Written)
            state.SkipWithError(outcome.reason.toStdString().c_str());
    }
    state.counters["rss_growth_MB"] = growth;
    state.counters["file_MB"] = QFileInfo(path).size() / (1024.0 * 1024.0);
}

// The reference for the CSV export: Debian's sqlite3 printing the same join to a file.
void Sqlite3CsvOfTheJoin(benchmark::State &state)
{
    StoresOf(static_cast<int>(state.range(0)));
    const QString join = QStringLiteral("SELECT s.*, a.* FROM \"IDE\" s LEFT JOIN \"Answer\" a ON a.rowid = "
                                        "(SELECT MIN(rowid) FROM \"Answer\" WHERE \"Code\" = s.\"Code\") ORDER BY s.rowid");
    for (auto _ : state) {
        QProcess sqlite;
        sqlite.setStandardOutputFile(QStringLiteral("sqlite3.csv"));
        sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), QStringLiteral("-header"),
                                                QStringLiteral("DB/DB2.mdb"), join});
        if (!sqlite.waitForFinished(-1) || sqlite.exitCode() != 0)
            state.SkipWithError("sqlite3 failed (Debian: sqlite3)");
    }
}

} // namespace

// Several rounds each, so that the two CSV figures compare.
BENCHMARK_CAPTURE(ExportEverySubject, Csv, ExportFormat::Csv)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(Sqlite3CsvOfTheJoin)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK_CAPTURE(ExportEverySubject, Xlsx, ExportFormat::Xlsx)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ExportEverySubject, Sav, ExportFormat::Sav)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenLookupWindowData)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterLookupGrid, ByGroup, SubjectFilter::Field::Group, QStringList({QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("G")}))
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterLookupGrid, ByFirstName, SubjectFilter::Field::FirstName, FirstNames())
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FilterLookupGrid, ByLastName, SubjectFilter::Field::LastName, LastNames())
    ->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteOneSubject)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyDatabaseFile100MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(QFileCopy100MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Cp100MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CpAndSync100MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SelectAndScoreSubject)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenMainWindowViews)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FilterByCodeAndReadRow)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(AddAndCommitSubjectPair)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
