#pragma once

#include "records/subject.h"
#include "records/subject_filter.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <optional>

namespace morva {

class SubjectStore;
struct ListedSubject;

// A read-only list of the subjects of table IDE, in table order, for a grid: some of their
// columns, each with its caption; only those columns are read. Rows are read from the file a
// page at a time as the grid asks for more (a long table is never copied into memory at once).
// The list can keep only the subjects whose column equals a value exactly (letter case, blanks
// and punctuation count). The file's failures throw DataError, except while the grid asks for
// more rows (from Qt's event loop): then the list stops growing, keeps the rows it has, and
// reports the failure once through readFailed().
class SubjectListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Column {
        QString name;    // column of IDE, or one of the two below
        QString caption; // shown in the header
    };
    // How far the subject's test has come, and the date of its latest administration.
    static inline const QString kTestState = QStringLiteral("TestState");
    static inline const QString kLastTested = QStringLiteral("LastTested");

    SubjectListModel(SubjectStore &store, const QList<Column> &columns, QObject *parent = nullptr);

    // Keeps the subjects that pass the filter, read afresh from the store; the list starts again
    // from its first row.
    void setFilter(const SubjectFilter &filter);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

Q_SIGNALS:
    // Reading more rows failed: the whole text of the failure, in Persian.
    void readFailed(const QString &text);

private:
    void restart();
    QList<QStringList> readPage(std::optional<qint64> after, QList<qint64> &positions) const;

    SubjectStore &store_;
    QList<Column> columns_;
    QList<std::function<QString(const ListedSubject &)>> texts_; // of the columns
    SubjectFilter filter_;
    QList<QStringList> rows_; // the shown columns, in table order
    QList<qint64> positions_;
    bool complete_ = false;
    bool inserting_ = false; // a page is being added
};

} // namespace morva
