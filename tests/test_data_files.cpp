#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/data_error.h"
#include "records/subject_code.h"
#include "records/settings_store.h"
#include "records/subject_store.h"
#include "support/data_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace morva;
using morva::testing::DataFolder;
using morva::testing::InsertSubject;
using morva::testing::PrepareDataFiles;

class DataFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartCreatesBothFiles();
    void tablesHaveTheirColumnsAndIndexes();
    void secondStartKeepsData();
    void settingsFileWithoutRowGetsOne();
    void emptyFileBecomesDatabase();
    void foreignFilesAreNeverTouched_data();
    void foreignFilesAreNeverTouched();
    void incompatibleTableIsReported();
    void missingFileAfterStartIsReported();
    void codesWithPersianDigitsBecomeLatin();
    void earlierFilesAreBroughtForwardAndLaterOnesRefused();
    void answersBecomeFirstSessions();

private:
    static QStringList Columns(DataConnection &db, const QString &table);
    static QByteArray Bytes(const QString &path);
    static QByteArray SqliteFile(const QStringList &statements);
    static QString SubjectsWithoutAnswers();
};

QStringList DataFilesTest::Columns(DataConnection &db, const QString &table)
{
    QSqlQuery q = db.run("PRAGMA table_info(\"" + table + "\")");
    QStringList names;
    while (q.next())
        names << q.value(1).toString();
    return names;
}

// The bytes of an SQLite file made by these statements.
QByteArray DataFilesTest::SqliteFile(const QStringList &statements)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("made.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(path);
        db.open();
        for (const QString &sql : statements)
            QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase("maker");
    return Bytes(path);
}

// Table IDE with every column, as a subjects file that has lost its Answer table holds it.
QString DataFilesTest::SubjectsWithoutAnswers()
{
    return "CREATE TABLE \"IDE\" (\"ID\" INTEGER PRIMARY KEY, \"Code\" TEXT, \"FName\" TEXT, \"LName\" TEXT, "
           "\"Sen\" TEXT, \"Tahsil\" TEXT, \"Date\" TEXT, \"Time\" TEXT, \"Jens\" TEXT, \"Taahol\" TEXT, "
           "\"Morva\" TEXT, \"Group\" TEXT)";
}

QByteArray DataFilesTest::Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DataFilesTest::firstStartCreatesBothFiles()
{
    DataFolder folder(false);
    QVERIFY(!QFileInfo::exists("DB"));
    PrepareDataFiles();
    QVERIFY(QFileInfo("DB").isDir());
    QCOMPARE(QFileInfo("DB").permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
    for (const QString &path : {QStringLiteral("DB/DB.mdb"), QStringLiteral("DB/DB2.mdb")}) {
        const QFileInfo info(path);
        QVERIFY2(info.isFile(), qPrintable(path));
        QCOMPARE(info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QVERIFY(Bytes(path).startsWith(QByteArray("SQLite format 3\0", 16)));
    }
    DataConnection settings(DataFile::Settings, "test");
    QSqlQuery q = settings.run("SELECT \"TH\", \"Name\", \"Adress\" FROM \"Theme\"");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("1"));
    QCOMPARE(q.value(1).toString(), QString());
    QCOMPARE(q.value(2).toString(), QString());
    QVERIFY(!q.next());
}

void DataFilesTest::tablesHaveTheirColumnsAndIndexes()
{
    DataFolder folder;
    DataConnection settings(DataFile::Settings, "test");
    QCOMPARE(Columns(settings, "Theme"), QStringList({"TH", "Name", "Adress"}));

    DataConnection subjects(DataFile::Subjects, "test");
    QCOMPARE(Columns(subjects, "IDE"), QStringList({"ID", "Code", "FName", "LName", "Sen", "Tahsil", "Date", "Time",
                                                    "Jens", "Taahol", "Morva", "Group"}));
    QStringList answer{"ID", "Code", "Group"};
    for (int i = 1; i <= 45; ++i)
        answer << QString::number(i);
    QCOMPARE(Columns(subjects, "Answer"), answer);

    for (const QString table : {"IDE", "Answer"}) {
        QSqlQuery plan = subjects.run("EXPLAIN QUERY PLAN SELECT * FROM \"" + table + "\" WHERE \"Code\" = ?", {"x"});
        QString steps;
        while (plan.next())
            steps += plan.value(3).toString();
        QVERIFY2(steps.contains("USING INDEX"), qPrintable(table + ": " + steps));
    }

    // The tables number their rows themselves.
    subjects.run("INSERT INTO \"IDE\" (\"Code\") VALUES (?)", {"a"});
    subjects.run("INSERT INTO \"IDE\" (\"Code\") VALUES (?)", {"b"});
    QSqlQuery ids = subjects.run("SELECT \"ID\" FROM \"IDE\" ORDER BY \"ID\"");
    QVERIFY(ids.next());
    const qint64 first = ids.value(0).toLongLong();
    QVERIFY(ids.next());
    QCOMPARE(ids.value(0).toLongLong(), first + 1);
}

void DataFilesTest::secondStartKeepsData()
{
    DataFolder folder;
    {
        DataConnection settings(DataFile::Settings, "test");
        settings.run("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?", {"9", "کلينيک آرامش"});
        DataConnection subjects(DataFile::Subjects, "test");
        subjects.run("INSERT INTO \"IDE\" (\"Code\") VALUES (?)", {"s1"});
    }
    PrepareDataFiles();
    DataConnection settings(DataFile::Settings, "test");
    QSqlQuery q = settings.run("SELECT COUNT(*), \"TH\", \"Name\" FROM \"Theme\"");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QCOMPARE(q.value(1).toString(), QStringLiteral("9"));
    QCOMPARE(q.value(2).toString(), QStringLiteral("کلينيک آرامش"));
    DataConnection subjects(DataFile::Subjects, "test");
    QSqlQuery s = subjects.run("SELECT \"Code\" FROM \"IDE\"");
    QVERIFY(s.next());
    QCOMPARE(s.value(0).toString(), QStringLiteral("s1"));
}

// A file of the latest version that lacks the settings row or an index gets it at the next start.
void DataFilesTest::settingsFileWithoutRowGetsOne()
{
    DataFolder folder;
    {
        DataConnection settings(DataFile::Settings, "test");
        settings.run("DELETE FROM \"Theme\"");
        DataConnection subjects(DataFile::Subjects, "test");
        subjects.run("DROP INDEX \"IDE_Code\"");
    }
    PrepareDataFiles();
    DataConnection settings(DataFile::Settings, "test");
    QSqlQuery rows = settings.run("SELECT COUNT(*) FROM \"Theme\"");
    QVERIFY(rows.next());
    QCOMPARE(rows.value(0).toInt(), 1);
    QCOMPARE(folder.stores().settings.read(), ClinicSettings());
    DataConnection subjects(DataFile::Subjects, "test");
    QSqlQuery index = subjects.run("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'IDE_Code'");
    QVERIFY(index.next());
    QCOMPARE(index.value(0).toInt(), 1);
}

void DataFilesTest::emptyFileBecomesDatabase()
{
    DataFolder folder(false);
    QDir().mkdir("DB");
    QFile empty("DB/DB2.mdb");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    PrepareDataFiles();
    QVERIFY(!folder.stores().subjects.anyAnswers());
}

void DataFilesTest::foreignFilesAreNeverTouched_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QByteArray jet(2048, '\0');
    jet.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
    QTest::newRow("legacy settings") << "DB/DB.mdb" << jet;
    QTest::newRow("legacy subjects") << "DB/DB2.mdb" << jet;
    QTest::newRow("garbage subjects") << "DB/DB2.mdb" << QByteArray("these are not the droids\n");
    QTest::newRow("another program's database") << "DB/DB2.mdb"
                                                << SqliteFile({"CREATE TABLE notes (body TEXT)",
                                                               "INSERT INTO notes VALUES ('keep me')"});
    QTest::newRow("subjects without answers") << "DB/DB2.mdb" << SqliteFile({SubjectsWithoutAnswers()});
    QTest::newRow("settings without its table") << "DB/DB.mdb" << SqliteFile({"CREATE TABLE other (x TEXT)"});
    QByteArray damaged = SqliteFile({SubjectsWithoutAnswers(), "CREATE TABLE \"Answer\" (\"Code\" TEXT)",
                                     "CREATE INDEX i ON \"IDE\" (\"FName\")"});
    for (int i = 4096 + 100; i < 4096 + 400; ++i)
        damaged[i] = char(0xA5);
    QTest::newRow("damaged subjects") << "DB/DB2.mdb" << damaged;
}

void DataFilesTest::foreignFilesAreNeverTouched()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    DataFolder folder(false);
    QDir().mkdir("DB");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const QDateTime modified = QFileInfo(path).lastModified();

    try {
        PrepareDataFiles();
        QFAIL("a foreign file was accepted");
    } catch (const DataError &error) {
        QVERIFY2(error.userText().contains(QFileInfo(path).absoluteFilePath()), qPrintable(error.userText()));
    }
    QCOMPARE(Bytes(path), content);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QVERIFY(!QFileInfo::exists(path + "-journal"));
}

void DataFilesTest::incompatibleTableIsReported()
{
    DataFolder folder(false);
    QDir().mkdir("DB");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName("DB/DB2.mdb");
        QVERIFY(db.open());
        QSqlQuery(db).exec("CREATE TABLE \"IDE\" (\"Code\" TEXT)");
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    const QByteArray before = Bytes("DB/DB2.mdb");
    try {
        PrepareDataFiles();
        QFAIL("a table without the program's columns was accepted");
    } catch (const DataError &error) {
        QVERIFY(error.userText().contains("IDE"));
        QVERIFY(error.userText().contains("FName"));
    }
    QCOMPARE(Bytes("DB/DB2.mdb"), before);
}

void DataFilesTest::missingFileAfterStartIsReported()
{
    DataFolder folder;
    QVERIFY(QFile::remove("DB/DB2.mdb"));
    QVERIFY_THROWS_EXCEPTION(DataError, DataConnection(DataFile::Subjects, "test"));
    QVERIFY(!QFileInfo::exists("DB/DB2.mdb"));
}

// Subjects registered from a Persian keyboard by the first release stay reachable by the code
// typed with Latin digits; a code whose Latin form is already taken stays as it was.
void DataFilesTest::codesWithPersianDigitsBecomeLatin()
{
    DataFolder folder;
    InsertSubject("۱۲۳", "مینا", "علی");
    InsertSubject("K-٤٥", "سارا", "رضا");
    InsertSubject("77", "نرگس", "حسین");
    InsertSubject("۷۷", "لیلا", "امید");
    DataConnection(DataFile::Subjects, "test").run("PRAGMA user_version = 0"); // as the first release left it
    PrepareDataFiles();
    DataConnection db(DataFile::Subjects, "test");
    for (const QString table : {"IDE", "Answer"}) {
        QSqlQuery q = db.run("SELECT \"Code\" FROM \"" + table + "\" ORDER BY rowid");
        QStringList codes;
        while (q.next())
            codes << q.value(0).toString();
        QCOMPARE(codes, QStringList({"123", "K-45", "77", "۷۷"}));
    }
    QCOMPARE(NormalizedCode("١٢٣-۴x"), QStringLiteral("123-4x"));
}

// The answers of a file from before sessions were kept become each tested subject's first
// session, of unknown date; a subject never tested gets none.
void DataFilesTest::answersBecomeFirstSessions()
{
    DataFolder folder(false);
    QDir().mkdir("DB");
    QVERIFY(QFile::copy(QStringLiteral(MORVA_FIXTURES "/DB2-version1.mdb"), "DB/DB2.mdb"));
    QFile::setPermissions("DB/DB2.mdb", QFile::ReadOwner | QFile::WriteOwner);
    DataConnection(DataFile::Subjects, "test").run("PRAGMA user_version = 2"); // as the last release left it
    PrepareDataFiles();
    QVERIFY(QFileInfo::exists("DB/DB2.mdb.v2"));
    SubjectStore &store = folder.stores().subjects;
    const QList<TestSession> k1 = store.sessions("K-1");
    QCOMPARE(k1.size(), 1);
    QCOMPARE(k1[0].number, 1);
    QCOMPARE(k1[0].date, QString());
    QVERIFY(!k1[0].when.saved.isValid());
    QCOMPARE(k1[0].answers, *store.read("K-1").answers);
    QCOMPARE(store.sessions("۱۲۳").size(), 1); // answered in part
    QVERIFY(store.sessions("K-3").isEmpty());
}

// A subjects file of the first release is brought to this version, every subject and answer
// intact, after a copy of it is kept; a file of a later version is refused and left as it is.
void DataFilesTest::earlierFilesAreBroughtForwardAndLaterOnesRefused()
{
    DataFolder folder(false);
    QDir().mkdir("DB");
    const QString fixture = QStringLiteral(MORVA_FIXTURES "/DB2-version1.mdb");
    QVERIFY(QFile::copy(fixture, "DB/DB2.mdb"));
    QFile::setPermissions("DB/DB2.mdb", QFile::ReadOwner | QFile::WriteOwner);
    PrepareDataFiles();
    QCOMPARE(Bytes("DB/DB2.mdb.v1"), Bytes(fixture));
    QCOMPARE(DataFileVersion("DB/DB2.mdb"), std::optional<int>(LatestVersion(DataFile::Subjects)));
    SubjectStore &store = folder.stores().subjects;
    QCOMPARE(store.count(SubjectFilter::All()), 3);
    const SubjectWithAnswers k1 = store.read("K-1");
    QCOMPARE(k1.subject->firstName, QStringLiteral("سارا"));
    QStringList cycle;
    for (int item = 1; item <= 45; ++item)
        cycle << QString::number(item % 9 + 1);
    QCOMPARE(k1.answers->storedTexts(), cycle);
    const SubjectWithAnswers typedInPersian = store.read("123"); // the code typed with Persian digits
    QCOMPARE(typedInPersian.subject->lastName, QStringLiteral("O'Neil"));
    QCOMPARE(typedInPersian.answers->unanswered().first(), 21);
    QCOMPARE(store.read("K-3").subject->beloved, QStringLiteral("<b>نگار</b>"));
    folder.closeStores();

    DataConnection(DataFile::Subjects, "test").run("PRAGMA user_version = 99");
    const QByteArray later = Bytes("DB/DB2.mdb");
    try {
        PrepareDataFiles();
        QFAIL("a file of a later version was taken");
    } catch (const DataError &error) {
        QVERIFY2(error.fullText().contains("نسخه‌ی تازه‌تری"), qPrintable(error.fullText()));
        QVERIFY(error.fullText().contains("DB2.mdb"));
    }
    QCOMPARE(Bytes("DB/DB2.mdb"), later);
}

QTEST_GUILESS_MAIN(DataFilesTest)
#include "test_data_files.moc"
