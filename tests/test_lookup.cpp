#include "app/frm1.h"
#include "app/startup.h"
#include "records/sqlite/data_connection.h"
#include "records/ui/frm_code.h"
#include "statistics/ui/frm_groups.h"
#include "support/window_support.h"
#include "ui/modal.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QSqlDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTableView>

using namespace morva;
using namespace morva::testing;

namespace {

void Add(const QString &code, const QString &first, const QString &last, const QString &group = "A",
         bool subjectRow = true, bool answerRow = true)
{
    DataConnection db(DataFile::Subjects, "setup");
    InsertSubject(db, {.code = code, .firstName = first, .lastName = last, .group = group, .subjectRow = subjectRow,
                       .answerRow = answerRow});
}

// The stored rows of a table, in table order: Code and the column that tells rows apart.
QStringList Stored(const QString &table, const QString &column)
{
    DataConnection db(DataFile::Subjects, "check");
    QSqlQuery q = db.run("SELECT \"Code\", \"" + column + "\" FROM \"" + table + "\" ORDER BY rowid");
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString() + "|" + q.value(1).toString();
    return rows;
}

} // namespace

class LookupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void commandOpensTheWindowOnlyWhileAnswersExist();
    void lastInputChosenDecidesTheGrid();
    void nameListsHoldEachNameOnceInPersianOrder();
    void valuesMatchExactlyWhateverTheyHold();
    void deletionRemovesTheFirstPairOfACodeOrAHalfSubjectWhole();
    void noEmptyAndUnknownCodesDeleteNothing();
    void failedDeletionLeavesBothRows();
    void exportWritesTheListedSubjects();
    void groupsSummaryStandsOnTheListedOrEverySubject();

private:
    template <class T> T *child(const char *name) { return shown_->findChild<T *>(QLatin1String(name)); }
    void open();
    QComboBox *input(const char *name) { return child<QComboBox>(name); }
    QStringList gridCodes();
    void deleteCode(const QString &typed, QMessageBox::StandardButton answer);

    std::unique_ptr<DataFolder> folder_;
    std::unique_ptr<FrmCode> window_;
    QPointer<FrmCode> shown_; // the window the test looks at
    QString asked_;           // the last deletion question
};

void LookupTest::open()
{
    window_ = std::make_unique<FrmCode>(folder_->stores());
    shown_ = window_.get();
    window_->show();
}

void LookupTest::initTestCase()
{
    ConfigureApplication(*qApp);
    SetDelayScale(0.01);
}

void LookupTest::init()
{
    folder_ = std::make_unique<DataFolder>();
    Add("K-1", "سارا", "کریمی", "C");
    Add("K-2", "مینا", "احمدی", "C");
    Add("K-3", "سارا", "احمدی", "B");
    Add("K-4", "رضا", "کریمی", "A");
}

void LookupTest::cleanup()
{
    window_.reset();
    DeleteAllWindows();
    folder_.reset();
}

QStringList LookupTest::gridCodes()
{
    const QAbstractItemModel *model = child<QTableView>("DataGrid1")->model();
    QStringList codes;
    for (int row = 0; row < model->rowCount(); ++row)
        codes << model->index(row, 0).data().toString();
    return codes;
}

void LookupTest::deleteCode(const QString &typed, QMessageBox::StandardButton answer)
{
    auto *text3 = child<QLineEdit>("Text3");
    text3->clear();
    TypeText(text3, typed);
    // Escape says no; Enter would press No as well.
    auto question = AnswerNextBox(answer == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Escape);
    auto done = answer == QMessageBox::Yes ? AnswerNextBox() : nullptr;
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(question->text.section(u'\n', 0, 0), QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟"));
    QCOMPARE(question->title, QStringLiteral("Morva"));
    QCOMPARE(question->icon, QMessageBox::NoIcon);
    QCOMPARE(question->defaultButton, QMessageBox::No);
    if (done) {
        QCOMPARE(done->text, QStringLiteral("حذف با موفقيت انجام گرفت"));
        QCOMPARE(done->delayMs, 1000);
    }
    QCOMPARE(text3->text(), typed); // the typed code stays
    asked_ = question->text;
}

void LookupTest::commandOpensTheWindowOnlyWhileAnswersExist()
{
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    QTest::mouseClick(main->findChild<QPushButton *>("Command9"), Qt::LeftButton);
    auto *menu = main->findChild<QGroupBox *>("Frame8");
    bool checked = false;
    WhenModal<FrmCode>([&](FrmCode *lookup) {
        shown_ = lookup;
        const auto leave = qScopeGuard([lookup] { lookup->reject(); }); // even when a check fails
        QCOMPARE(lookup->windowTitle(), QStringLiteral("کد آزمودني"));
        QVERIFY(lookup->isModal());
        QCOMPARE(lookup->pos(), TwipsPoint(2340, 765));
        QVERIFY(!menu->isVisible()); // the panels were hidden first
        QCOMPARE(gridCodes(), QStringList({"K-1", "K-2", "K-3", "K-4"}));
        auto *grid = child<QTableView>("DataGrid1");
        QCOMPARE(grid->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));
        const QString captions[] = {"کد", "نام", "نام خانوادگي", "گروه"};
        const int widths[] = {915, 1515, 1920};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), captions[c]);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(grid->horizontalHeader()->sectionSize(c), TwipsToPixels(widths[c]));
        QCOMPARE(qobject_cast<QGroupBox *>(grid->parentWidget())->title(), QStringLiteral("مشخصات آزمودني"));
        QCOMPARE(input("Combo3")->currentText(), QString());
        QCOMPARE(input("Combo3")->lineEdit()->placeholderText(), QStringLiteral("همه‌ی گروه‌ها"));
        // Meanwhile every answer row goes: afterwards the command does nothing.
        DataConnection(DataFile::Subjects, "other").run("DELETE FROM \"Answer\"");
        checked = true;
        QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
        QVERIFY(!lookup->isVisible());
    });
    QTest::mouseClick(main->findChild<QPushButton *>("Command4"), Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(main->isVisible());

    menu->show();
    ModalWatch watch;
    QTest::mouseClick(main->findChild<QPushButton *>("Command4"), Qt::LeftButton);
    QCOMPARE(watch.seen, QStringList());
    QVERIFY(menu->isVisible()); // not even the panels are hidden
}

void LookupTest::lastInputChosenDecidesTheGrid()
{
    open();
    QComboBox *first = input("DataCombo6"), *last = input("DataCombo1"), *group = input("Combo3");

    TypeText(group->lineEdit(), "C");
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2"}));
    // Group, then a last name typed: completed from the list as it is typed.
    QVERIFY(Activate(window_.get()));
    last->setFocus();
    TypeText(last->lineEdit(), "کر");
    QCOMPARE(last->currentText(), QStringLiteral("کریمی"));
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-4"}));
    QCOMPARE(group->currentText(), QString());
    QCOMPARE(first->currentText(), QString());

    // A group, then a first name picked from the list: the group box is emptied.
    group->lineEdit()->clear();
    TypeText(group->lineEdit(), "B");
    QCOMPARE(gridCodes(), QStringList({"K-3"}));
    QCOMPARE(last->currentText(), QString()); // emptied, and that emptying chose nothing
    QTest::keyClick(first, Qt::Key_Down); // the first name in the list: رضا
    QCOMPARE(first->currentText(), QStringLiteral("رضا"));
    QCOMPARE(gridCodes(), QStringList({"K-4"}));
    QCOMPARE(group->currentText(), QString());

    first->lineEdit()->setText("ناشناس"); // a first name no one has
    QCOMPARE(gridCodes(), QStringList());
    first->lineEdit()->setText("سارا ");  // a trailing blank: another name
    QCOMPARE(gridCodes(), QStringList());
    first->lineEdit()->clear(); // emptied by the operator: every subject again
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2", "K-3", "K-4"}));

    // A group, then every group again from the top of the group box's list.
    TypeText(group->lineEdit(), "C");
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2"}));
    QCOMPARE(group->itemText(0), QStringLiteral("همه‌ی گروه‌ها"));
    group->setCurrentIndex(0);
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2", "K-3", "K-4"}));
}

void LookupTest::nameListsHoldEachNameOnceInPersianOrder()
{
    // In code-point order پ, ژ, ک and گ would come after و and ی.
    for (const QString name : {"یاسمن", "پریسا", "ژاله", "بهرام", "گلناز", "کاوه", "لیلا", "آرش", "زهره"})
        Add("P-" + name, name, "کریمی");
    Add("E", "", "", "A"); // an empty name is no entry
    open();
    QStringList names;
    for (int i = 0; i < input("DataCombo6")->count(); ++i)
        names << input("DataCombo6")->itemText(i);
    QCOMPARE(names, QStringList({"آرش", "بهرام", "پریسا", "رضا", "زهره", "ژاله", "سارا", "کاوه", "گلناز", "لیلا",
                                 "مینا", "یاسمن"}));
    QCOMPARE(input("DataCombo1")->count(), 2); // احمدی, کریمی
    QCOMPARE(input("DataCombo1")->itemText(0), QStringLiteral("احمدی"));
    QCOMPARE(input("DataCombo6")->currentText(), QString());
}

void LookupTest::valuesMatchExactlyWhateverTheyHold()
{
    // A name that looks like markup shows as typed in the grid's tooltip; nothing is loaded.
    Add("M-1", "<img src=\"/dev/zero\">", "<h1>X</h1>", "G");
    const QStringList odd = {"O'Neil", "سارا \"کوچک\"", "50%", "a_b", "مریم "};
    for (const QString &name : odd)
        Add("X:" + name, name, name, "'");
    Add("Y1", "axb", "50%x", "D");
    Add("Y2", "مریم", "a\\b", "D");
    open();
    for (const QString &name : odd) {
        for (const char *list : {"DataCombo6", "DataCombo1"}) {
            QVERIFY(input(list)->findText(name) >= 0);
            input(list)->lineEdit()->setText(name);
            QCOMPARE(gridCodes(), QStringList{"X:" + name});
        }
    }
    input("Combo3")->lineEdit()->setText("'");
    QCOMPARE(gridCodes().size(), odd.size());
    deleteCode("X:O'Neil", QMessageBox::Yes);
    QVERIFY(!Stored("IDE", "FName").contains("X:O'Neil|O'Neil"));
    QCOMPARE(Stored("IDE", "FName").size(), 11);
    QCOMPARE(Stored("Answer", "Group").size(), 11);

    input("Combo3")->lineEdit()->setText("G");
    QCOMPARE(gridCodes(), QStringList{"M-1"});
    auto *grid = child<QTableView>("DataGrid1");
    for (int column : {1, 2}) {
        const QModelIndex cell = grid->model()->index(0, column);
        QCOMPARE(ShownToolTip(grid->viewport(), grid->visualRect(cell).center()), cell.data().toString());
    }
    deleteCode("M-1", QMessageBox::Yes);
    QVERIFY(asked_.contains("<img src=\"/dev/zero\"> <h1>X</h1>"));
}

void LookupTest::deletionRemovesTheFirstPairOfACodeOrAHalfSubjectWhole()
{
    Add("K-1", "دوم", "کریمی", "D"); // a second subject under a shared code
    Add("12", "نرگس", "رضایی", "E");
    Add("H-1", "نیما", "صادقی", "F", true, false); // no answer row
    Add("H-2", "", "", "F", false, true);          // an answer row alone
    open();
    ModalWatch unexpected; // a box beyond those answered, an error for instance
    deleteCode("H-1", QMessageBox::Yes);
    QVERIFY(asked_.contains("نیما صادقی")); // the subject is named below the question
    deleteCode("H-2", QMessageBox::Yes);
    QVERIFY(asked_.contains("H-2\u2069 و همه‌ی پاسخ‌هایش حذف می‌شوند."));
    QCOMPARE(unexpected.seen, QStringList());
    input("Combo3")->lineEdit()->setText("C");
    deleteCode("K-1", QMessageBox::Yes);
    QCOMPARE(Stored("IDE", "FName"), QStringList({"K-2|مینا", "K-3|سارا", "K-4|رضا", "K-1|دوم", "12|نرگس"}));
    QCOMPARE(Stored("Answer", "Group"), QStringList({"K-2|C", "K-3|B", "K-4|A", "K-1|D", "12|E"}));
    QCOMPARE(gridCodes(), QStringList({"K-2", "K-3", "K-4", "K-1", "12"})); // every view reloaded
    QCOMPARE(input("Combo3")->currentText(), QString());

    deleteCode("۱۲", QMessageBox::Yes); // typed with Persian digits
    QCOMPARE(Stored("IDE", "Code"), QStringList({"K-2|K-2", "K-3|K-3", "K-4|K-4", "K-1|K-1"}));
    QCOMPARE(Stored("Answer", "Code").size(), 4);
    QVERIFY(input("DataCombo6")->findText("نرگس") < 0); // the name lists are read again
}

void LookupTest::noEmptyAndUnknownCodesDeleteNothing()
{
    open();
    const QStringList subjects = Stored("IDE", "FName"), answers = Stored("Answer", "Group");

    auto box = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(box->text, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
    QCOMPARE(box->delayMs, 1000);

    input("DataCombo6")->lineEdit()->setText("مینا");
    for (const QString code : {"K-9", "K-1 ", "k-1"}) {
        child<QLineEdit>("Text3")->setText(code);
        box = AnswerNextBox();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        QCOMPARE(box->text, QStringLiteral("فردي با اين کد وجود ندارد"));
        QCOMPARE(gridCodes().size(), 4);
    }

    input("Combo3")->lineEdit()->setText("B");
    deleteCode("K-1", QMessageBox::No);
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2", "K-3", "K-4"}));
    QCOMPARE(Stored("IDE", "FName"), subjects);
    QCOMPARE(Stored("Answer", "Group"), answers);
}

void LookupTest::failedDeletionLeavesBothRows()
{
    DataConnection(DataFile::Subjects, "saboteur")
        .run("CREATE TRIGGER refuse BEFORE DELETE ON \"Answer\" BEGIN SELECT RAISE(ABORT, 'disk refused'); END");
    open();
    const QStringList subjects = Stored("IDE", "FName"), answers = Stored("Answer", "Group");
    child<QLineEdit>("Text3")->setText("K-2");
    auto question = AnswerNextBox(QMessageBox::Yes);
    auto error = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(question->seen);
    QCOMPARE(error->title, QStringLiteral("Error"));
    QCOMPARE(error->icon, QMessageBox::Warning);
    QVERIFY(error->text.contains("هیچ تغییری در این فایل ذخیره نشد"));
    QVERIFY(error->text.contains("disk refused"));
    QCOMPARE(Stored("IDE", "FName"), subjects); // the subject row is back with its answers
    QCOMPARE(Stored("Answer", "Group"), answers);
    QCOMPARE(gridCodes(), QStringList{"K-2"}); // the views are left as they were at the failure

    DataConnection(DataFile::Subjects, "saboteur").run("DROP TRIGGER refuse");

    // Another program holds the file for writing: the window waits its few seconds (scaled down
    // here) for the file, then says why nothing was deleted.
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
        holder.setDatabaseName(folder_->file("DB/DB2.mdb"));
        QVERIFY(holder.open());
        QVERIFY(QSqlQuery(holder).exec("BEGIN IMMEDIATE"));
        auto yes = AnswerNextBox(QMessageBox::Yes);
        auto held = AnswerNextBox();
        QElapsedTimer waited;
        waited.start();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        QVERIFY2(waited.elapsed() >= ScaledDelay(3000) / 2 && waited.elapsed() < 12000,
                 qPrintable(QString::number(waited.elapsed())));
        QVERIFY(held->text.contains("در برنامه‌ی دیگری (یا پنجره‌ی دیگری از همین برنامه) باز است"));
        QCOMPARE(Stored("IDE", "FName"), subjects);
        holder.rollback();
        holder.close();
    }
    QSqlDatabase::removeDatabase("holder");
    deleteCode("K-2", QMessageBox::Yes);
    QCOMPARE(Stored("IDE", "Code").size(), 3);
    QCOMPARE(Stored("Answer", "Code").size(), 3);
}

void LookupTest::exportWritesTheListedSubjects()
{
    open();
    TypeText(input("Combo3")->lineEdit(), "C");
    QCOMPARE(gridCodes(), QStringList({"K-1", "K-2"}));
    const QString chosen = folder_->file("study"); // typed without a suffix
    bool withoutNames = false;
    bool perSession = true;
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        auto *check = dialog->findChild<QCheckBox *>("WithoutNames");
        QVERIFY(check && check->isVisible());
        QCOMPARE(check->text(), QStringLiteral("بدون نام‌ها"));
        withoutNames = check->isChecked();
        perSession = dialog->findChild<QCheckBox *>("RowPerSession")->isChecked();
        filters = dialog->nameFilters();
        dialog->selectNameFilter(filters.value(0));
        dialog->selectFile(chosen);
        static_cast<QDialog *>(dialog)->accept();
    });
    const auto done = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("CmdExport"), Qt::LeftButton);
    QVERIFY(withoutNames); // ticked unless the user unticks it
    QVERIFY(!perSession);  // a row for each subject unless the user asks for each session
    QCOMPARE(filters, QStringList({"CSV (*.csv)", "Excel (*.xlsx)", "SPSS (*.sav)"}));
    QVERIFY(done->seen);
    QVERIFY(done->text.contains(chosen + ".csv"));

    QProcess reader;
    reader.start(MORVA_READER_PYTHON, {MORVA_EXPORT_READER, "csv", chosen + ".csv"});
    QVERIFY(reader.waitForFinished(30000));
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput())["rows"].toArray();
    QStringList codes;
    for (const QJsonValue &row : rows)
        codes << row.toArray()[0].toString();
    QCOMPARE(codes, QStringList({"code", "K-1", "K-2"})); // the grid's subjects, without names
    QCOMPARE(rows[0].toArray()[1].toString(), QStringLiteral("group"));

    // The same file again: kept when the user declines to replace it.
    QFile written(chosen + ".csv");
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray before = written.readAll();
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->findChild<QCheckBox *>("WithoutNames")->setChecked(false);
        dialog->selectFile(chosen + ".csv");
        static_cast<QDialog *>(dialog)->accept();
    });
    const auto question = AnswerNextBox(QMessageBox::No);
    QTest::mouseClick(child<QPushButton>("CmdExport"), Qt::LeftButton);
    QVERIFY(question->text.contains(QStringLiteral("جایگزین")));
    written.seek(0);
    QCOMPARE(written.readAll(), before);

    // A row for each session: the listed subjects were never tested, so the file has none.
    WhenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->findChild<QCheckBox *>("RowPerSession")->setChecked(true);
        dialog->selectFile(chosen + "-sessions.csv");
        static_cast<QDialog *>(dialog)->accept();
    });
    const auto sessionsDone = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("CmdExport"), Qt::LeftButton);
    QVERIFY(sessionsDone->seen);
    reader.start(MORVA_READER_PYTHON, {MORVA_EXPORT_READER, "csv", chosen + "-sessions.csv"});
    QVERIFY(reader.waitForFinished(30000));
    const QJsonArray sessions = QJsonDocument::fromJson(reader.readAllStandardOutput())["rows"].toArray();
    QCOMPARE(sessions.size(), 1);
    QCOMPARE(sessions[0].toArray()[1].toString(), QStringLiteral("session"));
}

QTEST_MAIN(LookupTest)
// The summary of the groups opens on the subjects the grid lists, named as such, and on every
// subject when asked.
void LookupTest::groupsSummaryStandsOnTheListedOrEverySubject()
{
    {
        DataConnection db(DataFile::Subjects, "setup");
        InsertSubject(db, {.code = "K-5", .group = "C", .answers = QStringList(45, "7")});
        InsertSubject(db, {.code = "K-6", .group = "A", .answers = QStringList(45, "4")});
    }
    open();
    input("Combo3")->lineEdit()->setText("C");
    GroupSummarySheet listed, everyone;
    AnswerNextModal(FrmGroups::staticMetaObject, [&](QDialog *dialog) {
        auto *summary = static_cast<FrmGroups *>(dialog);
        listed = summary->sheet();
        summary->findChild<QComboBox *>("ComboScope")->setCurrentIndex(1);
        everyone = summary->sheet();
        dialog->accept();
    });
    QTest::mouseClick(child<QPushButton>("CmdGroups"), Qt::LeftButton);
    QCOMPARE(listed.scope, QStringLiteral("آزمودنی‌های گروه \u2068C\u2069"));
    QCOMPARE(listed.summaries.groups[2].complete, 1); // K-5
    QCOMPARE(listed.summaries.groups[2].notTested, 2); // K-1 and K-2
    QCOMPARE(listed.summaries.groups[0].complete, 0);  // K-6 is not listed
    QCOMPARE(listed.summaries.all.complete, 1);
    QCOMPARE(everyone.scope, QStringLiteral("همه‌ی آزمودنی‌ها"));
    QCOMPARE(everyone.summaries.groups[0].complete, 1);
    QCOMPARE(everyone.summaries.all.complete, 2);
    QCOMPARE(everyone.summaries.all.notTested, 4);
}

#include "test_lookup.moc"
