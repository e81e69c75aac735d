#include "records/data_connection.h"
#include "records/data_error.h"
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
    void commitWritesNewAndChangedRows();
    void emptyTextIsStoredAsNoValue();
    void firstMatchOnlyIsAffected();
    void viewIsASnapshotUntilReloaded();
    void failedTransactionLeavesFileAndViewsAsBefore();
    void rowDeletedElsewhereIsNotSilentlyLost();
    void columnNamesIgnoreCase();

private:
    void addSubject(const QString &code, const QString &firstName);
    int storedCount(const QString &table, const QString &code);

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
    TableView empty(*db_, "IDE");
    QVERIFY(empty.isBeforeFirst());
    QVERIFY(!empty.hasRows());
    QCOMPARE(empty.rowCount(), 0);
    QCOMPARE(empty.field("FName"), QString());

    addSubject("100", "سارا");
    addSubject("101", "رضا");
    TableView view(*db_, "IDE");
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

    TableView view(*db_, "IDE");
    view.setFilter("code", code);
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.field("FName"), QStringLiteral("target"));
    QCOMPARE(view.field("Code"), code);

    view.setField("FName", "changed");
    view.commit();
    view.deleteRow();
    QCOMPARE(storedCount("IDE", code), 0);
    QSqlQuery rest = db_->run("SELECT COUNT(*) FROM \"IDE\"");
    QVERIFY(rest.next());
    QCOMPARE(rest.value(0).toInt(), 3); // the table and the other rows are unharmed
}

void TableViewTest::filterComparesWholeText()
{
    addSubject("abc", "lower");
    addSubject("ABC", "upper");
    addSubject("abc ", "trailing blank");
    TableView view(*db_, "IDE");
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
    TableView view(*db_, "IDE");
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

    TableView empty(*db_, "Answer");
    QVERIFY(!empty.hasRows());
    empty.addRow();
    QVERIFY(empty.hasRows());
    QCOMPARE(empty.rowCount(), 1);
    empty.reload();
    QVERIFY(!empty.hasRows());
}

void TableViewTest::commitWritesNewAndChangedRows()
{
    TableView view(*db_, "Answer");
    view.addRow();
    view.setField("Code", "s-1");
    view.setField("group", "C");
    view.setField("7", "5");
    view.commit();
    QVERIFY(!view.hasPendingChanges());
    QCOMPARE(storedCount("Answer", "s-1"), 1);

    view.setField("7", "9");
    view.setField("45", "1");
    view.persist();
    QSqlQuery q = db_->run("SELECT \"Group\", \"7\", \"45\", \"1\" FROM \"Answer\" WHERE \"Code\" = ?", {"s-1"});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("C"));
    QCOMPARE(q.value(1).toString(), QStringLiteral("9"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("1"));
    QVERIFY(q.value(3).isNull());

    TableView other(*db_, "Answer");
    other.setFilter("Code", "s-1");
    QCOMPARE(other.field("7"), QStringLiteral("9"));
}

void TableViewTest::emptyTextIsStoredAsNoValue()
{
    db_->run("INSERT INTO \"Answer\" (\"Code\", \"3\") VALUES (?, ?)", {"e", "4"});
    TableView view(*db_, "Answer");
    view.setFilter("Code", "e");
    view.setField("3", "");
    view.commit();
    QSqlQuery q = db_->run("SELECT \"3\" FROM \"Answer\" WHERE \"Code\" = ?", {"e"});
    QVERIFY(q.next());
    QVERIFY(q.value(0).isNull());
}

void TableViewTest::firstMatchOnlyIsAffected()
{
    addSubject("twin", "older");
    addSubject("twin", "younger");
    TableView view(*db_, "IDE");
    view.setFilter("Code", "twin");
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.field("FName"), QStringLiteral("older"));
    view.setField("LName", "edited");
    view.commit();
    QSqlQuery q = db_->run("SELECT \"FName\" FROM \"IDE\" WHERE \"LName\" = ?", {"edited"});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("older"));
    QVERIFY(!q.next());

    view.deleteRow();
    QCOMPARE(view.field("FName"), QStringLiteral("younger"));
    QCOMPARE(storedCount("IDE", "twin"), 1);
}

void TableViewTest::viewIsASnapshotUntilReloaded()
{
    addSubject("a", "before");
    TableView view(*db_, "IDE");
    db_->run("UPDATE \"IDE\" SET \"FName\" = ?", {"after"});
    QCOMPARE(view.field("FName"), QStringLiteral("before"));
    view.reload();
    QCOMPARE(view.field("FName"), QStringLiteral("after"));
}

void TableViewTest::failedTransactionLeavesFileAndViewsAsBefore()
{
    TableView subjects(*db_, "IDE");
    TableView answers(*db_, "Answer");
    subjects.addRow();
    subjects.setField("Code", "pair");
    subjects.setField("FName", "مينا");
    answers.addRow();
    answers.setField("Code", "pair");

    QVERIFY_THROWS_EXCEPTION(DataError, db_->transact([&] {
        subjects.commit();
        answers.commit();
        throw DataError("simulated failure after both writes");
    }));
    QCOMPARE(storedCount("IDE", "pair"), 0);
    QCOMPARE(storedCount("Answer", "pair"), 0);
    // The views still hold what was typed, so the save can be tried again.
    QVERIFY(subjects.hasPendingChanges());
    QCOMPARE(subjects.field("FName"), QStringLiteral("مينا"));
    QVERIFY(answers.hasPendingChanges());

    db_->transact([&] {
        subjects.commit();
        answers.commit();
    });
    QCOMPARE(storedCount("IDE", "pair"), 1);
    QCOMPARE(storedCount("Answer", "pair"), 1);
}

void TableViewTest::rowDeletedElsewhereIsNotSilentlyLost()
{
    addSubject("gone", "x");
    TableView view(*db_, "IDE");
    db_->run("DELETE FROM \"IDE\"");
    view.setField("FName", "edit");
    QVERIFY_THROWS_EXCEPTION(DataError, view.commit());
    QVERIFY(view.hasPendingChanges());
}

void TableViewTest::columnNamesIgnoreCase()
{
    addSubject("c", "name");
    TableView view(*db_, "ide");
    QCOMPARE(view.field("fname"), QStringLiteral("name"));
    QCOMPARE(view.field("CODE"), QStringLiteral("c"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, view.field("nonsense"));
}

QTEST_GUILESS_MAIN(TableViewTest)
#include "test_table_view.moc"
