#include "backup/safe_file.h"
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

} // namespace

class ResultSheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pdfCarriesWhatTheSheetPrints();
    void failedWriteIsReportedAndKeepsTheEarlierFile();
    void sheetIsCentredOnTheImage();
};

void ResultSheetTest::pdfCarriesWhatTheSheetPrints()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    QCOMPARE(WriteFileSafely(path, ResultSheetPdf(Sample())), std::nullopt);

    QProcess info;
    info.start("pdfinfo", {path});
    QVERIFY(info.waitForFinished());
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\n")));

    const QSet<QString> printed = PdfWords(path);
    const ResultSheet sheet = Sample();
    for (const QString &part : {sheet.clinicName, sheet.firstName, sheet.lastName, sheet.age, sheet.education,
                                sheet.date, sheet.explanation, sheet.address, QStringLiteral("نام خانوادگي"),
                                QStringLiteral("ميزان تحصيلات"), QStringLiteral("سن"), QStringLiteral("تاريخ"),
                                QStringLiteral("آدرس")}) {
        for (const QString &word : PlainWords(part))
            QVERIFY2(printed.contains(word), qPrintable(word + " missing from the sheet"));
    }

}

// A disk that fills up part-way (here a file size limit) is reported, and the sheet saved earlier
// under that name stays whole; no half-written file or temporary file is left behind.
void ResultSheetTest::failedWriteIsReportedAndKeepsTheEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    const QByteArray earlier = ResultSheetPdf(Sample());
    QCOMPARE(WriteFileSafely(path, earlier), std::nullopt);
    QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    ResultSheet longer = Sample();
    longer.explanation = longer.explanation.repeated(3);
    const QByteArray bytes = ResultSheetPdf(longer);
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

void ResultSheetTest::sheetIsCentredOnTheImage()
{
    // 96 dots per inch: the band is 7252 / 15 wide; the image is wider, so the sheet is centred.
    QImage image(800, 700, QImage::Format_ARGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    RenderResultSheet(image, Sample());
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    QVERIFY(right > left);
    const int margin = (image.width() - qRound(7252 / 15.0)) / 2;
    QVERIFY2(qAbs(left - margin) <= 4, qPrintable(QString::number(left)));
    QVERIFY2(right <= image.width() - margin + 4, qPrintable(QString::number(right)));
}

QTEST_MAIN(ResultSheetTest)
#include "test_result_sheet.moc"
