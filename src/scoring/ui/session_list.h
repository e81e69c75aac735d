#pragma once

#include "scoring/session_history.h"

#include <QTableWidget>

namespace morva {

// A subject's sessions, one row each, the first at the top: the number, the date, the three sums
// and the love type. Choosing a row asks for that session to be shown.
class SessionList : public QTableWidget {
    Q_OBJECT

public:
    explicit SessionList(QWidget *parent = nullptr);

    // Lists the sessions with the row of shown chosen, without asking for it to be shown.
    void showSessions(const QList<ScoredSession> &sessions, qsizetype shown);

Q_SIGNALS:
    void sessionChosen(qsizetype index);

private:
    void onCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
};

} // namespace morva
