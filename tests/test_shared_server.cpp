// Several rooms of a clinic on one PostgreSQL server: registrations at the same moment, a room
// that dies in the middle of a save, a server that restarts, backups that go between the server
// and a desk, and a desk's subjects moved onto the server.
#include "records/data_error.h"
#include "records/postgres/postgres_subject_store.h"
#include "records/postgres/server_connection.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_subject_store.h"
#include "support/data_support.h"
#include "support/postgres_server.h"

#include <QProcess>
#include <QTest>

using namespace morva;
using namespace morva::testing;

namespace {

// Every subject of a store with its particulars and its answers as stored, one line each, in the
// store's order.
QStringList Everything(SubjectStore &store)
{
    QStringList lines;
    store.forEach({}, [&](const SubjectTexts &s) {
        QStringList fields;
        for (const QByteArrayView text : s.particulars)
            fields << QString::fromUtf8(text);
        QStringList answers;
        for (const QByteArrayView text : s.answers)
            answers << QString::fromUtf8(text);
        lines << fields.join(u'|') + u'|' + answers.join(u',');
        return true;
    });
    return lines;
}

Subject Particulars(const QString &code, const QString &first)
{
    Subject subject;
    subject.code = code;
    subject.firstName = first;
    subject.lastName = QStringLiteral("کاظمی");
    subject.group = QStringLiteral("C");
    return subject;
}

void RegisterAnswered(SubjectStore &store, const QString &code, const QString &first, int digit)
{
    QCOMPARE(store.registerSubject(Particulars(code, first)), SubjectStore::Registration::Registered);
    AnswerSheet answers;
    for (int item = 1; item <= AnswerSheet::kItems; ++item)
        answers.set(item, QString::number((item + digit) % 9 + 1));
    store.saveAnswers(code, store.read(code).answerRow, answers, {QDateTime::currentDateTime(), QDateTime::currentDateTime()});
}

QProcess *StartRoom(const ServerChoice &server, const QStringList &what, QObject *parent)
{
    auto *room = new QProcess(parent);
    room->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    room->start(QStringLiteral(SERVER_WRITER), QStringList{server.host, server.port, server.database} + what);
    return room;
}

} // namespace

class SharedServerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void twoRoomsRegisteringAtOnceKeepEachCodeOnce();
    void aRoomKilledMidSaveLeavesNothingHalfWritten();
    void aServerThatRestartsIsNamedAndWorkGoesOn();
    void readsTogetherSeeOneMomentWhileAnotherRoomWrites();
    void backupsGoFromTheServerToADeskAndBack();
    void aDesksSubjectsMoveToTheServerButForTakenCodes();
    void aServerOfTheLastVersionKeepsItsAnswersAsFirstSessions();
};

void SharedServerTest::initTestCase()
{
    try {
        TestServer();
    } catch (const std::exception &e) {
        QFAIL(e.what());
    }
}

// A thousand registrations from each of two rooms, a hundred of them the same codes at the same
// moment: every code is registered once, by one room, and the other room is told it is taken.
void SharedServerTest::twoRoomsRegisteringAtOnceKeepEachCodeOnce()
{
    const ServerChoice server = TestServer().newDatabase(PostgresServer::Reach::Loopback); // as rooms reach it
    PostgresSubjectStore store(server, std::nullopt); // the tables, before both rooms start
    QProcess *a = StartRoom(server, {"register", "A", "1000"}, this);
    QProcess *b = StartRoom(server, {"register", "B", "1000"}, this);
    QVERIFY(a->waitForFinished(120000) && b->waitForFinished(120000));
    QCOMPARE(a->exitCode(), 0);
    QCOMPARE(b->exitCode(), 0);
    QMap<QString, QStringList> outcomes; // code: what each room was told
    for (QProcess *room : {a, b}) {
        for (const QByteArray &line : room->readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                outcomes[QString::fromUtf8(line.split(' ').at(1))] << QString::fromUtf8(line.split(' ').at(0));
        }
    }
    QCOMPARE(outcomes.size(), 1900);
    for (auto o = outcomes.cbegin(); o != outcomes.cend(); ++o) {
        QStringList told = o.value();
        told.sort();
        if (o.key().startsWith(u'S'))
            QCOMPARE(told, (QStringList{"registered", "taken"}));
        else
            QCOMPARE(told, QStringList{"registered"});
    }
    QCOMPARE(store.count({}), 1900);
    QCOMPARE(store.rowCount(QStringLiteral("Answer"), {}), 1900);
}

// A room's program killed (kill -9) while it registers and saves: every subject has its answer
// row, and each answer row holds either no answers or one whole save.
void SharedServerTest::aRoomKilledMidSaveLeavesNothingHalfWritten()
{
    const ServerChoice server = TestServer().newDatabase();
    PostgresSubjectStore store(server, std::nullopt);
    QProcess *room = StartRoom(server, {"forever"}, this);
    QVERIFY(room->waitForStarted());
    qsizetype saved = 0; // two whole saves first, however busy the machine, then a moment more
    QVERIFY(QTest::qWaitFor([&] {
        room->waitForReadyRead(100);
        saved += room->readAllStandardOutput().count('\n');
        return saved >= 2;
    }, 60000));
    QTest::qWait(300);
    room->kill();
    QVERIFY(room->waitForFinished());

    const QStringList all = Everything(store);
    QVERIFY2(all.size() > 1, "the room saved for a while");
    QCOMPARE(store.rowCount(QStringLiteral("Answer"), {}), qint64(all.size()));
    for (const QString &line : all) {
        const QStringList answers = line.section(u'|', -1).split(u',');
        QCOMPARE(answers.size(), AnswerSheet::kItems);
        QVERIFY2(answers.count(answers.first()) == AnswerSheet::kItems, qPrintable(line));
    }
}

// The server stops (restarted by its keeper, or a cable out) in the middle of a session: the
// save says so, names the server and writes nothing; once the server is back the next save works.
void SharedServerTest::aServerThatRestartsIsNamedAndWorkGoesOn()
{
    const ServerChoice server = TestServer().newDatabase();
    PostgresSubjectStore store(server, std::nullopt);
    QCOMPARE(store.registerSubject(Particulars("R-1", "مینا")), SubjectStore::Registration::Registered);
    TestServer().stop();
    QString said;
    try {
        store.registerSubject(Particulars("R-2", "نگار"));
    } catch (const DataError &e) {
        said = e.userText();
    }
    TestServer().start();
    QVERIFY2(said.contains(server.database) && said.contains(QStringLiteral("این تغییر ذخیره نشد")), qPrintable(said));
    QCOMPARE(store.registerSubject(Particulars("R-2", "نگار")), SubjectStore::Registration::Registered);
    QCOMPARE(store.count({}), 2);
}

// A file that states its row count first (the SPSS export) counts and reads its rows at one
// moment of the server, while another room registers a subject in between.
void SharedServerTest::readsTogetherSeeOneMomentWhileAnotherRoomWrites()
{
    const ServerChoice server = TestServer().newDatabase();
    PostgresSubjectStore room1(server, std::nullopt);
    PostgresSubjectStore room2(server, std::nullopt);
    QCOMPARE(room1.registerSubject(Particulars("M-1", "مینا")), SubjectStore::Registration::Registered);
    qint64 counted = 0;
    QStringList read;
    room1.readTogether([&] {
        counted = room1.count({});
        QCOMPARE(room2.registerSubject(Particulars("M-2", "نگار")), SubjectStore::Registration::Registered);
        read = Everything(room1);
    });
    QCOMPARE(counted, 1);
    QCOMPARE(read.size(), 1);
    QCOMPARE(room1.count({}), 2);
}

// The server's backup is a subjects file like a desk's: restored onto a desk it gives the same
// subjects with the same answers, and a desk's backup restored onto the server as well.
void SharedServerTest::backupsGoFromTheServerToADeskAndBack()
{
    DataFolder desk;
    PostgresSubjectStore server(TestServer().newDatabase(), std::nullopt);
    RegisterAnswered(server, "K-1", "سارا", 1);
    RegisterAnswered(server, "K-2", "لیلا", 4);
    QCOMPARE(server.registerSubject(Particulars("K-3", "نسرین")), SubjectStore::Registration::Registered);
    const QString fromServer = desk.file("server.mdbB");
    QCOMPARE(server.backupTo(fromServer, {}), std::nullopt);
    SubjectStore &deskStore = desk.stores().subjects;
    QCOMPARE(deskStore.restoreFrom(fromServer, desk.file("kept1.mdbB"), {}, {}).stop, RestoreOutcome::Stop::None);
    QCOMPARE(Everything(deskStore), Everything(server));
    QCOMPARE(Everything(deskStore).size(), 3);

    RegisterAnswered(deskStore, "D-9", "پریا", 7);
    const QString fromDesk = desk.file("desk.mdbB");
    QCOMPARE(deskStore.backupTo(fromDesk, {}), std::nullopt);
    const QStringList before = Everything(server);
    QCOMPARE(server.restoreFrom(fromDesk, desk.file("kept2.mdbB"), {}, {}).stop, RestoreOutcome::Stop::None);
    QCOMPARE(Everything(server), Everything(deskStore));
    // What the restore replaced is kept as a subjects file.
    desk.closeStores();
    SqliteSubjectStore kept(desk.file("kept2.mdbB"));
    QCOMPARE(Everything(kept), before);
}

// A desk's subjects go onto the server in one transaction; a code the server has is left as the
// server has it, and named.
void SharedServerTest::aDesksSubjectsMoveToTheServerButForTakenCodes()
{
    DataFolder desk;
    PostgresSubjectStore server(TestServer().newDatabase(), std::nullopt);
    RegisterAnswered(server, "K-1", "سارا", 1);
    RegisterAnswered(desk.stores().subjects, "K-1", "مریم", 2);
    RegisterAnswered(desk.stores().subjects, "K-2", "زهره", 3);
    const QStringList deskHad = Everything(desk.stores().subjects);
    const QStringList serverHad = Everything(server);
    desk.closeStores();

    const PostgresSubjectStore::Taken taken = server.takeSubjectsOf(desk.file(DataFilePath(DataFile::Subjects)));
    QCOMPARE(taken.leftOut, QStringList{"K-1"});
    QCOMPARE(taken.taken, 1);
    QCOMPARE(Everything(server), (QStringList{serverHad.first(), deskHad.last()}));
}

// A server whose tables the last version made, before sessions were kept, is brought forward by
// the first room that connects: each answered subject's answers become its first session.
void SharedServerTest::aServerOfTheLastVersionKeepsItsAnswersAsFirstSessions()
{
    const ServerChoice database = TestServer().newDatabase();
    QStringList before;
    {
        PostgresSubjectStore server(database, std::nullopt);
        RegisterAnswered(server, "K-1", "سارا", 1);
        QCOMPARE(server.registerSubject(Particulars("K-2", "نسرین")), SubjectStore::Registration::Registered);
        before = Everything(server);
    }
    {
        ServerConnection old(database, std::nullopt, QStringLiteral("old"));
        old.transact([&] {
            old.run(QStringLiteral("DROP TABLE \"Session\""));
            old.run(QStringLiteral("UPDATE \"MorvaVersion\" SET \"Version\" = 2"));
        });
    }
    PostgresSubjectStore server(database, std::nullopt);
    QCOMPARE(Everything(server), before);
    const QList<TestSession> k1 = server.sessions("K-1");
    QCOMPARE(k1.size(), 1);
    QCOMPARE(k1[0].date, QString());
    QCOMPARE(k1[0].answers, *server.read("K-1").answers);
    QVERIFY(server.sessions("K-2").isEmpty());
}

QTEST_GUILESS_MAIN(SharedServerTest)
#include "test_shared_server.moc"
