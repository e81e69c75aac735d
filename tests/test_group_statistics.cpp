// The groups side by side: every figure of the summaries and comparisons against GNU PSPP run on
// the program's own SPSS export of the same subjects.
#include "common/persian_digits.h"
#include "export/research_export.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/subject_store.h"
#include "statistics/group_comparison.h"
#include "statistics/group_summary.h"
#include "support/data_support.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QTextLayout>

#include <cmath>

using namespace morva;
using morva::testing::DataFolder;
using morva::testing::StoredSubject;

namespace {

enum Group { A, B, C, D };

// Answers that vary from subject to subject and give most love types: each component of a subject
// has a level of its own, and each item lies within two points of it. Group B's levels run a
// point lower than group A's.
QStringList VariedAnswers(QRandomGenerator &random, int shift)
{
    QStringList answers;
    int level = 0;
    for (int item = 1; item <= 45; ++item) {
        if (item % 15 == 1)
            level = int(random.bounded(4, 10)) - shift;
        answers << QString::number(std::clamp(level + int(random.bounded(-2, 3)), 1, 9));
    }
    return answers;
}

// Group A: 24 complete subjects, 2 incomplete, one registered and never tested, one kept without
// an answer row. Group B: 17 complete, one incomplete. Group C: one complete. Group D: two alike.
// Three complete subjects of a group outside the seven, and one of none.
void StoreSubjects()
{
    DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
    QRandomGenerator random(20240901);
    int code = 0;
    const auto add = [&](const QString &group, const QStringList &answers, bool answerRow = true) {
        testing::InsertSubject(db, {.code = QStringLiteral("S-%1").arg(++code), .group = group, .answers = answers,
                                    .answerRow = answerRow});
    };
    for (int i = 0; i < 24; ++i)
        add(QStringLiteral("A"), VariedAnswers(random, 0));
    for (int i = 0; i < 17; ++i)
        add(QStringLiteral("B"), VariedAnswers(random, 1));
    QStringList gaps = VariedAnswers(random, 0);
    gaps[3].clear();
    add(QStringLiteral("A"), gaps);
    gaps[40] = QStringLiteral("0"); // no answer
    add(QStringLiteral("A"), gaps);
    add(QStringLiteral("B"), gaps);
    add(QStringLiteral("A"), {});
    add(QStringLiteral("A"), {}, false);
    add(QStringLiteral("C"), VariedAnswers(random, 0));
    const QStringList same = VariedAnswers(random, 0);
    add(QStringLiteral("D"), same);
    add(QStringLiteral("D"), same);
    for (int i = 0; i < 3; ++i)
        add(QStringLiteral("Z"), VariedAnswers(random, 0));
    add(QString(), VariedAnswers(random, 1));
}

// The cells of a line of PSPP's CSV output.
QStringList CsvCells(const QString &line)
{
    QStringList cells{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
            cells.last() += line[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            cells << QString();
        else
            cells.last() += c;
    }
    for (QString &cell : cells)
        cell = cell.trimmed();
    return cells;
}

// A table of PSPP's output, and the group it was split by ("" for all subjects).
struct PsppTable {
    QString title;
    QString group;
    QList<QStringList> rows;

    // The cells of the first row whose first cells are these.
    QStringList row(const QStringList &first) const
    {
        for (const QStringList &r : rows) {
            if (r.mid(0, first.size()) == first)
                return r;
        }
        return {};
    }
};

// The tables GNU PSPP writes for the commands, as CSV, at every figure's full precision.
QList<PsppTable> Pspp(const DataFolder &folder, const QString &commands)
{
    const QString syntax = folder.file(QStringLiteral("figures.sps"));
    QFile sps(syntax);
    if (!sps.open(QIODevice::WriteOnly) || sps.write("SET FORMAT=F24.12 TVARS=NAMES.\n" + commands.toUtf8()) < 0)
        return {};
    sps.close();
    const QString csv = folder.file(QStringLiteral("figures.csv"));
    QFile::remove(csv);
    testing::OutputOf(QStringLiteral("pspp"), {QStringLiteral("-o"), csv, syntax});
    QFile out(csv);
    if (!out.open(QIODevice::ReadOnly))
        return {};
    QList<PsppTable> tables;
    QString group;
    for (const QString &line : QString::fromUtf8(out.readAll()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Table: "))) {
            tables.append({line.mid(7), group, {}});
        } else if (!line.isEmpty() && !tables.isEmpty()) {
            tables.last().rows << CsvCells(line);
            if (tables.last().title == QStringLiteral("Split Values") && tables.last().rows.size() == 2)
                group = tables.last().rows[1].value(1);
        }
    }
    return tables;
}

// The first table of the title, of the group when one is given.
const PsppTable *Find(const QList<PsppTable> &tables, const QString &title, std::optional<QString> group = {})
{
    for (const PsppTable &t : tables) {
        if (t.title == title && (!group || t.group == *group))
            return &t;
    }
    return nullptr;
}

// A figure as PSPP prints it: "." for none.
std::optional<double> Figure(const QString &cell)
{
    bool ok = false;
    const double value = cell.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Whether two figures agree to four significant digits, or are both missing.
bool Agree(std::optional<double> ours, std::optional<double> pspp)
{
    if (!ours || !pspp)
        return ours.has_value() == pspp.has_value();
    return std::abs(*ours - *pspp) <= 5e-4 * std::max(std::abs(*pspp), 1e-6);
}

// Nothing when the figures agree; else what differs.
QString Disagreement(const char *what, std::optional<double> ours, std::optional<double> pspp)
{
    if (Agree(ours, pspp))
        return {};
    const auto shown = [](std::optional<double> f) {
        return f ? QString::number(*f, 'g', 10) : QStringLiteral("none");
    };
    return QStringLiteral("%1 = %2, PSPP %3").arg(QLatin1String(what), shown(ours), shown(pspp));
}

#define COMPARE_FIGURE(ours, pspp)                                                                                     \
    do {                                                                                                               \
        const QString disagreement = Disagreement(#ours, (ours), (pspp));                                              \
        if (!disagreement.isEmpty())                                                                                   \
            QFAIL(qPrintable(disagreement));                                                                           \
    } while (false)

const char *const kSums[] = {"s_i", "s_p", "s_c"};
const char *const kMeans[] = {"m_i", "m_p", "m_c"};

// The sums and per-item means of the complete subjects computed from the exported items, and how
// far each subject's test came (0 none, 1 some items, 2 all).
const char *const kPrepare = R"(GET FILE='%1'.
COMPUTE answered = NVALID(q1 TO q45).
RECODE answered (45=2) (0=0) (ELSE=1) INTO state.
FORMATS state (F1.0).
IF (answered = 45) s_i = SUM(q1 TO q15).
IF (answered = 45) s_p = SUM(q16 TO q30).
IF (answered = 45) s_c = SUM(q31 TO q45).
COMPUTE m_i = s_i / 15.
COMPUTE m_p = s_p / 15.
COMPUTE m_c = s_c / 15.
)";
const char *const kFigures = R"(FREQUENCIES VARIABLES=state love_type /STATISTICS=NONE.
DESCRIPTIVES VARIABLES=s_i s_p s_c m_i m_p m_c /STATISTICS=MEAN STDDEV.
FREQUENCIES VARIABLES=s_i s_p s_c /FORMAT=NOTABLE /STATISTICS=MEDIAN.
)";

// The row of a valid value in a frequency table, by the value's label: the first begins with
// "Valid", the others with nothing. Empty when no case has the value.
QStringList ValueRow(const PsppTable *table, const QString &label)
{
    bool valid = false;
    for (const QStringList &row : table->rows) {
        if (!row.value(0).isEmpty())
            valid = row.value(0) == QStringLiteral("Valid");
        if (valid && row.value(1) == label)
            return row;
    }
    return {};
}

// The count of a value in a frequency table.
qint64 Frequency(const PsppTable *table, const QString &label)
{
    return ValueRow(table, label).value(2).toLongLong(); // 0 when no case has it
}

void CompareSummary(const GroupSummary &ours, const QList<PsppTable> &pspp, const QString &group)
{
    const PsppTable *state = Find(pspp, QStringLiteral("state"), group);
    QVERIFY2(state, qPrintable(group));
    QCOMPARE(ours.notTested, Frequency(state, QStringLiteral("0")));
    QCOMPARE(ours.incomplete, Frequency(state, QStringLiteral("1")));
    QCOMPARE(ours.complete, Frequency(state, QStringLiteral("2")));
    const PsppTable *types = Find(pspp, QStringLiteral("love_type"), group);
    QVERIFY(types);
    for (int t = 0; t < kLoveTypeCount; ++t) {
        const auto type = static_cast<LoveType>(t);
        QCOMPARE(ours.loveTypeCount(type), Frequency(types, LoveTypeLabel(type)));
        // PSPP prints the percentage of the valid (complete) subjects with one decimal.
        const QStringList row = ValueRow(types, LoveTypeLabel(type));
        const std::optional<double> percent = ours.loveTypePercent(type);
        COMPARE_FIGURE(percent ? std::optional<double>(std::round(*percent * 10) / 10) : std::nullopt,
                       row.isEmpty() ? 0.0 : Figure(row.value(4).chopped(1)));
    }
    const PsppTable *descriptives = Find(pspp, QStringLiteral("Descriptive Statistics"), group);
    const PsppTable *medians = Find(pspp, QStringLiteral("Statistics"), group);
    QVERIFY(descriptives && medians);
    const QStringList median = medians->row({QStringLiteral("Median")});
    for (int c = 0; c < 3; ++c) {
        const ComponentSummary &s = ours.components[c];
        const QStringList sum = descriptives->row({QLatin1String(kSums[c])});
        const QStringList mean = descriptives->row({QLatin1String(kMeans[c])});
        QCOMPARE(s.subjects, sum.value(1).toLongLong());
        COMPARE_FIGURE(s.meanSum, Figure(sum.value(2)));
        COMPARE_FIGURE(s.sdSum, Figure(sum.value(3)));
        COMPARE_FIGURE(s.meanPerItem, Figure(mean.value(2)));
        COMPARE_FIGURE(s.sdPerItem, Figure(mean.value(3)));
        COMPARE_FIGURE(s.medianSum, Figure(median.value(2 + c)));
    }
}

// The reference of Cohen's d and its interval from PSPP's counts, means and standard deviations.
EffectSize CohensDOf(const QStringList &a, const QStringList &b)
{
    const double na = a.value(2).toDouble(), nb = b.value(2).toDouble();
    const double ma = a.value(3).toDouble(), mb = b.value(3).toDouble();
    const double sa = a.value(4).toDouble(), sb = b.value(4).toDouble();
    const double pooled = std::sqrt(((na - 1) * sa * sa + (nb - 1) * sb * sb) / (na + nb - 2));
    const double d = (ma - mb) / pooled;
    const double se = std::sqrt((na + nb) / (na * nb) + d * d / (2 * (na + nb)));
    return {d, d - 1.959963985 * se, d + 1.959963985 * se};
}

} // namespace

class GroupStatisticsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void figuresAgreeWithPspp();
    void noValueWhereThereIsNothingToMeasure();
    void figuresReadRightInPersian();
};

void GroupStatisticsTest::figuresAgreeWithPspp()
{
    DataFolder folder;
    StoreSubjects();
    const GroupSummaries ours = SummarizeGroups(folder.stores().subjects);
    const QString sav = folder.file(QStringLiteral("all.sav"));
    QCOMPARE(ExportSubjects(folder.stores().subjects, {sav, ExportFormat::Sav, SubjectFilter::All(), false},
                            [](qint64, qint64) { return true; })
                 .result,
             ExportOutcome::Result::Written);

    const QList<PsppTable> pspp =
        Pspp(folder, QString::fromLatin1(kPrepare).arg(sav) + QString::fromLatin1(kFigures) +
                         QStringLiteral("SORT CASES BY group.\nSPLIT FILE SEPARATE BY group.\n") +
                         QString::fromLatin1(kFigures) +
                         QStringLiteral("SPLIT FILE OFF.\n"
                                        "T-TEST /GROUPS=group(1,2) /VARIABLES=s_i s_p s_c.\n"
                                        "SELECT IF group <= 2.\n"
                                        "CROSSTABS /TABLES=group BY love_type /CELLS=COUNT EXPECTED "
                                        "/STATISTICS=CHISQ.\n"));
    QVERIFY(!pspp.isEmpty());
    CompareSummary(ours.all, pspp, QString());
    for (const Group g : {A, B, C, D}) {
        if (QTest::currentTestFailed())
            return;
        CompareSummary(ours.groups[g], pspp, QString(QChar(u'A' + g)));
    }
    // Group E has nobody; the group outside the seven and the subject of none count only in all.
    QCOMPARE(ours.groups[4].complete + ours.groups[4].incomplete + ours.groups[4].notTested, 0);
    qint64 inGroups = 0;
    for (const GroupSummary &g : ours.groups)
        inGroups += g.complete;
    QCOMPARE(ours.all.complete - inGroups, 4);

    const GroupComparison comparison = CompareGroups(ours.groups[A], ours.groups[B]);
    const PsppTable *tests = Find(pspp, QStringLiteral("Independent Samples Test"));
    const PsppTable *groups = Find(pspp, QStringLiteral("Group Statistics"));
    QVERIFY(tests && groups);
    QString tAndDf;
    for (int c = 0; c < 3; ++c) {
        const ComponentComparison &compared = comparison.components[c];
        QVERIFY(compared.welch && compared.cohensD);
        // The row after the equal-variances one.
        const QStringList assumed = tests->row({QLatin1String(kSums[c])});
        const QStringList welch = tests->rows.value(tests->rows.indexOf(assumed) + 1);
        QCOMPARE(welch.value(1), QStringLiteral("Equal variances not assumed"));
        COMPARE_FIGURE(compared.welch->t, Figure(welch.value(4)));
        COMPARE_FIGURE(compared.welch->df, Figure(welch.value(5)));
        // PSPP prints p with three decimals; its own distribution gives the full figure below.
        COMPARE_FIGURE(std::round(compared.welch->p * 1000) / 1000, Figure(welch.value(6)));
        tAndDf += welch.value(4) + u' ' + welch.value(5) + u'\n';

        const QStringList a = groups->row({QLatin1String(kSums[c])});
        const QStringList b = groups->rows.value(groups->rows.indexOf(a) + 1);
        QCOMPARE(a.value(1), QStringLiteral("A"));
        QCOMPARE(b.value(1), QStringLiteral("B"));
        const EffectSize d = CohensDOf(a, b);
        COMPARE_FIGURE(compared.cohensD->d, d.d);
        COMPARE_FIGURE(compared.cohensD->low, d.low);
        COMPARE_FIGURE(compared.cohensD->high, d.high);
    }

    QVERIFY(comparison.loveTypes);
    const PsppTable *chi = Find(pspp, QStringLiteral("Chi-Square Tests"));
    QVERIFY(chi);
    const QStringList pearson = chi->row({QStringLiteral("Pearson Chi-Square")});
    COMPARE_FIGURE(comparison.loveTypes->chiSquare, Figure(pearson.value(1)));
    QCOMPARE(comparison.loveTypes->df, pearson.value(2).toInt());
    COMPARE_FIGURE(std::round(comparison.loveTypes->p * 1000) / 1000, Figure(pearson.value(3)));
    // The smallest expected count of the two groups' cells.
    const PsppTable *cells = Find(pspp, QStringLiteral("group × love_type"));
    QVERIFY(cells);
    double smallest = 1e9;
    QString cellsOf; // the group of the rows, or the total
    for (const QStringList &row : cells->rows) {
        if (!row.value(0).isEmpty() || !row.value(1).isEmpty())
            cellsOf = row.value(1).isEmpty() ? row.value(0) : row.value(1);
        if (row.value(2) == QStringLiteral("Expected") && cellsOf != QStringLiteral("Total")) {
            for (qsizetype i = 3; i + 1 < row.size(); ++i) // the last column is the total
                smallest = std::min(smallest, row[i].toDouble());
        }
    }
    QVERIFY(smallest < 1e9);
    QCOMPARE(comparison.loveTypes->smallExpected, smallest < 5);

    // The p-values at full precision from PSPP's own distributions, at PSPP's t and df.
    const QList<PsppTable> p = Pspp(
        folder, QStringLiteral("DATA LIST LIST /t df.\nBEGIN DATA\n%1END DATA.\n"
                               "COMPUTE p = 2 * CDF.T(-ABS(t), df).\nFORMATS p (E24.14).\nLIST p.\n"
                               "DATA LIST LIST /x df.\nBEGIN DATA\n%2 %3\nEND DATA.\n"
                               "COMPUTE p = SIG.CHISQ(x, df).\nFORMATS p (E24.14).\nLIST p.\n")
                    .arg(tAndDf, pearson.value(1), pearson.value(2)));
    QList<double> ps;
    for (const PsppTable &t : p) {
        if (t.title == QStringLiteral("Data List")) {
            for (const QStringList &row : t.rows.mid(1))
                ps << row.value(0).toDouble();
        }
    }
    QCOMPARE(ps.size(), 4);
    for (int c = 0; c < 3; ++c)
        COMPARE_FIGURE(comparison.components[c].welch->p, ps[c]);
    COMPARE_FIGURE(comparison.loveTypes->p, ps[3]);
}

void GroupStatisticsTest::noValueWhereThereIsNothingToMeasure()
{
    DataFolder folder;
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
        QRandomGenerator random(7);
        QStringList gaps = VariedAnswers(random, 0);
        gaps[0].clear();
        const QStringList same = VariedAnswers(random, 0);
        int code = 0;
        const auto add = [&](const QString &group, const QStringList &answers) {
            const QString id = QStringLiteral("S-%1").arg(++code);
            testing::InsertSubject(db, {.code = id, .group = group, .answers = answers});
        };
        add(QStringLiteral("A"), gaps); // none complete
        add(QStringLiteral("B"), VariedAnswers(random, 0));
        add(QStringLiteral("C"), VariedAnswers(random, 0));
        add(QStringLiteral("C"), VariedAnswers(random, 0));
        for (const QString &group : {QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("E"),
                                    QStringLiteral("E")})
            add(group, same);
    }
    const GroupSummaries summaries = SummarizeGroups(folder.stores().subjects);
    const GroupSummary &none = summaries.groups[0], &one = summaries.groups[1], &two = summaries.groups[2];
    const GroupSummary &alikeTwo = summaries.groups[3], &alikeThree = summaries.groups[4];
    QCOMPARE(none.incomplete, 1);
    QCOMPARE(none.complete, 0);
    for (const ItemComponent c : kItemComponents) {
        QVERIFY(!none.component(c).meanSum && !none.component(c).medianSum && !none.component(c).sdSum);
        QVERIFY(one.component(c).meanSum && one.component(c).medianSum);
        QVERIFY(!one.component(c).sdSum && !one.component(c).sdPerItem);
        QVERIFY(two.component(c).sdSum);
        QCOMPARE(alikeTwo.component(c).sdSum, 0.0); // the same sums: no spread, truly
    }
    QVERIFY(!none.loveTypePercent(LoveType::NonLove));
    QCOMPARE(std::count_if(one.loveTypes.begin(), one.loveTypes.end(), [](qint64 n) { return n == 1; }), 1);
    QCOMPARE(*one.loveTypePercent(static_cast<LoveType>(std::find(one.loveTypes.begin(), one.loveTypes.end(), 1) -
                                                        one.loveTypes.begin())),
             100.0);

    const auto nothingCompared = [](const GroupComparison &comparison) {
        return std::all_of(comparison.components.begin(), comparison.components.end(),
                           [](const ComponentComparison &c) { return !c.welch && !c.cohensD; });
    };
    QVERIFY(nothingCompared(CompareGroups(none, two)));
    QVERIFY(!CompareGroups(none, two).loveTypes); // a group without a complete subject
    QVERIFY(nothingCompared(CompareGroups(one, two)));      // one subject has no spread
    QVERIFY(nothingCompared(CompareGroups(alikeTwo, alikeThree))); // all sums alike
    QVERIFY(!CompareGroups(alikeTwo, alikeThree).loveTypes); // one love type between them
    // A spread in one of the groups is enough.
    const GroupComparison spread = CompareGroups(two, alikeThree);
    for (const ComponentComparison &c : spread.components) {
        QVERIFY(c.welch && std::isfinite(c.welch->t) && std::isfinite(c.welch->p));
        QVERIFY(c.cohensD && std::isfinite(c.cohensD->d));
    }

    // Only a cell whose expected count falls below 5 makes the chi-square rough.
    GroupSummary even, odd;
    even.complete = odd.complete = 40;
    even.loveTypes[0] = even.loveTypes[7] = 20;
    odd.loveTypes[0] = 30;
    odd.loveTypes[7] = 10;
    const std::optional<ChiSquareTest> large = CompareGroups(even, odd).loveTypes;
    QVERIFY(large);
    QCOMPARE(large->df, 1);
    QVERIFY(!large->smallExpected);
    odd.loveTypes[7] = 9;
    odd.loveTypes[3] = 1;
    QVERIFY(CompareGroups(even, odd).loveTypes->smallExpected);
}

void GroupStatisticsTest::figuresReadRightInPersian()
{
    QCOMPARE(PersianFigure(12.344, 2), QStringLiteral("۱۲٫۳۴"));
    QCOMPARE(PersianFigure(std::nullopt, 2), QStringLiteral("—"));
    QCOMPARE(PersianFigure(-0.004, 2), QStringLiteral("۰٫۰۰")); // no sign on a zero
    QCOMPARE(PersianPValue(0.0004), QStringLiteral("< ۰٫۰۰۱"));
    QCOMPARE(PersianPValue(0.0123), QStringLiteral("۰٫۰۱۲"));
    QCOMPARE(PersianPValue(std::nullopt), QStringLiteral("—"));

    // In a right-to-left line, as a table cell or a sentence shows it, the minus sign lands on the
    // left of the digits.
    const QString negative = PersianFigure(-1.5, 1);
    for (const QString &text : {negative, QStringLiteral("میانگین ") + negative + QStringLiteral(" است")}) {
        QTextLayout layout(text);
        QTextOption option;
        option.setTextDirection(Qt::RightToLeft);
        layout.setTextOption(option);
        layout.beginLayout();
        layout.createLine().setLineWidth(2000);
        layout.endLayout();
        const qsizetype minus = text.indexOf(QChar(0x2212));
        QVERIFY(minus >= 0);
        const auto leftOf = [&](qsizetype at) {
            const QList<QGlyphRun> runs = layout.glyphRuns(int(at), 1);
            return runs.isEmpty() ? qreal(-1) : runs.first().boundingRect().left();
        };
        QVERIFY2(leftOf(minus) >= 0 && leftOf(minus) < leftOf(minus + 1), qPrintable(text));
        QVERIFY(leftOf(minus + 1) < leftOf(minus + 3)); // the digits left to right: ۱ before ۵
    }
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    GroupStatisticsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_group_statistics.moc"
