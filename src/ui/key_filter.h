#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace morva {

// Lets only some characters be typed into a field. Digits typed on a Persian or Arabic keyboard
// count as the same Latin digits. Keys that type no printable character (Backspace, Enter,
// arrows, Escape, shortcuts such as Ctrl+V) are not filtered; what a paste brings is the
// field's validator's business. Any other character is swallowed with a beep and
// a message prompt.
class KeyFilter : public QObject {
    Q_OBJECT

public:
    // allowed: the Latin characters the field takes, e.g. "0123456789".
    KeyFilter(QLineEdit *field, const QString &allowed, const QString &refusal, int refusalDelayMs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *field_;
    QString allowed_;
    QString refusal_;
    int refusalDelayMs_;
};

} // namespace morva
