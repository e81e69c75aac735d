#include "ui/key_filter.h"

#include "ui/message_prompt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace morva {

KeyFilter::KeyFilter(QLineEdit *field, const QString &allowed, const QString &refusal, int refusalDelayMs)
    : QObject(field), field_(field), allowed_(allowed), refusal_(refusal), refusalDelayMs_(refusalDelayMs)
{
    field->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != field_ || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    // Shortcuts and control keys (Escape, copy, paste...) are not typing.
    if (text.isEmpty() || !text.front().isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.size() == 1) {
        const QChar typed = text.front();
        if (allowed_.contains(typed))
            return false;
        // A Persian or Arabic-Indic digit becomes the Latin digit the field stores.
        if (typed.isDigit()) {
            const QChar latin(u'0' + typed.digitValue());
            if (allowed_.contains(latin)) {
                if (!field_->isReadOnly())
                    field_->insert(latin);
                return true;
            }
        }
    }
    QApplication::beep();
    MessagePrompt::Show(field_->window(), refusal_, refusalDelayMs_);
    return true;
}

} // namespace morva
