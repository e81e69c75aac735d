#pragma once

#include <QHash>
#include <QLabel>

namespace morva {

// The main window's hint line: while the mouse rests on a command that has a hint, the line shows
// it; on the background of the window or of the command bar it is empty and hidden.
class HintLine : public QLabel {
    Q_OBJECT

public:
    explicit HintLine(QWidget *window);

    void explain(QWidget *control, const QString &hint);
    // The mouse over area, outside its controls, clears the hint.
    void clearOver(QWidget *area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showHint(const QString &text);
    void clearHint();

    QHash<QObject *, QString> hints_;
};

} // namespace morva
