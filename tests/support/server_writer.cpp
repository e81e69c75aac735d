// A room of the clinic writing to the shared server, for the tests of working at the same time.
//   server_writer SOCKET_FOLDER PORT DATABASE register PREFIX COUNT
//     registers COUNT codes, one after another: every tenth the clinic's S-i, which another room
//     registers at the same moment, the others PREFIX-i of its own; prints, for each, "registered
//     CODE" or "taken CODE";
//   server_writer SOCKET_FOLDER PORT DATABASE forever
//     registers W-0, W-1 … and fills each one's answers with one digit, without end, printing each
//     number once both are saved (killed from outside).
#include "records/postgres/postgres_subject_store.h"

#include <QCoreApplication>

#include <cstdio>

using namespace morva;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    ServerChoice server;
    server.host = args[1];
    server.port = args[2];
    server.database = args[3];
    server.user = QStringLiteral("morva");
    PostgresSubjectStore store(server, std::nullopt);
    Subject subject;
    subject.firstName = QStringLiteral("نام");
    subject.group = QStringLiteral("B");
    if (args[4] == QStringLiteral("register") && args.size() == 7) {
        for (int i = 0; i < args[6].toInt(); ++i) {
            subject.code = QStringLiteral("%1-%2").arg(i % 10 == 0 ? QStringLiteral("S") : args[5]).arg(i);
            const bool registered = store.registerSubject(subject) == SubjectStore::Registration::Registered;
            std::printf("%s %s\n", registered ? "registered" : "taken", qPrintable(subject.code));
        }
        return 0;
    }
    if (args[4] != QStringLiteral("forever"))
        return 2;
    for (int i = 0;; ++i) {
        subject.code = QStringLiteral("W-%1").arg(i);
        store.registerSubject(subject);
        const SubjectWithAnswers read = store.read(subject.code);
        AnswerSheet answers;
        for (int item = 1; item <= AnswerSheet::kItems; ++item)
            answers.set(item, QString::number(i % 9 + 1));
        store.saveAnswers(subject.code, read.answerRow, answers, {QDateTime::currentDateTime(), QDateTime::currentDateTime()});
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
