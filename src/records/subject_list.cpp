#include "records/subject_list.h"

#include "common/display_text.h"
#include "common/persian_digits.h"

#include "records/data_error.h"
#include "records/subject_store.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <stdexcept>

namespace morva {
namespace {

// About two screens of a grid: the first screen is read at once, whatever the table's length.
constexpr int kPageRows = 32;

QString StateText(TestState state)
{
    switch (state) {
    case TestState::Complete:
        return QStringLiteral("کامل");
    case TestState::Incomplete:
        return QStringLiteral("ناقص");
    case TestState::NotTaken:
        break;
    }
    return QStringLiteral("اجرا نشده");
}

// The text of a column of the list for a subject.
std::function<QString(const ListedSubject &)> TextOf(const QString &column)
{
    if (column == SubjectListModel::kTestState)
        return [](const ListedSubject &l) { return StateText(l.test); };
    if (column == SubjectListModel::kLastTested)
        return [](const ListedSubject &l) {
            // Answers without any session (written by other means) were given on a day not known.
            if (!l.lastTested)
                return l.test == TestState::NotTaken ? QString() : QStringLiteral("نامعلوم");
            return l.lastTested->isEmpty() ? QStringLiteral("نامعلوم") : PersianDigits(*l.lastTested);
        };
    const auto &all = SubjectColumns();
    const auto found = std::find_if(all.begin(), all.end(), [&column](const SubjectColumn &s) { return s.name == column; });
    if (found == all.end())
        throw std::invalid_argument("no particular in column " + column.toStdString());
    return [particular = found->particular](const ListedSubject &l) { return l.subject.*particular; };
}

} // namespace

SubjectListModel::SubjectListModel(SubjectStore &store, const QList<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent), store_(store), columns_(columns)
{
    for (const Column &c : columns_)
        texts_ << TextOf(c.name);
    restart();
}

void SubjectListModel::setFilter(const SubjectFilter &filter)
{
    filter_ = filter;
    restart();
}

// The first page is read before the model is reset, so that a failing store leaves the list as
// it was.
void SubjectListModel::restart()
{
    QList<qint64> positions;
    QList<QStringList> first = readPage(std::nullopt, positions);
    beginResetModel();
    complete_ = first.size() < kPageRows;
    rows_ = std::move(first);
    positions_ = std::move(positions);
    endResetModel();
}

QList<QStringList> SubjectListModel::readPage(std::optional<qint64> after, QList<qint64> &positions) const
{
    QList<QStringList> page;
    for (const ListedSubject &listed : store_.page(filter_, after, kPageRows)) {
        positions << listed.position;
        QStringList row;
        for (const auto &text : texts_)
            row << text(listed);
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
        page = readPage(positions_.isEmpty() ? std::nullopt : std::optional<qint64>(positions_.last()), ids);
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
    positions_ << ids;
    endInsertRows();
}

} // namespace morva
