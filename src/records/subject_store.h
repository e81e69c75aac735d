#pragma once

#include "common/database_copy.h"
#include "records/answer_sheet.h"
#include "records/subject.h"
#include "records/subject_filter.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <span>

namespace morva {

// A subject as the store keeps it: a subject is its first subject row and the first answer row
// under the same code, in the order rows were added; an old file may hold only one of the two.
struct SubjectWithAnswers {
    std::optional<Subject> subject;
    std::optional<AnswerSheet> answers;
    qint64 answerRow = 0; // which answer row holds the answers, for saving them back
};

// When an administration of the test took place: the test window opened on the subject, and the
// answers were saved.
struct Administration {
    QDateTime started;
    QDateTime saved;
};

// One administration of the test as the store keeps it. Sessions kept before their dates were
// recorded have an empty date and invalid moments.
struct TestSession {
    int number = 0;        // 1 for the subject's first
    QString date;          // the day of the save as the program shows dates: 1403/05/09
    Administration when;
    AnswerSheet answers;
};

// A subject's texts as the store keeps them, in UTF-8, for reading many subjects fast. A missing
// value is a null view. The views hold only while the subject is visited.
struct SubjectTexts {
    std::span<const QByteArrayView> particulars; // in the order of SubjectColumns()
    std::span<const QByteArrayView> answers;     // item 1 first; none when the subject has no answer row
};

// A session of a subject as the store keeps it, in UTF-8, for reading many sessions fast. The
// views hold only while the session is visited.
struct SessionTexts {
    std::span<const QByteArrayView> particulars; // the subject's, in the order of SubjectColumns()
    QByteArrayView number;                       // "1" for the subject's first session
    QByteArrayView date;                         // as TestSession::date: empty when unknown
    std::span<const QByteArrayView> answers;     // item 1 first
};

// What a file must know of the subjects that pass a filter before it holds the first of them.
struct SubjectsOutline {
    qint64 subjects = 0;
    QList<qsizetype> longest; // each particular's longest text in UTF-8 bytes, in the order of SubjectColumns()
    // For each particular asked for, in the order asked: its texts, each once, in the order of the
    // first subject that has it; empty texts left out.
    QList<QStringList> values;
};

// What a file must know of the sessions of the subjects that pass a filter before it holds the
// first of them.
struct SessionsOutline {
    qint64 sessions = 0;
    qsizetype longestDate = 0; // in UTF-8 bytes
};

// A row of a subjects list: the subject and where it stands in the store's order.
struct ListedSubject {
    qint64 position = 0; // rising in the order subjects were registered
    Subject subject;
    TestState test = TestState::NotTaken;
    // The date of the latest session: empty when it is unknown, nothing when there is none.
    std::optional<QString> lastTested;
};

// How a restore ended, and the words for why it stopped.
struct RestoreOutcome {
    enum class Stop {
        None,       // the backup holds the subjects now
        StoreBusy,  // the subjects could not be set aside for the restore: nothing was done
        NotABackup, // the chosen file is no whole subjects file: nothing was done
        NotKept,    // the subjects in the store could not be kept: nothing was restored
        NotCopied,  // the backup could not be put in place: the subjects are as they were
    };
    Stop stop = Stop::None;
    QString why; // Persian for the first three, the system's words for the last two
};

// Where the subjects and their answers are kept: the desk's subjects file, or a clinic's shared
// server. Every window reaches the subjects through here; each call is whole or leaves the store as
// it was, and a failure throws DataError with the user's words.
class SubjectStore {
public:
    virtual ~SubjectStore() = default;

    // Where the subjects are, as a Persian sentence names it: a file's path, a server.
    virtual QString shownName() const = 0;

    // Registration: whether a subject has the code; a new subject with every answer empty, both
    // in one step, refused when the code is taken by then (in another room of the clinic too).
    virtual bool codeTaken(const QString &code) = 0;
    enum class Registration { Registered, CodeTaken };
    virtual Registration registerSubject(const Subject &subject) = 0;

    // A subject and the answers under the code.
    virtual SubjectWithAnswers read(const QString &code) = 0;
    // Whether any subject has answers (the main window's test, scoring and lookup commands).
    virtual bool anyAnswers() = 0;
    // Replaces the answers that read() found in answerRow and, in the same step, keeps them as the
    // subject's next session, unless nothing is answered or they are the latest session's answers
    // unchanged. Throws DataError, writing nothing, when the subject was deleted meanwhile (from
    // another window or room).
    virtual void saveAnswers(const QString &code, qint64 answerRow, const AnswerSheet &answers,
                             const Administration &when) = 0;
    // The subject's sessions, the first first.
    virtual QList<TestSession> sessions(const QString &code) = 0;
    // Deletes the subject with its answers and sessions; false when the code has neither.
    virtual bool deleteSubject(const QString &code) = 0;

    // The subjects that pass the filter, in the order they were registered.
    virtual qint64 count(const SubjectFilter &filter) = 0;
    // Up to limit of them after the one at position (none: from the first).
    virtual QList<ListedSubject> page(const SubjectFilter &filter, std::optional<qint64> after, int limit) = 0;
    // Each one with its answers, as stored texts, one at a time, until visit returns false; memory
    // stays the same however many there are.
    virtual void forEach(const SubjectFilter &filter, const std::function<bool(const SubjectTexts &)> &visit) = 0;
    // How many of them there are, how long their texts are and which values the particulars asked
    // for take, without reading them one by one.
    virtual SubjectsOutline outline(const SubjectFilter &filter, const QList<QString Subject::*> &valuesOf) = 0;
    // Each session of each of them with the subject's particulars, subject by subject in the order
    // they were registered and each subject's sessions the first first, until visit returns false;
    // a subject without a session is passed over. Memory stays the same however many there are.
    virtual void forEachSession(const SubjectFilter &filter,
                                const std::function<bool(const SessionTexts &)> &visit) = 0;
    // How many sessions forEachSession() visits and how long their dates are, without reading them.
    virtual SessionsOutline sessionsOutline(const SubjectFilter &filter) = 0;
    // Runs work with each of its reads seeing the subjects as they stood when it began, whatever
    // other windows or rooms write meanwhile.
    virtual void readTogether(const std::function<void()> &work) = 0;
    // Each first (or last) name once, in Persian alphabetical order; empty names left out.
    virtual QStringList distinctNames(SubjectFilter::Field field) = 0;

    // The first row of a table (IDE or Answer) that passes the filter, by column; the number of
    // rows that do. For the views of the main window.
    virtual std::optional<QHash<QString, QString>> firstRow(const QString &table, const SubjectFilter &filter) = 0;
    virtual qint64 rowCount(const QString &table, const SubjectFilter &filter) = 0;

    // The whole store as a subjects file at path, written whole or not at all.
    std::optional<QString> backupTo(const QString &path, const BetweenChunks &progress)
    {
        return backupTo(path, progress, CopyDatabaseFile);
    }
    // The same, the subjects file handed to write, which makes the backup at path of it (a byte
    // copy, or an encrypted one).
    virtual std::optional<QString> backupTo(const QString &path, const BetweenChunks &progress,
                                            const BackupWriter &write) = 0;
    // Replaces every subject with those of the subjects file at backup, after keeping the present
    // ones whole as a subjects file at kept. advice follows the sentence that refuses a backup.
    virtual RestoreOutcome restoreFrom(const QString &backup, const QString &kept, const QString &advice,
                                       const BetweenChunks &progress) = 0;
};

// How many subjects a backup (a subjects file, whatever store made it) holds; nothing when it
// cannot be read.
std::optional<qint64> SubjectsInBackup(const QString &path);

} // namespace morva
