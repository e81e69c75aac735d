#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/subject_list.h"
#include "records/sqlite/subjects_file.h"
#include "records/subject_store.h"
#include "support/data_support.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace morva;
using morva::testing::DataFolder;
using morva::testing::InsertSubject;

namespace {

QStringList Codes(const SubjectListModel &model)
{
    QStringList codes;
    for (int row = 0; row < model.rowCount(); ++row)
        codes << model.data(model.index(row, 0)).toString();
    return codes;
}

const QList<SubjectListModel::Column> kColumns{{QStringLiteral("Code"), QStringLiteral("کد")},
                                               {QStringLiteral("FName"), QStringLiteral("نام")}};

} // namespace

class SubjectListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listReadsPagesAsTheGridScrolls();
    void failureWhileScrollingKeepsTheRowsListed();
    void filtersMatchExactValuesOnly();
    void streamJoinsEachSubjectWithItsFirstAnswerRow();
    void testColumnsSayHowFarAndWhen();
    void onlyWholeSubjectsFilesPassTheCheck();
};

void SubjectListTest::listReadsPagesAsTheGridScrolls()
{
    DataFolder folder;
    DataConnection db(DataFile::Subjects, QStringLiteral("test"));
    db.transact([&] {
        for (int i = 0; i < 600; ++i)
            InsertSubject(db, {.code = QStringLiteral("C%1").arg(i)});
    });
    SubjectListModel model(folder.stores().subjects, kColumns);
    QVERIFY(model.rowCount() < 600); // only a first page is read
    QVERIFY(model.canFetchMore({}));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    while (model.canFetchMore({}))
        model.fetchMore({});
    QCOMPARE(model.rowCount(), 600);
    QCOMPARE(model.data(model.index(599, 0)).toString(), QStringLiteral("C599"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("نام"));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
}

// The file fails while the grid scrolls (Qt's event loop asks for rows): the rows listed stay and
// the failure is told once, never thrown through the event loop.
void SubjectListTest::failureWhileScrollingKeepsTheRowsListed()
{
    DataFolder folder;
    DataConnection db(DataFile::Subjects, QStringLiteral("test"));
    db.transact([&] {
        for (int i = 0; i < 100; ++i)
            InsertSubject(db, {.code = QStringLiteral("C%1").arg(i)});
    });
    SubjectListModel model(folder.stores().subjects, kColumns);
    const int listed = model.rowCount();
    db.run(QStringLiteral("DROP TABLE \"IDE\""));
    QSignalSpy failed(&model, &SubjectListModel::readFailed);
    model.fetchMore({});
    model.fetchMore({});
    QCOMPARE(failed.count(), 1);
    QVERIFY(!failed.first().first().toString().isEmpty());
    QCOMPARE(model.rowCount(), listed);
    QVERIFY(!model.canFetchMore({}));
}

void SubjectListTest::filtersMatchExactValuesOnly()
{
    DataFolder folder;
    DataConnection db(DataFile::Subjects, QStringLiteral("test"));
    InsertSubject(db, {.code = QStringLiteral("1"), .firstName = QStringLiteral("مریم")});
    InsertSubject(db, {.code = QStringLiteral("2"), .firstName = QStringLiteral("مریم ")});
    InsertSubject(db, {.code = QStringLiteral("3"), .firstName = QStringLiteral("O'Neil %_"), .group = QStringLiteral("C")});
    InsertSubject(db, {.code = QStringLiteral("4"), .firstName = QStringLiteral("مريم")}); // Arabic yeh: another name
    SubjectListModel model(folder.stores().subjects, kColumns);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    using Field = SubjectFilter::Field;
    model.setFilter({Field::FirstName, QStringLiteral("مریم")});
    QCOMPARE(Codes(model), QStringList{QStringLiteral("1")});
    model.setFilter({Field::FirstName, QStringLiteral("O'Neil %_")});
    QCOMPARE(Codes(model), QStringList{QStringLiteral("3")});
    model.setFilter({Field::FirstName, QStringLiteral("O'Neil %")});
    QCOMPARE(model.rowCount(), 0);
    model.setFilter({Field::Group, QStringLiteral("C")});
    QCOMPARE(Codes(model), QStringList{QStringLiteral("3")});
    model.setFilter(SubjectFilter::All());
    QCOMPARE(Codes(model), QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
}

// The test's state by the latest answers; the day of the latest session, unknown for one kept from
// before sessions had dates and for answers with no session at all (written by other means),
// nothing for a subject not tested.
void SubjectListTest::testColumnsSayHowFarAndWhen()
{
    DataFolder folder;
    DataConnection db(DataFile::Subjects, QStringLiteral("test"));
    QStringList partly(45, QStringLiteral("3"));
    partly[44].clear();
    InsertSubject(db, {.code = QStringLiteral("S1")});
    InsertSubject(db, {.code = QStringLiteral("S2"), .answers = partly});
    InsertSubject(db, {.code = QStringLiteral("S3")});
    InsertSubject(db, {.code = QStringLiteral("S4"), .answers = QStringList(45, QStringLiteral("5"))});
    InsertSubject(db, {.code = QStringLiteral("S5"), .answers = partly});
    db.run(QStringLiteral("INSERT INTO \"Session\" (\"Code\", \"Number\", \"Date\") VALUES ('S2', '1', '')"));
    SubjectStore &store = folder.stores().subjects;
    const QDateTime saved(QDate(2026, 12, 9), QTime(11, 0));
    store.saveAnswers(QStringLiteral("S3"), store.read(QStringLiteral("S3")).answerRow,
                      AnswerSheet(QStringList(45, QStringLiteral("7"))), {saved.addSecs(-900), saved});
    SubjectListModel model(store, {{SubjectListModel::kTestState, QStringLiteral("وضعیت")},
                                   {SubjectListModel::kLastTested, QStringLiteral("آخرین اجرا")}});
    const auto text = [&model](int row, int column) { return model.index(row, column).data().toString(); };
    QCOMPARE(text(0, 0), QStringLiteral("اجرا نشده"));
    QCOMPARE(text(0, 1), QString());
    QCOMPARE(text(1, 0), QStringLiteral("ناقص"));
    QCOMPARE(text(1, 1), QStringLiteral("نامعلوم"));
    QCOMPARE(text(2, 0), QStringLiteral("کامل"));
    QCOMPARE(text(2, 1), QStringLiteral("۱۴۰۵/۰۹/۱۸"));
    QCOMPARE(text(3, 0), QStringLiteral("کامل"));
    QCOMPARE(text(3, 1), QStringLiteral("نامعلوم"));
    QCOMPARE(text(4, 0), QStringLiteral("ناقص"));
    QCOMPARE(text(4, 1), QStringLiteral("نامعلوم"));
}

void SubjectListTest::streamJoinsEachSubjectWithItsFirstAnswerRow()
{
    DataFolder folder;
    DataConnection db(DataFile::Subjects, QStringLiteral("test"));
    const QStringList fives(45, QStringLiteral("5"));
    InsertSubject(db, {.code = QStringLiteral("S1"), .answers = fives});
    InsertSubject(db, {.code = QStringLiteral("S2"), .group = QStringLiteral("B"), .answerRow = false});
    // A second answer row of S1 never shows.
    InsertSubject(db, {.code = QStringLiteral("S1"), .answers = QStringList(45, QStringLiteral("9")), .subjectRow = false});
    InsertSubject(db, {.code = QStringLiteral("S3"), .group = QStringLiteral("B")});

    SubjectStore &store = folder.stores().subjects;
    QStringList seen;
    const qsizetype code = ColumnOf(&Subject::code);
    store.forEach(SubjectFilter::All(), [&](const SubjectTexts &s) {
        const QString answered = s.answers.empty() ? QStringLiteral("-") : u'+' + QString::fromUtf8(s.answers[44]);
        seen << QString::fromUtf8(s.particulars[code]) + answered;
        return true;
    });
    QCOMPARE(seen, QStringList({QStringLiteral("S1+5"), QStringLiteral("S2-"), QStringLiteral("S3+")}));

    seen.clear();
    const SubjectFilter groupB{SubjectFilter::Field::Group, QStringLiteral("B")};
    store.forEach(groupB, [&](const SubjectTexts &s) {
        seen << QString::fromUtf8(s.particulars[code]);
        return false; // stops at the first
    });
    QCOMPARE(seen, QStringList{QStringLiteral("S2")});
    QCOMPARE(store.count(groupB), 2);
    QCOMPARE(store.count(SubjectFilter::All()), 3);
}

void SubjectListTest::onlyWholeSubjectsFilesPassTheCheck()
{
    DataFolder folder;
    InsertSubject(QStringLiteral("K-1"), QStringLiteral("سارا"), QStringLiteral("علی"));
    QCOMPARE(CheckSubjectsFile(QStringLiteral("DB/DB2.mdb")), std::nullopt);
    QVERIFY(CheckSubjectsFile(QStringLiteral("DB/DB.mdb"))); // the settings file
    QVERIFY(CheckSubjectsFile(QStringLiteral("DB/missing.mdb")));

    QFile whole(QStringLiteral("DB/DB2.mdb"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    for (const auto &[name, content] : {std::pair{"garbage", QByteArray("not a database at all\n")},
                                        std::pair{"truncated", bytes.left(bytes.size() / 2)},
                                        std::pair{"empty", QByteArray()}}) {
        const QString path = folder.file(QLatin1String(name));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const auto reason = CheckSubjectsFile(path);
        QVERIFY2(reason && reason->contains(path), name);
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), content); // read only
    }
}

QTEST_GUILESS_MAIN(SubjectListTest)
#include "test_subject_list.moc"
