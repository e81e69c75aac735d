// What every subject store promises the windows, whatever keeps the subjects: the desk's file or a
// clinic's server. Built once for each kind of store, with its own NewStoreUnderTest().
#include "backup/encrypted_backup.h"
#include "records/data_error.h"
#include "records/sqlite/subjects_file.h"
#include "store/store_under_test.h"

#include <QDir>
#include <QTest>

using namespace morva;
using namespace morva::testing;

namespace {

Subject Particulars(const QString &code, const QString &first = QStringLiteral("سارا"),
                    const QString &group = QStringLiteral("A"))
{
    return {code, first, QStringLiteral("احمدی"), QStringLiteral("34"), QStringLiteral("کارشناسی ارشد"),
            QStringLiteral("1403/05/09"), QStringLiteral("10:00:00"), QStringLiteral("زن"), QStringLiteral("متأهل"),
            QStringLiteral("علی"), group};
}

// An administration that began at ten on the given day of December 2026 and was saved at half past.
Administration OnDay(int day)
{
    const QDate date(2026, 12, day);
    return {QDateTime(date, QTime(10, 0)), QDateTime(date, QTime(10, 30))};
}

AnswerSheet AllAnswered(int digit)
{
    return AnswerSheet(QStringList(45, QString::number(digit)));
}

QStringList Codes(const QList<ListedSubject> &listed)
{
    QStringList codes;
    for (const ListedSubject &l : listed)
        codes << l.subject.code;
    return codes;
}

QStringList Codes(SubjectStore &store, const SubjectFilter &filter)
{
    QStringList codes;
    store.forEach(filter, [&](const SubjectTexts &s) {
        codes << QString::fromUtf8(s.particulars[ColumnOf(&Subject::code)]);
        return true;
    });
    return codes;
}

} // namespace

class SubjectStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        try {
            under_ = NewStoreUnderTest();
        } catch (const DataError &e) {
            QFAIL(qPrintable(e.fullText()));
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
    }
    void cleanup() { under_.reset(); }
    void registrationKeepsEachCodeOnce();
    void answersAreSavedWholeAndNotIntoADeletedSubject();
    void deletionTakesTheSubjectWithItsAnswers();
    void eachAdministrationIsKeptWithItsDate();
    void sessionsAreReadSubjectBySubject();
    void listsFollowTheFilterExactly();
    void backupAndRestoreKeepEverySubject();

private:
    SubjectStore &store() { return under_->store(); }
    std::unique_ptr<StoreUnderTest> under_;
};

// A subject is registered with every answer empty; a code that is taken is refused, and nothing is
// written for it. Texts of every kind come back as they were given.
void SubjectStoreTest::registrationKeepsEachCodeOnce()
{
    QVERIFY(!store().anyAnswers());
    QCOMPARE(store().read(QStringLiteral("K-1")).subject, std::nullopt);
    const Subject odd{QStringLiteral("X:O'Neil\"; DROP TABLE IDE;--"), QStringLiteral("<img src=\"/dev/zero\">"),
                      QStringLiteral("مریم "), QStringLiteral("۴۲"), QString(40000, u'ب'), QStringLiteral("1403/05/09"),
                      QStringLiteral("10:00:00"), QStringLiteral("زن"), QStringLiteral("بيوه"), QStringLiteral("50%_x"),
                      QStringLiteral("G")};
    for (const Subject &s : {Particulars(QStringLiteral("K-1")), odd})
        QCOMPARE(store().registerSubject(s), SubjectStore::Registration::Registered);
    QVERIFY(store().codeTaken(odd.code));
    QVERIFY(!store().codeTaken(QStringLiteral("k-1"))); // letter case counts
    QCOMPARE(store().registerSubject(Particulars(QStringLiteral("K-1"), QStringLiteral("دوم"))),
             SubjectStore::Registration::CodeTaken);
    QCOMPARE(store().count(SubjectFilter::All()), 2);
    QCOMPARE(store().rowCount(QStringLiteral("Answer"), SubjectFilter::All()), 2);

    const SubjectWithAnswers read = store().read(odd.code);
    QCOMPARE(read.subject, std::optional<Subject>(odd));
    QVERIFY(read.answers);
    QCOMPARE(read.answers->unanswered().size(), 45);
    QCOMPARE(store().read(QStringLiteral("K-1")).subject->firstName, QStringLiteral("سارا"));
    QVERIFY(store().anyAnswers());
}

// The answers go back whole, as given; a subject deleted meanwhile takes none of them.
void SubjectStoreTest::answersAreSavedWholeAndNotIntoADeletedSubject()
{
    store().registerSubject(Particulars(QStringLiteral("K-1")));
    store().registerSubject(Particulars(QStringLiteral("K-2")));
    SubjectWithAnswers k1 = store().read(QStringLiteral("K-1"));
    QStringList given;
    for (int item = 1; item <= 45; ++item)
        given << (item == 3 ? QString() : item == 4 ? QStringLiteral("۷") : QString::number(item % 9 + 1));
    store().saveAnswers(QStringLiteral("K-1"), k1.answerRow, AnswerSheet(given), OnDay(1));
    QCOMPARE(store().read(QStringLiteral("K-1")).answers->storedTexts(), given);
    QCOMPARE(store().read(QStringLiteral("K-2")).answers->unanswered().size(), 45);

    // Deleted in another window, then registered again under the same code: the answers of the
    // sitting that began before go nowhere.
    const SubjectWithAnswers k2 = store().read(QStringLiteral("K-2"));
    QVERIFY(store().deleteSubject(QStringLiteral("K-2")));
    store().registerSubject(Particulars(QStringLiteral("K-2"), QStringLiteral("تازه")));
    QVERIFY_THROWS_EXCEPTION(SubjectGone, store().saveAnswers(QStringLiteral("K-2"), k2.answerRow, AnswerSheet(given), OnDay(2)));
    QCOMPARE(store().read(QStringLiteral("K-2")).answers->unanswered().size(), 45);
}

void SubjectStoreTest::deletionTakesTheSubjectWithItsAnswers()
{
    for (const QString code : {"K-1", "K-2", "K-3"})
        store().registerSubject(Particulars(code));
    QVERIFY(store().deleteSubject(QStringLiteral("K-2")));
    QCOMPARE(store().read(QStringLiteral("K-2")).subject, std::nullopt);
    QCOMPARE(store().read(QStringLiteral("K-2")).answers, std::nullopt);
    QCOMPARE(store().count(SubjectFilter::All()), 2);
    QCOMPARE(store().rowCount(QStringLiteral("Answer"), SubjectFilter::All()), 2);
    QVERIFY(!store().deleteSubject(QStringLiteral("K-2")));
    QVERIFY(!store().deleteSubject(QStringLiteral("k-1")));
    QCOMPARE(Codes(store(), SubjectFilter::All()), QStringList({"K-1", "K-3"}));
}

// Each save that changes the answers is a session of its own, numbered and dated; the list shows
// how far the test came and when it was last given; deletion takes the sessions too.
void SubjectStoreTest::eachAdministrationIsKeptWithItsDate()
{
    const QString code = QStringLiteral("R-1");
    store().registerSubject(Particulars(code));
    store().registerSubject(Particulars(QStringLiteral("R-2")));
    const qint64 row = store().read(code).answerRow;
    AnswerSheet half = AllAnswered(2);
    half.set(45, {});
    store().saveAnswers(code, row, half, OnDay(1));
    store().saveAnswers(code, row, AllAnswered(5), OnDay(8));
    store().saveAnswers(code, row, AllAnswered(5), OnDay(9)); // nothing changed: no session
    store().saveAnswers(code, row, AllAnswered(8), OnDay(29));

    const QList<TestSession> kept = store().sessions(code);
    QCOMPARE(kept.size(), 3);
    QCOMPARE(kept[0].number, 1);
    QCOMPARE(kept[2].number, 3);
    QCOMPARE(kept[0].answers, half);
    QCOMPARE(kept[1].answers, AllAnswered(5));
    QCOMPARE(kept[1].date, QStringLiteral("1405/09/17"));
    QCOMPARE(kept[2].when.started, OnDay(29).started);
    QCOMPARE(kept[2].when.saved, OnDay(29).saved);
    QCOMPARE(store().read(code).answers, AllAnswered(8));

    const QList<ListedSubject> listed = store().page(SubjectFilter::All(), std::nullopt, 32);
    QCOMPARE(listed[0].test, TestState::Complete);
    QCOMPARE(listed[0].lastTested, std::optional<QString>(QStringLiteral("1405/10/08")));
    QCOMPARE(listed[1].test, TestState::NotTaken);
    QCOMPARE(listed[1].lastTested, std::nullopt);

    QVERIFY(store().deleteSubject(code));
    store().registerSubject(Particulars(code, QStringLiteral("تازه")));
    QVERIFY(store().sessions(code).isEmpty());
}

// The stream of sessions goes subject by subject in the order of registration, each subject's
// sessions the first first, whatever order they were saved in; a subject never tested is passed
// over, and the outline counts what the stream holds.
void SubjectStoreTest::sessionsAreReadSubjectBySubject()
{
    for (const QString code : {"R-1", "R-2"})
        store().registerSubject(Particulars(code));
    store().registerSubject(Particulars(QStringLiteral("R-3"), QStringLiteral("مریم"), QStringLiteral("B")));
    const auto save = [&](const QString &code, int digit, int day) {
        store().saveAnswers(code, store().read(code).answerRow, AllAnswered(digit), OnDay(day));
    };
    save(QStringLiteral("R-1"), 2, 1);
    save(QStringLiteral("R-3"), 7, 2);
    save(QStringLiteral("R-1"), 5, 8);
    save(QStringLiteral("R-1"), 8, 29);

    const auto sessions = [&](const SubjectFilter &filter, int atMost = 100) {
        QStringList read;
        store().forEachSession(filter, [&](const SessionTexts &s) {
            QStringList texts{QString::fromUtf8(s.particulars[ColumnOf(&Subject::code)]),
                              QString::fromUtf8(s.particulars[ColumnOf(&Subject::firstName)]),
                              QString::fromUtf8(s.number), QString::fromUtf8(s.date)};
            for (const QByteArrayView answer : {s.answers.front(), s.answers.back()})
                texts << QString::fromUtf8(answer);
            read << texts.join(u' ');
            return read.size() < atMost;
        });
        return read;
    };
    QCOMPARE(sessions(SubjectFilter::All()),
             QStringList({"R-1 سارا 1 1405/09/10 2 2", "R-1 سارا 2 1405/09/17 5 5", "R-1 سارا 3 1405/10/08 8 8",
                          "R-3 مریم 1 1405/09/11 7 7"}));
    QCOMPARE(sessions({SubjectFilter::Field::Group, QStringLiteral("B")}), QStringList{"R-3 مریم 1 1405/09/11 7 7"});
    QCOMPARE(sessions({SubjectFilter::Field::Code, QStringLiteral("R-2")}), QStringList());
    QCOMPARE(sessions(SubjectFilter::All(), 1).size(), 1);

    const SessionsOutline all = store().sessionsOutline(SubjectFilter::All());
    QCOMPARE(all.sessions, 4);
    QCOMPARE(all.longestDate, 10);
    QCOMPARE(store().sessionsOutline({SubjectFilter::Field::FirstName, QStringLiteral("سارا")}).sessions, 3);
    const SessionsOutline none = store().sessionsOutline({SubjectFilter::Field::Code, QStringLiteral("R-2")});
    QCOMPARE(none.sessions, 0);
    QCOMPARE(none.longestDate, 0);
}

// Filters compare whole values exactly; pages and the stream keep the order of registration;
// names are listed once each, in Persian order.
void SubjectStoreTest::listsFollowTheFilterExactly()
{
    const QStringList firsts{"مریم", "علی", "مریم ", "سارا", "آرش", "علی", "O'Neil", "بهار"};
    for (int i = 0; i < 70; ++i)
        store().registerSubject(Particulars(QStringLiteral("C%1").arg(i), firsts[i % firsts.size()],
                                            QString(QChar(u'A' + i % 7))));
    QCOMPARE(store().count({SubjectFilter::Field::FirstName, QStringLiteral("مریم")}), 9);
    QCOMPARE(store().count({SubjectFilter::Field::FirstName, QStringLiteral("O'Neil")}), 8);
    QCOMPARE(store().count({SubjectFilter::Field::Group, QStringLiteral("a")}), 0);
    QCOMPARE(Codes(store(), {SubjectFilter::Field::Code, QStringLiteral("C7")}), QStringList{"C7"});
    QCOMPARE(Codes(store(), {SubjectFilter::Field::Group, QStringLiteral("B")}).first(3),
             QStringList({"C1", "C8", "C15"}));

    QStringList paged;
    std::optional<qint64> after;
    for (QList<ListedSubject> page; !(page = store().page(SubjectFilter::All(), after, 32)).isEmpty();) {
        paged << Codes(page);
        after = page.constLast().position;
    }
    QCOMPARE(paged, Codes(store(), SubjectFilter::All()));
    QCOMPARE(paged.size(), 70);

    // A reading stopped after its first row, or by its reader's failure, leaves the store free.
    int seen = 0;
    store().forEach(SubjectFilter::All(), [&](const SubjectTexts &) { return ++seen < 1; });
    QCOMPARE(seen, 1);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, store().forEach(SubjectFilter::All(), [](const SubjectTexts &) -> bool {
        throw std::runtime_error("the export's disk is full");
    }));
    QCOMPARE(store().count(SubjectFilter::All()), 70);

    QCOMPARE(store().distinctNames(SubjectFilter::Field::FirstName),
             QStringList({"آرش", "بهار", "سارا", "علی", "مریم", "مریم ", "O'Neil"}));
    QCOMPARE(store().distinctNames(SubjectFilter::Field::LastName), QStringList{"احمدی"});
    QCOMPARE(store().firstRow(QStringLiteral("IDE"), {SubjectFilter::Field::Group, QStringLiteral("C")})->value("Code"),
             QStringLiteral("C2"));
}

// A backup is a subjects file with every subject, plain or encrypted; a restore puts it back whole
// and keeps what it replaces.
void SubjectStoreTest::backupAndRestoreKeepEverySubject()
{
    for (const QString code : {"K-1", "K-2"})
        store().registerSubject(Particulars(code));
    SubjectWithAnswers k1 = store().read(QStringLiteral("K-1"));
    store().saveAnswers(QStringLiteral("K-1"), k1.answerRow, AllAnswered(6), OnDay(1));
    const QString backup = QDir(under_->folder()).filePath(QStringLiteral("backup.mdbB"));
    QCOMPARE(store().backupTo(backup, {}), std::nullopt);
    QCOMPARE(CheckSubjectsFile(backup), std::nullopt);
    QCOMPARE(SubjectsInBackup(backup), std::optional<qint64>(2));

    store().registerSubject(Particulars(QStringLiteral("K-3")));
    QVERIFY(store().deleteSubject(QStringLiteral("K-1")));
    const QString kept = QDir(under_->folder()).filePath(QStringLiteral("kept.mdbB"));
    const RestoreOutcome restored = store().restoreFrom(backup, kept, {}, {});
    QCOMPARE(int(restored.stop), int(RestoreOutcome::Stop::None));
    QCOMPARE(Codes(store(), SubjectFilter::All()), QStringList({"K-1", "K-2"}));
    QCOMPARE(store().read(QStringLiteral("K-1")).answers->storedTexts(), QStringList(45, QStringLiteral("6")));
    QCOMPARE(store().sessions(QStringLiteral("K-1")).size(), 1);
    QCOMPARE(SubjectsInBackup(kept), std::optional<qint64>(2)); // K-2 and K-3, as the store held them
    store().registerSubject(Particulars(QStringLiteral("K-9")));
    QCOMPARE(SubjectsInBackup(kept), std::optional<qint64>(2)); // kept apart from the store's later work
    QVERIFY(store().deleteSubject(QStringLiteral("K-9")));

    const QString garbage = QDir(under_->folder()).filePath(QStringLiteral("garbage.mdbB"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a subjects file") > 0);
    file.close();
    const RestoreOutcome refused = store().restoreFrom(garbage, kept + QStringLiteral("2"), {}, {});
    QCOMPARE(int(refused.stop), int(RestoreOutcome::Stop::NotABackup));
    QCOMPARE(store().count(SubjectFilter::All()), 2);

    // Encrypted, then restored from what it decrypts to.
    const QString sealed = QDir(under_->folder()).filePath(QStringLiteral("backup.mdbE"));
    const Passphrase passphrase(QStringLiteral("کلید کلینیک ۱۴۰۳"));
    QCOMPARE(store().backupTo(sealed, {}, EncryptingWriter(passphrase)), std::nullopt);
    QVERIFY(IsEncryptedBackup(sealed));
    QVERIFY(CheckSubjectsFile(sealed).has_value());
    store().registerSubject(Particulars(QStringLiteral("K-4")));
    DecryptedBackup decrypted;
    QCOMPARE(int(decrypted.open(sealed, passphrase, {}).stop), int(RestoreOutcome::Stop::None));
    QCOMPARE(int(store().restoreFrom(decrypted.path(), kept + QStringLiteral("3"), {}, {}).stop),
             int(RestoreOutcome::Stop::None));
    QCOMPARE(Codes(store(), SubjectFilter::All()), QStringList({"K-1", "K-2"}));
    QCOMPARE(store().read(QStringLiteral("K-1")).answers->storedTexts(), QStringList(45, QStringLiteral("6")));
}

QTEST_GUILESS_MAIN(SubjectStoreTest)
#include "test_subject_store.moc"
