// Registers subjects without end in the data folder given as the only argument, the way the
// registration panel saves them, printing each code once it is saved. Killed from outside by
// the crash-safety test.
#include "records/data_connection.h"
#include "records/subject_pair.h"
#include "records/table_view.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    using namespace morva;
    DataConnection db(DataFile::Subjects, QStringLiteral("writer"));
    TableView subjects(db, QStringLiteral("IDE"));
    TableView answers(db, QStringLiteral("Answer"));
    for (int i = 0;; ++i) {
        subjects.addRow();
        subjects.setField(QStringLiteral("Code"), QStringLiteral("C-%1").arg(i));
        subjects.setField(QStringLiteral("FName"), QStringLiteral("نام %1").arg(i));
        subjects.setField(QStringLiteral("Group"), QStringLiteral("B"));
        SaveNewSubject(subjects, answers);
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}
