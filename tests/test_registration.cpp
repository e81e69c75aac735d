#include "app/frm1.h"
#include "app/startup.h"
#include "ui/twips.h"
#include "calendar/jalali.h"
#include "records/sqlite/data_connection.h"
#include "records/table_view.h"
#include "support/window_support.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

using namespace morva;
using namespace morva::testing;

namespace {

struct Particulars {
    QString code = QStringLiteral("R-1");
    QString firstName = QStringLiteral("سارا");
    QString lastName = QStringLiteral("احمدی");
    int gender = 1;  // index in the gender list: زن
    QString age = QStringLiteral("34");
    int marital = 1; // متأهل
    int group = 2;   // C
    QString education = QStringLiteral("کارشناسی ارشد");
    QString beloved = QStringLiteral("علی");
};

QVariantList StoredRow(const QString &code)
{
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery q = db.run("SELECT \"Code\", \"FName\", \"LName\", \"Sen\", \"Tahsil\", \"Date\", \"Time\", \"Jens\", "
                         "\"Taahol\", \"Morva\", \"Group\" FROM \"IDE\" WHERE \"Code\" = ?",
                         {code});
    QVariantList row;
    if (q.next())
        for (int i = 0; i < 11; ++i)
            row << q.value(i);
    return row;
}

int Count(const QString &table)
{
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery q = db.run("SELECT COUNT(*) FROM \"" + table + "\"");
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace

class RegistrationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startingOpensABlankStampedPanel();
    void requiredFieldsAreCheckedInOrder();
    void blankOnlyNameCountsAsFilled();
    void ageTakesDigitsOnly();
    void savingWritesTheSubjectAndAnEmptyAnswerRow();
    void codeRegisteredEarlierIsRefused();
    void punctuationInCodesAndNamesIsKeptExactly();
    void cancelAndOtherCommandsDiscardTheRegistration();
    void secondRegistrationStartsBlankButKeepsListChoices();
    void listsAndTabOrderAreAsDesigned();

private:
    template <class T> T *child(const char *name) { return window_->findChild<T *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void fill(const Particulars &p);
    std::shared_ptr<SeenBox> save();

    std::unique_ptr<DataFolder> folder_;
    std::unique_ptr<Frm1> window_;
};

void RegistrationTest::initTestCase()
{
    ConfigureApplication(*qApp);
}

void RegistrationTest::init()
{
    folder_ = std::make_unique<DataFolder>();
    window_ = std::make_unique<Frm1>(folder_->stores());
    window_->show();
    QVERIFY(Activate(window_.get()));
}

void RegistrationTest::cleanup()
{
    window_.reset();
    folder_.reset();
}

void RegistrationTest::fill(const Particulars &p)
{
    child<QLineEdit>("Text11")->setText(p.code);
    child<QLineEdit>("Text6")->setText(p.firstName);
    child<QLineEdit>("Text4")->setText(p.lastName);
    child<QComboBox>("Combo2")->setCurrentIndex(p.gender);
    child<QLineEdit>("Text5")->setText(p.age);
    child<QComboBox>("Combo1")->setCurrentIndex(p.marital);
    child<QComboBox>("Combo3")->setCurrentIndex(p.group);
    child<QLineEdit>("Text7")->setText(p.education);
    child<QLineEdit>("Text18")->setText(p.beloved);
}

// Clicks save and answers the prompt it may show.
std::shared_ptr<SeenBox> RegistrationTest::save()
{
    auto box = std::make_shared<SeenBox>();
    ModalWatch none; // nothing is expected unless a check fails; record it if it opens
    QTimer::singleShot(0, [] {});
    click("Command8");
    if (!none.seen.isEmpty()) {
        box->seen = true;
        box->title = none.seen.first();
    }
    return box;
}

void RegistrationTest::startingOpensABlankStampedPanel()
{
    const QString before = PersianDateText(QDateTime::currentDateTime());
    click("Command1");
    auto *panel = child<QGroupBox>("Frame10");
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->geometry(), TwipsRect(1500, 780, 6675, 2895));
    const QString date = child<QLineEdit>("Text8")->text();
    QVERIFY(date == before || date == PersianDateText(QDateTime::currentDateTime()));
    QVERIFY(QRegularExpression("^1[34]\\d\\d/\\d\\d/\\d\\d$").match(date).hasMatch());
    QVERIFY(!child<QLineEdit>("Text9")->text().isEmpty());
    QCOMPARE(window_->focusWidget(), child<QLineEdit>("Text11"));
    for (const char *name : {"Text11", "Text6", "Text4", "Text5", "Text7", "Text18"})
        QVERIFY2(child<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(child<TableView>("Adodc2")->rowCount(), 1); // the pending subject row
    QCOMPARE(Count("IDE"), 0);
}

void RegistrationTest::requiredFieldsAreCheckedInOrder()
{
    click("Command1");
    const Particulars full;
    const struct {
        std::function<void()> fillNext;
        QString prompt;
        const char *focus;
    } steps[] = {
        {[] {}, "کد آزمودني را وارد کنيد", "Text11"},
        {[&] { child<QLineEdit>("Text11")->setText(full.code); }, "نام آزمودني را وارد کنيد", "Text6"},
        {[&] { child<QLineEdit>("Text6")->setText(full.firstName); }, "نام خانوادگي آزمودني را وارد کنيد", "Text4"},
        {[&] { child<QLineEdit>("Text4")->setText(full.lastName); }, "جنسيت آزمودني را مشخص کنيد", "Combo2"},
        {[&] { child<QComboBox>("Combo2")->setCurrentIndex(0); }, "سن آزمودني را وارد کنيد", "Text5"},
        {[&] { child<QLineEdit>("Text5")->setText("7"); }, "وضعيت تاهل آزمودني را مشخص کنيد", "Combo1"},
        {[&] { child<QComboBox>("Combo1")->setCurrentIndex(0); }, "گروه را مشخص کنيد", "Combo3"},
        {[&] { child<QComboBox>("Combo3")->setCurrentIndex(0); }, "ميزان تحصيلات آزمودني را وارد کنيد", "Text7"},
        {[&] { child<QLineEdit>("Text7")->setText(full.education); }, "نام معشوقه را وارد کنيد", "Text18"},
    };
    for (const auto &step : steps) {
        step.fillNext();
        auto box = AnswerNextBox();
        click("Command8");
        QVERIFY(box->seen);
        QCOMPARE(box->title, QStringLiteral("پيام"));
        QCOMPARE(box->text, step.prompt);
        QCOMPARE(box->delayMs, 1000);
        QCOMPARE(window_->focusWidget()->objectName(), QString::fromLatin1(step.focus));
        QCOMPARE(Count("IDE"), 0);
        QCOMPARE(Count("Answer"), 0);
        QVERIFY(child<QGroupBox>("Frame10")->isVisible());
    }
}

void RegistrationTest::blankOnlyNameCountsAsFilled()
{
    click("Command1");
    Particulars p;
    p.firstName = " ";
    fill(p);
    QVERIFY(save()->seen == false);
    QCOMPARE(StoredRow(p.code).value(1).toString(), QStringLiteral(" "));
}

void RegistrationTest::ageTakesDigitsOnly()
{
    click("Command1");
    auto *age = child<QLineEdit>("Text5");
    age->setFocus();
    auto box = AnswerNextBox();
    TypeText(age, "a");
    QVERIFY(box->seen);
    QCOMPARE(box->text, QStringLiteral("شما بايد عدد وارد كنيد"));
    QCOMPARE(box->delayMs, 1000);
    QCOMPARE(age->text(), QString());

    ModalWatch none;
    TypeText(age, "۴"); // a Persian keyboard's digit
    TypeText(age, "2");
    QCOMPARE(age->text(), QStringLiteral("42"));
    TypeText(age, "5"); // a third digit does not fit
    QCOMPARE(age->text(), QStringLiteral("42"));
    QTest::keyClick(age, Qt::Key_Backspace);
    QCOMPARE(age->text(), QStringLiteral("4"));
    QTest::keyClick(age, Qt::Key_Return);
    QCOMPARE(none.seen, QStringList());

    box = AnswerNextBox();
    TypeText(age, "-");
    QVERIFY(box->seen);
    QCOMPARE(age->text(), QStringLiteral("4"));
}

void RegistrationTest::savingWritesTheSubjectAndAnEmptyAnswerRow()
{
    click("Command1");
    const QString date = child<QLineEdit>("Text8")->text();
    const QString time = child<QLineEdit>("Text9")->text();
    const Particulars p;
    fill(p);
    QVERIFY(!save()->seen); // no message confirms the save
    QVERIFY(!child<QGroupBox>("Frame10")->isVisible());

    const QVariantList stored = StoredRow(p.code);
    QCOMPARE(stored, QVariantList({p.code, p.firstName, p.lastName, p.age, p.education, date, time,
                                   QStringLiteral("زن"), QStringLiteral("متأهل"), p.beloved, QStringLiteral("C")}));
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery answer = db.run("SELECT * FROM \"Answer\" WHERE \"Code\" = ?", {p.code});
    QVERIFY(answer.next());
    QCOMPARE(answer.value("Group").toString(), QStringLiteral("C"));
    for (int item = 1; item <= 45; ++item)
        QVERIFY2(answer.value(QString::number(item)).isNull(), qPrintable(QString::number(item)));
    QVERIFY(!answer.next());
    QVERIFY(child<TableView>("Adodc3")->hasRows()); // "اجراي تست" now finds answer rows
}

void RegistrationTest::codeRegisteredEarlierIsRefused()
{
    click("Command1");
    Particulars first;
    fill(first);
    QVERIFY(!save()->seen);

    click("Command1"); // same stay of the main window
    Particulars second;
    second.firstName = "مینا";
    fill(second);
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto box = AnswerNextBox();
        click("Command8");
        QCOMPARE(box->text, QStringLiteral("فردديگري با اين کد ثبت شده"));
        QCOMPARE(box->delayMs, 1000);
        QVERIFY(child<QGroupBox>("Frame10")->isVisible());
        QCOMPARE(child<QLineEdit>("Text6")->text(), QStringLiteral("مینا"));
    }
    QCOMPARE(Count("IDE"), 1);
    QCOMPARE(Count("Answer"), 1);

    child<QLineEdit>("Text11")->setText("R-2");
    QVERIFY(!save()->seen);
    QCOMPARE(Count("IDE"), 2);
    QCOMPARE(StoredRow("R-2").value(1).toString(), QStringLiteral("مینا"));
}

void RegistrationTest::punctuationInCodesAndNamesIsKeptExactly()
{
    const QStringList codes{"O'Brien", "a\"b", "50%", "x; DROP TABLE \"IDE\"; --", "' OR '1'='1"};
    for (const QString &code : codes) {
        click("Command1");
        Particulars p;
        p.code = code;
        p.lastName = "D'Souza; \"%\"";
        fill(p);
        QVERIFY2(!save()->seen, qPrintable(code));
    }
    for (const QString &code : codes) {
        QCOMPARE(StoredRow(code).value(0).toString(), code);
        QCOMPARE(StoredRow(code).value(2).toString(), QStringLiteral("D'Souza; \"%\""));
    }
    click("Command1");
    Particulars again;
    again.code = "O'Brien";
    fill(again);
    auto box = AnswerNextBox();
    click("Command8");
    QCOMPARE(box->text, QStringLiteral("فردديگري با اين کد ثبت شده"));
    QCOMPARE(Count("IDE"), codes.size());
    QCOMPARE(Count("Answer"), codes.size());
}

void RegistrationTest::cancelAndOtherCommandsDiscardTheRegistration()
{
    click("Command1");
    fill(Particulars());
    click("Command10");
    QVERIFY(!child<QGroupBox>("Frame10")->isVisible());
    QVERIFY(!child<TableView>("Adodc2")->hasPendingChanges());
    QCOMPARE(Count("IDE"), 0);

    click("Command1");
    fill(Particulars());
    window_->HidePanels();
    QVERIFY(!child<TableView>("Adodc2")->hasPendingChanges());
    QCOMPARE(Count("IDE"), 0);
    QCOMPARE(Count("Answer"), 0);
}

void RegistrationTest::secondRegistrationStartsBlankButKeepsListChoices()
{
    click("Command1");
    fill(Particulars());
    click("Command1");
    for (const char *name : {"Text11", "Text6", "Text4", "Text5", "Text7", "Text18"})
        QVERIFY2(child<QLineEdit>(name)->text().isEmpty(), name);
    QCOMPARE(child<QComboBox>("Combo2")->currentText(), QStringLiteral("زن"));
    QCOMPARE(child<QComboBox>("Combo1")->currentText(), QStringLiteral("متأهل"));
    QCOMPARE(child<QComboBox>("Combo3")->currentText(), QStringLiteral("C"));

    // What the lists show is what is saved, even untouched this time.
    Particulars p;
    p.code = "R-9";
    child<QLineEdit>("Text11")->setText(p.code);
    child<QLineEdit>("Text6")->setText(p.firstName);
    child<QLineEdit>("Text4")->setText(p.lastName);
    child<QLineEdit>("Text5")->setText(p.age);
    child<QLineEdit>("Text7")->setText(p.education);
    child<QLineEdit>("Text18")->setText(p.beloved);
    QVERIFY(!save()->seen);
    QCOMPARE(StoredRow("R-9").value(7).toString(), QStringLiteral("زن"));
    QCOMPARE(StoredRow("R-9").value(10).toString(), QStringLiteral("C"));

    // A freshly loaded main window starts with nothing chosen.
    Frm1 fresh(folder_->stores());
    fresh.show();
    QTest::mouseClick(fresh.findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QCOMPARE(fresh.findChild<QComboBox *>("Combo2")->currentIndex(), -1);
}

void RegistrationTest::listsAndTabOrderAreAsDesigned()
{
    auto entries = [](QComboBox *c) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items;
    };
    click("Command1");
    QCOMPARE(entries(child<QComboBox>("Combo1")), QStringList({"مجرد", "متأهل", "مطلقه", "بيوه"}));
    QCOMPARE(entries(child<QComboBox>("Combo2")), QStringList({"مرد", "زن"}));
    QCOMPARE(entries(child<QComboBox>("Combo3")), QStringList({"A", "B", "C", "D", "E", "F", "G"}));
    QCOMPARE(child<QComboBox>("Combo1")->toolTip(), QStringLiteral("وضعيت تأهل خود را مشخص کنيد"));
    QCOMPARE(child<QComboBox>("Combo2")->toolTip(), QStringLiteral("جنسيت را انتخاب كنيد"));
    QCOMPARE(child<QComboBox>("Combo3")->toolTip(), QString());

    QStringList order{window_->focusWidget()->objectName()};
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(window_->focusWidget(), Qt::Key_Tab);
        order << window_->focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"Text11", "Text6", "Text4", "Text5", "Text8", "Combo2", "Combo3", "Text7",
                                 "Command8", "Command10", "Text9", "Text18", "Combo1"}));
}

QTEST_MAIN(RegistrationTest)
#include "test_registration.moc"
