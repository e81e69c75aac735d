// Run on demand: ./build/bench/morva_bench
// Fills a temporary data folder with 100 and with 100,000 subjects and times the data work of
// the main window (opening its views, finding a subject by code, registering one subject) and
// of the scoring window (selecting a subject and scoring it).
#include "records/columns.h"
#include "records/data_connection.h"
#include "records/table_view.h"
#include "scoring/love_type.h"
#include "scoring/scores.h"
#include "support/data_support.h"

#include <QCoreApplication>

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
        DataConnection db(DataFile::Subjects, QStringLiteral("fill"));
        db.transact([&] {
            testing::StoredSubject subject;
            subject.lastName = QStringLiteral("نام خانوادگی");
            for (int item = 1; item <= 45; ++item)
                subject.answers << QString::number(item % 9 + 1);
            for (int i = 0; i < subjects; ++i) {
                subject.code = CodeOf(i);
                testing::InsertSubject(db, subject);
            }
        });
    }
    void enter() const { folder_.enter(); }

private:
    testing::DataFolder folder_;
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
        TableView theme(settings, table::Theme);
        TableView ide(subjects, table::Subjects);
        TableView answer(subjects, table::Answers);
        TableView lookup(subjects, table::Subjects);
        benchmark::DoNotOptimize(theme.field(column::Th));
        benchmark::DoNotOptimize(answer.hasRows());
    }
}

void FilterByCodeAndReadRow(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    ClinicOf(size);
    DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
    TableView ide(subjects, table::Subjects);
    int i = 0;
    for (auto _ : state) {
        ide.setFilter(column::Code, CodeOf((i += 7919) % size));
        benchmark::DoNotOptimize(ide.rowCount());
        benchmark::DoNotOptimize(ide.field(column::Morva));
    }
}

void AddAndCommitSubjectPair(benchmark::State &state)
{
    ClinicOf(static_cast<int>(state.range(0)));
    DataConnection subjects(DataFile::Subjects, QStringLiteral("bench"));
    TableView ide(subjects, table::Subjects);
    TableView answer(subjects, table::Answers);
    int i = 0;
    for (auto _ : state) {
        const QString code = QStringLiteral("new-%1").arg(++i);
        ide.addRow();
        ide.setField(column::Code, code);
        ide.setField(column::FName, QStringLiteral("نام"));
        answer.addRow();
        answer.setField(column::Code, code);
        answer.setField(column::Group, QStringLiteral("B"));
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
    TableView answer(subjects, table::Answers);
    TableView ide(subjects, table::Subjects);
    int i = 0;
    for (auto _ : state) {
        const QString code = CodeOf((i += 7919) % size);
        answer.reload();
        answer.setFilter(column::Code, code);
        QStringList answers;
        for (int item = 1; item <= 45; ++item)
            answers << answer.field(column::Answer(item));
        benchmark::DoNotOptimize(MissingItemsList(answers));
        ide.setFilter(column::Code, code);
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
