#include "app/hint_line.h"

#include "ui/twips.h"

#include <QEvent>
#include <QMouseEvent>

namespace morva {

HintLine::HintLine(QWidget *window) : QLabel(window)
{
    setObjectName(QStringLiteral("SkinLabel2"));
    setProperty("hint", true);
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setGeometry(TwipsRect(300, 7200, 9975, 615));
    hide();
}

void HintLine::explain(QWidget *control, const QString &hint)
{
    hints_.insert(control, hint);
    control->installEventFilter(this);
}

void HintLine::clearOver(QWidget *area)
{
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

bool HintLine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter && hints_.contains(watched)) {
        showHint(hints_.value(watched));
    } else if (event->type() == QEvent::MouseMove && !hints_.contains(watched)) {
        auto *area = static_cast<QWidget *>(watched);
        if (!area->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            clearHint();
    }
    return QLabel::eventFilter(watched, event);
}

void HintLine::showHint(const QString &text)
{
    setText(text);
    show();
}

void HintLine::clearHint()
{
    clear();
    hide();
}

} // namespace morva
