// Research exports read back by readers that are not ours: Python's csv module and openpyxl
// (through tests/export/read_export.py) and GNU PSPP.
#include "export/export_scratch.h"
#include "export/research_export.h"
#include "records/sqlite/data_connection.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/sqlite_subject_store.h"
#include "scoring/love_type.h"
#include "support/data_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace morva;
using morva::testing::DataFolder;
using morva::testing::StoredSubject;

namespace {

const QString kOddCode = QStringLiteral("K \"7\", new\nline");

// Item n of a complete subject is answered 1 + n % 9, but item 1 is 3 (the intimacy mean is
// 73 / 15); the second subject leaves items 2 and 45 empty; the third has no answer row and an
// age typed in Persian digits.
QStringList CompleteAnswers()
{
    QStringList answers;
    for (int item = 1; item <= 45; ++item)
        answers << QString::number(1 + item % 9);
    answers[0] = QStringLiteral("3");
    return answers;
}

// The cells of the listing's line that begins with the first cell, trimmed.
QStringList ListedRow(const QString &listing, const QString &first)
{
    for (const QString &line : listing.split(u'\n')) {
        QStringList cells = line.split(u'|');
        if (cells.size() > 2 && cells[1].trimmed() == first) {
            for (QString &c : cells)
                c = c.trimmed();
            return cells.mid(1, cells.size() - 2);
        }
    }
    return {};
}

void StoreSubjects()
{
    DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
    QStringList gaps = CompleteAnswers();
    gaps[1].clear();
    gaps[44].clear();
    testing::InsertSubject(db, {.code = QStringLiteral("S-1"), .answers = CompleteAnswers()});
    testing::InsertSubject(db, {.code = kOddCode, .firstName = QStringLiteral("مریم"), .age = QString(),
                                .gender = QStringLiteral("مرد"), .group = QStringLiteral("B"), .answers = gaps});
    testing::InsertSubject(db, {.code = QStringLiteral("S-3"), .age = QStringLiteral("۴۲"), .group = QStringLiteral("B"),
                                .answerRow = false});
}

QJsonObject ReadBack(const QString &kind, const QString &path)
{
    return QJsonDocument::fromJson(testing::OutputOf(QStringLiteral(MORVA_READER_PYTHON),
                                       {QStringLiteral(MORVA_EXPORT_READER), kind, path}))
        .object();
}

// The reason of a failure; nothing when the file is written.
QString Export(const ExportRequest &request)
{
    SqliteSubjectStore source(QStringLiteral("DB/DB2.mdb"));
    const ExportOutcome outcome = ExportSubjects(source, request, [](qint64, qint64) { return true; });
    return outcome.result == ExportOutcome::Result::Written ? QString()
                                                            : outcome.reason + QStringLiteral(" (not written)");
}

// What GNU PSPP prints for the commands, run from a syntax file in the folder.
QString PsppListing(const DataFolder &folder, const QString &commands)
{
    const QString syntax = folder.file(QStringLiteral("read.sps"));
    QFile sps(syntax);
    if (!sps.open(QIODevice::WriteOnly) || sps.write(commands.toUtf8()) < 0)
        return {};
    sps.close();
    const QString listed = folder.file(QStringLiteral("listing.txt"));
    QFile::remove(listed);
    testing::OutputOf(QStringLiteral("pspp"),
        {QStringLiteral("-O"), QStringLiteral("box=ascii"), QStringLiteral("-o"), listed, syntax});
    QFile out(listed);
    return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()) : QString();
}

QByteArray Hash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void csvHoldsEachSubjectAsStored();
    void xlsxIsOneRightToLeftSheetOfTypedCells();
    void savCarriesLabelsAndSystemMissing();
    void sessionRowsFollowEachAdministration();
    void formulaLikeTextsStayTexts();
    void storedBytesReachTheFilesReadable();
    void exportTellsWhatItDidWithTheFile();
    void xlsxScratchIsOwnerOnlyInTheDataFolder();

private:
    std::unique_ptr<DataFolder> folder_;
};

void ExportTest::init()
{
    folder_.reset(); // the earlier folder gives back the working directory first
    folder_ = std::make_unique<DataFolder>();
    StoreSubjects();
}

void ExportTest::csvHoldsEachSubjectAsStored()
{
    const QString path = folder_->file(QStringLiteral("all.csv"));
    QCOMPARE(Export({path, ExportFormat::Csv, SubjectFilter::All(), false}), QString());
    const QJsonObject csv = ReadBack(QStringLiteral("csv"), path);
    QVERIFY(csv.value(QStringLiteral("bom")).toBool());
    const QJsonArray rows = csv.value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 4);
    const QJsonArray header = rows[0].toArray();
    QCOMPARE(header.size(), 1 + 7 + 45 + 3 + 3 + 3);
    QCOMPARE(header[0].toString(), QStringLiteral("code"));
    QCOMPARE(header[1].toString(), QStringLiteral("group")); // no names by default
    QCOMPARE(header[8].toString(), QStringLiteral("q1"));
    QCOMPARE(header[52].toString(), QStringLiteral("q45"));
    QCOMPARE(header.last().toString(), QStringLiteral("complete"));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(!written.readAll().contains(QStringLiteral("سارا").toUtf8()));

    const QJsonArray complete = rows[1].toArray();
    QCOMPARE(complete[1].toString(), QStringLiteral("A"));
    QCOMPARE(complete[2].toString(), QStringLiteral("زن"));
    QCOMPARE(complete[3].toString(), QStringLiteral("34"));
    QCOMPARE(complete[6].toString(), QStringLiteral("1403/05/09"));
    QCOMPARE(complete[8].toString(), QStringLiteral("3")); // item 1
    const ComponentScores scores = ComputeScores(AnswerSheet(CompleteAnswers()));
    QCOMPARE(complete[53].toString(), QString::number(scores.intimacy));
    QCOMPARE(complete[56].toString(), QStringLiteral("4.9")); // 73 / 15, one decimal
    QCOMPARE(complete[59].toString(), QString::number(static_cast<int>(ClassifyLoveType(scores)) + 1));
    QCOMPARE(complete[60].toString(), LoveTypeLabel(ClassifyLoveType(scores)));
    QCOMPARE(complete[61].toString(), QStringLiteral("1"));

    const QJsonArray gaps = rows[2].toArray();
    QCOMPARE(gaps[0].toString(), kOddCode); // quoted whole, quotes doubled
    QCOMPARE(gaps[3].toString(), QString());
    QCOMPARE(gaps[9].toString(), QString());  // item 2
    QCOMPARE(gaps[10].toString(), QStringLiteral("4"));
    for (int c = 53; c <= 60; ++c)
        QCOMPARE(gaps[c].toString(), QString()); // no scores without every answer
    QCOMPARE(gaps[61].toString(), QStringLiteral("0"));
    QCOMPARE(rows[3].toArray()[3].toString(), QStringLiteral("42")); // typed «۴۲»
    QCOMPARE(rows[3].toArray()[61].toString(), QStringLiteral("0")); // no answer row

    // With names, and only the listed group.
    const QString named = folder_->file(QStringLiteral("b.csv"));
    QCOMPARE(Export({named, ExportFormat::Csv, SubjectFilter{SubjectFilter::Field::Group, QStringLiteral("B")}, true}),
             QString());
    const QJsonArray groupB = ReadBack(QStringLiteral("csv"), named).value(QStringLiteral("rows")).toArray();
    QCOMPARE(groupB.size(), 3);
    QCOMPARE(groupB[0].toArray()[1].toString(), QStringLiteral("first_name"));
    QCOMPARE(groupB[0].toArray()[3].toString(), QStringLiteral("beloved"));
    QCOMPARE(groupB[1].toArray()[0].toString(), kOddCode);
    QCOMPARE(groupB[1].toArray()[1].toString(), QStringLiteral("مریم"));
    QCOMPARE(groupB[1].toArray()[3].toString(), QStringLiteral("علی"));
    QCOMPARE(groupB[2].toArray()[0].toString(), QStringLiteral("S-3"));
}

void ExportTest::xlsxIsOneRightToLeftSheetOfTypedCells()
{
    const QString path = folder_->file(QStringLiteral("all.xlsx"));
    QCOMPARE(Export({path, ExportFormat::Xlsx, SubjectFilter::All(), false}), QString());
    const QJsonObject book = ReadBack(QStringLiteral("xlsx"), path);
    QCOMPARE(book.value(QStringLiteral("sheets")).toInt(), 1);
    QVERIFY(book.value(QStringLiteral("rightToLeft")).toBool());
    QCOMPARE(book.value(QStringLiteral("frozen")).toString(), QStringLiteral("A2"));
    QVERIFY(book.value(QStringLiteral("boldHeader")).toBool());
    // Printed across, one page wide however many pages long, the header row on every page.
    QCOMPARE(book.value(QStringLiteral("orientation")).toString(), QStringLiteral("landscape"));
    QVERIFY(book.value(QStringLiteral("fitToPage")).toBool());
    QCOMPARE(book.value(QStringLiteral("pagesWide")).toInt(-1), 1);
    QCOMPARE(book.value(QStringLiteral("pagesTall")).toInt(-1), 0);
    QCOMPARE(book.value(QStringLiteral("printTitleRows")).toString(), QStringLiteral("$1:$1"));
    const QJsonArray rows = book.value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.size(), 4);
    const auto cell = [&](int row, int column) { return rows[row].toArray()[column].toObject(); };
    QCOMPARE(cell(0, 0).value(QStringLiteral("value")).toString(), QStringLiteral("کد آزمودنی"));
    QCOMPARE(cell(0, 8).value(QStringLiteral("value")).toString(), QStringLiteral("گویه‌ی ۱ (صمیمیت)"));
    QCOMPARE(cell(1, 0).value(QStringLiteral("type")).toString(), QStringLiteral("text"));
    QCOMPARE(cell(1, 3).value(QStringLiteral("type")).toString(), QStringLiteral("number"));
    QCOMPARE(cell(1, 3).value(QStringLiteral("value")).toDouble(), 34.0);
    QCOMPARE(cell(1, 8).value(QStringLiteral("value")).toDouble(), 3.0);
    QCOMPARE(cell(1, 56).value(QStringLiteral("value")).toDouble(), 4.9); // 73 / 15, one decimal
    QCOMPARE(cell(2, 0).value(QStringLiteral("value")).toString(), kOddCode);
    QVERIFY(rows[2].toArray()[9].isNull()); // item 2 unanswered: an empty cell
    QVERIFY(rows[2].toArray()[53].isNull());
    QCOMPARE(cell(3, 3).value(QStringLiteral("type")).toString(), QStringLiteral("number"));
    QCOMPARE(cell(3, 3).value(QStringLiteral("value")).toDouble(), 42.0); // typed «۴۲»
}

void ExportTest::savCarriesLabelsAndSystemMissing()
{
    const QString path = folder_->file(QStringLiteral("all.sav"));
    QCOMPARE(Export({path, ExportFormat::Sav, SubjectFilter::All(), false}), QString());
    const QString listing =
        PsppListing(*folder_, QStringLiteral("SYSFILE INFO FILE='%1'.\nGET FILE='%1'.\nDISPLAY DICTIONARY.\n"
                                             "FORMATS intimacy_mean (F12.8).\n"
                                             "LIST VARIABLES=code gender age q1 q2 intimacy_mean love_type complete.\n")
                                  .arg(path));
    QCOMPARE(ListedRow(listing, QStringLiteral("Encoding")).value(1), QStringLiteral("UTF-8"));
    QCOMPARE(ListedRow(listing, QStringLiteral("Cases")).value(1), QStringLiteral("3"));
    QCOMPARE(ListedRow(listing, QStringLiteral("Variables")).value(1), QStringLiteral("62"));
    // Name, position and label of a variable; each label of a value.
    QCOMPARE(ListedRow(listing, QStringLiteral("education")).mid(0, 3),
             QStringList({QStringLiteral("education"), QStringLiteral("6"), QStringLiteral("تحصیلات")}));
    const auto labelled = [&](const QString &variable, int value, const QString &label) {
        return listing.contains(QRegularExpression(QStringLiteral("\\|%1 +%2\\|%3 *\\|")
                                                       .arg(variable, QString::number(value), QRegularExpression::escape(label))));
    };
    QVERIFY(labelled(QStringLiteral("جنسیت"), 1, QStringLiteral("مرد")));
    QVERIFY(labelled(QString(), 2, QStringLiteral("زن")));
    QVERIFY(labelled(QString(), 4, QStringLiteral("بيوه")));
    QVERIFY(labelled(QString(), 8, LoveTypeLabel(LoveType::ConsummateLove)));
    // Every item has the anchors of its scale, and stays on the scale.
    const QRegularExpression anchors(QStringLiteral("\\|گویه‌ی (\\S+) \\(\\S+\\) +1\\|اصلاً *\\|\n"
                                                    "\\| +5\\|به طور متوسط *\\|\n\\| +9\\|به طور کامل *\\|\n\\+"));
    QSet<QString> anchored;
    for (const QRegularExpressionMatch &m : anchors.globalMatch(listing))
        anchored << m.captured(1);
    QCOMPARE(anchored.size(), 45);
    QCOMPARE(ListedRow(listing, QStringLiteral("q45")).mid(0, 2),
             QStringList({QStringLiteral("q45"), QStringLiteral("53")}));
    QCOMPARE(ListedRow(listing, QStringLiteral("q45")).value(3), QStringLiteral("Scale"));
    QCOMPARE(ListedRow(listing, QStringLiteral("love_type")).value(3), QStringLiteral("Nominal"));
    // Values: the codes of the listed choices, full precision, system-missing as a dot.
    const ComponentScores scores = ComputeScores(AnswerSheet(CompleteAnswers()));
    QCOMPARE(ListedRow(listing, QStringLiteral("S-1")),
             QStringList({QStringLiteral("S-1"), QStringLiteral("2"), QStringLiteral("34"), QStringLiteral("3"),
                          QStringLiteral("3"), QStringLiteral("4.86666667"),
                          QString::number(static_cast<int>(ClassifyLoveType(scores)) + 1), QStringLiteral("1")}));
    QCOMPARE(ListedRow(listing, QStringLiteral("K \"7\", new")).mid(1),
             QStringList({QStringLiteral("1"), QStringLiteral("."), QStringLiteral("3"), QStringLiteral("."),
                          QStringLiteral("."), QStringLiteral("."), QStringLiteral("0")}));
    QCOMPARE(ListedRow(listing, QStringLiteral("S-3")).value(2), QStringLiteral("42")); // typed «۴۲»
}

// A subject tested three times has three rows, each with its session's number, date and answers,
// the first of unknown date (kept from the answers of a file made before sessions were); the
// subjects are in the order of registration, each one's sessions in order, and a subject never
// tested has none. One row per subject stays as it was: the latest answers, without sessions.
void ExportTest::sessionRowsFollowEachAdministration()
{
    QStringList allFive(45, QStringLiteral("5")), allNine(45, QStringLiteral("9"));
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
        QStringList names{"\"Code\"", "\"Number\"", "\"Date\""};
        QVariantList values{QStringLiteral("S-1"), QStringLiteral("1"), QString()};
        for (int item = 1; item <= 45; ++item) {
            names << QStringLiteral("\"%1\"").arg(item);
            values << CompleteAnswers()[item - 1];
        }
        db.run(QStringLiteral("INSERT INTO \"Session\" (%1) VALUES (%2)")
                   .arg(names.join(u", "), QStringList(names.size(), QStringLiteral("?")).join(u", ")),
               values);
        testing::InsertSubject(db, {.code = QStringLiteral("S-4"), .group = QStringLiteral("B")});
    }
    SubjectStore &store = folder_->stores().subjects;
    const auto save = [&](const QString &code, const QStringList &answers, int day) {
        const QDateTime saved(QDate(2026, 12, day), QTime(10, 30));
        store.saveAnswers(code, store.read(code).answerRow, AnswerSheet(answers), {saved.addSecs(-1800), saved});
    };
    save(QStringLiteral("S-1"), allFive, 8);
    save(QStringLiteral("S-4"), CompleteAnswers(), 9);
    save(QStringLiteral("S-1"), allNine, 29);

    const QString csvPath = folder_->file(QStringLiteral("sessions.csv"));
    QCOMPARE(Export({csvPath, ExportFormat::Csv, SubjectFilter::All(), false, ExportRows::PerSession}), QString());
    const QJsonArray csv = ReadBack(QStringLiteral("csv"), csvPath).value(QStringLiteral("rows")).toArray();
    QCOMPARE(csv.size(), 1 + 4);
    const QVariantList names = csv[0].toArray().toVariantList();
    QCOMPARE(names.size(), 1 + 2 + 7 + 45 + 3 + 3 + 3);
    QCOMPARE(names.mid(0, 4), QVariantList({"code", "session", "session_date", "group"}));
    const auto cells = [&](int row) {
        QStringList values;
        for (const char *column : {"code", "session", "session_date", "q1", "q45", "intimacy", "complete"})
            values << csv[row].toArray()[names.indexOf(QLatin1String(column))].toString();
        return values.join(u' ');
    };
    const ComponentScores first = ComputeScores(AnswerSheet(CompleteAnswers()));
    QCOMPARE(cells(1), QStringLiteral("S-1 1  3 1 %1 1").arg(first.intimacy));
    QCOMPARE(cells(2), QStringLiteral("S-1 2 1405/09/17 5 5 75 1"));
    QCOMPARE(cells(3), QStringLiteral("S-1 3 1405/10/08 9 9 135 1"));
    QCOMPARE(cells(4), QStringLiteral("S-4 1 1405/09/18 3 1 %1 1").arg(first.intimacy));

    // The SPSS file states as many cases as it holds, and holds the longest date whole.
    const QString savPath = folder_->file(QStringLiteral("sessions.sav"));
    QCOMPARE(Export({savPath, ExportFormat::Sav, SubjectFilter::All(), true, ExportRows::PerSession}), QString());
    const QString info = PsppListing(*folder_, QStringLiteral("SYSFILE INFO FILE='%1'.\n").arg(savPath));
    QCOMPARE(ListedRow(info, QStringLiteral("Cases")).value(1), QStringLiteral("4"));
    QCOMPARE(ListedRow(info, QStringLiteral("session_date")).value(7), QStringLiteral("A10"));
    const QString listing = PsppListing(
        *folder_,
        QStringLiteral("GET FILE='%1'.\nDISPLAY LABELS.\nLIST VARIABLES=session code session_date q1.\n").arg(savPath));
    QCOMPARE(ListedRow(listing, QStringLiteral("session")),
             QStringList({QStringLiteral("session"), QStringLiteral("5"), QStringLiteral("شماره‌ی اجرا")}));
    QCOMPARE(ListedRow(listing, QStringLiteral("session_date")),
             QStringList({QStringLiteral("session_date"), QStringLiteral("6"), QStringLiteral("تاریخ اجرا")}));
    QCOMPARE(ListedRow(listing, QStringLiteral("1")), QStringList({"1", "S-1", "", "3"}));
    QCOMPARE(ListedRow(listing, QStringLiteral("3")), QStringList({"3", "S-1", "1405/10/08", "9"}));

    // One row per subject: every subject, with its latest answers.
    const QString subjectsPath = folder_->file(QStringLiteral("subjects.csv"));
    QCOMPARE(Export({subjectsPath, ExportFormat::Csv, SubjectFilter::All(), false}), QString());
    const QJsonArray subjects = ReadBack(QStringLiteral("csv"), subjectsPath).value(QStringLiteral("rows")).toArray();
    QCOMPARE(subjects.size(), 1 + 4);
    QCOMPARE(subjects[0].toArray().size(), 1 + 7 + 45 + 3 + 3 + 3);
    QCOMPARE(subjects[0].toArray()[1].toString(), QStringLiteral("group"));
    QCOMPARE(subjects[1].toArray()[0].toString(), QStringLiteral("S-1"));
    QCOMPARE(subjects[1].toArray()[8].toString(), QStringLiteral("9")); // item 1 of the latest session
    QCOMPARE(subjects[3].toArray()[0].toString(), QStringLiteral("S-3")); // never tested
}

void ExportTest::formulaLikeTextsStayTexts()
{
    const QString link = QStringLiteral("=HYPERLINK(\"http://example.com\",\"x\")");
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
        testing::InsertSubject(db, {.code = QStringLiteral("=1+2"), .firstName = link, .lastName = QStringLiteral("-5"),
                                    .education = QStringLiteral("@SUM(A1:A9)"), .date = QStringLiteral("\t1403/05/09"),
                                    .time = QStringLiteral("\r10:00"), .maritalStatus = QStringLiteral("+2.5"),
                                    .beloved = QStringLiteral("+98 21 5555"), .answers = CompleteAnswers()});
    }
    // The CSV: an apostrophe before each, but not before a plain number.
    const QString csvPath = folder_->file(QStringLiteral("named.csv"));
    QCOMPARE(Export({csvPath, ExportFormat::Csv, SubjectFilter::All(), true}), QString());
    const QJsonArray csv = ReadBack(QStringLiteral("csv"), csvPath).value(QStringLiteral("rows")).toArray();
    QCOMPARE(csv.size(), 5);
    const QJsonArray header = csv[0].toArray();
    QStringList cells;
    const QVariantList names = header.toVariantList();
    for (const char *name : {"code", "first_name", "last_name", "beloved", "marital", "education", "reg_date",
                             "reg_time"})
        cells << csv[4].toArray()[names.indexOf(QLatin1String(name))].toString();
    QCOMPARE(cells, QStringList({QStringLiteral("'=1+2"), u'\'' + link, QStringLiteral("-5"),
                                 QStringLiteral("'+98 21 5555"), QStringLiteral("+2.5"), QStringLiteral("'@SUM(A1:A9)"),
                                 QStringLiteral("'\t1403/05/09"), QStringLiteral("'\r10:00")}));

    // The workbook: texts as stored, none of them a formula.
    const QString xlsxPath = folder_->file(QStringLiteral("named.xlsx"));
    QCOMPARE(Export({xlsxPath, ExportFormat::Xlsx, SubjectFilter::All(), true}), QString());
    const QJsonArray sheet = ReadBack(QStringLiteral("xlsx"), xlsxPath).value(QStringLiteral("rows")).toArray();
    const QJsonObject code = sheet[4].toArray()[0].toObject(), firstName = sheet[4].toArray()[1].toObject();
    QCOMPARE(code.value(QStringLiteral("type")).toString(), QStringLiteral("text"));
    QCOMPARE(code.value(QStringLiteral("value")).toString(), QStringLiteral("=1+2"));
    QCOMPARE(firstName.value(QStringLiteral("type")).toString(), QStringLiteral("text"));
    QCOMPARE(firstName.value(QStringLiteral("value")).toString(), link);

    // The SPSS file: texts as stored.
    const QString savPath = folder_->file(QStringLiteral("named.sav"));
    QCOMPARE(Export({savPath, ExportFormat::Sav, SubjectFilter::All(), true}), QString());
    const QString listing =
        PsppListing(*folder_, QStringLiteral("GET FILE='%1'.\nLIST VARIABLES=code first_name.\n").arg(savPath));
    QCOMPARE(ListedRow(listing, QStringLiteral("=1+2")), QStringList({QStringLiteral("=1+2"), link}));
}

// The rows are read as the file keeps their bytes: an answer in Persian or Arabic-Indic digits counts
// as the scoring window counts it and "0" or "55" does not, a group no list offers is numbered after
// the listed ones, a Persian text with a quote and a comma comes out whole, and bytes that are no
// UTF-8, which another program may have stored, reach no file raw.
void ExportTest::storedBytesReachTheFilesReadable()
{
    const QString lastName = QStringLiteral("نیک \"ساز\", زاده");
    QStringList persian = CompleteAnswers();
    for (QString &answer : persian)
        answer = QString(QChar(u'۰' + answer.toInt()));
    persian[1] = QStringLiteral("٣"); // Arabic-Indic
    QStringList odd = CompleteAnswers();
    odd[0] = QStringLiteral("0");
    odd[1] = QStringLiteral("55");
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
        testing::InsertSubject(db, {.code = QStringLiteral("P-1"), .lastName = lastName, .group = QStringLiteral("Z"),
                                    .answers = persian});
        testing::InsertSubject(db, {.code = QStringLiteral("P-2"), .answers = odd});
        db.run(QStringLiteral("UPDATE \"IDE\" SET \"FName\" = CAST(? AS TEXT) WHERE \"Code\" = 'P-1'"),
               {QByteArray("\xff\xfe")});
    }
    const QString csvPath = folder_->file(QStringLiteral("bytes.csv"));
    QCOMPARE(Export({csvPath, ExportFormat::Csv, SubjectFilter::All(), true}), QString());
    const QJsonArray csv = ReadBack(QStringLiteral("csv"), csvPath).value(QStringLiteral("rows")).toArray();
    QCOMPARE(csv.size(), 6);
    const QVariantList names = csv[0].toArray().toVariantList();
    const auto cells = [&](int row, const QStringList &columns) {
        QStringList values;
        for (const QString &column : columns)
            values << csv[row].toArray()[names.indexOf(column)].toString();
        return values;
    };
    const ComponentScores scores = ComputeScores(AnswerSheet(CompleteAnswers()));
    QCOMPARE(cells(4, {"code", "first_name", "last_name", "group", "q1", "q2", "intimacy", "complete"}),
             QStringList({"P-1", "??", lastName, "Z", "3", "3", QString::number(scores.intimacy), "1"}));
    QCOMPARE(cells(5, {"code", "q1", "q2", "q3", "complete"}), QStringList({"P-2", "", "", "4", "0"}));

    const QString savPath = folder_->file(QStringLiteral("bytes.sav"));
    QCOMPARE(Export({savPath, ExportFormat::Sav, SubjectFilter::All(), true}), QString());
    const QString listing =
        PsppListing(*folder_, QStringLiteral("GET FILE='%1'.\nDISPLAY DICTIONARY.\n"
                                             "LIST VARIABLES=code first_name last_name group q2 complete.\n")
                                  .arg(savPath));
    QCOMPARE(ListedRow(listing, QStringLiteral("P-1")), QStringList({"P-1", "??", lastName, "8", "3", "1"}));
    QVERIFY(listing.contains(QRegularExpression(QStringLiteral("\\| +8\\|Z *\\|"))));
}

void ExportTest::exportTellsWhatItDidWithTheFile()
{
    const QString path = folder_->file(QStringLiteral("kept.csv"));
    const auto writeEarlier = [&] {
        QFile old(path);
        return old.open(QIODevice::WriteOnly) && old.write("an earlier export\n") > 0;
    };
    QVERIFY(writeEarlier());
    const QByteArray earlier = QCryptographicHash::hash("an earlier export\n", QCryptographicHash::Sha256);
    {
        DataConnection db(DataFile::Subjects, QStringLiteral("test setup"));
        db.transact([&] {
            for (int i = 0; i < 600; ++i)
                testing::InsertSubject(db, {.code = QStringLiteral("M%1").arg(i), .answers = CompleteAnswers()});
        });
    }
    const QByteArray subjectsBefore = Hash(QStringLiteral("DB/DB2.mdb"));
    SubjectStore &source = folder_->stores().subjects;
    using Result = ExportOutcome::Result;
    for (ExportFormat format : {ExportFormat::Csv, ExportFormat::Xlsx, ExportFormat::Sav}) {
        int reports = 0;
        const ExportOutcome stopped = ExportSubjects(source, {path, format, SubjectFilter::All(), true}, [&](qint64, qint64) {
            return ++reports < 3; // stops after 500 of the 603 rows
        });
        QCOMPARE(stopped.result, Result::Stopped);
        QCOMPARE(reports, 3);
        QCOMPARE(Hash(path), earlier);
    }
    // A stop asked for at the last report, once the file is in place, is too late: the export
    // says that it wrote the file, which it did.
    for (ExportFormat format : {ExportFormat::Csv, ExportFormat::Xlsx, ExportFormat::Sav}) {
        QVERIFY(writeEarlier());
        bool stopAsked = false;
        const auto stopAtTheEnd = [&](qint64 done, qint64 total) {
            stopAsked = done == total;
            return !stopAsked;
        };
        const ExportOutcome late = ExportSubjects(source, {path, format, SubjectFilter::All(), true}, stopAtTheEnd);
        QVERIFY(stopAsked);
        QCOMPARE(late.result, Result::Written);
        QVERIFY(QFile::exists(path) && Hash(path) != earlier);
    }
    const ExportOutcome failed = ExportSubjects(
        source, {folder_->file(QStringLiteral("no/such/folder/x.sav")), ExportFormat::Sav, SubjectFilter::All(), false},
        [](qint64, qint64) { return true; });
    QCOMPARE(failed.result, Result::Failed);
    QVERIFY(!failed.reason.isEmpty());
    QCOMPARE(Hash(QStringLiteral("DB/DB2.mdb")), subjectsBefore);
}

void ExportTest::xlsxScratchIsOwnerOnlyInTheDataFolder()
{
    const QDir systemTemp(folder_->file(QStringLiteral("system-temp")));
    QVERIFY(systemTemp.mkpath(QStringLiteral(".")));
    const std::optional<QByteArray> tmpdir =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    qputenv("TMPDIR", QFile::encodeName(systemTemp.path()));
    const auto scratchFolders = [] {
        return QDir::current().entryInfoList({QStringLiteral(".morva-export-*")}, QDir::Dirs | QDir::Hidden);
    };
    constexpr QFile::Permissions kNotTheOwners = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                                 | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const auto shown = [&](const QFileInfo &entry, const QString &name) {
        return name + ((entry.permissions() & kNotTheOwners) ? QStringLiteral(" open") : QStringLiteral(" closed"));
    };
    QStringList seen; // the scratch folder and its files while the export runs, and the system's folder
    const auto look = [&](qint64 done, qint64) {
        if (done == 0) {
            for (const QFileInfo &scratch : scratchFolders()) {
                seen << shown(scratch, scratch.fileName().left(14));
                for (const QFileInfo &file : QDir(scratch.filePath()).entryInfoList(QDir::Files | QDir::Hidden))
                    seen << shown(file, file.fileName());
            }
            seen << QStringLiteral("system temp: %1").arg(systemTemp.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size());
        }
        return true;
    };
    SubjectStore &source = folder_->stores().subjects;
    const ExportOutcome outcome = ExportSubjects(
        source, {folder_->file(QStringLiteral("named.xlsx")), ExportFormat::Xlsx, SubjectFilter::All(), true}, look);
    tmpdir ? qputenv("TMPDIR", *tmpdir) : qunsetenv("TMPDIR");
    QCOMPARE(outcome.result, ExportOutcome::Result::Written);
    QCOMPARE(seen, QStringList({".morva-export- closed", "export.xlsx closed", "system temp: 0"}));
    QVERIFY(scratchFolders().isEmpty()); // gone with the export

    // Left by an export killed part-way: removed; another folder, and a link to one, are not.
    QVERIFY(QDir().mkpath(QStringLiteral(".morva-export-k1LLed/inside")));
    QVERIFY(QDir().mkpath(QStringLiteral("elsewhere")));
    QVERIFY(QFile::copy(QStringLiteral("DB/DB2.mdb"), QStringLiteral(".morva-export-k1LLed/export.xlsx")));
    QVERIFY(QFile::copy(QStringLiteral("DB/DB2.mdb"), QStringLiteral("elsewhere/kept")));
    QVERIFY(QFile::link(QStringLiteral("elsewhere"), QStringLiteral(".morva-export-linked")));
    RemoveExportLeftovers();
    QVERIFY(!QFileInfo::exists(QStringLiteral(".morva-export-k1LLed")));
    QVERIFY(QFileInfo::exists(QStringLiteral("elsewhere/kept")));
    QVERIFY(QFileInfo::exists(QStringLiteral("DB/DB2.mdb")));
}

QTEST_GUILESS_MAIN(ExportTest)
#include "test_export.moc"
