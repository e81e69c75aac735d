#include "support/test_support.h"

#include "records/data_connection.h"

#include <QAbstractButton>

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

std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton button)
{
    auto seen = std::make_shared<SeenBox>();
    WhenModal<QMessageBox>([seen, button](QMessageBox *box) {
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        if (QWidget *owner = box->parentWidget()) {
            const auto *timer = owner->findChild<QTimer *>(QStringLiteral("MessagePromptTimer"), Qt::FindDirectChildrenOnly);
            if (timer && timer->isActive())
                seen->delayMs = timer->interval();
        }
        box->button(button)->click();
    });
    return seen;
}

ModalWatch::ModalWatch()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen << modal->windowTitle();
            modal->close();
        }
    });
    timer_.start(20);
}

} // namespace morva::testing
