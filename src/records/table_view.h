#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

#include <optional>

namespace morva {

class SubjectStore;
struct TableSchema;

// A window's view of one table of the subjects (IDE or Answer): at any moment it has at most one
// current row, the first row (in the order rows were added) that passes its filter, held in
// memory with the edits made to it, or a pending new row that exists only in memory until the
// window hands it to the store. Rows written elsewhere are seen after reload() or setFilter().
//
// Filters compare one column (Code, Group, FName or LName) with a value as plain text, exactly
// (letter case, blanks and punctuation count).
//
// Every failure of the store throws DataError; the view is then as it was before the call.
class TableView : public QObject {
    Q_OBJECT

public:
    TableView(SubjectStore &store, const QString &table, QObject *parent = nullptr);

    const TableSchema &table() const { return schema_; }

    // Rows under the filter, a pending new row included.
    qint64 rowCount() const;
    // Whether rowCount() would be non-zero, without counting.
    bool hasRows() const { return !isBeforeFirst(); }
    // True when there is no current row.
    bool isBeforeFirst() const { return !current_ && !pendingNew_; }

    // Keeps the rows whose column equals value; the first of them becomes current.
    // Discards a pending new row and unsaved edits, as reload() does.
    void setFilter(const QString &column, const QString &value);
    // Drops the filter and any pending row or edit; the first row of the table becomes current.
    void reload();

    // Starts a pending new row with every column empty and makes it current.
    void addRow();
    QString field(const QString &column) const;
    // Edits the current row in memory.
    void setField(const QString &column, const QString &value);
    bool hasPendingChanges() const { return pendingNew_ || !changed_.isEmpty(); }

Q_SIGNALS:
    // The current row was replaced, or its values were reset.
    void currentRowChanged();

private:
    void fetchFirst(const std::optional<std::pair<QString, QString>> &filter);

    SubjectStore &store_;
    const TableSchema &schema_;
    std::optional<std::pair<QString, QString>> filter_; // column, value
    std::optional<QHash<QString, QString>> current_;
    bool pendingNew_ = false;
    QHash<QString, QString> values_;
    QSet<QString> changed_;
};

// A view its window knows by name (Adodc2, Adodc3...), owned by parent.
TableView *NamedView(SubjectStore &store, const QString &table, const QString &name, QObject *parent);

} // namespace morva
