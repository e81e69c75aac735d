#pragma once

#include "records/data_connection.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <optional>

namespace morva {

// A window's view of one table: at any moment it has at most one current row, the first row
// (in the order rows were added) that matches its filter, held in memory with the edits made
// to it. Rows written elsewhere are seen after reload() or setFilter(). A view never reads more
// of the table than it needs: a filter on Code goes through the table's index, and opening a
// view reads a single row.
//
// Filters compare one column with a value as plain text, exactly (letter case, blanks and
// punctuation count), through bound parameters.
//
// Every failure of the file throws DataError; the view is then as it was before the call.
class TableView : public QObject {
    Q_OBJECT

public:
    TableView(DataConnection &connection, const QString &table, QObject *parent = nullptr);

    const TableSchema &table() const { return schema_; }
    DataConnection &connection() const { return connection_; }

    // Rows under the filter, a pending new row included.
    int rowCount() const;
    // Whether rowCount() would be non-zero, without counting.
    bool hasRows() const { return !isBeforeFirst(); }
    // True when there is no current row.
    bool isBeforeFirst() const { return !currentId_ && !pendingNew_; }

    // Keeps the rows whose column equals value; the first of them becomes current.
    // Discards a pending new row and unsaved edits, as reload() does.
    void setFilter(const QString &column, const QString &value);
    // Drops the filter and any pending row or edit; the first row of the table becomes current.
    void reload();

    // Starts a pending new row with every column empty and makes it current.
    void addRow();
    QString field(const QString &column) const;
    // Edits the current row in memory; an empty text is stored as no value (NULL).
    void setField(const QString &column, const QString &value);
    bool hasPendingChanges() const { return pendingNew_ || !changed_.isEmpty(); }

    // Writes the current row (new or changed) to the file in one transaction, or joins the
    // transaction the caller has opened on the same connection.
    void commit();
    // Writes out whatever is pending; same effect as commit(), nothing when nothing is pending.
    void persist();
    // Deletes the current row from the file; the next matching row becomes current.
    void deleteRow();

Q_SIGNALS:
    // The current row was replaced, or its values were reset from the file.
    void currentRowChanged();

private:
    struct State {
        std::optional<qint64> currentId;
        bool pendingNew = false;
        QHash<QString, QString> values;
        QSet<QString> changed;
        std::optional<int> count;
    };
    State state() const;
    void restore(const State &saved);
    void refetch(const std::optional<std::pair<QString, QString>> &filter);
    void fetchFirst();
    QString whereClause() const;
    QVariantList whereValues() const;

    DataConnection &connection_;
    const TableSchema &schema_;
    std::optional<std::pair<QString, QString>> filter_; // column, value
    std::optional<qint64> currentId_;
    bool pendingNew_ = false;
    QHash<QString, QString> values_;
    QSet<QString> changed_;
    mutable std::optional<int> count_;
};

// A view its window knows by name (Adodc1, Adodc2...), owned by parent.
TableView *NamedView(DataConnection &connection, const QString &table, const QString &name, QObject *parent);

} // namespace morva
