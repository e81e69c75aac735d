#include "support/window_support.h"

#include "ui/modal.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTextDocument>
#include <QToolTip>

namespace morva::testing {

void AnswerNextDialog(const QMetaObject &type, std::function<void(QDialog *)> answer, int timeoutMs)
{
    auto answered = std::make_shared<bool>(false);
    AnswerNextModal(type, [answer, answered](QDialog *dialog) {
        *answered = true;
        answer(dialog);
    });
    const QString what = QString::fromLatin1(type.className());
    QTimer::singleShot(timeoutMs, qApp, [answered, what] {
        if (!*answered)
            QTest::qFail(qPrintable(QStringLiteral("no %1 appeared").arg(what)), __FILE__, __LINE__);
    });
}

bool Activate(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QString ShownToolTip(QWidget *widget, QPoint at)
{
    QToolTip::hideText();
    const QPoint inside = at == QPoint(-1, -1) ? widget->rect().center() : at;
    QHelpEvent help(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &help);
    QLabel *tip = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible())
            tip = qobject_cast<QLabel *>(top);
    }
    if (!tip)
        return {};
    // What the tip's label makes of its text: markup when it looks like markup.
    const QString text = tip->text();
    QToolTip::hideText();
    if (tip->textFormat() == Qt::PlainText || (tip->textFormat() == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument shown;
    shown.setHtml(text);
    return shown.toPlainText();
}

std::shared_ptr<SeenBox> AnswerNextBox(QMessageBox::StandardButton button, int timeoutMs)
{
    auto seen = std::make_shared<SeenBox>();
    WhenModal<QMessageBox>([seen, button](QMessageBox *box) {
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        if (QWidget *owner = box->parentWidget()) {
            const auto *timer = owner->findChild<QTimer *>(QStringLiteral("MessagePromptTimer"), Qt::FindDirectChildrenOnly);
            if (timer && timer->isActive())
                seen->delayMs = timer->property("designedDelay").toInt();
        }
        seen->defaultButton = box->standardButton(box->defaultButton());
        if (button == QMessageBox::Escape)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    }, timeoutMs);
    return seen;
}

QStringList VisiblePanels(QWidget *main)
{
    QStringList visible;
    for (const char *name : {"Frame6", "Frame8", "Frame9", "Frame10"}) {
        const auto *panel = main->findChild<QWidget *>(QLatin1String(name));
        if (panel && panel->isVisible())
            visible << QLatin1String(name);
    }
    return visible;
}

void OpenEveryPanel(QWidget *main)
{
    // Registration, the settings menu, then the clinic's panel and the theme panel from the menu;
    // the menu's close button hides them all.
    for (const char *command : {"Command1", "Command9", "Command67", "Command68", "Command69"}) {
        auto *button = main->findChild<QPushButton *>(QLatin1String(command));
        QVERIFY2(button, command);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY(VisiblePanels(main).isEmpty());
}

void DeleteAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        windows << w;
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}

ModalWatch::ModalWatch()
{
    SetModalFallback([this](QDialog *dialog) {
        seen << dialog->windowTitle();
        dialog->reject();
    });
}

ModalWatch::~ModalWatch()
{
    SetModalFallback({});
}

} // namespace morva::testing
