#include "records/sqlite/data_connection.h"
#include "records/data_error.h"
#include "records/subject_store.h"
#include "records/table_view.h"
#include "support/data_support.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace morva;
using morva::testing::DataFolder;

class TableViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void openingShowsFirstRow();
    void hostileValuesMatchExactly_data();
    void hostileValuesMatchExactly();
    void filterComparesWholeText();
    void pendingRowCountsAndReloadDiscardsIt();
    void firstMatchIsCurrent();
    void viewIsASnapshotUntilReloaded();
    void columnNamesIgnoreCase();

private:
    void addSubject(const QString &code, const QString &firstName);
    int storedCount(const QString &table, const QString &code);

    SubjectStore &store() { return folder_->stores().subjects; }

    std::unique_ptr<DataFolder> folder_;
    std::unique_ptr<DataConnection> db_;
};

void TableViewTest::init()
{
    folder_ = std::make_unique<DataFolder>();
    db_ = std::make_unique<DataConnection>(DataFile::Subjects, "test");
}

void TableViewTest::cleanup()
{
    db_.reset();
    folder_.reset();
}

void TableViewTest::addSubject(const QString &code, const QString &firstName)
{
    db_->run("INSERT INTO \"IDE\" (\"Code\", \"FName\") VALUES (?, ?)", {code, firstName});
}

int TableViewTest::storedCount(const QString &table, const QString &code)
{
    QSqlQuery q = db_->run("SELECT COUNT(*) FROM \"" + table + "\" WHERE \"Code\" = ?", {code});
    return q.next() ? q.value(0).toInt() : -1;
}

void TableViewTest::openingShowsFirstRow()
{
    TableView empty(store(), "IDE");
    QVERIFY(empty.isBeforeFirst());
    QVERIFY(!empty.hasRows());
    QCOMPARE(empty.rowCount(), 0);
    QCOMPARE(empty.field("FName"), QString());

    addSubject("100", "سارا");
    addSubject("101", "رضا");
    TableView view(store(), "IDE");
    QVERIFY(view.hasRows());
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.field("Code"), QStringLiteral("100"));
    QCOMPARE(view.field("FName"), QStringLiteral("سارا"));
}

void TableViewTest::hostileValuesMatchExactly_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("two apostrophes") << "a''b";
    QTest::newRow("quote") << "say \"hi\"";
    QTest::newRow("percent") << "50%";
    QTest::newRow("underscore") << "a_c";
    QTest::newRow("semicolon") << "x; y";
    QTest::newRow("injection") << "'; DROP TABLE \"IDE\"; --";
    QTest::newRow("or true") << "' OR '1'='1";
    QTest::newRow("persian") << "کد-۱۲";
    QTest::newRow("backslash") << "a\\b";
}

void TableViewTest::hostileValuesMatchExactly()
{
    QFETCH(QString, code);
    addSubject("plain", "decoy");
    addSubject(code, "target");
    addSubject("abc", "decoy2");
    addSubject("aXc", "decoy3");

    TableView view(store(), "IDE");
    view.setFilter("code", code);
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.field("FName"), QStringLiteral("target"));
    QCOMPARE(view.field("Code"), code);

    QSqlQuery rest = db_->run("SELECT COUNT(*) FROM \"IDE\"");
    QVERIFY(rest.next());
    QCOMPARE(rest.value(0).toInt(), 4); // the table and the other rows are unharmed
}

void TableViewTest::filterComparesWholeText()
{
    addSubject("abc", "lower");
    addSubject("ABC", "upper");
    addSubject("abc ", "trailing blank");
    TableView view(store(), "IDE");
    view.setFilter("Code", "abc");
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.field("FName"), QStringLiteral("lower"));
    view.setFilter("Code", "a%");
    QVERIFY(view.isBeforeFirst());
    QCOMPARE(view.rowCount(), 0);
    view.setFilter("Code", "ab");
    QCOMPARE(view.rowCount(), 0);
    view.setFilter("FName", "upper");
    QCOMPARE(view.field("Code"), QStringLiteral("ABC"));
    view.reload();
    QCOMPARE(view.rowCount(), 3);
}

void TableViewTest::pendingRowCountsAndReloadDiscardsIt()
{
    addSubject("1", "first");
    TableView view(store(), "IDE");
    QSignalSpy changed(&view, &TableView::currentRowChanged);
    view.addRow();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.field("Code"), QString());
    view.setField("Code", "pending");
    QVERIFY(view.hasPendingChanges());
    view.reload();
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.field("Code"), QStringLiteral("1"));
    QCOMPARE(storedCount("IDE", "pending"), 0);

    TableView empty(store(), "Answer");
    QVERIFY(!empty.hasRows());
    empty.addRow();
    QVERIFY(empty.hasRows());
    QCOMPARE(empty.rowCount(), 1);
    empty.reload();
    QVERIFY(!empty.hasRows());
}

void TableViewTest::firstMatchIsCurrent()
{
    addSubject("twin", "older");
    addSubject("twin", "younger");
    TableView view(store(), "IDE");
    view.setFilter("Code", "twin");
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.field("FName"), QStringLiteral("older"));
}

void TableViewTest::viewIsASnapshotUntilReloaded()
{
    addSubject("a", "before");
    TableView view(store(), "IDE");
    db_->run("UPDATE \"IDE\" SET \"FName\" = ?", {"after"});
    QCOMPARE(view.field("FName"), QStringLiteral("before"));
    view.reload();
    QCOMPARE(view.field("FName"), QStringLiteral("after"));
}

void TableViewTest::columnNamesIgnoreCase()
{
    addSubject("c", "name");
    TableView view(store(), "ide");
    QCOMPARE(view.field("fname"), QStringLiteral("name"));
    QCOMPARE(view.field("CODE"), QStringLiteral("c"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, view.field("nonsense"));
}

QTEST_GUILESS_MAIN(TableViewTest)
#include "test_table_view.moc"
