#include "records/table_view.h"

#include "records/data_error.h"

#include <QSqlQuery>

#include <utility>

namespace morva {
namespace {

QVariant Stored(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

TableView *NamedView(DataConnection &connection, const QString &table, const QString &name, QObject *parent)
{
    auto *view = new TableView(connection, table, parent);
    view->setObjectName(name);
    return view;
}

TableView::TableView(DataConnection &connection, const QString &table, QObject *parent)
    : QObject(parent), connection_(connection), schema_(SchemaOf(table))
{
    fetchFirst();
}

int TableView::rowCount() const
{
    if (!count_) {
        QSqlQuery q = connection_.run(
            QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(QuotedIdentifier(schema_.name), whereClause()),
            whereValues());
        count_ = q.next() ? q.value(0).toInt() : 0;
    }
    return *count_ + (pendingNew_ ? 1 : 0);
}

void TableView::setFilter(const QString &column, const QString &value)
{
    refetch(std::make_pair(CanonicalColumn(schema_, column), value));
}

void TableView::reload()
{
    refetch(std::nullopt);
}

void TableView::refetch(const std::optional<std::pair<QString, QString>> &filter)
{
    const auto previous = std::exchange(filter_, filter);
    try {
        fetchFirst();
    } catch (...) {
        filter_ = previous;
        throw;
    }
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

void TableView::commit()
{
    if (isBeforeFirst())
        return;
    const State saved = state();
    connection_.transact([&] {
        connection_.onRollback([this, saved] { restore(saved); });
        const QStringList columns(changed_.cbegin(), changed_.cend());
        QVariantList values;
        for (const QString &c : columns)
            values << Stored(values_.value(c));
        QStringList quoted;
        for (const QString &c : columns)
            quoted << QuotedIdentifier(c);
        if (pendingNew_) {
            const QString sql = columns.isEmpty()
                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuotedIdentifier(schema_.name))
                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(QuotedIdentifier(schema_.name), quoted.join(u", "),
                           QStringList(columns.size(), QStringLiteral("?")).join(u", "));
            QSqlQuery q = connection_.run(sql, values);
            currentId_ = q.lastInsertId().toLongLong();
            pendingNew_ = false;
            count_.reset();
        } else if (!columns.isEmpty()) {
            QStringList assignments;
            for (const QString &q : quoted)
                assignments << q + QStringLiteral(" = ?");
            values << *currentId_;
            QSqlQuery q = connection_.run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                              .arg(QuotedIdentifier(schema_.name), assignments.join(u", ")),
                                          values);
            if (q.numRowsAffected() != 1)
                throw DataError(QStringLiteral("این مورد در این فاصله (احتمالاً از پنجره‌ای دیگر) از فایل اطلاعات حذف شده "
                                               "است، از این رو تغییرات شما ذخیره نشد. لطفاً این پنجره را ببندید و "
                                               "دوباره باز کنید."));
        }
        changed_.clear();
    });
}

void TableView::persist()
{
    if (hasPendingChanges())
        commit();
}

void TableView::deleteRow()
{
    if (pendingNew_) {
        reload();
        return;
    }
    if (!currentId_)
        return;
    const State saved = state();
    connection_.transact([&] {
        // Inside a caller's transaction that is rolled back later, the row comes back: so does
        // the view's current row.
        connection_.onRollback([this, saved] { restore(saved); });
        connection_.run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QuotedIdentifier(schema_.name)),
                        {*currentId_});
        fetchFirst();
    });
}

TableView::State TableView::state() const
{
    return {currentId_, pendingNew_, values_, changed_, count_};
}

void TableView::restore(const State &saved)
{
    currentId_ = saved.currentId;
    pendingNew_ = saved.pendingNew;
    values_ = saved.values;
    changed_ = saved.changed;
    count_ = saved.count;
    Q_EMIT currentRowChanged();
}

void TableView::fetchFirst()
{
    QStringList quoted;
    for (const QString &c : schema_.columns)
        quoted << QuotedIdentifier(c);
    QSqlQuery q = connection_.run(QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY rowid LIMIT 1")
                                      .arg(quoted.join(u", "), QuotedIdentifier(schema_.name), whereClause()),
                                  whereValues());
    pendingNew_ = false;
    changed_.clear();
    values_.clear();
    count_.reset();
    currentId_.reset();
    if (q.next()) {
        currentId_ = q.value(0).toLongLong();
        for (int i = 0; i < schema_.columns.size(); ++i)
            values_.insert(schema_.columns[i], q.value(i + 1).toString());
    }
    Q_EMIT currentRowChanged();
}

QString TableView::whereClause() const
{
    return filter_ ? QStringLiteral(" WHERE %1 = ?").arg(QuotedIdentifier(filter_->first)) : QString();
}

QVariantList TableView::whereValues() const
{
    return filter_ ? QVariantList{filter_->second} : QVariantList{};
}

} // namespace morva
