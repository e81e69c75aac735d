#include "common/safe_file.h"
#include "scoring/clinician_sheet.h"
#include "scoring/love_type.h"
#include "scoring/result_sheet.h"
#include "support/data_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace morva;
using namespace morva::testing;

namespace {

ResultSheet Sample()
{
    ResultSheet sheet;
    sheet.clinicName = QStringLiteral("کلینیک مشاوره آرامش");
    sheet.firstName = QStringLiteral("سارا");
    sheet.lastName = QStringLiteral("احمدی");
    sheet.age = QStringLiteral("34");
    sheet.education = QStringLiteral("کارشناسی ارشد");
    sheet.date = QStringLiteral("1403/05/09");
    sheet.explanation = LoveTypeText(LoveType::CompanionateLove);
    sheet.address = QStringLiteral("تهران، خیابان ولیعصر، پلاک 12");
    return sheet;
}

// A clinician's sheet drawn on A4 at dpi, and where a point of its design (in twips) lands on the
// page: scaled as a whole into margins of 2 cm, centred.
struct DrawnSheet {
    QImage page;
    std::function<QPoint(double x, double y)> at;
};

DrawnSheet Draw(const ClinicianSheetDocument &document, double dpi)
{
    QImage page = SheetImage(document, QPageSize(QPageSize::A4), dpi);
    const QSizeF band = document.bandSize() * dpi / 1440;
    const double margin = 2 / 2.54 * dpi;
    const double scale = qMin((page.width() - 2 * margin) / band.width(), (page.height() - 2 * margin) / band.height());
    const QPointF origin((page.width() - band.width() * scale) / 2, (page.height() - band.height() * scale) / 2);
    return {page, [=](double x, double y) { return (origin + QPointF(x, y) * dpi / 1440 * scale).toPoint(); }};
}

} // namespace

class ResultSheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfCarriesWhatTheSheetPrints();
    void failedWriteIsReportedAndKeepsTheEarlierFile();
    void sheetFillsThePageInsideEvenMargins();
    void longValuesWrapRatherThanShrink();
    void fileNamesHoldThePartsAndNoFolders();
    void clinicianSheetTextIsBlack();
    void clinicianSheetDrawsTheFirstSessionAsAnOutline();
};

void ResultSheetTest::pdfCarriesWhatTheSheetPrints()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    QCOMPARE(WriteFileSafely(path, SheetPdf(ResultSheetDocument(Sample()))), std::nullopt);

    QProcess info;
    info.start("pdfinfo", {path});
    QVERIFY(info.waitForFinished());
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));

    const QSet<QString> printed = PdfWords(path);
    const ResultSheet sheet = Sample();
    for (const QString &part : {sheet.clinicName, sheet.firstName, sheet.lastName, sheet.education, sheet.explanation,
                                sheet.address, QStringLiteral("نام خانوادگي"), QStringLiteral("ميزان تحصيلات"),
                                QStringLiteral("سن"), QStringLiteral("تاريخ"), QStringLiteral("آدرس"),
                                QStringLiteral("این برگه خلاصه‌ای از پاسخ‌های شماست، نه تشخیص یا داوری؛ آن را با "
                                               "مشاور خود مرور کنید.")}) {
        for (const QString &word : PlainWords(part))
            QVERIFY2(printed.contains(word), qPrintable(word + " missing from the sheet"));
    }
    // Age and date in Persian digits on paper; the sheet's values keep what the window showed.
    QCOMPARE(sheet.age, QStringLiteral("34"));
    QVERIFY(printed.contains(QStringLiteral("۳۴")));
    QVERIFY(printed.contains(QStringLiteral("۱۴۰۳/۰۵/۰۹")));
    QVERIFY(!printed.contains(QStringLiteral("34")));
    QVERIFY(!printed.contains(QStringLiteral("1403/05/09")));
}

// A disk that fills up part-way (here a file size limit) is reported, and the sheet saved earlier
// under that name stays whole; no half-written file or temporary file is left behind.
void ResultSheetTest::failedWriteIsReportedAndKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    const QByteArray earlier = SheetPdf(ResultSheetDocument(Sample()));
    QCOMPARE(WriteFileSafely(path, earlier), std::nullopt);
    QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    ResultSheet longer = Sample();
    longer.explanation = longer.explanation.repeated(3);
    const QByteArray bytes = SheetPdf(ResultSheetDocument(longer));
    QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 4096);
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = WriteFileSafely(path, bytes);
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(error.has_value());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), earlier);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sheet.pdf"});
    QVERIFY(WriteFileSafely(dir.filePath("no-such-folder/sheet.pdf"), bytes).has_value());
}

// The sheet is scaled as a whole to fill the paper's width inside margins of about 2 cm, centred,
// on A4 and A5 alike.
void ResultSheetTest::sheetFillsThePageInsideEvenMargins()
{
    for (const auto id : {QPageSize::A4, QPageSize::A5}) {
        const QImage page = SheetImage(ResultSheetDocument(Sample()), QPageSize(id), 72);
        int left = page.width(), right = -1, top = page.height(), bottom = -1;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (page.pixelColor(x, y) != QColor(Qt::white)) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                    top = qMin(top, y);
                    bottom = qMax(bottom, y);
                }
            }
        }
        const double twoCm = 72 * 2 / 2.54;
        const int rightMargin = page.width() - 1 - right;
        QVERIFY2(qAbs(left - rightMargin) <= 2, qPrintable(QStringLiteral("%1 / %2").arg(left).arg(rightMargin)));
        QVERIFY2(qAbs(left - twoCm) <= 3, qPrintable(QString::number(left)));
        QVERIFY(qAbs(top - (page.height() - 1 - bottom)) <= 2);
    }
}

// Long particulars on small paper: no word of the sheet prints smaller than about 8 points; a
// value too long for one line takes two inside its box.
void ResultSheetTest::longValuesWrapRatherThanShrink()
{
    ResultSheet sheet = Sample();
    sheet.lastName = QStringLiteral("عبدالرحیم‌زاده اصفهانی");
    sheet.education = QStringLiteral("کارشناسی ارشد روان‌شناسی بالینی کودک و نوجوان");
    QTemporaryDir dir;
    const QString path = dir.filePath("a5.pdf");
    QCOMPARE(WriteFileSafely(path, SheetPdf(ResultSheetDocument(sheet), QPageSize(QPageSize::A5))), std::nullopt);
    // Every glyph pdftotext finds is set in a font of 8 points or more.
    QProcess boxes;
    boxes.start("pdftotext", {"-bbox", path, "-"});
    QVERIFY(boxes.waitForFinished());
    static const QRegularExpression glyph("<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">");
    double smallest = 1000;
    int glyphs = 0;
    for (auto m = glyph.globalMatch(QString::fromUtf8(boxes.readAllStandardOutput())); m.hasNext(); ++glyphs) {
        const auto g = m.next();
        smallest = qMin(smallest, g.captured(2).toDouble() - g.captured(1).toDouble());
    }
    QVERIFY(glyphs > 100);
    QVERIFY2(smallest >= 8, qPrintable(QString::number(smallest)));

    // The education's first and last words stand on two lines.
    QProcess text;
    text.start("pdftotext", {path, "-"});
    QVERIFY(text.waitForFinished());
    int first = -1, last = -1;
    const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QSet<QString> words = PlainWords(lines[i]);
        if (words.contains(*PlainWords("کارشناسی").begin()))
            first = i;
        if (words.contains(*PlainWords("نوجوان").begin()))
            last = i;
    }
    QVERIFY(first >= 0 && last >= 0);
    QVERIFY(first != last);
}

void ResultSheetTest::fileNamesHoldThePartsAndNoFolders()
{
    QCOMPARE(SheetFileName({"K/1", "سارا", "", " احمدی ", "1405-09-18"}), QStringLiteral("K-1 سارا احمدی 1405-09-18.pdf"));
    QCOMPARE(SheetFileName({"a:b*c?\"<>|\\d"}), QStringLiteral("a-b-c------d.pdf"));
    QCOMPARE(SheetFileName({"عبدالرحیم‌زاده"}), QStringLiteral("عبدالرحیم‌زاده.pdf")); // the joiner stays
}

// The clinician's sheet prints its words in black even among grey lines: in the grid of answers,
// drawn in grey, the item numbers and answers are black.
void ResultSheetTest::clinicianSheetTextIsBlack()
{
    ClinicianSheet sheet;
    sheet.subject.code = "K-1";
    for (int item = 1; item <= 45; ++item)
        sheet.answers.set(item, QString::number(item % 9 + 1));
    const auto [page, at] = Draw(ClinicianSheetDocument(sheet), 150);
    const QRect answers(at(100, 10370), at(8200, 12820));
    int darkest = 255;
    for (int y = answers.top(); y <= answers.bottom(); ++y)
        for (int x = answers.left(); x <= answers.right(); ++x)
            darkest = qMin(darkest, qGray(page.pixel(x, y)));
    QVERIFY2(darkest < 40, qPrintable(QString::number(darkest)));
}

// In black and white the first session's triangle must stay apart from the shown one's soft grey
// fill: it is drawn as an outline alone. Between a first session with large sums and one whose
// triangle shrinks to the centre, the chart differs only along that outline, not over its area.
void ResultSheetTest::clinicianSheetDrawsTheFirstSessionAsAnOutline()
{
    const auto drawn = [](int firstSums) {
        ClinicianSheet sheet;
        sheet.subject.code = "K-1";
        sheet.answers = AnswerSheet(QStringList(45, "1")); // the shown triangle shrinks to the centre
        ScoredSession first{1, "1404/01/10", {}, {}};
        first.report.sums = {firstSums, firstSums, firstSums};
        ScoredSession shown{2, "1404/06/10", sheet.answers, Score(sheet.answers)};
        sheet.sessions = {first, shown};
        sheet.shown = 1;
        return Draw(ClinicianSheetDocument(sheet), 150);
    };
    const DrawnSheet large = drawn(120);
    const DrawnSheet none = drawn(15);
    QCOMPARE(large.page.size(), none.page.size());
    // The chart beside the table of scores.
    const QRect chart(large.at(0, 3880), large.at(4400, 8340));
    int changed = 0;
    for (int y = chart.top(); y <= chart.bottom(); ++y)
        for (int x = chart.left(); x <= chart.right(); ++x)
            changed += qAbs(qGray(large.page.pixel(x, y)) - qGray(none.page.pixel(x, y))) > 8;
    // A filled triangle reaching 120 of 135 on each axis covers about a tenth of the chart's box;
    // its outline, dotted, a small part of that.
    const int box = chart.width() * chart.height();
    QVERIFY2(changed > box / 400, qPrintable(QString::number(changed)));
    QVERIFY2(changed < box / 40, qPrintable(QString("%1 of %2").arg(changed).arg(box)));
}

QTEST_MAIN(ResultSheetTest)
#include "test_result_sheet.moc"
