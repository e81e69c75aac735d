#include "scoring/love_type.h"
#include "scoring/response_notes.h"
#include "scoring/score_triangle.h"
#include "scoring/scores.h"
#include "scoring/session_history.h"

#include <QTest>

#include <cmath>

using namespace morva;

Q_DECLARE_METATYPE(morva::LoveType)

namespace {

QStringList Answers(const QString &intimacy, const QString &passion, const QString &commitment)
{
    QStringList answers;
    for (int item = 1; item <= 45; ++item)
        answers << (item <= 15 ? intimacy : item <= 30 ? passion : commitment);
    return answers;
}

} // namespace

class ScoringTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sumsPerComponent();
    void missingItems();
    void classification_data();
    void classification();
    void explanationsBeginWithTheirLabelsAndSpeakToTheRespondent();
    void triangleCornersFollowTheScores();
    void notesOnHowTheAnswersWereGiven();
    void sumsAgainstTheirScale();
    void legendNamesTheCutOffsAndTheSubjects();
    void sessionsAreScoredAndCompared();
};

void ScoringTest::sumsPerComponent()
{
    ComponentScores s = ComputeScores(AnswerSheet(Answers("1", "1", "1")));
    QCOMPARE(s.intimacy, 15);
    QCOMPARE(s.passion, 15);
    QCOMPARE(s.commitment, 15);
    s = ComputeScores(AnswerSheet(Answers("9", "9", "9")));
    QCOMPARE(s.intimacy, 135);
    QCOMPARE(s.passion, 135);
    QCOMPARE(s.commitment, 135);

    QStringList answers = Answers("5", "3", "7");
    answers[0] = "9";   // item 1 belongs to intimacy
    answers[15] = "۹";  // item 16 to passion, in a Persian digit
    answers[44] = "1";  // item 45 to commitment
    s = ComputeScores(AnswerSheet(answers));
    QCOMPARE(s.intimacy, 14 * 5 + 9);
    QCOMPARE(s.passion, 14 * 3 + 9);
    QCOMPARE(s.commitment, 14 * 7 + 1);
}

// An answer is one digit 1 to 9 of any script; anything else leaves its item unanswered, and the
// scoring window lists it.
void ScoringTest::missingItems()
{
    QStringList answers = Answers("4", "4", "4");
    QCOMPARE(MissingItemsList(AnswerSheet(answers)), QString());
    answers[6].clear();
    answers[11] = "0";
    answers[12] = "۷"; // answered
    answers[13] = "7x";
    QCOMPARE(MissingItemsList(AnswerSheet(answers)), QStringLiteral(" 7   12   14  "));
    QCOMPARE(AnswerSheet(answers).unanswered(), (QList<int>{7, 12, 14}));
    QVERIFY(!AnswerSheet(answers).complete());

    answers = Answers("4", "4", "4");
    answers[0].clear();
    answers[44] = " 4";
    QCOMPARE(MissingItemsList(AnswerSheet(answers)), QStringLiteral(" 1   45  "));

    QString every;
    for (int item = 1; item <= 45; ++item)
        every += QStringLiteral(" %1  ").arg(item);
    QCOMPARE(MissingItemsList(AnswerSheet(QStringList(45, QString()))), every);
    QCOMPARE(MissingItemsList(AnswerSheet()), every);
}

void ScoringTest::classification_data()
{
    QTest::addColumn<int>("intimacy");
    QTest::addColumn<int>("passion");
    QTest::addColumn<int>("commitment");
    QTest::addColumn<LoveType>("type");
    QTest::newRow("all at cut-off") << 108 << 98 << 111 << LoveType::ConsummateLove;
    QTest::newRow("all just below") << 107 << 97 << 110 << LoveType::NonLove;
    QTest::newRow("intimacy at cut-off") << 108 << 97 << 110 << LoveType::Liking;
    QTest::newRow("passion at cut-off") << 107 << 98 << 110 << LoveType::Infatuation;
    QTest::newRow("commitment at cut-off") << 107 << 97 << 111 << LoveType::EmptyLove;
    QTest::newRow("romantic") << 135 << 135 << 15 << LoveType::RomanticLove;
    QTest::newRow("companionate") << 135 << 15 << 135 << LoveType::CompanionateLove;
    QTest::newRow("fatuous") << 15 << 135 << 135 << LoveType::FatuousLove;
    QTest::newRow("lowest") << 15 << 15 << 15 << LoveType::NonLove;
    QTest::newRow("highest") << 135 << 135 << 135 << LoveType::ConsummateLove;
    QTest::newRow("romantic at edges") << 108 << 98 << 110 << LoveType::RomanticLove;
    QTest::newRow("companionate at edges") << 108 << 97 << 111 << LoveType::CompanionateLove;
    QTest::newRow("fatuous at edges") << 107 << 98 << 111 << LoveType::FatuousLove;
}

void ScoringTest::classification()
{
    QFETCH(int, intimacy);
    QFETCH(int, passion);
    QFETCH(int, commitment);
    QFETCH(LoveType, type);
    QCOMPARE(ClassifyLoveType({intimacy, passion, commitment}), type);
}

// The explanation is handed to the client, one person who may be single: it speaks of their own
// answers, not of a couple, a marriage or children, calls passion شور (the client never sees the
// score boxes that say هوس), and leaves them with the counsellor near its end.
void ScoringTest::explanationsBeginWithTheirLabelsAndSpeakToTheRespondent()
{
    const QStringList labels{"فقدان عشق", "همدلي", "وسوسه و شوق شور", "عشق خالي",
                             "عشق رمانتيک", "عشق عاطفي", "عشق ساده لوحانه", "عشق آرماني"};
    const QStringList aboutACouple{"دو طرف", "زوج", "یکدیگر", "همسر", "ازدواج", "فرزند", "شریک"};
    QStringList seen;
    for (int i = 0; i < 8; ++i) {
        const QString text = LoveTypeText(static_cast<LoveType>(i));
        QVERIFY2(text.startsWith(labels[i] + ": در پاسخ‌های شما"), qPrintable(labels[i]));
        // The first sentence calls passion شور; after the label, for one label says شور itself.
        QVERIFY2(text.mid(labels[i].size()).section(u'.', 0, 0).contains("شور"), qPrintable(labels[i]));
        QVERIFY2(!text.contains("هوس"), qPrintable(labels[i]));
        for (const QString &word : aboutACouple)
            QVERIFY2(!text.contains(word), qPrintable(labels[i] + " speaks of " + word));
        QVERIFY2(text.section(u'.', -3, -2).contains("مشاور"), qPrintable(labels[i]));
        QVERIFY(!seen.contains(text));
        seen << text;
        const int sentences = text.count(u'.');
        QVERIFY2(sentences >= 2 && sentences <= 4, qPrintable(labels[i]));
        QVERIFY(!text.contains(u'\n')); // one paragraph
    }
}

// Intimacy up, passion lower left, commitment lower right; 15 at the centre, 135 at the axis's end.
void ScoringTest::triangleCornersFollowTheScores()
{
    const auto near = [](QPointF a, QPointF b) { return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9; };
    const double s = std::sqrt(3.0) / 2;
    TriangleCorners c = CornersOf({15, 15, 15});
    QVERIFY(near(c.intimacy, {0, 0}) && near(c.passion, {0, 0}) && near(c.commitment, {0, 0}));
    c = CornersOf({135, 135, 135});
    QVERIFY(near(c.intimacy, {0, -1}) && near(c.passion, {-s, 0.5}) && near(c.commitment, {s, 0.5}));
    c = CutOffCorners();
    QVERIFY(near(c.intimacy, {0, -93.0 / 120}));
    QVERIFY(near(c.passion, QPointF(-s, 0.5) * (83.0 / 120)));
    QVERIFY(near(c.commitment, QPointF(s, 0.5) * (96.0 / 120)));
    c = CornersOf({135, 15, 75}); // lopsided: all intimacy, no passion, half commitment
    QVERIFY(near(c.intimacy, {0, -1}) && near(c.passion, {0, 0}) && near(c.commitment, QPointF(s, 0.5) * 0.5));
    QCOMPARE(ScoreReach(0), 0.0);
    QCOMPARE(ScoreReach(200), 1.0);
}

void ScoringTest::notesOnHowTheAnswersWereGiven()
{
    const AnswerSheet fives(QStringList(45, "5"));
    QCOMPARE(ResponseNotes(fives).size(), 1);
    QVERIFY(ResponseNotes(fives).constFirst().contains("به هر ۴۵ جمله با عدد ۵ پاسخ"));

    QStringList varied;
    for (int item = 1; item <= 45; ++item)
        varied << QString::number(item % 9 + 1);
    QCOMPARE(ResponseNotes(AnswerSheet(varied)), QStringList());

    QStringList twoInPassion = varied;
    for (int item = 16; item <= 30; ++item)
        twoInPassion[item - 1] = item % 2 ? "8" : "۹"; // a Persian nine is the same answer as 9
    const QStringList notes = ResponseNotes(AnswerSheet(twoInPassion));
    QCOMPARE(notes.size(), 1);
    QVERIFY2(notes.constFirst().contains("جمله‌های مؤلفه‌ی هوس فقط با عددهای ۸ و ۹ پاسخ"), qPrintable(notes.constFirst()));

    // Every component answered in one or two ways: one note names all three with their answers,
    // not three notes repeating one sentence.
    const QStringList narrow = ResponseNotes(AnswerSheet(Answers("9", "9", "1")));
    QCOMPARE(narrow.size(), 1);
    QVERIFY2(narrow.constFirst().contains("مؤلفه‌ی صميميت فقط با عدد ۹، مؤلفه‌ی هوس فقط با عدد ۹ و مؤلفه‌ی تعهد فقط با عدد ۱"),
             qPrintable(narrow.constFirst()));
}

// The range of a sum, its level against the cut-off (borderline within three points on either
// side, saying on which side the love type counted it: the cut-off itself is high), and means in
// two decimals, so that 97 and the cut-off of 98 do not both read 6.5.
void ScoringTest::sumsAgainstTheirScale()
{
    QCOMPARE(ScoreRangeText(), QStringLiteral("۱۵ تا ۱۳۵"));
    QCOMPARE(MeanPerItemText(97), QStringLiteral("۶٫۴۷"));
    QCOMPARE(MeanPerItemText(98), QStringLiteral("۶٫۵۳"));
    QCOMPARE(MeanPerItemText(135), QStringLiteral("۹٫۰۰"));
    const auto level = [](ItemComponent c, int sum) { return ScoreLevelLabel(LevelOf(c, sum)); };
    QCOMPARE(level(ItemComponent::Passion, 94), QStringLiteral("پایین"));
    QCOMPARE(level(ItemComponent::Passion, 95), QStringLiteral("مرزی (پایین)"));
    QCOMPARE(level(ItemComponent::Passion, 97), QStringLiteral("مرزی (پایین)"));
    QCOMPARE(level(ItemComponent::Passion, 98), QStringLiteral("مرزی (بالا)"));
    QCOMPARE(level(ItemComponent::Passion, 101), QStringLiteral("مرزی (بالا)"));
    QCOMPARE(level(ItemComponent::Passion, 102), QStringLiteral("بالا"));
    QCOMPARE(level(ItemComponent::Intimacy, 104), QStringLiteral("پایین"));
    QCOMPARE(level(ItemComponent::Intimacy, 105), QStringLiteral("مرزی (پایین)"));
    QCOMPARE(level(ItemComponent::Intimacy, 108), QStringLiteral("مرزی (بالا)"));
    QCOMPARE(level(ItemComponent::Intimacy, 111), QStringLiteral("مرزی (بالا)"));
    QCOMPARE(level(ItemComponent::Intimacy, 112), QStringLiteral("بالا"));
    QCOMPARE(level(ItemComponent::Commitment, 107), QStringLiteral("پایین"));
    QCOMPARE(level(ItemComponent::Commitment, 108), QStringLiteral("مرزی (پایین)"));
    QCOMPARE(level(ItemComponent::Commitment, 115), QStringLiteral("بالا"));
    QCOMPARE(level(ItemComponent::Commitment, 15), QStringLiteral("پایین"));
    QCOMPARE(ScoresText({90, 120, 75}), QStringLiteral("صميميت ۹۰، هوس ۱۲۰، تعهد ۷۵"));
}

void ScoringTest::legendNamesTheCutOffsAndTheSubjects()
{
    QCOMPARE(CutOffLegend(), QStringLiteral("نمره‌های برش"));
    QCOMPARE(LegendName({"1402-18", {}, " مینا رضایی "}), QStringLiteral("مینا رضایی (\u20661402-18\u2069)"));
    QCOMPARE(LegendName({"K-2", {}}), QStringLiteral("\u2066K-2\u2069"));
    QCOMPARE(LegendName({"الف-2", {}}), QStringLiteral("\u2067الف-2\u2069"));
}

// Only sessions with every item answered are scored; the latest answers stand last, as a session
// of unknown date, when no session holds them.
void ScoringTest::sessionsAreScoredAndCompared()
{
    const AnswerSheet first(Answers("6", "8", "5"));
    QStringList unfinished = Answers("7", "7", "7");
    unfinished[44] = QString();
    const AnswerSheet latest(Answers("8", "7", "8"));
    const QList<TestSession> stored{{1, "1403/12/13", {}, first}, {2, "1404/04/12", {}, AnswerSheet(unfinished)},
                                    {3, "1404/08/12", {}, latest}};
    QList<ScoredSession> scored = ScoredSessions(stored, latest);
    QCOMPARE(scored.size(), 2);
    QCOMPARE(scored[0].number, 1);
    QCOMPARE(scored[0].report.sums.commitment, 75);
    QCOMPARE(scored[0].report.type, LoveType::Infatuation);
    QCOMPARE(scored[1].number, 3);
    QCOMPARE(scored[1].answers, latest);
    QCOMPARE(SessionLabel(scored[1]), QStringLiteral("اجرای ۳ (۱۴۰۴/۰۸/۱۲)"));

    scored = ScoredSessions(stored.first(1), latest); // answered again by other means
    QCOMPARE(scored.size(), 2);
    QCOMPARE(scored[1].number, 2);
    QCOMPARE(scored[1].report.sums.intimacy, 120);
    QCOMPARE(SessionLabel(scored[1]), QStringLiteral("اجرای ۲ (تاریخ نامعلوم)"));
    scored = ScoredSessions({}, latest); // answers from before sessions were kept
    QCOMPARE(scored.size(), 1);
    QCOMPARE(scored[0].number, 1);
    QCOMPARE(SessionDateText(scored[0].date), QStringLiteral("تاریخ نامعلوم"));

    QCOMPARE(ScoreChangeText(90, 120), QStringLiteral("\u2066+۳۰\u2069"));
    QCOMPARE(ScoreChangeText(120, 105), QStringLiteral("\u2066-۱۵\u2069"));
    QCOMPARE(ScoreChangeText(75, 75), QStringLiteral("\u2066۰\u2069"));
}

QTEST_GUILESS_MAIN(ScoringTest)
#include "test_scoring.moc"
