#include "backup/backup_files.h"
#include "backup/encrypted_backup.h"
#include "common/database_copy.h"
#include "records/sqlite/subjects_file.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/data_error.h"
#include "support/data_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

QByteArray Sha256(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

// A subjects file of a few megabytes (some subjects and a table of padding) at DB/DB2.mdb: several
// chunks of an encrypted backup.
QString LargerSubjectsFile()
{
    DataConnection db(DataFile::Subjects, "setup");
    db.transact([&] {
        for (int i = 0; i < 50; ++i)
            InsertSubject(db, StoredSubject{.code = QStringLiteral("E-%1").arg(i)});
    });
    db.run("CREATE TABLE \"Pad\" (\"b\" BLOB)");
    db.run("INSERT INTO \"Pad\" VALUES (randomblob(2600000))");
    return QFileInfo(DataFilePath(DataFile::Subjects)).absoluteFilePath();
}

// The plaintext bytes of each chunk, as the file's header gives them.
qint64 ChunkBytes(const QByteArray &encrypted)
{
    return qFromLittleEndian<quint32>(encrypted.constData() + 41);
}

constexpr QFile::Permissions kUserBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
constexpr qint64 kEncryptedHeaderBytes = 69;
constexpr qint64 kSealBytes = 17;

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
    void restoreKeepsThePresentFileByNameOrByCopy();
    void encryptedBackupDecryptsToTheSameBytes();
    void changedEncryptedBackupIsRefused();
    void passphraseIsWrittenNowhere();
    void readmeDecryptsABackupWithoutThisProgram();
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

// The present file is kept under a second name on its own disk, and stays as it was when the
// restored file is written to; where that name cannot be made (here: it is taken), the file is
// copied, and a copy that fails (a disk that fills up) restores nothing and leaves no trace.
void BackupTest::restoreKeepsThePresentFileByNameOrByCopy()
{
    DataFolder folder;
    const QString live = QFileInfo(DataFilePath(DataFile::Subjects)).absoluteFilePath();
    const QString backup = folder.file("backup.mdbB");
    QVERIFY(QFile::copy(live, backup));
    const auto growLive = [&] {
        DataConnection db(live, QStringLiteral("grow"));
        db.run(QStringLiteral("CREATE TABLE IF NOT EXISTS \"Pad\" (\"b\" BLOB)"));
        db.run(QStringLiteral("INSERT INTO \"Pad\" VALUES (zeroblob(65536))"));
    };
    growLive();
    QByteArray present = ReadFile(live);

    const QString kept = folder.file("kept.mdbB");
    QCOMPARE(int(RestoreSubjectsFile(backup, live, kept, {}).stop), int(RestoreOutcome::Stop::None));
    QCOMPARE(ReadFile(live), ReadFile(backup));
    QCOMPARE(ReadFile(kept), present);
    growLive();
    QCOMPARE(ReadFile(kept), present);

    present = ReadFile(live);
    const QString taken = folder.file("taken.mdbB");
    WriteFile(taken, "an older file");
    QCOMPARE(int(RestoreSubjectsFile(backup, live, taken, {}).stop), int(RestoreOutcome::Stop::None));
    QCOMPARE(ReadFile(taken), present);
    QCOMPARE(ReadFile(live), ReadFile(backup));

    growLive();
    present = ReadFile(live);
    WriteFile(taken, "an older file");
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = QFileInfo(backup).size() + 4096; // the backup's copy fits, the present file's does not
    setrlimit(RLIMIT_FSIZE, &small);
    const RestoreOutcome outcome = RestoreSubjectsFile(backup, live, taken, {});
    setrlimit(RLIMIT_FSIZE, &old);
    QCOMPARE(int(outcome.stop), int(RestoreOutcome::Stop::NotKept));
    QVERIFY2(outcome.why.contains("too large"), qPrintable(outcome.why));
    QCOMPARE(ReadFile(live), present);
    QCOMPARE(ReadFile(taken), QByteArray("an older file"));
    QCOMPARE(QDir(QFileInfo(live).path()).entryList(QDir::Files), QStringList({"DB.mdb", "DB2.mdb"}));
}

// An encrypted backup begins with its header, holds the file in sealed chunks (the last one
// whatever is left, an empty file one empty chunk), is readable by its owner only, and decrypts to
// the very bytes of the file.
void BackupTest::encryptedBackupDecryptsToTheSameBytes()
{
    DataFolder folder;
    const QString live = LargerSubjectsFile();
    const QString sealed = folder.file("sealed.mdbE");
    QList<qint64> progress;
    {
        const Passphrase passphrase(QStringLiteral("کلید کلینیک ۱۴۰۳ Morva"));
        QCOMPARE(EncryptSubjectsFile(live, sealed, passphrase, [&](qint64 done, qint64) { progress << done; }),
                 std::nullopt);
    }
    const QByteArray bytes = ReadFile(sealed);
    QVERIFY(bytes.startsWith(QByteArray("MORVAENC\x01", 9)));
    QVERIFY(IsEncryptedBackup(sealed));
    QVERIFY(!IsEncryptedBackup(live));
    QCOMPARE(qFromLittleEndian<quint64>(bytes.constData() + 9), DefaultKeyCost().passes);
    QCOMPARE(qFromLittleEndian<quint64>(bytes.constData() + 17), DefaultKeyCost().memoryBytes);
    const qint64 size = QFileInfo(live).size(), chunk = ChunkBytes(bytes);
    const qint64 chunks = (size + chunk - 1) / chunk;
    QVERIFY2(chunks >= 3, "first, middle and last chunks");
    QCOMPARE(bytes.size(), kEncryptedHeaderBytes + size + chunks * kSealBytes);
    QVERIFY(progress.contains(0) && progress.contains((chunks - 1) * chunk));
    QCOMPARE(QFileInfo(sealed).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner);

    QString decryptedPath;
    {
        DecryptedBackup decrypted;
        decryptedPath = decrypted.path();
        QCOMPARE(QFileInfo(decryptedPath).absolutePath(), QFileInfo(live).absolutePath()); // beside the live file
        const RestoreOutcome opened =
            decrypted.open(sealed, Passphrase(QStringLiteral("کلید کلینیک ۱۴۰۳ Morva")), QString());
        QCOMPARE(int(opened.stop), int(RestoreOutcome::Stop::None));
        QCOMPARE(Sha256(decryptedPath), Sha256(live));
        QCOMPARE(SubjectsInBackup(decryptedPath), std::optional<qint64>(50));
        QCOMPARE(QFileInfo(decryptedPath).permissions() & ~kUserBits, QFile::ReadOwner | QFile::WriteOwner);
    }
    QVERIFY(!QFileInfo::exists(decryptedPath));

    // Files at the edges of the chunks (a light key derivation: the chunks are the point here).
    const Passphrase passphrase(QStringLiteral("0123456789"));
    for (const qint64 edge : {qint64(0), chunk, 2 * chunk, chunk + 1}) {
        const QByteArray plain = RandomBytes(edge);
        WriteFile(folder.file("plain"), plain);
        QCOMPARE(EncryptSubjectsFile(folder.file("plain"), folder.file("edge.mdbE"), passphrase, {},
                                     KeyCost{1, 8 * 1024 * 1024}),
                 std::nullopt);
        QCOMPARE(QFileInfo(folder.file("edge.mdbE")).size(),
                 kEncryptedHeaderBytes + edge + std::max<qint64>(1, (edge + chunk - 1) / chunk) * kSealBytes);
        const RestoreOutcome opened = DecryptBackupFile(folder.file("edge.mdbE"), folder.file("back"), passphrase, {});
        QCOMPARE(int(opened.stop), int(RestoreOutcome::Stop::None));
        QCOMPARE(ReadFile(folder.file("back")), plain);
    }
}

// A wrong passphrase, any one byte of the header changed, a changed chunk, a file cut short and
// one with bytes after its end are each refused in Persian: nothing is decrypted, the live file
// stays as it was.
void BackupTest::changedEncryptedBackupIsRefused()
{
    DataFolder folder;
    const QString live = LargerSubjectsFile();
    const QByteArray liveHash = Sha256(live);
    const QString sealed = folder.file("sealed.mdbE");
    const Passphrase right(QStringLiteral("کلید کلینیک ۱۴۰۳ Morva"));
    // Each changed header byte costs a derivation of the key: the cheapest one here.
    QCOMPARE(EncryptSubjectsFile(live, sealed, right, {}, KeyCost{1, 8 * 1024 * 1024}), std::nullopt);
    const QByteArray bytes = ReadFile(sealed);
    const qint64 chunk = ChunkBytes(bytes);
    const QString advice = QStringLiteral(" اطلاعات آزمودنی‌ها تغییری نکرد.");

    const auto opens = [&](const QByteArray &tried, const Passphrase &passphrase) {
        WriteFile(folder.file("tried.mdbE"), tried);
        DecryptedBackup decrypted;
        const RestoreOutcome outcome = decrypted.open(folder.file("tried.mdbE"), passphrase, advice);
        if (outcome.stop != RestoreOutcome::Stop::None) {
            if (outcome.stop != RestoreOutcome::Stop::NotABackup || !outcome.why.endsWith(advice)
                || QFileInfo::exists(decrypted.path()))
                return QStringLiteral("refused wrongly: ") + outcome.why;
        }
        return outcome.stop == RestoreOutcome::Stop::None ? QStringLiteral("opened") : outcome.why;
    };
    const auto flipped = [&](qint64 at) {
        QByteArray changed = bytes;
        changed[at] = char(changed[at] ^ 0x01);
        return changed;
    };
    const auto says = [](const QString &why, const char *words) {
        return why.contains(QString::fromUtf8(words)) && why.contains(QStringLiteral("tried.mdbE"));
    };

    QCOMPARE(opens(bytes, right), QStringLiteral("opened"));
    const QString wrong = opens(bytes, Passphrase(QStringLiteral("کلید کلینیک ۱۴۰۴ Morva")));
    QVERIFY2(says(wrong, "گذرواژه درست نیست"), qPrintable(wrong));
    for (qint64 at = 0; at < kEncryptedHeaderBytes; ++at) {
        const QString why = opens(flipped(at), right);
        QVERIFY2(why != QStringLiteral("opened") && !why.startsWith(QStringLiteral("refused wrongly")),
                 qPrintable(QStringLiteral("header byte %1: %2").arg(at).arg(why)));
    }
    for (const qint64 at : {kEncryptedHeaderBytes + 10, kEncryptedHeaderBytes + chunk + kSealBytes + 10,
                            qint64(bytes.size()) - 1}) {
        const QString why = opens(flipped(at), right);
        QVERIFY2(says(why, at < kEncryptedHeaderBytes + chunk ? "گذرواژه درست نیست" : "تغییر کرده یا آسیب دیده"),
                 qPrintable(QStringLiteral("byte %1: %2").arg(at).arg(why)));
    }
    for (const qint64 kept : {qint64(bytes.size()) - 1, kEncryptedHeaderBytes + 2 * (chunk + kSealBytes),
                              kEncryptedHeaderBytes, qint64(20)}) {
        const QString why = opens(bytes.left(kept), right);
        QVERIFY2(says(why, kept == bytes.size() - 1 ? "تغییر کرده یا آسیب دیده" : "کامل نیست"),
                 qPrintable(QStringLiteral("cut at %1: %2").arg(kept).arg(why)));
    }
    for (const QByteArray &after : {QByteArray(1, '\0'), bytes.right(chunk + kSealBytes)}) {
        const QString why = opens(bytes + after, right);
        QVERIFY2(says(why, "تغییر کرده یا آسیب دیده"), qPrintable(why));
    }
    // Authentic, but what it holds is not a subjects file: refused by the name the user chose.
    QCOMPARE(EncryptSubjectsFile("DB/DB.mdb", folder.file("settings.mdbE"), right, {}, KeyCost{1, 8 * 1024 * 1024}),
             std::nullopt);
    const QString notSubjects = opens(ReadFile(folder.file("settings.mdbE")), right);
    QVERIFY2(says(notSubjects, "اطلاعات آزمودنی‌های این برنامه را در بر ندارد") && !notSubjects.contains(".decrypted"),
             qPrintable(notSubjects));
    QCOMPARE(Sha256(live), liveHash);
    QCOMPARE(QDir("DB").entryList(QDir::Files | QDir::Hidden), QStringList({"DB.mdb", "DB2.mdb"}));
}

// The passphrase is in no file that a backup and its decryption leave, nor in the process's
// environment.
void BackupTest::passphraseIsWrittenNowhere()
{
    DataFolder folder;
    const QString live = LargerSubjectsFile();
    const QString typed = QStringLiteral("گذرواژه‌ی محرمانه-Secret-7391");
    {
        const Passphrase passphrase(typed);
        QCOMPARE(EncryptSubjectsFile(live, BackupFolder() + "/sealed.mdbE", passphrase), std::nullopt);
        DecryptedBackup decrypted;
        QCOMPARE(int(decrypted.open(BackupFolder() + "/sealed.mdbE", passphrase, {}).stop),
                 int(RestoreOutcome::Stop::None));
        QCOMPARE(CopyDatabaseFile(decrypted.path(), folder.file("opened.mdbB")), std::nullopt);
    }
    const QList<QByteArray> forms = {typed.toUtf8(), QByteArray("Secret-7391"),
                                     QByteArray(reinterpret_cast<const char *>(typed.utf16()), typed.size() * 2)};
    int files = 0;
    for (QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QByteArray content = ReadFile(it.next());
        ++files;
        for (const QByteArray &form : forms)
            QVERIFY2(!content.contains(form), qPrintable(it.filePath()));
    }
    QCOMPARE(files, 4); // DB.mdb, DB2.mdb, the encrypted backup and what it decrypted to
    QFile environment("/proc/self/environ");
    QVERIFY(environment.open(QIODevice::ReadOnly));
    const QByteArray variables = environment.readAll();
    QVERIFY(!variables.isEmpty());
    for (const QByteArray &form : forms)
        QVERIFY(!variables.contains(form));
}

// The layout that README.md gives is the file's: the Python program written there, on Debian's
// python3-nacl, decrypts a backup to the subjects file's very bytes, and refuses a wrong passphrase.
void BackupTest::readmeDecryptsABackupWithoutThisProgram()
{
    DataFolder folder;
    const QString live = LargerSubjectsFile();
    const QString typed = QStringLiteral("کلید کلینیک ۱۴۰۳ Morva");
    QCOMPARE(EncryptSubjectsFile(live, folder.file("sealed.mdbE"), Passphrase(typed)), std::nullopt);
    const QString readme = QString::fromUtf8(ReadFile(QStringLiteral(MORVA_README)));
    const qsizetype start = readme.indexOf(QStringLiteral("```python\n"));
    QVERIFY(start >= 0);
    const qsizetype end = readme.indexOf(QStringLiteral("```\n"), start + 10);
    WriteFile(folder.file("decrypt.py"), readme.mid(start + 10, end - start - 10).toUtf8());
    const auto python = [&](const QString &passphrase, const QString &out) {
        QProcess run;
        run.start(QStringLiteral("/usr/bin/python3"),
                  {folder.file("decrypt.py"), folder.file("sealed.mdbE"), passphrase, out});
        run.waitForFinished(60000);
        return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
    };
    QCOMPARE(python(typed, folder.file("opened.mdb")), 0);
    QCOMPARE(Sha256(folder.file("opened.mdb")), Sha256(live));
    QVERIFY(python(typed + "!", folder.file("wrong.mdb")) != 0);
}

QTEST_GUILESS_MAIN(BackupTest)
#include "test_backup.moc"
