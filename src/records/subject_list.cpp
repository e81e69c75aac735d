#include "records/subject_list.h"

#include "common/display_text.h"

#include "records/data_connection.h"
#include "records/data_error.h"
#include "records/schema.h"

#include <QScopedValueRollback>
#include <QSqlQuery>

#include <limits>

namespace morva {
namespace {

// About two screens of a grid: the first screen is read at once, whatever the table's length.
constexpr int kPageRows = 32;

} // namespace

SubjectListModel::SubjectListModel(DataConnection &connection, const QList<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent), connection_(connection), columns_(columns)
{
    for (Column &c : columns_)
        c.name = CanonicalColumn(SubjectTable(), c.name);
    restart();
}

void SubjectListModel::setFilter(const QString &column, const QString &value)
{
    filter_ = std::make_pair(CanonicalColumn(SubjectTable(), column), value);
    restart();
}

void SubjectListModel::clearFilter()
{
    filter_.reset();
    restart();
}

// The first page is read before the model is reset, so that a failing file leaves the list as it
// was.
void SubjectListModel::restart()
{
    QList<qint64> ids;
    QList<QStringList> first = readPage(std::numeric_limits<qint64>::min(), ids);
    beginResetModel();
    complete_ = first.size() < kPageRows;
    rows_ = std::move(first);
    rowIds_ = std::move(ids);
    endResetModel();
}

QList<QStringList> SubjectListModel::readPage(qint64 afterRowId, QList<qint64> &rowIds) const
{
    QStringList quoted;
    for (const Column &c : columns_)
        quoted << QuotedIdentifier(c.name);
    QString where = QStringLiteral(" WHERE rowid > ?");
    QVariantList values{afterRowId};
    if (filter_) {
        where += QStringLiteral(" AND %1 = ?").arg(QuotedIdentifier(filter_->first));
        values << filter_->second;
    }
    QSqlQuery q = connection_.run(QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY rowid LIMIT %4")
                                      .arg(quoted.join(u", "), QuotedIdentifier(SubjectTable().name), where)
                                      .arg(kPageRows),
                                  values);
    QList<QStringList> page;
    while (q.next()) {
        rowIds << q.value(0).toLongLong();
        QStringList row;
        for (int i = 0; i < columns_.size(); ++i)
            row << q.value(i + 1).toString();
        page << row;
    }
    return page;
}

int SubjectListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SubjectListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SubjectListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole)
        return rows_[index.row()][index.column()];
    if (role == Qt::ToolTipRole)
        return PlainToolTip(rows_[index.row()][index.column()]);
    return {};
}

QVariant SubjectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_[section].caption;
}

Qt::ItemFlags SubjectListModel::flags(const QModelIndex &index) const
{
    // Shown to be read: a code changed here would cut a subject off from the answers.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool SubjectListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !complete_;
}

void SubjectListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent) || inserting_)
        return; // asked again by whoever hears of the rows being added: they are not all in yet
    QList<qint64> ids;
    QList<QStringList> page;
    try {
        page = readPage(rowIds_.isEmpty() ? std::numeric_limits<qint64>::min() : rowIds_.last(), ids);
    } catch (const DataError &error) {
        complete_ = true; // asked again, it would fail again
        Q_EMIT readFailed(error.fullText());
        return;
    }
    complete_ = page.size() < kPageRows;
    if (page.isEmpty())
        return;
    const QScopedValueRollback inserting(inserting_, true);
    beginInsertRows({}, static_cast<int>(rows_.size()), static_cast<int>(rows_.size() + page.size() - 1));
    rows_ << page;
    rowIds_ << ids;
    endInsertRows();
}

} // namespace morva
