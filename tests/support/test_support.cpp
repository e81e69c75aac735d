#include "support/test_support.h"

#include "records/data_connection.h"

namespace morva::testing {

DataFolder::DataFolder(bool prepare) : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
    if (prepare)
        PrepareDataFiles();
}

DataFolder::~DataFolder()
{
    QDir::setCurrent(previous_);
}

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace morva::testing
