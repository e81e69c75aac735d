#include "ui/message_prompt.h"

#include "ui/modal.h"
#include "common/timing.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace morva {
namespace {

const char kTimerName[] = "MessagePromptTimer";

bool IsOpenPrompt(QWidget *w)
{
    auto *box = qobject_cast<QMessageBox *>(w);
    return box && box->isVisible() && box->windowTitle() == MessagePrompt::Title();
}

// Presses OK on the open prompt box, the active one first; nothing when none is open.
void CloseOpenPrompt()
{
    QWidget *target = IsOpenPrompt(QApplication::activeModalWidget()) ? QApplication::activeModalWidget() : nullptr;
    if (!target) {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (IsOpenPrompt(w)) {
                target = w;
                break;
            }
        }
    }
    if (target)
        static_cast<QMessageBox *>(target)->done(QMessageBox::Ok);
}

QTimer *PromptTimerOf(QWidget *owner)
{
    auto *timer = owner->findChild<QTimer *>(QLatin1String(kTimerName), Qt::FindDirectChildrenOnly);
    if (!timer) {
        timer = new QTimer(owner);
        timer->setObjectName(QLatin1String(kTimerName));
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, &CloseOpenPrompt);
    }
    return timer;
}

} // namespace

QString MessagePrompt::Title()
{
    return QStringLiteral("پيام");
}

void MessagePrompt::Show(QWidget *owner, const QString &text, int delayMs)
{
    if (owner) {
        QTimer *timer = PromptTimerOf(owner);
        timer->setProperty("designedDelay", delayMs); // before scaling, for whoever looks
        timer->start(ScaledDelay(delayMs));
    }
    QMessageBox box(QMessageBox::NoIcon, Title(), text, QMessageBox::Ok, owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.setLayoutDirection(Qt::RightToLeft);
    if (!owner) // without an owner there is no window timer: the box times itself
        QTimer::singleShot(ScaledDelay(delayMs), Qt::PreciseTimer, &box, [&box] { box.done(QMessageBox::Ok); });
    ExecModal(box);
}

} // namespace morva
