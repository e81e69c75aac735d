// Run on demand: ./build/bench/morva_bench
// Fills a temporary data folder with 100 and with 100,000 subjects and times the data work of
// the main window (opening its views, finding a subject by code, registering one subject) and
// of the scoring window (selecting a subject and scoring it).
#include "records/data_connection.h"
#include "records/table_view.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"

#include <QCoreApplication>
#include <QDir>
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

// One data folder per size, filled once and kept for the whole run.
class Clinic {
public:
    explicit Clinic(int subjects)
    {
        QDir::setCurrent(dir_.path());
        PrepareDataFiles();
        DataConnection db(DataFile::Subjects, QStringLiteral("fill"));
        db.transact([&] {
            for (int i = 0; i < subjects; ++i) {
                const QString code = CodeOf(i);
                db.run(QStringLiteral("INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Date\", "
                                      "\"Time\", \"Jens\", \"Taahol\", \"Morva\", \"Group\") "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {code, QStringLiteral("نام"), QStringLiteral("نام خانوادگی"), QStringLiteral("30"),
                        QStringLiteral("کارشناسی"), QStringLiteral("1403/01/01"), QStringLiteral("10:00:00"),
                        QStringLiteral("زن"), QStringLiteral("مجرد"), QStringLiteral("مریم"), QStringLiteral("A")});
                QVariantList answer{code, QStringLiteral("A")};
                for (int item = 1; item <= 45; ++item)
                    answer << QString::number(item % 9 + 1);
                QString sql = QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"Group\"");
                for (int item = 1; item <= 45; ++item)
                    sql += QStringLiteral(", \"%1\"").arg(item);
                sql += QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(46) + u')';
                db.run(sql, answer);
            }
        });
    }
    void enter() const { QDir::setCurrent(dir_.path()); }

private:
    QTemporaryDir dir_;
};

Clinic &ClinicOf(int subjects)
{
    static std::map<int, std::unique_ptr<Clinic>> clinics;
    auto &clinic = clinics[subjects];
    if (!clinic)
        clinic = std::make_unique<Clinic>(subjects);
    clinic->enter();
    return *clinic;
}

// What the main window opens when it loads.
void OpenMainWindowViews(benchmark::State &state)
{
    ClinicOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DataConnection settings(DataFile::Settings, QStringLiteral("bench"));
        DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
        TableView theme(settings, QStringLiteral("Theme"));
        TableView ide(subjects, QStringLiteral("IDE"));
        TableView answer(subjects, QStringLiteral("Answer"));
        TableView lookup(subjects, QStringLiteral("IDE"));
        benchmark::DoNotOptimize(theme.field(QStringLiteral("TH")));
        benchmark::DoNotOptimize(answer.hasRows());
    }
}

void FilterByCodeAndReadRow(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    ClinicOf(size);
    DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
    TableView ide(subjects, QStringLiteral("IDE"));
    int i = 0;
    for (auto _ : state) {
        ide.setFilter(QStringLiteral("code"), CodeOf((i += 7919) % size));
        benchmark::DoNotOptimize(ide.rowCount());
        benchmark::DoNotOptimize(ide.field(QStringLiteral("Morva")));
    }
}

void AddAndCommitSubjectPair(benchmark::State &state)
{
    ClinicOf(static_cast<int>(state.range(0)));
    DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
    TableView ide(subjects, QStringLiteral("IDE"));
    TableView answer(subjects, QStringLiteral("Answer"));
    int i = 0;
    for (auto _ : state) {
        const QString code = QStringLiteral("new-%1").arg(++i);
        ide.addRow();
        ide.setField(QStringLiteral("Code"), code);
        ide.setField(QStringLiteral("FName"), QStringLiteral("نام"));
        answer.addRow();
        answer.setField(QStringLiteral("Code"), code);
        answer.setField(QStringLiteral("Group"), QStringLiteral("B"));
        subjects.transact([&] {
            ide.commit();
            answer.commit();
        });
    }
}

// What the scoring window does for one code: reread the answers, narrow them to the code, check
// for unanswered items, narrow the subjects, sum and classify.
void SelectAndScoreSubject(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    ClinicOf(size);
    DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
    TableView answer(subjects, QStringLiteral("Answer"));
    TableView ide(subjects, QStringLiteral("IDE"));
    int i = 0;
    for (auto _ : state) {
        const QString code = CodeOf((i += 7919) % size);
        answer.reload();
        answer.setFilter(QStringLiteral("code"), code);
        QStringList answers;
        for (int item = 1; item <= 45; ++item)
            answers << answer.field(QString::number(item));
        benchmark::DoNotOptimize(MissingItemsList(answers));
        ide.setFilter(QStringLiteral("code"), code);
        benchmark::DoNotOptimize(LoveTypeText(ClassifyLoveType(ComputeScores(answers))));
    }
}

} // namespace

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
