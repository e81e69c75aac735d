#include "appearance/credits.h"
#include "appearance/maker.h"

#include <QRegularExpression>
#include <QTest>

using namespace morva;

class CreditsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentenceIsSpreadAsDesigned();
    void sentenceClosesUpOneStepATick();
    void creditLinesCarryTheMakersDetails();
    void labelsLoopThroughTheLines();
    void onlyOneLabelGoesDownATick();
    void coloursRepeatAndRunTheSameEveryTime();
};

void CreditsTest::sentenceIsSpreadAsDesigned()
{
    const QString sentence = CreditSentence();
    QCOMPARE(sentence.size(), 353);
    QCOMPARE(sentence.count(u' '), 314);
    QCOMPARE(sentence.count(u'.'), 8);
    QCOMPARE(sentence.front(), u' ');
    QCOMPARE(sentence.back(), u'.');
    QList<int> runs;
    for (const QRegularExpressionMatch &m : QRegularExpression(" +").globalMatch(sentence))
        runs << int(m.capturedLength());
    QCOMPARE(runs.size(), 35);
    QCOMPARE(*std::min_element(runs.begin(), runs.end()), 1);
    QCOMPARE(*std::max_element(runs.begin(), runs.end()), 22);
    QCOMPARE(QString(sentence).remove(u' '), QStringLiteral("This.Program.Is.Created.By.Morva..Team."));
}

void CreditsTest::sentenceClosesUpOneStepATick()
{
    CreditCollapse collapse;
    QCOMPARE(collapse.text(), CreditSentence());
    collapse.tick();
    QCOMPARE(collapse.text(), CreditSentence().mid(1)); // the leftmost blank went first
    for (int tick = 2; tick <= 314; ++tick) {
        collapse.tick();
        QCOMPARE(collapse.text().size(), 353 - tick);
    }
    QCOMPARE(collapse.text(), QStringLiteral("This.Program.Is.Created.By.Morva..Team."));
    collapse.tick(); // no blank is left: from now on points turn into blanks
    QCOMPARE(collapse.text(), QStringLiteral("This.Program.Is.Created.By.Morva..Team."));
    collapse.tick();
    QCOMPARE(collapse.text(), QStringLiteral("This Program.Is.Created.By.Morva..Team."));
    QVERIFY(!collapse.resting());
    for (int tick = 0; tick < 7; ++tick)
        collapse.tick();
    QVERIFY(collapse.resting());
    for (int tick = 0; tick < 50; ++tick)
        collapse.tick();
    QCOMPARE(collapse.text(), QStringLiteral("This Program Is Created By Morva  Team "));
    QCOMPARE(collapse.text().size(), 39);
}

void CreditsTest::creditLinesCarryTheMakersDetails()
{
    const QStringList lines = CreditLines();
    QCOMPARE(lines.size(), 11);
    const auto plain = [](QString text) { return text.remove(QChar(0x2068)).remove(QChar(0x2069)); };
    QCOMPARE(lines[0], QStringLiteral("نام نرم افزار:"));
    QCOMPARE(plain(lines[1]), QStringLiteral(" Morva"));
    QCOMPARE(plain(lines[2]), QStringLiteral("برنامه نويس: Morva team"));
    QCOMPARE(plain(lines[3]), QStringLiteral("تلفن : +98 21 0000 0000 "));
    QCOMPARE(plain(lines[4]), QStringLiteral(" ايميل : info@morva.example  "));
    QCOMPARE(plain(lines[5]), QStringLiteral(" وب سايت : https://morva.example"));
    QCOMPARE(plain(lines[6]), QStringLiteral("فروشگاه : https://morva.example/shop"));
    QVERIFY(lines[5].contains(MakerAddress(MakerPage::WebSite).toString()));
    QVERIFY(lines[6].contains(MakerAddress(MakerPage::Shop).toString()));
    for (int line = 7; line < 11; ++line)
        QCOMPARE(lines[line], QString());
}

void CreditsTest::labelsLoopThroughTheLines()
{
    const QStringList lines = CreditLines();
    CreditScroll scroll({1600, 2200, 2800, 3400}, 4900);
    for (int label = 0; label < 4; ++label)
        QCOMPARE(scroll.caption(label), lines[label]);
    for (int tick = 1; tick <= 40; ++tick)
        QCOMPARE(scroll.tick(), std::nullopt);
    QCOMPARE(scroll.top(0), 1000);
    QCOMPARE(scroll.top(3), 2800);
    QCOMPARE(scroll.tick(), 0); // exactly at 1000 counts
    QCOMPARE(scroll.top(0), 4900 - 1500 - 15);
    QCOMPARE(scroll.top(1), 1585);
    QCOMPARE(scroll.caption(0), lines[4]);

    // Each move shows the next line: 5, 6, 7, 8, 9, then 1 to 9 again.
    QList<int> order{0};
    QStringList shown{scroll.caption(0)};
    while (order.size() < 16) {
        if (const auto moved = scroll.tick()) {
            order << *moved;
            shown << scroll.caption(*moved);
            if (order.size() == 5)
                QCOMPARE(scroll.nextLine(), 0);
        }
    }
    QCOMPARE(order, (QList<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3}));
    const int expected[16] = {5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2};
    for (int i = 0; i < 16; ++i)
        QCOMPARE(shown[i], lines[expected[i] - 1]);
}

void CreditsTest::onlyOneLabelGoesDownATick()
{
    CreditScroll scroll({1000, 900, 990, 1001}, 4900);
    QCOMPARE(scroll.tick(), 0);
    QCOMPARE(scroll.top(1), 885);
    QCOMPARE(scroll.top(3), 986);
    QCOMPARE(scroll.tick(), 1);
    QCOMPARE(scroll.tick(), 2);
    QCOMPARE(scroll.tick(), 3);
    QCOMPARE(scroll.tick(), std::nullopt);
    QCOMPARE(scroll.top(0), 3400 - 5 * 15);
}

void CreditsTest::coloursRepeatAndRunTheSameEveryTime()
{
    const QList<QColor> palette{{0, 0, 0},       {0, 128, 0}, {128, 0, 0}, {128, 128, 0},
                                {128, 128, 128}, {0, 255, 0}, {255, 0, 0}, {255, 255, 0}};
    CreditColours colours;
    CreditColours again;
    QList<QColor> label3;
    for (int tick = 0; tick < 24; ++tick) {
        const CreditColours::Step step = colours.tick();
        QCOMPARE(step.label1, palette[tick % 8]);
        QCOMPARE(again.tick().label3, step.label3);
        label3 << step.label3;
    }
    // The first three numbers of the minimal standard generator (48271) from seed 1, times 255.
    QCOMPARE(label3[0], QColor(0, 22, 153));
    QVERIFY(label3[1] != label3[0] && label3[2] != label3[1]);
}

QTEST_GUILESS_MAIN(CreditsTest)
#include "test_credits.moc"
