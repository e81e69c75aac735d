#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "app/startup.h"
#include "common/timing.h"
#include "support/window_support.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace morva;
using morva::testing::WhenModal;

namespace {

QMessageBox *OpenPrompt()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    return box && box->windowTitle() == MessagePrompt::Title() ? box : nullptr;
}

// Runs check after ms milliseconds of the event loop (while a box is open, say), at the pace of
// the program's timers.
void After(int ms, std::function<void()> check)
{
    QTimer::singleShot(ScaledDelay(ms), qApp, std::move(check));
}

void Wait(int ms)
{
    QTest::qWait(ScaledDelay(ms));
}

// The program's timers run ten times faster, except where a test measures a delay itself.
constexpr double kFast = 0.1;

} // namespace

class PromptTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void promptLooksAsItShould();
    void promptClosesItselfAfterItsDelay_data();
    void promptClosesItselfAfterItsDelay();
    void promptClosedEarlyLeavesNoTrace();
    void rearmingGivesTheSecondPromptItsFullDelay();
    void anotherWindowsTimerClosesTheOpenPrompt();
    void plainBoxesFollowTheirStyle_data();
    void plainBoxesFollowTheirStyle();
    void questionReturnsTheAnswer();

private:
    QWidget owner_;
    QWidget other_;
};

void PromptTest::initTestCase()
{
    ConfigureApplication(*qApp);
    SetDelayScale(kFast);
    owner_.show();
    other_.show();
}

void PromptTest::promptLooksAsItShould()
{
    QString title, text, button;
    int buttons = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    QMessageBox::Icon icon = QMessageBox::Warning;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        buttons = box->buttons().size();
        button = box->buttons().value(0)->text();
        direction = box->layoutDirection();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    MessagePrompt::Show(&owner_, "کد آزمودني را وارد کنيد");
    QCOMPARE(title, QStringLiteral("پيام"));
    QCOMPARE(text, QStringLiteral("کد آزمودني را وارد کنيد"));
    QCOMPARE(buttons, 1);
    QCOMPARE(button.remove('&'), QStringLiteral("تأیید")); // Qt's own Persian translation
    QCOMPARE(direction, Qt::RightToLeft);
    QCOMPARE(icon, QMessageBox::NoIcon);
}

void PromptTest::promptClosesItselfAfterItsDelay_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<double>("scale");
    QTest::newRow("1000 in real time") << 1000 << 1.0; // the one delay the user waits here
    QTest::newRow("2000") << 2000 << kFast;
    QTest::newRow("3000") << 3000 << kFast;
}

void PromptTest::promptClosesItselfAfterItsDelay()
{
    QFETCH(int, delay);
    QFETCH(double, scale);
    SetDelayScale(scale);
    bool openBeforeDelay = false;
    After(delay - 300, [&] { openBeforeDelay = OpenPrompt() != nullptr; });
    QElapsedTimer clock;
    clock.start();
    MessagePrompt::Show(&owner_, "پايان", delay);
    const int shown = static_cast<int>(clock.elapsed());
    const int waited = ScaledDelay(delay);
    SetDelayScale(kFast);
    QVERIFY(openBeforeDelay);
    QVERIFY2(shown >= waited - 50 * scale, qPrintable(QString::number(shown)));
    QVERIFY(!OpenPrompt());
}

void PromptTest::promptClosedEarlyLeavesNoTrace()
{
    WhenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    MessagePrompt::Show(&owner_, "شروع", 1000);
    QVERIFY(!OpenPrompt());

    // The timer fires later and finds no prompt; a question box open meanwhile is left alone.
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    bool questionStillOpen = false;
    After(1500, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        questionStillOpen = box && box->windowTitle() == ProgramTitle();
        if (box)
            box->button(QMessageBox::No)->click();
    });
    answer = ShowMessageBox(&owner_, "آيا براي حذف کردن مطمئن هستيد؟", {}, BoxStyle::YesNo);
    QVERIFY(questionStillOpen);
    QCOMPARE(answer, QMessageBox::No);
}

void PromptTest::rearmingGivesTheSecondPromptItsFullDelay()
{
    WhenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    QElapsedTimer clock;
    clock.start();
    MessagePrompt::Show(&owner_, "first", 1000);
    Wait(500);
    bool openAfterFirstDeadline = false;
    After(700, [&] { openAfterFirstDeadline = OpenPrompt() != nullptr; }); // 1200 ms after the first
    MessagePrompt::Show(&owner_, "second", 1000);
    QVERIFY(openAfterFirstDeadline);
    QVERIFY2(clock.elapsed() >= ScaledDelay(1450), qPrintable(QString::number(clock.elapsed())));
}

void PromptTest::anotherWindowsTimerClosesTheOpenPrompt()
{
    WhenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    MessagePrompt::Show(&owner_, "closed early", 1000);
    Wait(100);
    MessagePrompt::Show(&other_, "closed by the first window's timer", 3000);
    // Closed while its own window's timer still runs, however busy the machine.
    const auto *ownTimer = other_.findChild<QTimer *>("MessagePromptTimer", Qt::FindDirectChildrenOnly);
    QVERIFY(ownTimer && ownTimer->isActive());
    Wait(3500); // let the other window's own timer fire and find nothing
}

void PromptTest::plainBoxesFollowTheirStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    const int ok = QMessageBox::Ok;
    QTest::newRow("0") << 0 << int(QMessageBox::NoIcon) << ok;
    QTest::newRow("4") << 4 << int(QMessageBox::NoIcon) << int(QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("48") << 48 << int(QMessageBox::Warning) << ok;
    QTest::newRow("64") << 64 << int(QMessageBox::Information) << ok;
    QTest::newRow("1048592") << 1048592 << int(QMessageBox::Critical) << ok;
    QTest::newRow("1048624") << 1048624 << int(QMessageBox::Warning) << ok;
    QTest::newRow("1048640") << 1048640 << int(QMessageBox::Information) << ok;
    QTest::newRow("2097152") << 2097152 << int(QMessageBox::NoIcon) << ok;
}

void PromptTest::plainBoxesFollowTheirStyle()
{
    QFETCH(int, style);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QString title;
    int shownIcon = -1, shownButtons = 0;
    bool rightToLeft = false;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        title = box->windowTitle();
        shownIcon = box->icon();
        shownButtons = box->standardButtons();
        rightToLeft = box->layoutDirection() == Qt::RightToLeft;
        box->buttons().constFirst()->click();
    });
    ShowMessageBox(&owner_, "متن", {}, static_cast<BoxStyle>(style));
    QCOMPARE(title, QStringLiteral("Morva"));
    QCOMPARE(shownIcon, icon);
    QCOMPARE(shownButtons, buttons);
    QVERIFY(rightToLeft);
}

// The Persian button texts carry no keyboard mnemonic: its underline would break the joining of
// the letters.
void PromptTest::questionReturnsTheAnswer()
{
    QString yesText, noText;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        yesText = box->button(QMessageBox::Yes)->text();
        noText = box->button(QMessageBox::No)->text();
        box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(ShowMessageBox(&owner_, "?", "خطا", BoxStyle::YesNo), QMessageBox::Yes);
    QCOMPARE(yesText, QStringLiteral("بله"));
    QCOMPARE(noText, QStringLiteral("خیر"));
}

QTEST_MAIN(PromptTest)
#include "test_prompts.moc"
