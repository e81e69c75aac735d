#pragma once

#include "records/subject_store.h"

#include <memory>

namespace morva {

class DataConnection;

// The desk's subjects file (DB/DB2.mdb): the tables IDE and Answer of an SQLite file, reached
// through one connection that the store keeps open, and closes only while the file itself is
// copied or replaced.
class SqliteSubjectStore final : public SubjectStore {
public:
    // The file at path, prepared: created when missing, checked, brought to this program's
    // version. Throws DataError.
    explicit SqliteSubjectStore(const QString &path);
    ~SqliteSubjectStore() override;

    QString path() const { return path_; }

    QString shownName() const override;
    bool codeTaken(const QString &code) override;
    Registration registerSubject(const Subject &subject) override;
    SubjectWithAnswers read(const QString &code) override;
    bool anyAnswers() override;
    void saveAnswers(const QString &code, qint64 answerRow, const AnswerSheet &answers) override;
    bool deleteSubject(const QString &code) override;
    qint64 count(const SubjectFilter &filter) override;
    QList<ListedSubject> page(const SubjectFilter &filter, std::optional<qint64> after, int limit) override;
    void forEach(const SubjectFilter &filter, const std::function<bool(const SubjectWithAnswers &)> &visit) override;
    QStringList distinctNames(SubjectFilter::Field field) override;
    std::optional<QHash<QString, QString>> firstRow(const QString &table, const SubjectFilter &filter) override;
    qint64 rowCount(const QString &table, const SubjectFilter &filter) override;
    std::optional<QString> backupTo(const QString &path, const BetweenChunks &progress) override;
    RestoreOutcome restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                               const BetweenChunks &progress) override;

private:
    DataConnection &db();

    QString path_;
    std::unique_ptr<DataConnection> db_;
};

} // namespace morva
