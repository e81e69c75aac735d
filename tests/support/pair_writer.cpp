// Registers subjects without end in the data folder given as the only argument, the way the
// registration panel saves them, printing each code once it is saved. Killed from outside by
// the crash-safety test.
#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_subject_store.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    using namespace morva;
    SqliteSubjectStore store(DataFilePath(DataFile::Subjects));
    for (int i = 0;; ++i) {
        Subject subject;
        subject.code = QStringLiteral("C-%1").arg(i);
        subject.firstName = QStringLiteral("نام %1").arg(i);
        subject.group = QStringLiteral("B");
        store.registerSubject(subject);
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
