#include "app/frm1.h"
#include "scoring/result_sheet.h"
#include "app/startup.h"
#include "records/sqlite/data_connection.h"
#include "scoring/ui/data_r_print.h"
#include "scoring/ui/frm_klid.h"
#include "scoring/ui/triangle_chart.h"
#include "scoring/clinician_sheet.h"
#include "common/persian_digits.h"
#include "calendar/jalali.h"
#include "common/safe_file.h"
#include "scoring/love_type.h"
#include "records/subject_store.h"
#include "support/window_support.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

#include <algorithm>

using namespace morva;
using namespace morva::testing;

namespace {

// Answers that are i for every intimacy item, p for passion and c for commitment.
QStringList Uniform(const QString &i, const QString &p, const QString &c)
{
    QStringList answers;
    for (int item = 1; item <= 45; ++item)
        answers << (item <= 15 ? i : item <= 30 ? p : c);
    return answers;
}

// A subject whose answers are i for every intimacy item, p for passion and c for commitment.
void AddSubject(const QString &code, const QString &i, const QString &p, const QString &c, bool withSubjectRow = true,
                const QString &firstName = "سارا")
{
    InsertSubject(code, firstName, "علی", Uniform(i, p, c), withSubjectRow);
}

void ClearAnswers(const QString &code, const QStringList &items)
{
    DataConnection db(DataFile::Subjects, "setup");
    for (const QString &item : items)
        db.run("UPDATE \"Answer\" SET \"" + item + "\" = NULL WHERE \"Code\" = ?", {code});
}

void Enter(const QString &code)
{
    WhenModal<QInputDialog>([code](QInputDialog *d) {
        d->setTextValue(code);
        d->accept();
    });
}

// What a label shows of its text: the text itself when it is read as plain text, else what the
// rich text makes of it.
QString ShownText(const QLabel *label)
{
    if (label->textFormat() == Qt::PlainText
        || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

template <class T> T *Shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

} // namespace

class ScoringWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void mainWindowHandsOverAndComesBack();
    void nothingHappensWithoutAnswerRows();
    void codeIsAskedForAndChecked();
    void unansweredItemsAreListedAndNothingChanges();
    void selectionShowsScoresMeansAndExplanation();
    void secondSubjectReplacesTheFirst();
    void subjectWithoutSubjectRowIsScored();
    void sheetPrintsOnceAndCarriesOnlyItsParticulars();
    void chartFollowsSelectionsAndComparesAPartner();
    void clinicianSheetCarriesEverything();
    void storedTextsShowAsTyped();
    void sessionsAreListedComparedAndPrinted();

private:
    template <class T> T *child(const char *name) { return scoring_->findChild<T *>(QLatin1String(name)); }
    void select(const QString &code);

    std::unique_ptr<DataFolder> folder_;
    QPointer<FrmkLID> scoring_;
};

void ScoringWindowTest::initTestCase()
{
    ConfigureApplication(*qApp);
}

void ScoringWindowTest::init()
{
    folder_ = std::make_unique<DataFolder>();
    {
        DataConnection settings(DataFile::Settings, "setup");
        settings.run("UPDATE \"Theme\" SET \"TH\" = ?, \"Name\" = ?, \"Adress\" = ?",
                     {"2", "کلینیک مشاوره آرامش", "تهران، خیابان ولیعصر"});
    }
    AddSubject("K-1", "8", "5", "8"); // 120, 75, 120
}

void ScoringWindowTest::cleanup()
{
    DeleteAllWindows();
    folder_.reset();
}

void ScoringWindowTest::select(const QString &code)
{
    Enter(code);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
}

void ScoringWindowTest::mainWindowHandsOverAndComesBack()
{
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    QPointer<Frm1> first = main;
    QSignalSpy left(main, &Frm1::leftWithoutHandOver);
    QTest::mouseClick(main->findChild<QPushButton *>("Command9"), Qt::LeftButton);
    QTest::mouseClick(main->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull() || !first->isVisible());
    QCOMPARE(left.count(), 0); // no exit dialog
    scoring_ = Shown<FrmkLID>();
    QVERIFY(scoring_);
    QCOMPARE(scoring_->windowTitle(), QStringLiteral("کليد گذاري"));
    QVERIFY(!scoring_->styleSheet().isEmpty()); // theme 2

    scoring_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(scoring_.isNull());
    Frm1 *back = Shown<Frm1>();
    QVERIFY(back);
    QCOMPARE(back->findChild<QLineEdit *>("Text3")->text(), QStringLiteral("2"));
    QCOMPARE(VisiblePanels(back), QStringList());
}

void ScoringWindowTest::nothingHappensWithoutAnswerRows()
{
    {
        DataConnection db(DataFile::Subjects, "setup");
        db.run("DELETE FROM \"Answer\"");
    }
    Frm1 *main = Frm1::ShowFresh(folder_->stores());
    QTest::mouseClick(main->findChild<QPushButton *>("Command9"), Qt::LeftButton);
    QTest::mouseClick(main->findChild<QPushButton *>("Command3"), Qt::LeftButton);
    QVERIFY(main->isVisible());
    QVERIFY(main->findChild<QGroupBox *>("Frame8")->isVisible());
    QVERIFY(!Shown<FrmkLID>());
}

void ScoringWindowTest::codeIsAskedForAndChecked()
{
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    QString title, label;
    WhenModal<QInputDialog>([&](QInputDialog *d) {
        title = d->windowTitle();
        label = d->labelText();
        d->reject();
    });
    auto box = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral(" کد آزمودني را وارد کنيد"));
    QCOMPARE(label, QStringLiteral(" Enter Number "));
    QCOMPARE(box->text, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
    QCOMPARE(box->delayMs, 1000);

    for (const QString code : {"K-2", " K-1", "K-1 "}) {
        box = AnswerNextBox();
        select(code);
        QCOMPARE(box->text, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        QCOMPARE(box->delayMs, 1000);
    }
    QCOMPARE(child<QLineEdit>("Text5")->text(), QString());
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QString());
}

void ScoringWindowTest::unansweredItemsAreListedAndNothingChanges()
{
    AddSubject("K-2", "9", "9", "9", true, "مینا");
    ClearAnswers("K-2", {"1", "45"});
    AddSubject("K-3", "9", "9", "9");
    QStringList all;
    for (int item = 1; item <= 45; ++item)
        all << QString::number(item);
    ClearAnswers("K-3", all);

    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("K-1");
    const QString explanation = child<QTextEdit>("Text4")->toPlainText();

    auto box = AnswerNextBox();
    select("K-2");
    QCOMPARE(box->title, QStringLiteral("خطا"));
    QCOMPARE(box->text, QStringLiteral("شما به سوالات زير پاسخ نداده ايد و تا به تمام سوالات پاسخ ندهيد نمي توانيد نمره گذاري را انجام دهيد")
                            + "\n\n" + " 1   45  ");
    QCOMPARE(box->delayMs, -1); // a plain box, not a self-closing prompt
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("K-1"));
    QCOMPARE(child<QLineEdit>("Text3(3)")->text(), QStringLiteral("سارا"));
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("120"));
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), explanation);

    box = AnswerNextBox();
    select("K-3");
    QString every;
    for (int item = 1; item <= 45; ++item)
        every += QStringLiteral(" %1  ").arg(item);
    QVERIFY(box->text.endsWith("\n\n" + every));
}

void ScoringWindowTest::selectionShowsScoresMeansAndExplanation()
{
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    QCOMPARE(child<QLineEdit>("Text5")->text(), QString());
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), QString());
    select("K-۱"); // typed on a Persian keyboard
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("K-1"));
    QCOMPARE(child<QLineEdit>("Text15")->text(), QStringLiteral("K-1"));
    QCOMPARE(child<QLineEdit>("Text3(3)")->text(), QStringLiteral("سارا"));
    QCOMPARE(child<QLineEdit>("Text12")->text(), QStringLiteral("احمدی"));
    QCOMPARE(child<QLineEdit>("Text14")->text(), QStringLiteral("علی"));
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("120"));
    QCOMPARE(child<QLineEdit>("Text3(1)")->text(), QStringLiteral("75"));
    QCOMPARE(child<QLineEdit>("Text3(2)")->text(), QStringLiteral("120"));
    QCOMPARE(child<QLabel>("Mean0")->text(), QStringLiteral("میانگین: ۸٫۰۰"));
    QCOMPARE(child<QLabel>("Mean1")->text(), QStringLiteral("میانگین: ۵٫۰۰"));
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), LoveTypeText(LoveType::CompanionateLove));
    // Under each sum its range and its level against the cut-off.
    for (const char *range : {"Range0", "Range1", "Range2"})
        QCOMPARE(child<QLabel>(range)->text(), QStringLiteral("۱۵ تا ۱۳۵"));
    QCOMPARE(child<QLabel>("Level0")->text(), QStringLiteral("بالا"));
    QCOMPARE(child<QLabel>("Level1")->text(), QStringLiteral("پایین"));
    // Answers from before sessions were kept: one session of unknown date, nothing to compare.
    auto *sessions = child<QTableWidget>("SessionList");
    QCOMPARE(sessions->rowCount(), 1);
    QCOMPARE(sessions->item(0, 1)->text(), QStringLiteral("تاریخ نامعلوم"));
    QCOMPARE(child<QLabel>("Change0")->text(), QString());
    QVERIFY(!child<QComboBox>("CmbEarlier")->isEnabled());
    QVERIFY(!scoring_->findChild<TriangleChart *>()->earlier());

    // Passion 97 against its cut-off of 98: borderline on the low side, and a mean that does not
    // read as the cut-off's.
    QStringList answers(45, "8");
    for (int item = 16; item <= 30; ++item)
        answers[item - 1] = item <= 22 ? "7" : "6"; // 7 × 7 + 8 × 6
    InsertSubject("K-4", "مینا", "رضا", answers);
    select("K-4");
    QCOMPARE(child<QLineEdit>("Text3(1)")->text(), QStringLiteral("97"));
    QCOMPARE(child<QLabel>("Mean1")->text(), QStringLiteral("میانگین: ۶٫۴۷"));
    QCOMPARE(child<QLabel>("Level1")->text(), QStringLiteral("مرزی (پایین)"));
    QVERIFY(child<QLabel>("Level1")->toolTip().contains(QStringLiteral("۶٫۵۳")));
}

void ScoringWindowTest::secondSubjectReplacesTheFirst()
{
    AddSubject("K-2", "9", "9", "9", true, "مینا");
    AddSubject("K-2", "1", "1", "1"); // a second answer row under the same code is not used
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("K-1");
    select("K-2");
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), LoveTypeText(LoveType::ConsummateLove));
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("135"));
    QCOMPARE(child<QLineEdit>("Text3(3)")->text(), QStringLiteral("مینا"));
    QCOMPARE(child<QLabel>("Mean2")->text(), QStringLiteral("میانگین: ۹٫۰۰"));
}

void ScoringWindowTest::subjectWithoutSubjectRowIsScored()
{
    AddSubject("lone", "1", "1", "1", false);
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("lone");
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("lone"));
    QCOMPARE(child<QLineEdit>("Text15")->text(), QString());
    QCOMPARE(child<QLineEdit>("Text3(3)")->text(), QString());
    QCOMPARE(child<QLineEdit>("Text3(2)")->text(), QStringLiteral("15"));
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), LoveTypeText(LoveType::NonLove));
}

void ScoringWindowTest::sheetPrintsOnceAndCarriesOnlyItsParticulars()
{
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    auto box = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    const QString needSelection =
        QStringLiteral("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني را وارد کنيد بعد روي پرينت کليک کنيد ");
    QCOMPARE(box->text, needSelection);
    QCOMPARE(box->delayMs, 2000);
    QVERIFY(!scoring_->findChild<DataRPrint *>());

    select("K-1");
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    auto *report = scoring_->findChild<DataRPrint *>();
    QVERIFY(report);
    QVERIFY(report->isVisible());
    QVERIFY(!report->isModal()); // the scoring window stays usable
    QCOMPARE(child<QLineEdit>("Text5")->text(), QString());
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("120")); // printing changes nothing on screen

    const ResultSheet &sheet = dynamic_cast<const ResultSheetDocument &>(report->document()).sheet();
    QCOMPARE(sheet.clinicName, QStringLiteral("کلینیک مشاوره آرامش"));
    QCOMPARE(sheet.address, QStringLiteral("تهران، خیابان ولیعصر"));
    QCOMPARE(sheet.firstName, QStringLiteral("سارا"));
    QCOMPARE(sheet.lastName, QStringLiteral("احمدی"));
    QCOMPARE(sheet.age, QStringLiteral("34"));
    QCOMPARE(sheet.education, QStringLiteral("کارشناسی ارشد"));
    QCOMPARE(sheet.date, QStringLiteral("1403/05/09"));
    QCOMPARE(sheet.explanation, LoveTypeText(LoveType::CompanionateLove));

    // Saved as PDF under a proposed name holding the code, the name and today's date, readable
    // by its owner only; saving again over it asks first, and No leaves it as it was.
    const QString pdf = folder_->file("sheet.pdf");
    QString proposed;
    WhenModal<QFileDialog>([&](QFileDialog *d) {
        proposed = QFileInfo(d->selectedFiles().value(0)).fileName();
        d->selectFile(pdf);
        QMetaObject::invokeMethod(d, "accept");
    });
    QTest::mouseClick(report->findChild<QPushButton *>("SavePdf"), Qt::LeftButton);
    QVERIFY2(proposed.startsWith("برگه‌ی نتیجه‌ی آزمون K-1 سارا احمدی 14") && proposed.endsWith(".pdf"), qPrintable(proposed));
    QCOMPARE(QFileInfo(pdf).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    const QDateTime written = QFileInfo(pdf).lastModified();
    WhenModal<QFileDialog>([&](QFileDialog *d) {
        d->selectFile(pdf);
        QMetaObject::invokeMethod(d, "accept");
    });
    box = AnswerNextBox(QMessageBox::No);
    QTest::mouseClick(report->findChild<QPushButton *>("SavePdf"), Qt::LeftButton);
    QVERIFY(box->text.contains(pdf));
    QCOMPARE(QFileInfo(pdf).lastModified(), written);
    const QSet<QString> printed = PdfWords(pdf);
    QVERIFY(printed.contains("سارا"));
    QVERIFY(printed.contains("آرامش"));
    for (const QString absent : {"K-1", "120", "75", "علی", "زن", "متأهل", "10:00:00"})
        QVERIFY2(!printed.contains(*PlainWords(absent).begin()), qPrintable(absent));

    box = AnswerNextBox();
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    QCOMPARE(box->text, needSelection);
    QCOMPARE(scoring_->findChildren<DataRPrint *>().size(), 1);

    // The clinician's sheet of the subject still on screen, right after the result sheet.
    {
        ModalWatch watch;
        QTest::mouseClick(child<QPushButton>("CmdClinicianSheet"), Qt::LeftButton);
        QCOMPARE(watch.seen, QStringList());
    }
    const auto viewers = scoring_->findChildren<DataRPrint *>();
    QCOMPARE(viewers.size(), 2);
    const auto *clinician = dynamic_cast<const ClinicianSheetDocument *>(&viewers.constLast()->document());
    QVERIFY(clinician);
    QCOMPARE(clinician->sheet().subject.code, QStringLiteral("K-1"));
    QCOMPARE(clinician->sheet().subject.firstName, QStringLiteral("سارا"));
}

// The chart shows what the score boxes show; a partner is laid over it until another selection.
void ScoringWindowTest::chartFollowsSelectionsAndComparesAPartner()
{
    AddSubject("K-2", "9", "9", "9");
    AddSubject("K-3", "4", "9", "2");
    ClearAnswers("K-3", {"7"});
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    auto *chart = scoring_->findChild<TriangleChart *>();
    auto *compare = child<QPushButton>("CmdCompare");
    QVERIFY(!chart->subject());
    QVERIFY(!compare->isEnabled());

    select("K-1");
    QCOMPARE(chart->subject()->code, QStringLiteral("K-1"));
    QCOMPARE(chart->subject()->scores.passion, 75);
    QCOMPARE(chart->subject()->name, QStringLiteral("سارا احمدی"));
    QString title, prompt;
    WhenModal<QInputDialog>([&](QInputDialog *d) {
        title = d->windowTitle();
        prompt = d->labelText();
        d->setTextValue("K-2");
        d->accept();
    });
    QTest::mouseClick(compare, Qt::LeftButton);
    QCOMPARE(compare->text(), QStringLiteral("مقایسه با شریک عاطفی"));
    QCOMPARE(title, QStringLiteral("مقایسه با شریک عاطفی"));
    QCOMPARE(prompt, QStringLiteral("کد آزمودنیِ شریک عاطفی را وارد کنید"));
    QCOMPARE(chart->partner()->code, QStringLiteral("K-2"));
    QCOMPARE(chart->partner()->scores.intimacy, 135);
    QCOMPARE(chart->subject()->code, QStringLiteral("K-1")); // the selection stays as it was
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("K-1"));
    // Beside the overlay: the partner's name, sums and love type.
    QCOMPARE(child<QLabel>("PartnerText")->text(),
             QStringLiteral("شریک عاطفی: سارا احمدی (\u2066K-2\u2069)\nصميميت ۱۳۵، هوس ۱۳۵، تعهد ۱۳۵\nعشق آرماني"));

    // The partner is refused as a selection is: unanswered items, named as the partner's, and an
    // unknown code.
    auto box = AnswerNextBox();
    Enter("K-3");
    QTest::mouseClick(compare, Qt::LeftButton);
    QCOMPARE(box->title, QStringLiteral("خطا"));
    QVERIFY2(box->text.startsWith(QStringLiteral("شریک عاطفی هنوز به همه‌ی جمله‌ها پاسخ نداده است")),
             qPrintable(box->text));
    QVERIFY(box->text.endsWith("\n\n 7  "));
    QCOMPARE(chart->partner()->code, QStringLiteral("K-2"));

    box = AnswerNextBox(); // a failed selection leaves the earlier subject on the chart
    select("K-9");
    QCOMPARE(box->text, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
    QCOMPARE(chart->subject()->code, QStringLiteral("K-1"));
    QCOMPARE(chart->partner()->code, QStringLiteral("K-2"));

    select("K-2");
    QCOMPARE(chart->subject()->code, QStringLiteral("K-2"));
    QVERIFY(!chart->partner());
    QCOMPARE(child<QLabel>("PartnerText")->text(), QString());
}

// The clinician's sheet: every particular, the sums and means, the type, and the note on an
// all-5 subject; printing it leaves the selection for the result sheet.
void ScoringWindowTest::clinicianSheetCarriesEverything()
{
    AddSubject("K-5", "5", "5", "5", true, "نگار");
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("K-5");
    QTest::mouseClick(child<QPushButton>("CmdClinicianSheet"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("K-5"));
    auto *report = scoring_->findChild<DataRPrint *>();
    QVERIFY(report);
    const ClinicianSheet &sheet = dynamic_cast<const ClinicianSheetDocument &>(report->document()).sheet();
    QCOMPARE(sheet.subject.group, QStringLiteral("A"));
    QCOMPARE(sheet.answers.storedTexts(), QStringList(45, "5"));

    const QString pdf = folder_->file("clinician.pdf");
    QCOMPARE(WriteFileSafely(pdf, SheetPdf(report->document())), std::nullopt);
    const QSet<QString> printed = PdfWords(pdf);
    // Marked confidential; digits on paper are Persian, the code stays as typed; each sum with its
    // range and level, how levels are read, means in two decimals, the cut-offs with their means
    // and the legend of the dashed triangle.
    for (const QString expected : {"محرمانه", "K-5", "نگار", "احمدی", "زن", "۳۴", "A", "کارشناسی", "۱۴۰۳/۰۵/۰۹",
                                   "۱۰:۰۰:۰۰", "علی", "۷۵", "۱۵", "۱۳۵", "پایین", "فاصله", "۵٫۰۰", "۱۰۸", "۷٫۲۰",
                                   "۶٫۵۳", "نمره‌های", "برش", "فقدان", "آزمودنی", "عدد", "۴۵", "تفسیر"})
        QVERIFY2(printed.contains(*PlainWords(expected).begin()), qPrintable(expected));
    for (const QString absent : {"34", "1403/05/09", "10:00:00", "75", "5.0", "5.00", "108", "45"})
        QVERIFY2(!printed.contains(absent), qPrintable(absent));
    QVERIFY(printed.contains(*PlainWords("در میان بگذارید").begin()));

    // A subject who answered in many ways gets no such note.
    QStringList varied;
    for (int item = 1; item <= 45; ++item)
        varied << QString::number(item % 9 + 1);
    ClinicianSheet other = sheet;
    other.answers = AnswerSheet(varied);
    QCOMPARE(WriteFileSafely(pdf, SheetPdf(ClinicianSheetDocument(other))), std::nullopt);
    QVERIFY(!PdfWords(pdf).contains(*PlainWords("بگذارید").begin()));
}

// Names with tags in them, stored by registration as typed, show as those characters wherever the
// scoring window shows them (fields, their tooltips, the partner's line, the chart) and load
// nothing: <img src="/dev/zero"> would read without end.
void ScoringWindowTest::storedTextsShowAsTyped()
{
    const QString image = QStringLiteral("<img src=\"/dev/zero\">");
    const QString heading = QStringLiteral("<h1>X</h1>");
    {
        DataConnection db(DataFile::Subjects, "setup");
        StoredSubject subject;
        subject.code = "K-7";
        subject.firstName = image;
        subject.lastName = heading;
        subject.beloved = heading;
        subject.answers = QStringList(45, "6");
        InsertSubject(db, subject);
    }
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("K-7");
    Enter("K-7");
    QTest::mouseClick(child<QPushButton>("CmdCompare"), Qt::LeftButton);
    scoring_->grab(); // paints every label and the chart

    for (const auto &[field, text] :
         {std::pair{"Text3(3)", image}, std::pair{"Text12", heading}, std::pair{"Text14", heading}}) {
        auto *edit = child<QLineEdit>(field);
        QCOMPARE(edit->text(), text);
        QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), edit->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(edit, &hover);
        QLabel *tip = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "qtooltip_label")
                tip = qobject_cast<QLabel *>(w);
        QVERIFY(tip);
        tip->grab();
        QCOMPARE(ShownText(tip), text);
        QToolTip::hideText();
    }
    auto *partner = child<QLabel>("PartnerText");
    QVERIFY(partner->text().contains(image + u' ' + heading));
    QCOMPARE(ShownText(partner), partner->text());
    for (QLabel *label : scoring_->findChildren<QLabel *>()) {
        if (label->objectName() != "qtooltip_label") // the tooltip's own label, checked above
            QCOMPARE(ShownText(label), label->text());
    }
    QCOMPARE(scoring_->findChild<TriangleChart *>()->partner()->name, image + u' ' + heading);
}

// A subject tested three times, a season apart: the sessions are listed with their dates, the
// latest is shown with the change of each sum since the first (or a session chosen to compare
// with), any session can be shown instead, and the sheets print the date of the one shown, the
// clinician's sheet every session.
void ScoringWindowTest::sessionsAreListedComparedAndPrinted()
{
    AddSubject("K-8", "1", "1", "1", true, "نگار");
    SubjectStore &store = folder_->stores().subjects;
    const QStringList answers[3] = {Uniform("6", "8", "5"), Uniform("7", "8", "7"), Uniform("8", "7", "8")};
    const QDate days[3] = {QDate(2025, 3, 3), QDate(2025, 7, 3), QDate(2025, 11, 3)};
    for (int i = 0; i < 3; ++i) {
        const QDateTime saved(days[i], QTime(11, 0));
        store.saveAnswers("K-8", store.read("K-8").answerRow, AnswerSheet(answers[i]), {saved.addSecs(-900), saved});
    }
    scoring_ = new FrmkLID(folder_->stores());
    scoring_->show();
    select("K-8");
    auto *sessions = child<QTableWidget>("SessionList");
    QCOMPARE(sessions->rowCount(), 3);
    QCOMPARE(sessions->horizontalHeaderItem(0)->text(), QStringLiteral("اجرا"));
    const QString dates[3] = {"۱۴۰۳/۱۲/۱۳", "۱۴۰۴/۰۴/۱۲", "۱۴۰۴/۰۸/۱۲"};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(sessions->item(row, 0)->text(), PersianDigits(QString::number(row + 1)));
        QCOMPARE(sessions->item(row, 1)->text(), dates[row]);
    }
    QCOMPARE(sessions->item(0, 2)->text(), QStringLiteral("۹۰"));
    QCOMPARE(sessions->item(0, 5)->text(), LoveTypeLabel(LoveType::Infatuation));
    QCOMPARE(sessions->currentRow(), 2);
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("120"));
    const auto changes = [this] {
        return QStringList{child<QLabel>("Change0")->text(), child<QLabel>("Change1")->text(),
                           child<QLabel>("Change2")->text()};
    };
    QCOMPARE(changes(), (QStringList{"تغییر: \u2066+۳۰\u2069", "تغییر: \u2066-۱۵\u2069", "تغییر: \u2066+۴۵\u2069"}));
    auto *chart = scoring_->findChild<TriangleChart *>();
    QCOMPARE(chart->earlier()->scores.commitment, 75);
    QCOMPARE(chart->earlier()->legend, QStringLiteral("اجرای ۱ (۱۴۰۳/۱۲/۱۳)"));
    QCOMPARE(chart->earlier()->shownLegend, QStringLiteral("اجرای ۳ (۱۴۰۴/۰۸/۱۲)"));

    // Compared with the second session instead.
    auto *earlier = child<QComboBox>("CmbEarlier");
    QCOMPARE(earlier->count(), 2);
    earlier->setCurrentIndex(1);
    Q_EMIT earlier->activated(1);
    QCOMPARE(changes(), (QStringList{"تغییر: \u2066+۱۵\u2069", "تغییر: \u2066-۱۵\u2069", "تغییر: \u2066+۱۵\u2069"}));
    QCOMPARE(chart->earlier()->scores.intimacy, 105);

    // The first session shown: its sums and type, nothing earlier to compare with.
    sessions->setCurrentCell(0, 0);
    QCOMPARE(child<QLineEdit>("Text3(0)")->text(), QStringLiteral("90"));
    QCOMPARE(child<QTextEdit>("Text4")->toPlainText(), LoveTypeText(LoveType::Infatuation));
    QCOMPARE(changes(), QStringList(3));
    QVERIFY(!chart->earlier());
    QCOMPARE(chart->subject()->scores.commitment, 75);
    QVERIFY(!earlier->isEnabled());

    // The second session shown, and printed with its date; not the latest's.
    sessions->setCurrentCell(1, 0);
    QCOMPARE(child<QLineEdit>("Text3(2)")->text(), QStringLiteral("105"));
    QCOMPARE(changes().constFirst(), QStringLiteral("تغییر: \u2066+۱۵\u2069"));
    QTest::mouseClick(child<QPushButton>("Command6"), Qt::LeftButton);
    auto *viewer = scoring_->findChild<DataRPrint *>();
    QVERIFY(viewer);
    const QString pdf = folder_->file("sheet.pdf");
    QCOMPARE(WriteFileSafely(pdf, SheetPdf(viewer->document())), std::nullopt);
    // pdftotext may join a word and the number beside it: a date is looked for inside the words.
    QSet<QString> printed = PdfWords(pdf);
    const auto inWords = [&printed](const QString &part) {
        return std::any_of(printed.begin(), printed.end(), [&](const QString &word) { return word.contains(part); });
    };
    QVERIFY(printed.contains(QStringLiteral("اجرای")));
    QVERIFY(inWords(dates[1]));
    QVERIFY(!inWords(dates[2]));
    QVERIFY(printed.contains(*PlainWords(LoveTypeLabel(LoveType::Infatuation)).begin()));

    // Choosing a session shows what the sheets print: the result sheet may be printed again.
    QCOMPARE(child<QLineEdit>("Text5")->text(), QString());
    sessions->setCurrentCell(2, 0);
    QCOMPARE(child<QLineEdit>("Text5")->text(), QStringLiteral("K-8"));

    // The clinician's sheet: every session's date and sums, the shown one's row marked, the first and
    // the shown named in the triangle's legend, and the day it is printed in the test date's form.
    QTest::mouseClick(child<QPushButton>("CmdClinicianSheet"), Qt::LeftButton);
    viewer = scoring_->findChildren<DataRPrint *>().constLast();
    QCOMPARE(WriteFileSafely(pdf, SheetPdf(viewer->document())), std::nullopt);
    printed = PdfWords(pdf);
    for (const QString &date : dates)
        QVERIFY2(inWords(date), qPrintable(date));
    for (const QString expected : {"۶٫۰۰", "۵٫۰۰", "اجراهای", "اجرای", "چاپ"})
        QVERIFY2(inWords(*PlainWords(expected).begin()), qPrintable(expected));
    QVERIFY(printed.contains(QStringLiteral("برگه"))); // «(همین برگه)»; the title's «برگه‌ی» is another word
    QVERIFY(inWords(PersianDigits(PersianDateText(QDateTime::currentDateTime()))));
    for (const QString absent : {"جلسه", "نمره‌گذاری"})
        QVERIFY2(!inWords(*PlainWords(absent).begin()), qPrintable(absent));
}

QTEST_MAIN(ScoringWindowTest)
#include "test_scoring_window.moc"
