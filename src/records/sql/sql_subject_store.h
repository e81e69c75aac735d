#pragma once

#include "records/subject_store.h"

namespace morva {

class SqlConnection;

// What every store of subjects in SQL tables does alike, in the SQL that SQLite and PostgreSQL both
// speak: the tables IDE and Answer, each row numbered in column ID in the order rows were added.
// A store of a kind gives its connection and what differs: where the subjects are, how a code is
// kept from being registered twice at once, how a text's bytes are counted, and how the whole
// store is copied.
class SqlSubjectStore : public SubjectStore {
public:
    bool codeTaken(const QString &code) override;
    Registration registerSubject(const Subject &subject) override;
    SubjectWithAnswers read(const QString &code) override;
    bool anyAnswers() override;
    void saveAnswers(const QString &code, qint64 answerRow, const AnswerSheet &answers,
                     const Administration &when) override;
    QList<TestSession> sessions(const QString &code) override;
    bool deleteSubject(const QString &code) override;
    qint64 count(const SubjectFilter &filter) override;
    QList<ListedSubject> page(const SubjectFilter &filter, std::optional<qint64> after, int limit) override;
    void forEach(const SubjectFilter &filter, const std::function<bool(const SubjectTexts &)> &visit) override;
    SubjectsOutline outline(const SubjectFilter &filter, const QList<QString Subject::*> &valuesOf) override;
    void forEachSession(const SubjectFilter &filter, const std::function<bool(const SessionTexts &)> &visit) override;
    SessionsOutline sessionsOutline(const SubjectFilter &filter) override;
    void readTogether(const std::function<void()> &work) override;
    QStringList distinctNames(SubjectFilter::Field field) override;
    std::optional<QHash<QString, QString>> firstRow(const QString &table, const SubjectFilter &filter) override;
    qint64 rowCount(const QString &table, const SubjectFilter &filter) override;

protected:
    virtual SqlConnection &db() = 0;
    // Inside the registration's transaction, before the code is looked up: keeps another
    // registration of the same code from passing the same look-up at the same time.
    virtual void holdCode(const QString &code);
    // First in a transaction that only reads: makes its reads see one moment of the data, where
    // the engine does not do so by itself.
    virtual void readOneMoment();
    // The engine's SQL for the length of a text in UTF-8 bytes.
    virtual QString utf8Length(const QString &expression) const = 0;

private:
    // Whether the query finds any row.
    bool anyRow(const QString &sql, const QVariantList &values = {});
};

} // namespace morva
