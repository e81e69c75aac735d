#include "backup/backup_files.h"
#include "common/database_copy.h"
#include "records/sqlite/subjects_file.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/data_error.h"
#include "support/data_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace morva;
using morva::testing::DataFolder;
using morva::testing::StoredSubject;
using morva::testing::PrepareDataFiles;

namespace {

QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes((size + 3) / 4 * 4, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    bytes.truncate(size);
    return bytes;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the sqlite3 program, not this one, reads from a database file.
QString Sqlite3(const QString &path, const QString &sql)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {path, sql});
    sqlite.waitForFinished();
    return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesFollowTheClock();
    void copiesInChunksOf4048Bytes_data();
    void copiesInChunksOf4048Bytes();
    void replacedBackupTakesTheDatabasesSizeAndIsOwnerOnly();
    void failedCopyLeavesTheDestinationAsItWas();
    void openConnectionsAreCounted();
    void interruptedWriteIsRolledBackBeforeTheCopy();
    void restoreTakesWhatABackupsJournalHolds();
};

void BackupTest::namesFollowTheClock()
{
    QCOMPARE(BackupFileName("1402.5.9", "14.05"), QStringLiteral("در تاريخ1402.5.9 ساعت)14.05).mdbB"));
    QCOMPARE(BackupTimeText(QTime(9, 5)), QStringLiteral("9.05"));
    QCOMPARE(BackupTimeText(QTime(14, 30, 59)), QStringLiteral("14.30"));
    QCOMPARE(BackupTimeText(QTime(0, 0)), QStringLiteral("0.00"));
    QCOMPARE(BackupDateText(QDateTime(QDate(2023, 7, 31), QTime(23, 59))), QStringLiteral("1402.5.9"));

    DataFolder folder;
    const QString back = BackupFolder();
    QCOMPARE(back, QDir(folder.path()).absoluteFilePath("Back"));
    QVERIFY(QFileInfo(back).isDir());
    QCOMPARE(QFileInfo(back).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void BackupTest::copiesInChunksOf4048Bytes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<qint64>>("chunkStarts");
    QTest::newRow("empty") << 0 << QList<qint64>{};
    QTest::newRow("one chunk") << 4048 << QList<qint64>{0};
    QTest::newRow("4048 and 1") << 4049 << QList<qint64>{0, 4048};
    QTest::newRow("three and a part") << 3 * 4048 + 17 << QList<qint64>{0, 4048, 8096, 12144};
    QList<qint64> pastOneBlock; // the bytes move in larger blocks; the steps stay those of 4048 bytes
    for (qint64 start = 0; start < kCopyBlockBytes + 4049; start += 4048)
        pastOneBlock << start;
    QTest::newRow("past a block") << int(kCopyBlockBytes + 4049) << pastOneBlock;
}

void BackupTest::copiesInChunksOf4048Bytes()
{
    QFETCH(int, size);
    QFETCH(QList<qint64>, chunkStarts);
    QTemporaryDir dir;
    const QByteArray bytes = RandomBytes(size);
    WriteFile(dir.filePath("DB2.mdb"), bytes);
    QList<qint64> starts;
    const auto error = CopyDatabaseFile(dir.filePath("DB2.mdb"), dir.filePath("copy.mdbB"), [&](qint64 copied, qint64 total) {
        QCOMPARE(total, qint64(size));
        starts << copied;
    });
    QCOMPARE(error, std::nullopt);
    QCOMPARE(starts, chunkStarts);
    QCOMPARE(ReadFile(dir.filePath("copy.mdbB")), bytes);
    QVERIFY(QFileInfo::exists(dir.filePath("copy.mdbB")));
}

void BackupTest::replacedBackupTakesTheDatabasesSizeAndIsOwnerOnly()
{
    QTemporaryDir dir;
    const QString backup = dir.filePath("old.mdbB");
    WriteFile(backup, RandomBytes(20000));
    QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray database = RandomBytes(4049);
    WriteFile(dir.filePath("DB2.mdb"), database);

    QCOMPARE(CopyDatabaseFile(dir.filePath("DB2.mdb"), backup), std::nullopt);
    QCOMPARE(ReadFile(backup), database);
    QCOMPARE(QFileInfo(backup).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
}

// A disk that fills up part-way (a file size limit here), a missing source and a missing folder
// are reported with the system's words, and the older file stays byte for byte as it was.
void BackupTest::failedCopyLeavesTheDestinationAsItWas()
{
    QTemporaryDir dir;
    const QString older = dir.filePath("older.mdbB");
    const QByteArray olderBytes = RandomBytes(3000);
    WriteFile(older, olderBytes);
    WriteFile(dir.filePath("DB2.mdb"), RandomBytes(2 * 4048 * 1024));

    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 5 * 1024 * 1024 / 2;
    setrlimit(RLIMIT_FSIZE, &small);
    int chunks = 0;
    const auto error = CopyDatabaseFile(dir.filePath("DB2.mdb"), older, [&](qint64, qint64) { ++chunks; });
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(error.has_value());
    QVERIFY2(chunks > 500, "the copy failed part-way, not at its start");
    QVERIFY2(error->contains("too large"), qPrintable(*error)); // the system's words for a full disk
    QCOMPARE(ReadFile(older), olderBytes);

    const auto missing = CopyDatabaseFile(dir.filePath("none.mdbB"), older);
    QVERIFY(missing.has_value());
    QVERIFY2(missing->contains("No such file"), qPrintable(*missing));
    QCOMPARE(ReadFile(older), olderBytes);
    QVERIFY(CopyDatabaseFile(dir.filePath("DB2.mdb"), dir.filePath("no-folder/b.mdbB")).has_value());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"DB2.mdb", "older.mdbB"}));
}

void BackupTest::openConnectionsAreCounted()
{
    DataFolder folder;
    QCOMPARE(DataConnection::OpenCount(QFileInfo("DB/DB2.mdb").absoluteFilePath()), 0);
    QCOMPARE(SettleDatabaseFile(QFileInfo("DB/DB2.mdb").absoluteFilePath()), std::nullopt);
    {
        DataConnection open(DataFile::Subjects, "window"); // a relative path names the same file
        DataConnection settings(DataFile::Settings, "window");
        QCOMPARE(DataConnection::OpenCount(QFileInfo("DB/DB2.mdb").absoluteFilePath()), 1);
        const auto refusal = SettleDatabaseFile(QFileInfo("DB/DB2.mdb").absoluteFilePath());
        QVERIFY(refusal.has_value());
        QVERIFY(refusal->contains(QStringLiteral("باز است")));
    }
    QCOMPARE(DataConnection::OpenCount(QFileInfo("DB/DB2.mdb").absoluteFilePath()), 0);
    QCOMPARE(DataConnection::OpenCount(folder.file("none.mdb")), 0);
}

// A write that was interrupted (the program killed half-way) leaves uncommitted pages in the file
// and a journal beside it; the backup must hold the committed subjects and nothing else.
void BackupTest::interruptedWriteIsRolledBackBeforeTheCopy()
{
    DataFolder folder;
    {
        DataConnection db(DataFile::Subjects, "setup");
        db.transact([&] {
            for (const char *code : {"K-1", "K-2", "K-3"})
                InsertSubject(db, StoredSubject{.code = code});
        });
    }
    const QByteArray committed = ReadFile("DB/DB2.mdb");
    QDir().mkdir("crash");
    {
        DataConnection db(DataFile::Subjects, "writer");
        db.run("PRAGMA cache_size = 1"); // pages go to the file before the commit
        try {
            db.transact([&] {
                for (int i = 0; i < 300; ++i)
                    InsertSubject(db, StoredSubject{.code = QStringLiteral("U-%1").arg(i)});
                // The state a crash would leave: the file and its journal as they are now.
                QVERIFY(QFile::copy("DB/DB2.mdb", "crash/DB2.mdb"));
                QVERIFY(QFile::copy("DB/DB2.mdb-journal", "crash/DB2.mdb-journal"));
                throw DataError("interrupted");
            });
        } catch (const DataError &) {
        }
    }
    QVERIFY2(ReadFile("crash/DB2.mdb") != committed, "uncommitted pages reached the file");
    QVERIFY(QFileInfo("crash/DB2.mdb-journal").size() > 0);

    // The program started again over such a file takes it as it was before the write.
    {
        QDir().mkdir("again");
        QVERIFY(QFile::copy("crash/DB2.mdb", "again/DB2.mdb") && QFile::copy("crash/DB2.mdb-journal", "again/DB2.mdb-journal"));
        QVERIFY(QFile::remove("DB/DB2.mdb") && QFile::copy("again/DB2.mdb", "DB/DB2.mdb"));
        QVERIFY(QFile::copy("again/DB2.mdb-journal", "DB/DB2.mdb-journal"));
        PrepareDataFiles();
        QCOMPARE(Sqlite3(folder.file("DB/DB2.mdb"), "SELECT group_concat(Code) FROM IDE"), QStringLiteral("K-1,K-2,K-3"));
    }
    const QString crashed = QFileInfo("crash/DB2.mdb").absoluteFilePath();
    QCOMPARE(SettleDatabaseFile(crashed), std::nullopt);
    QVERIFY(!QFileInfo::exists("crash/DB2.mdb-journal"));
    QCOMPARE(CopyDatabaseFile(crashed, folder.file("backup.mdbB")), std::nullopt);
    QCOMPARE(Sqlite3(folder.file("backup.mdbB"), "PRAGMA integrity_check"), QStringLiteral("ok"));
    QCOMPARE(Sqlite3(folder.file("backup.mdbB"), "SELECT group_concat(Code) FROM IDE"), QStringLiteral("K-1,K-2,K-3"));
    QCOMPARE(Sqlite3(folder.file("backup.mdbB"), "SELECT COUNT(*) FROM Answer"), QStringLiteral("3"));
}

// A backup carried with its write-ahead log beside it, its last commits still in the log: the
// restore takes them too, and leaves a file that needs no log.
void BackupTest::restoreTakesWhatABackupsJournalHolds()
{
    DataFolder folder;
    const QString live = QFileInfo(DataFilePath(DataFile::Subjects)).absoluteFilePath();
    const QString source = folder.file("source.mdbB"), carried = folder.file("carried.mdbB");
    QVERIFY(QFile::copy(live, source));
    {
        DataConnection db(source, QStringLiteral("writer"));
        db.run(QStringLiteral("PRAGMA journal_mode=WAL"));
        db.run(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        db.transact([&] {
            for (int i = 0; i < 40; ++i)
                testing::InsertSubject(db, StoredSubject{.code = QStringLiteral("W-%1").arg(i)});
        });
        QVERIFY(QFileInfo(source + "-wal").size() > 0);
        QVERIFY(QFile::copy(source, carried));
        QVERIFY(QFile::copy(source + "-wal", carried + "-wal"));
    }
    const RestoreOutcome outcome = RestoreSubjectsFile(carried, live, folder.file("kept.mdbB"), QString());
    QCOMPARE(int(outcome.stop), int(RestoreOutcome::Stop::None));
    QCOMPARE(SubjectsInBackup(live), std::optional<qint64>(40));
    QCOMPARE(Sqlite3(live, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
    QVERIFY(!QFileInfo::exists(live + ".restoring"));
}

QTEST_GUILESS_MAIN(BackupTest)
#include "test_backup.moc"
