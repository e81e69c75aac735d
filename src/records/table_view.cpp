#include "records/table_view.h"

#include "records/columns.h"
#include "records/schema.h"
#include "records/subject_store.h"

#include <stdexcept>

namespace morva {
namespace {

SubjectFilter FilterOf(const std::optional<std::pair<QString, QString>> &filter)
{
    if (!filter)
        return SubjectFilter::All();
    const QString &column = filter->first;
    const QString &value = filter->second;
    if (column == column::Code)
        return {SubjectFilter::Field::Code, value};
    if (column == column::Group)
        return {SubjectFilter::Field::Group, value};
    if (column == column::FName)
        return {SubjectFilter::Field::FirstName, value};
    if (column == column::LName)
        return {SubjectFilter::Field::LastName, value};
    throw std::invalid_argument("no filter on column " + column.toStdString());
}

} // namespace

TableView *NamedView(SubjectStore &store, const QString &table, const QString &name, QObject *parent)
{
    auto *view = new TableView(store, table, parent);
    view->setObjectName(name);
    return view;
}

TableView::TableView(SubjectStore &store, const QString &table, QObject *parent)
    : QObject(parent), store_(store), schema_(SchemaOf(table))
{
    fetchFirst(std::nullopt);
}

qint64 TableView::rowCount() const
{
    return store_.rowCount(schema_.name, FilterOf(filter_)) + (pendingNew_ ? 1 : 0);
}

void TableView::setFilter(const QString &column, const QString &value)
{
    fetchFirst(std::make_pair(CanonicalColumn(schema_, column), value));
}

void TableView::reload()
{
    fetchFirst(std::nullopt);
}

void TableView::addRow()
{
    pendingNew_ = true;
    values_.clear();
    changed_.clear();
    Q_EMIT currentRowChanged();
}

QString TableView::field(const QString &column) const
{
    return values_.value(CanonicalColumn(schema_, column));
}

void TableView::setField(const QString &column, const QString &value)
{
    const QString name = CanonicalColumn(schema_, column);
    if (isBeforeFirst() || values_.value(name) == value)
        return;
    values_.insert(name, value);
    changed_.insert(name);
}

// The row is read before anything changes, so that a failing store leaves the view as it was.
void TableView::fetchFirst(const std::optional<std::pair<QString, QString>> &filter)
{
    auto first = store_.firstRow(schema_.name, FilterOf(filter));
    filter_ = filter;
    current_ = std::move(first);
    pendingNew_ = false;
    changed_.clear();
    values_ = current_.value_or(QHash<QString, QString>());
    Q_EMIT currentRowChanged();
}

} // namespace morva
