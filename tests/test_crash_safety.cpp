#include "records/sqlite/data_connection.h"
#include "support/data_support.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>
#include <QTest>

using namespace morva;
using morva::testing::DataFolder;

class CrashSafetyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWhileSavingLeavesBothRowsOrNeither();
};

void CrashSafetyTest::killedWhileSavingLeavesBothRowsOrNeither()
{
    DataFolder folder;
    const QString writer = PAIR_WRITER;
    int lastReported = -1;
    for (int round = 0; round < 6; ++round) {
        QProcess process;
        process.start(writer, {folder.path()});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 10000); // it has saved at least once
        QTest::qWait(QRandomGenerator::global()->bounded(5, 120));
        process.kill(); // no chance to finish what it was writing
        QVERIFY(process.waitForFinished());
        const QList<QByteArray> reported = process.readAllStandardOutput().trimmed().split('\n');
        lastReported = reported.isEmpty() ? lastReported : reported.last().toInt();

        DataConnection db(DataFile::Subjects, "check");
        QSqlQuery integrity = db.run("PRAGMA integrity_check");
        QVERIFY(integrity.next());
        QCOMPARE(integrity.value(0).toString(), QStringLiteral("ok"));
        QSqlQuery counts = db.run("SELECT (SELECT COUNT(*) FROM \"IDE\"), (SELECT COUNT(*) FROM \"Answer\")");
        QVERIFY(counts.next());
        QCOMPARE(counts.value(0).toInt(), counts.value(1).toInt());
        QVERIFY(counts.value(0).toInt() > round);
        QSet<QString> subjects, answers;
        QSqlQuery s = db.run("SELECT \"Code\" FROM \"IDE\"");
        while (s.next())
            subjects << s.value(0).toString();
        QSqlQuery a = db.run("SELECT \"Code\", \"Group\" FROM \"Answer\"");
        while (a.next()) {
            answers << a.value(0).toString();
            QCOMPARE(a.value(1).toString(), QStringLiteral("B"));
        }
        QCOMPARE(subjects, answers); // every subject has its answer row, and no answer row is alone
        QVERIFY(subjects.contains(QStringLiteral("C-%1").arg(lastReported))); // what was reported saved is there
    }
}

QTEST_GUILESS_MAIN(CrashSafetyTest)
#include "test_crash_safety.moc"
