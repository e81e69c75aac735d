#include "scoring/ui/session_list.h"

#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "scoring/love_type.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace morva {

SessionList::SessionList(QWidget *parent) : QTableWidget(0, 6, parent)
{
    setObjectName(QStringLiteral("SessionList"));
    setLayoutDirection(Qt::RightToLeft);
    setHorizontalHeaderLabels({QStringLiteral("اجرا"), QStringLiteral("تاریخ"), ComponentLabel(ItemComponent::Intimacy),
                               ComponentLabel(ItemComponent::Passion), ComponentLabel(ItemComponent::Commitment),
                               QStringLiteral("نوع عشق")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *header = horizontalHeader();
    header->setHighlightSections(false);
    // Each column as wide as its heading and values in the theme's font; the love type takes the rest.
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    connect(this, &QTableWidget::currentCellChanged, this, &SessionList::onCurrentCellChanged);
}

void SessionList::showSessions(const QList<ScoredSession> &sessions, qsizetype shown)
{
    const QSignalBlocker quiet(this);
    setRowCount(static_cast<int>(sessions.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const ScoredSession &session = sessions[row];
        const QString texts[6] = {PersianNumber(session.number), SessionDateText(session.date),
                                  PersianNumber(session.report.sums.intimacy), PersianNumber(session.report.sums.passion),
                                  PersianNumber(session.report.sums.commitment), LoveTypeLabel(session.report.type)};
        for (int c = 0; c < 6; ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignCenter);
            setItem(row, c, item);
        }
    }
    setCurrentCell(static_cast<int>(shown), 0);
}

void SessionList::onCurrentCellChanged(int row, int, int previousRow, int)
{
    if (row >= 0 && row != previousRow)
        Q_EMIT sessionChosen(row);
}

} // namespace morva
