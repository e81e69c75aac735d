#include "questionnaire/answers.h"
#include "records/answer_sheet.h"
#include "questionnaire/item_bank.h"
#include "questionnaire/item_texts.h"

#include <QSet>
#include <QTest>

#include <cmath>

using namespace morva;

class ItemBankTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstItemIsExact();
    void nameFirstItemsBeginWithTheName();
    void emptyNameKeepsTheBlanksOfThePieces();
    void otherNumbersGiveNoStatement_data();
    void otherNumbersGiveNoStatement();
    void nameIsInsertedUnchanged();
    void componentsAreFifteenEachInOrder();
    void piecesKeepTheirBlankRules();
    void statementsAreDistinctPersianSentences();
    void typedItemNumberGrowsOnlyBelowFive_data();
    void typedItemNumberGrowsOnlyBelowFive();
    void unansweredItemsAreListedInPersian();
};

static QString Lead(int item) { return QString::fromUtf8(kItemPieces[item - 1].lead); }
static QString Trail(int item) { return QString::fromUtf8(kItemPieces[item - 1].trail); }

void ItemBankTest::firstItemIsExact()
{
    QCOMPARE(ComposeItemText(1, "X"), std::optional<QString>(QStringLiteral("به شدت در فکر راحتي X هستم ")));
    QCOMPARE(ComposeItemText(1.0, "مريم").value(),
             QStringLiteral("به شدت در فکر راحتي") + " " + QStringLiteral("مريم") + QStringLiteral(" هستم "));
}

void ItemBankTest::nameFirstItemsBeginWithTheName()
{
    for (int item : {4, 6, 7, 13}) {
        QCOMPARE(ItemPatternOf(item), ItemPattern::NameFirst);
        const QString text = ComposeItemText(item, "Sara").value();
        QVERIFY(text.startsWith("Sara "));
        QCOMPARE(text, "Sara" + Trail(item));
    }
}

void ItemBankTest::emptyNameKeepsTheBlanksOfThePieces()
{
    QVERIFY(ComposeItemText(13, "").value().startsWith(' '));
    QCOMPARE(ComposeItemText(1, "").value(), Lead(1) + " " + Trail(1));
    QCOMPARE(ComposeItemText(5, "").value(), Lead(5) + " " + Trail(5));
    QVERIFY(ComposeItemText(5, "X").value().contains(QStringLiteral("  X"))); // two blanks before the name
    QCOMPARE(ComposeItemText(20, "").value(), Lead(20) + Trail(20));
}

void ItemBankTest::otherNumbersGiveNoStatement_data()
{
    QTest::addColumn<double>("number");
    QTest::newRow("0") << 0.0;
    QTest::newRow("46") << 46.0;
    QTest::newRow("-1") << -1.0;
    QTest::newRow("2.5") << 2.5;
    QTest::newRow("44.999") << 44.999;
    QTest::newRow("nan") << std::nan("");
    QTest::newRow("huge") << 1e300;
}

void ItemBankTest::otherNumbersGiveNoStatement()
{
    QFETCH(double, number);
    QVERIFY(!ComposeItemText(number, "X").has_value());
}

void ItemBankTest::nameIsInsertedUnchanged()
{
    const QString name = QStringLiteral("  Ali رضا  O'Neil ");
    for (int item = 1; item <= ItemCount; ++item) {
        const QString text = ComposeItemText(item, name).value();
        QCOMPARE(text.count(name), 1);
        switch (ItemPatternOf(item)) {
        case ItemPattern::LeadSpaceName:
            QCOMPARE(text, Lead(item) + " " + name + Trail(item));
            break;
        case ItemPattern::NameFirst:
            QCOMPARE(text, name + Trail(item));
            break;
        case ItemPattern::LeadName:
            QCOMPARE(text, Lead(item) + name + Trail(item));
            break;
        }
    }
}

void ItemBankTest::componentsAreFifteenEachInOrder()
{
    for (int item = 1; item <= ItemCount; ++item) {
        const ItemComponent expected = item <= 15 ? ItemComponent::Intimacy
                                       : item <= 30 ? ItemComponent::Passion
                                                    : ItemComponent::Commitment;
        QCOMPARE(ItemComponentOf(item), expected);
    }
    const QList<int> leadSpace{1, 2, 3, 5};
    const QList<int> nameFirst{4, 6, 7, 13};
    for (int item = 1; item <= ItemCount; ++item) {
        const ItemPattern expected = leadSpace.contains(item)   ? ItemPattern::LeadSpaceName
                                     : nameFirst.contains(item) ? ItemPattern::NameFirst
                                                                : ItemPattern::LeadName;
        QCOMPARE(ItemPatternOf(item), expected);
    }
}

static int LeadingBlanks(const QString &s)
{
    int n = 0;
    while (n < s.size() && s[n] == ' ')
        ++n;
    return n;
}

static int TrailingBlanks(const QString &s)
{
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == ' ')
        ++n;
    return n;
}

void ItemBankTest::piecesKeepTheirBlankRules()
{
    for (int item = 1; item <= ItemCount; ++item) {
        const QString trail = Trail(item);
        QVERIFY2(LeadingBlanks(trail) == 1 && TrailingBlanks(trail) == 1, qPrintable(QString::number(item)));
        switch (ItemPatternOf(item)) {
        case ItemPattern::NameFirst:
            QVERIFY(kItemPieces[item - 1].lead == nullptr);
            break;
        case ItemPattern::LeadSpaceName:
            if (item == 5)
                QVERIFY(LeadingBlanks(Lead(5)) == 1 && TrailingBlanks(Lead(5)) == 1);
            else
                QVERIFY2(LeadingBlanks(Lead(item)) == 0 && TrailingBlanks(Lead(item)) == 0,
                         qPrintable(QString::number(item)));
            break;
        case ItemPattern::LeadName: {
            const int before = LeadingBlanks(Lead(item)), after = TrailingBlanks(Lead(item));
            QVERIFY2(before >= 1 && before <= 2 && after >= 1 && after <= 2, qPrintable(QString::number(item)));
            break;
        }
        }
    }
    QCOMPARE(kItemPieces[7].lead, kItemPieces[10].lead); // items 8 and 11 share their lead
}

void ItemBankTest::statementsAreDistinctPersianSentences()
{
    QSet<QString> seen;
    for (int item = 1; item <= ItemCount; ++item) {
        const QString text = ComposeItemText(item, "X").value();
        QVERIFY(!seen.contains(text));
        seen.insert(text);
        int persian = 0;
        for (const QChar c : text)
            persian += c.script() == QChar::Script_Arabic;
        QVERIFY2(persian >= 8, qPrintable(QString::number(item)));
    }
}

void ItemBankTest::typedItemNumberGrowsOnlyBelowFive_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("canGrow");
    for (const QString typed : {"", "0", "00", "1", "2", "3", "4", "۴"})
        QTest::newRow(qPrintable("'" + typed + "'")) << typed << true;
    // One more digit makes 50 or more, or three digits: no item.
    for (const QString typed : {"5", "6", "9", "۵", "10", "12", "45", "07", "46", "99", "x"})
        QTest::newRow(qPrintable("'" + typed + "'")) << typed << false;
}

void ItemBankTest::typedItemNumberGrowsOnlyBelowFive()
{
    QFETCH(QString, typed);
    QFETCH(bool, canGrow);
    QCOMPARE(ItemNumberCanGrow(typed), canGrow);
}

void ItemBankTest::unansweredItemsAreListedInPersian()
{
    QStringList answers(45, QStringLiteral("5"));
    QCOMPARE(AnswerSheet(answers).unanswered(), QList<int>());
    QCOMPARE(ItemNumbersText({}), QString());
    // Only one digit 1 to 9 is an answer; a list that stops short leaves the rest unanswered.
    answers[2] = "";
    answers[6] = "0";
    answers[11] = "55";
    answers[19] = "x";
    answers[20] = "۷";
    answers[29] = " 3";
    answers.removeLast();
    QCOMPARE(AnswerSheet(answers).unanswered(), (QList<int>{3, 7, 12, 20, 30, 45}));
    QCOMPARE(ItemNumbersText(AnswerSheet(answers).unanswered()), QStringLiteral("۳، ۷، ۱۲، ۲۰، ۳۰، ۴۵"));
    QCOMPARE(AnswerSheet().unanswered().size(), ItemCount);

    QCOMPARE(ItemProgressText(12), QStringLiteral("جمله‌ی ۱۲ از ۴۵"));
    QStringList anchors;
    for (const ScaleAnchor &anchor : ScaleAnchors())
        anchors << ScaleAnchorText(anchor);
    QCOMPARE(anchors, (QStringList{"۱ = اصلاً", "۵ = به طور متوسط", "۹ = به طور کامل"}));
}

QTEST_GUILESS_MAIN(ItemBankTest)
#include "test_item_bank.moc"
