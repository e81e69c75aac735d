#include "app/frm1.h"
#include "app/startup.h"
#include "questionnaire/ui/frm_test.h"
#include "questionnaire/answers.h"
#include "questionnaire/item_bank.h"
#include "records/sqlite/data_connection.h"
#include "records/table_view.h"
#include "common/timing.h"
#include "support/window_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

using namespace morva;
using namespace morva::testing;

namespace {

void AddSubject(const QString &code, const QString &beloved, bool withSubjectRow = true)
{
    InsertSubject(code, "سارا", beloved, {}, withSubjectRow);
}

QStringList StoredAnswers(const QString &code)
{
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery q = db.run("SELECT * FROM \"Answer\" WHERE \"Code\" = ?", {code});
    QStringList answers;
    if (q.next())
        for (int item = 1; item <= 45; ++item)
            answers << q.value(QString::number(item)).toString();
    return answers;
}

} // namespace

class TestSessionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startShowsTheFirstItem();
    void answerIsSavedToItsColumn();
    void counterCorrectsItself();
    void typedCounterSelectsItems();
    void keyFiltersRefuseWithTheirMessages();
    void pastedTextNeverBreaksTheWindow();
    void closingWithoutSavingAsksAndNeverHalfWrites();
    void subjectWithoutSubjectRowGetsEmptyPanel();
    void commandDoesNothingWithoutAnswerRows();
    void codeIsAskedForAndChecked();
    void wholeSessionByKeyboardAndRetest();
    void keysGoWhereTheSubjectIsTyping();
    void savingSaysWhichItemsAreUnanswered();
    void markupInTheNameShowsAsTyped();

private:
    template <class T> T *child(const char *name) { return test_->findChild<T *>(QLatin1String(name)); }
    void open(const QString &code);
    void setCounter(const QString &text) { child<QLineEdit>("Text6")->setText(text); }
    QString counter() { return child<QLineEdit>("Text6")->text(); }
    QString statement() { return child<QLabel>("SkinLbl5")->text(); }
    QLineEdit *answerBox() { return child<QLineEdit>("Text12"); }
    QString progress() { return child<QLabel>("LblProgress")->text(); }
    // "ذخيره و خروج" with items left unanswered: saving anyway.
    void saveAnyway()
    {
        auto box = AnswerNextBox(QMessageBox::Yes);
        QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
        QVERIFY(box->seen);
    }

    std::unique_ptr<DataFolder> folder_;
    std::unique_ptr<FrmTest> test_;
};

void TestSessionTest::initTestCase()
{
    ConfigureApplication(*qApp);
    SetDelayScale(0.01); // the prompts after a save close in a moment
}

void TestSessionTest::init()
{
    folder_ = std::make_unique<DataFolder>();
    AddSubject("T-1", "مریم");
}

void TestSessionTest::cleanup()
{
    test_.reset();
    folder_.reset();
}

void TestSessionTest::open(const QString &code)
{
    test_ = std::make_unique<FrmTest>(folder_->stores());
    QVERIFY(test_->SelectSubject(code));
    test_->show();
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
}

void TestSessionTest::startShowsTheFirstItem()
{
    test_ = std::make_unique<FrmTest>(folder_->stores());
    test_->show();
    QCOMPARE(test_->windowTitle(), QStringLiteral("صفحه اجراي تست"));
    QVERIFY(child<QLabel>("SkinLabel3")->isVisible());
    // The instruction names the points of the scale with the words beside the answer box, and is
    // drawn whole, at no less than the window's own size.
    auto *instruction = child<QLabel>("SkinLabel4");
    for (const QString words : {"عدد ۱ یعنی «اصلاً»", "عدد ۵ یعنی «به طور متوسط»", "عدد ۹ یعنی «به طور کامل»"})
        QVERIFY2(instruction->text().contains(words), qPrintable(words));
    QVERIFY(QFontInfo(instruction->font()).pointSizeF() >= QFontInfo(test_->font()).pointSizeF());
    QVERIFY(instruction->wordWrap());
    QVERIFY(instruction->heightForWidth(instruction->width()) <= instruction->height());
    for (const char *hidden : {"Frame1", "Frame2", "SkinLbl5", "Text6", "CmdNext", "CmdBack", "Command5"})
        QVERIFY2(!child<QWidget>(hidden)->isVisible(), hidden);
    QVERIFY(child<QPushButton>("Command1")->isVisible());
    test_.reset();

    open("T-1");
    QVERIFY(!child<QLabel>("SkinLabel3")->isVisible());
    for (const char *shown : {"Frame1", "Frame2", "SkinLbl5", "Text6", "CmdNext", "CmdBack", "Command5", "SkinLabel4"})
        QVERIFY2(child<QWidget>(shown)->isVisible(), shown);
    QVERIFY(!child<QPushButton>("Command1")->isVisible());
    QCOMPARE(counter(), QStringLiteral("1"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("1"));
    QCOMPARE(statement(), ComposeItemText(1, "مریم").value());
    QCOMPARE(answerBox()->text(), QString());
    QCOMPARE(test_->focusWidget(), answerBox());
    QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("T-1"));
    QCOMPARE(child<QLineEdit>("Text14")->text(), QStringLiteral("مریم"));
    QCOMPARE(child<QPushButton>("CmdNext")->text(), QStringLiteral("بعدي"));
    QCOMPARE(child<QPushButton>("CmdBack")->text(), QStringLiteral("قبلي"));
    QCOMPARE(child<QPushButton>("Command5")->text(), QStringLiteral("ذخيره و خروج"));

    // Beside the answer box, between it and the statement: where the subject is, and what the
    // numbers mean, each whole and overlapping nothing.
    QCOMPARE(progress(), QStringLiteral("جمله‌ی ۱ از ۴۵"));
    QCOMPARE(child<QLabel>("LblScale")->text(), QStringLiteral("۱ = اصلاً\n۵ = به طور متوسط\n۹ = به طور کامل"));
    const QRect box = child<QWidget>("Frame2")->geometry();
    const QRect sentence = child<QWidget>("SkinLbl5")->geometry();
    for (const char *beside : {"LblProgress", "LblScale"}) {
        auto *label = child<QLabel>(beside);
        const QRect place = label->geometry();
        QVERIFY2(label->isVisible(), beside);
        QVERIFY2(place.left() > box.right() && place.right() < sentence.left(), beside);
        QVERIFY2(place.top() >= box.top() && place.bottom() <= box.bottom(), beside);
        QVERIFY2(label->sizeHint().width() <= place.width() && label->sizeHint().height() <= place.height(), beside);
    }
    QVERIFY(!child<QWidget>("LblProgress")->geometry().intersects(child<QWidget>("LblScale")->geometry()));
}

void TestSessionTest::answerIsSavedToItsColumn()
{
    open("T-1");
    TypeText(answerBox(), "5");
    QCOMPARE(StoredAnswers("T-1").value(0), QString()); // nothing reaches the file before saving
    saveAnyway();
    QVERIFY(!test_->isVisible());
    QCOMPARE(test_->result(), int(QDialog::Accepted));
    QStringList expected(45, QString());
    expected[0] = "5";
    QCOMPARE(StoredAnswers("T-1"), expected);
}

void TestSessionTest::counterCorrectsItself()
{
    open("T-1");
    // Back on item 1: "0" and nothing else changes; a second Back says "شروع" and returns to 1.
    TypeText(answerBox(), "8");
    {
        ModalWatch none;
        QTest::mouseClick(child<QPushButton>("CmdBack"), Qt::LeftButton);
        QCOMPARE(none.seen, QStringList());
    }
    QCOMPARE(counter(), QStringLiteral("0"));
    QCOMPARE(statement(), ComposeItemText(1, "مریم").value());
    QCOMPARE(answerBox()->text(), QStringLiteral("8"));
    QCOMPARE(progress(), QStringLiteral("جمله‌ی ۱ از ۴۵"));
    auto box = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("CmdBack"), Qt::LeftButton);
    QCOMPARE(box->text, QStringLiteral("شروع"));
    QCOMPARE(box->delayMs, 1000);
    QCOMPARE(counter(), QStringLiteral("1"));
    QCOMPARE(statement(), ComposeItemText(1, "مریم").value());

    // Next from "0" returns to item 1.
    setCounter("0");
    QTest::mouseClick(child<QPushButton>("CmdNext"), Qt::LeftButton);
    QCOMPARE(counter(), QStringLiteral("1"));

    // Next on item 45 says "پايان" once and stays on 45.
    setCounter("45");
    TypeText(answerBox(), "9");
    box = AnswerNextBox();
    ModalWatch extra;
    QTest::mouseClick(child<QPushButton>("CmdNext"), Qt::LeftButton);
    QCOMPARE(box->text, QStringLiteral("پايان"));
    QCOMPARE(extra.seen.size(), 0);
    QCOMPARE(counter(), QStringLiteral("45"));
    QCOMPARE(statement(), ComposeItemText(45, "مریم").value());
    QCOMPARE(answerBox()->text(), QStringLiteral("9"));
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("45"));
    QCOMPARE(progress(), QStringLiteral("جمله‌ی ۴۵ از ۴۵"));
}

void TestSessionTest::typedCounterSelectsItems()
{
    open("T-1");
    auto *count = child<QLineEdit>("Text6");
    count->clear(); // erasing the counter shows item 1
    QCOMPARE(counter(), QStringLiteral("1"));
    QCOMPARE(statement(), ComposeItemText(1, "مریم").value());

    count->selectAll();
    QTest::keyClick(count, Qt::Key_Backspace);
    QCOMPARE(counter(), QStringLiteral("1"));
    count->selectAll();
    TypeText(count, "2");
    QCOMPARE(statement(), ComposeItemText(2, "مریم").value());
    TypeText(count, "3");
    QCOMPARE(counter(), QStringLiteral("23"));
    QCOMPARE(statement(), ComposeItemText(23, "مریم").value());

    // "46": item 4, then "پايان" and item 45.
    count->selectAll();
    TypeText(count, "4");
    QCOMPARE(statement(), ComposeItemText(4, "مریم").value());
    auto box = AnswerNextBox();
    TypeText(count, "6");
    QCOMPARE(box->text, QStringLiteral("پايان"));
    QCOMPARE(counter(), QStringLiteral("45"));
    QCOMPARE(statement(), ComposeItemText(45, "مریم").value());

    // "07": item 7, attached to column "7".
    count->selectAll();
    TypeText(count, "0");
    TypeText(count, "7");
    QCOMPARE(child<QGroupBox>("Frame2")->title(), QStringLiteral("07"));
    QCOMPARE(statement(), ComposeItemText(7, "مریم").value());
    TypeText(answerBox(), "3");
    saveAnyway();
    QCOMPARE(StoredAnswers("T-1").value(6), QStringLiteral("3"));
}

void TestSessionTest::keyFiltersRefuseWithTheirMessages()
{
    open("T-1");
    for (const QString key : {"0", "a", "-", "ب"}) {
        auto box = AnswerNextBox();
        TypeText(answerBox(), key);
        QVERIFY2(box->seen, qPrintable(key));
        QCOMPARE(box->text, QStringLiteral("شما بايد از اعداد بين 1 تا 9 جهت پاسخگويي استفاده نماييد"));
        QCOMPARE(box->delayMs, 3000);
        QCOMPARE(answerBox()->text(), QString());
    }
    {
        ModalWatch none;
        TypeText(answerBox(), "۶"); // a Persian keyboard's 6
        TypeText(answerBox(), "2"); // a second character does not fit
        QTest::keyClick(answerBox(), Qt::Key_Backspace);
        TypeText(answerBox(), "4");
        QCOMPARE(none.seen, QStringList());
    }
    QCOMPARE(answerBox()->text(), QStringLiteral("4"));

    auto *count = child<QLineEdit>("Text6");
    for (const QString key : {"x", "-", "."}) {
        auto box = AnswerNextBox();
        TypeText(count, key);
        QCOMPARE(box->text, QStringLiteral("شما بايد عدد وارد كنيد"));
        QCOMPARE(box->delayMs, 1000);
        QCOMPARE(counter(), QStringLiteral("1"));
    }
}

void TestSessionTest::pastedTextNeverBreaksTheWindow()
{
    open("T-1");
    auto *count = child<QLineEdit>("Text6");
    for (const QString pasted : {"2.5", "abc", "-3", "1e2", "۱۲", "99999999999999999999"}) {
        QApplication::clipboard()->setText(pasted);
        count->selectAll();
        count->paste();
        const double value = counter().toDouble();
        QVERIFY2(value >= 0 && value <= 45, qPrintable(pasted + " -> " + counter()));
    }
    setCounter("3");
    for (const QString pasted : {"12", "0", "x", "۵۵", " 7"}) {
        QApplication::clipboard()->setText(pasted);
        answerBox()->selectAll();
        answerBox()->paste();
        const QString text = answerBox()->text();
        QVERIFY2(text.isEmpty() || (text.size() == 1 && text[0] >= '1' && text[0] <= '9'), qPrintable(text));
    }
    QApplication::clipboard()->setText("6");
    answerBox()->selectAll();
    answerBox()->paste();
    saveAnyway();
    for (const QString &stored : StoredAnswers("T-1"))
        QVERIFY(stored.isEmpty() || QRegularExpression("^[1-9]$").match(stored).hasMatch());
    QCOMPARE(StoredAnswers("T-1").value(2), QStringLiteral("6"));
}

void TestSessionTest::closingWithoutSavingAsksAndNeverHalfWrites()
{
    open("T-1");
    TypeText(answerBox(), "4");
    QTest::keyClick(answerBox(), Qt::Key_Return);
    TypeText(answerBox(), "6");
    auto box = AnswerNextBox(QMessageBox::No);
    test_->close();
    QVERIFY(box->seen);
    QCOMPARE(box->text, QStringLiteral("پاسخ‌های این اجرای آزمون هنوز ذخیره نشده‌اند. پیش از بستن پنجره، آن‌ها را ذخیره می‌کنید؟"));
    QVERIFY(!test_->isVisible());
    QCOMPARE(StoredAnswers("T-1"), QStringList(45, QString()));

    open("T-1");
    TypeText(answerBox(), "4");
    QTest::keyClick(answerBox(), Qt::Key_Return);
    TypeText(answerBox(), "6");
    box = AnswerNextBox(QMessageBox::Yes);
    QTest::keyClick(test_.get(), Qt::Key_Escape);
    QVERIFY(box->seen);
    QVERIFY(!test_->isVisible());
    QStringList expected(45, QString());
    expected[0] = "4";
    expected[1] = "6";
    QCOMPARE(StoredAnswers("T-1"), expected);

    // A third choice goes back to the test, also by Escape: nothing is written, the answers stay.
    open("T-1");
    TypeText(answerBox(), "8");
    box = AnswerNextBox(QMessageBox::Cancel);
    test_->close();
    QVERIFY(box->seen);
    QVERIFY(test_->isVisible());
    WhenModal<QMessageBox>([](QMessageBox *question) { QTest::keyClick(question, Qt::Key_Escape); });
    QTest::keyClick(test_.get(), Qt::Key_Escape);
    QVERIFY(test_->isVisible());
    QCOMPARE(answerBox()->text(), QStringLiteral("8"));
    QCOMPARE(StoredAnswers("T-1"), expected);
    saveAnyway();
    expected[0] = "8";
    QCOMPARE(StoredAnswers("T-1"), expected);

    open("T-1"); // nothing changed: closing asks nothing
    ModalWatch none;
    test_->close();
    QCOMPARE(none.seen, QStringList());
    QVERIFY(!test_->isVisible());
}

void TestSessionTest::subjectWithoutSubjectRowGetsEmptyPanel()
{
    AddSubject("orphan", "", false);
    open("orphan");
    QCOMPARE(child<QLineEdit>("Text1")->text(), QString());
    QCOMPARE(child<QLineEdit>("Text14")->text(), QString());
    QCOMPARE(statement(), ComposeItemText(1, "").value());
    TypeText(answerBox(), "2");
    saveAnyway();
    QCOMPARE(StoredAnswers("orphan").value(0), QStringLiteral("2"));
}

void TestSessionTest::commandDoesNothingWithoutAnswerRows()
{
    {
        DataConnection db(DataFile::Subjects, "setup");
        db.run("DELETE FROM \"Answer\"");
    }
    Frm1 main(folder_->stores());
    main.show();
    QTest::mouseClick(main.findChild<QPushButton *>("Command9"), Qt::LeftButton);
    ModalWatch none;
    QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(none.seen, QStringList());
    QVERIFY(main.findChild<QGroupBox *>("Frame8")->isVisible()); // not even the panels are hidden
}

void TestSessionTest::codeIsAskedForAndChecked()
{
    Frm1 main(folder_->stores());
    main.show();
    QString title, label;
    WhenModal<QInputDialog>([&](QInputDialog *d) {
        title = d->windowTitle();
        label = d->labelText();
        d->reject();
    });
    auto box = AnswerNextBox();
    QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Enter Code "));
    QCOMPARE(label, QStringLiteral(" Plese Insert Code "));
    QCOMPARE(box->text, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));

    for (const QString code : {"T-2", "t-1", "T-1 "}) {
        WhenModal<QInputDialog>([code](QInputDialog *d) {
            d->setTextValue(code);
            d->accept();
        });
        box = AnswerNextBox();
        QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
        QCOMPARE(box->text, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        QCOMPARE(box->delayMs, 1000);
    }

    // A code with an apostrophe finds its subject.
    AddSubject("O'Hara's", "Ali");
    bool opened = false;
    WhenModal<QInputDialog>([](QInputDialog *d) {
        d->setTextValue("O'Hara's");
        d->accept();
    });
    WhenModal<FrmTest>([&](FrmTest *t) {
        opened = t->findChild<QLineEdit *>("Text1")->text() == "O'Hara's";
        t->close();
    });
    QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QVERIFY(opened);
}

void TestSessionTest::wholeSessionByKeyboardAndRetest()
{
    Frm1 main(folder_->stores());
    main.show();
    QStringList typed;
    for (int item = 1; item <= 45; ++item)
        typed << QString::number((item * 7) % 9 + 1);

    WhenModal<QInputDialog>([](QInputDialog *d) {
        d->setTextValue("T-1");
        d->accept();
    });
    WhenModal<FrmTest>([&](FrmTest *t) {
        QTest::mouseClick(t->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        auto *answer = t->findChild<QLineEdit *>("Text12");
        for (int item = 1; item <= 45; ++item) {
            QCOMPARE(t->findChild<QLineEdit *>("Text6")->text(), QString::number(item));
            TypeText(answer, typed[item - 1]);
            if (item < 45)
                QTest::keyClick(answer, Qt::Key_Return);
        }
        QTest::mouseClick(t->findChild<QPushButton *>("Command5"), Qt::LeftButton);
    });
    QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(StoredAnswers("T-1"), typed);

    // Between sessions the window waits ready, showing the next subject's panel without a title.
    auto *ready = main.findChild<FrmTest *>();
    QVERIFY(ready);
    QVERIFY(!ready->findChild<QLabel *>("SkinLabel3")->isVisibleTo(ready));
    QVERIFY(ready->findChild<QGroupBox *>("Frame1")->isVisibleTo(ready));
    QVERIFY(ready->findChild<QPushButton *>("Command1")->isVisibleTo(ready));
    QCOMPARE(ready->findChild<QLineEdit *>("Text6")->text(), QStringLiteral("0"));

    // A re-test shows every stored answer in its item's box; nothing is cleared.
    QStringList shown;
    WhenModal<QInputDialog>([](QInputDialog *d) {
        d->setTextValue("T-1");
        d->accept();
    });
    WhenModal<FrmTest>([&](FrmTest *t) {
        QCOMPARE(t->findChild<QLineEdit *>("Text1")->text(), QStringLiteral("T-1"));
        QTest::mouseClick(t->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        for (int item = 1; item <= 45; ++item) {
            shown << t->findChild<QLineEdit *>("Text12")->text();
            if (item < 45)
                QTest::mouseClick(t->findChild<QPushButton *>("CmdNext"), Qt::LeftButton);
        }
        // Typing over every stored answer replaces it, without selecting anything first.
        auto *answer = t->findChild<QLineEdit *>("Text12");
        QTest::mouseClick(t->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        for (int item = 1; item <= 45; ++item) {
            answer->deselect();
            TypeText(answer, "9");
            QTest::keyClick(answer, Qt::Key_Return);
        }
        QTest::mouseClick(t->findChild<QPushButton *>("Command5"), Qt::LeftButton);
    });
    QTest::mouseClick(main.findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(shown, typed);
    QCOMPARE(StoredAnswers("T-1"), QStringList(45, QStringLiteral("9")));
}

// Keys reach the control the subject is typing in: an item number stays in the counter while a
// further digit could still make another item, the next digit after that is the answer, a digit
// typed over an answer replaces it, and pasted text that is not one digit is refused.
void TestSessionTest::keysGoWhereTheSubjectIsTyping()
{
    open("T-1");
    QVERIFY(Activate(test_.get()));
    auto *count = child<QLineEdit>("Text6");
    const auto typeItemThenAnswer = [count](const QString &keys) {
        count->setFocus();
        count->selectAll();
        for (const QChar key : keys)
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
    };
    typeItemThenAnswer("2"); // 20 to 29 are still to come
    QCOMPARE(QApplication::focusWidget(), count);
    typeItemThenAnswer("237");
    QCOMPARE(counter(), QStringLiteral("23"));
    QCOMPARE(statement(), ComposeItemText(23, "مریم").value());
    QCOMPARE(QApplication::focusWidget(), answerBox());
    QCOMPARE(answerBox()->text(), QStringLiteral("7"));

    // "12" then "5" answers item 12; it used to make 125 and jump to the last item.
    {
        ModalWatch none;
        typeItemThenAnswer("125");
        QCOMPARE(none.seen, QStringList());
    }
    QCOMPARE(counter(), QStringLiteral("12"));
    QCOMPARE(answerBox()->text(), QStringLiteral("5"));
    typeItemThenAnswer("93"); // 5 to 9 alone are items no further digit changes
    QCOMPARE(counter(), QStringLiteral("9"));
    QCOMPARE(answerBox()->text(), QStringLiteral("3"));
    typeItemThenAnswer("4"); // 40 to 45 are still to come; Enter takes 4 as it is
    QCOMPARE(QApplication::focusWidget(), count);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), answerBox());
    QTest::keyClicks(QApplication::focusWidget(), "1");

    setCounter("5");
    TypeText(answerBox(), "5");
    QTest::mouseClick(child<QPushButton>("CmdNext"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("CmdBack"), Qt::LeftButton);
    QCOMPARE(answerBox()->text(), QStringLiteral("5"));
    QTest::keyClicks(QApplication::focusWidget(), "8");
    QCOMPARE(answerBox()->text(), QStringLiteral("8"));
    TypeText(answerBox(), "۶"); // a Persian digit is kept as the Latin one
    QCOMPARE(answerBox()->text(), QStringLiteral("6"));

    for (const QString pasted : {"10", "46", "5a", "4.5"}) {
        QApplication::clipboard()->setText(pasted);
        answerBox()->selectAll();
        answerBox()->paste();
        QCOMPARE(answerBox()->text(), QStringLiteral("6"));
    }
    saveAnyway();
    QStringList expected(45, QString());
    expected[3] = "1";
    expected[4] = "6";
    expected[8] = "3";
    expected[11] = "5";
    expected[22] = "7";
    QCOMPARE(StoredAnswers("T-1"), expected); // item 2 never got the "3" of "23"
}

// "ذخيره و خروج" with items unanswered says which, in Persian digits, and offers to go back to the
// first of them (also by Escape); saving anyway stays possible.
void TestSessionTest::savingSaysWhichItemsAreUnanswered()
{
    open("T-1");
    for (int item = 1; item <= 45; ++item) {
        if (item != 3 && item != 17 && item != 40) {
            setCounter(QString::number(item));
            TypeText(answerBox(), "6");
        }
    }
    QString text, back;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        back = box->button(QMessageBox::No)->text();
        box->button(QMessageBox::No)->click();
    });
    QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(text, QStringLiteral("به این جمله‌ها هنوز پاسخ نداده‌اید: ۳، ۱۷، ۴۰\n\n"
                                  "می‌خواهید پاسخ‌ها همین‌طور ذخیره شوند یا به جمله‌ی ۳ برگردید؟"));
    QCOMPARE(back, QStringLiteral("بازگشت به جمله‌ی ۳"));
    QVERIFY(test_->isVisible());
    QCOMPARE(counter(), QStringLiteral("3"));
    QCOMPARE(statement(), ComposeItemText(3, "مریم").value());
    QCOMPARE(progress(), QStringLiteral("جمله‌ی ۳ از ۴۵"));
    QCOMPARE(test_->focusWidget(), answerBox());
    QCOMPARE(StoredAnswers("T-1"), QStringList(45, QString())); // nothing written yet
    TypeText(answerBox(), "2");

    WhenModal<QMessageBox>([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
    QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
    QVERIFY(test_->isVisible());
    QCOMPARE(counter(), QStringLiteral("17"));
    TypeText(answerBox(), "2");

    auto box = AnswerNextBox(QMessageBox::Yes);
    QTest::mouseClick(child<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(box->text, QStringLiteral("به جمله‌ی ۴۰ هنوز پاسخ نداده‌اید.\n\n"
                                       "می‌خواهید پاسخ‌ها همین‌طور ذخیره شوند یا به جمله‌ی ۴۰ برگردید؟"));
    QVERIFY(!test_->isVisible());
    QStringList expected(45, QStringLiteral("6"));
    expected[2] = "2";
    expected[16] = "2";
    expected[39] = "";
    QCOMPARE(StoredAnswers("T-1"), expected);
}

// A beloved's name with tags shows as it was typed: in the statement, drawn as plain text, and in
// the tooltip of its field. "<img src=...>" used to be read as a picture (from /dev/zero, without
// end) and abort the window on "شروع".
void TestSessionTest::markupInTheNameShowsAsTyped()
{
    const QStringList names{"<img src=\"/dev/zero\">", "<h1>X</h1> & <b>Y</b>"};
    for (const QString &name : names) {
        const QString code = "N-" + QString::number(names.indexOf(name));
        AddSubject(code, name);
        open(code);
        QCOMPARE(statement(), ComposeItemText(1, name).value());
        auto *label = child<QLabel>("SkinLbl5");
        const QImage drawn = label->grab().toImage();
        label->setTextFormat(Qt::PlainText);
        QVERIFY2(label->grab().toImage() == drawn, qPrintable(name)); // drawn as plain text is
        QCOMPARE(ShownToolTip(child<QLineEdit>("Text14")), name);
        test_->close(); // nothing answered: closes without asking
        QVERIFY(!test_->isVisible());
    }
}

QTEST_MAIN(TestSessionTest)
#include "test_test_session.moc"
