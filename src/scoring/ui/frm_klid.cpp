#include "scoring/ui/frm_klid.h"

#include "calendar/jalali.h"
#include "common/persian_digits.h"
#include "questionnaire/item_bank.h"
#include "common/numbers.h"
#include "records/subject_store.h"
#include "records/ui/subject_panel.h"
#include "scoring/clinician_sheet.h"
#include "scoring/love_type.h"
#include "scoring/result_sheet.h"
#include "scoring/score_report.h"
#include "scoring/ui/data_r_print.h"
#include "scoring/ui/session_list.h"
#include "scoring/ui/triangle_chart.h"
#include "ui/ask_code.h"
#include "ui/bound_field.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace morva {
namespace {

QString PartnerTitle()
{
    return QStringLiteral("مقایسه با شریک عاطفی");
}

// The first and last name, for the chart's legend; nothing for a subject without particulars.
QString FullName(const std::optional<Subject> &subject)
{
    return subject ? (subject->firstName + u' ' + subject->lastName).trimmed() : QString();
}

// A label of the window's own making that may hold a stored name: shown as plain text, so that
// a name with tags in it shows as typed and loads nothing.
QLabel *ShownText(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

FrmkLID::FrmkLID(Stores &stores, QWidget *parent)
    : QWidget(parent),
      frame_(this, stores, {QStringLiteral("FrmkLID"), QStringLiteral("کليد گذاري"), {15270, 9045}, QStringLiteral("Text1")})
{
    text13_ = HiddenField(this, QStringLiteral("Text13"), frame_.loadedSettings().name);
    text16_ = HiddenField(this, QStringLiteral("Text16"), frame_.loadedSettings().address);
    text5_ = HiddenField(this, QStringLiteral("Text5"));

    buildSubjectPanel();
    buildChartPanel();
    buildExplanationPanel();
    buildScorePanel();

    frame_.finishLoading(kStandardPlace);
}

FrmkLID::~FrmkLID() = default;

void FrmkLID::buildSubjectPanel()
{
    frame5_ = new SubjectPanel(this, QStringLiteral("Frame5"),
                               {QStringLiteral("Text15"), QStringLiteral("Text3(3)"), QStringLiteral("Text12"),
                                QStringLiteral("Text10"), QStringLiteral("Text6"), QStringLiteral("Text11"),
                                QStringLiteral("Text7"), QStringLiteral("Text8"), QStringLiteral("Text9"),
                                QStringLiteral("Text14")},
                               3);
    frame5_->setGeometry(TwipsRect(240, 120, 14790, 2400));
}

// The subject's triangle, and a second subject's laid over it with the partner's name, sums and
// love type under it.
void FrmkLID::buildChartPanel()
{
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("FrameChart"));
    frame->setGeometry(TwipsRect(240, 2640, 3600, 6180));
    chart_ = new TriangleChart(frame);
    chart_->setGeometry(TwipsRect(120, 180, 3360, 4320));
    partner_ = ShownText(frame, QStringLiteral("PartnerText"));
    partner_->setWordWrap(true);
    partner_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    partner_->setGeometry(TwipsRect(120, 4500, 3360, 1020));
    compare_ = PlaceButton(frame, QStringLiteral("CmdCompare"), PartnerTitle(), {420, 5580, 2760, 480});
    compare_->setToolTip(QStringLiteral("مثلث شریک عاطفی را، که خود او هم آزمودنی ثبت‌شده است، روی مثلث این آزمودنی نشان می‌دهد"));
    compare_->setEnabled(false); // once a subject is selected
    connect(compare_, &QPushButton::clicked, this, &FrmkLID::onCmdCompareClicked);
}

// The subject's sessions, the earlier one the shown session is compared with, and the love type's
// explanation.
void FrmkLID::buildExplanationPanel()
{
    auto *frame3 = new QGroupBox(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    frame3->setGeometry(TwipsRect(3960, 2640, 6960, 6180));
    sessions_ = new SessionList(frame3);
    sessions_->setToolTip(QStringLiteral("هر سطر یک بار اجرای آزمون است. با انتخاب یک اجرا، نمره‌ها و برگه‌ها مربوط به همان اجرا نشان داده می‌شوند."));
    sessions_->setGeometry(TwipsRect(120, 240, 6720, 2160));
    connect(sessions_, &SessionList::sessionChosen, this, &FrmkLID::onSessionChosen);
    earlier_ = new QComboBox(frame3);
    earlier_->setObjectName(QStringLiteral("CmbEarlier"));
    earlier_->setGeometry(TwipsRect(2040, 2520, 3240, 420));
    earlier_->setEnabled(false); // once an earlier session is there
    connect(earlier_, &QComboBox::activated, this, &FrmkLID::onCmbEarlierActivated);
    FieldCaption(frame3, QStringLiteral(":مقایسه با"), earlier_)->setGeometry(TwipsRect(5340, 2520, 1500, 420));
    text4_ = new QTextEdit(frame3);
    text4_->setObjectName(QStringLiteral("Text4"));
    text4_->setReadOnly(true);
    text4_->setGeometry(TwipsRect(120, 3060, 6720, 3000));
    QFont explanation = text4_->font();
    explanation.setPointSize(12);
    text4_->setFont(explanation);
}

void FrmkLID::buildScorePanel()
{
    auto *frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(TwipsRect(11040, 2640, 3990, 6180));
    // From right to left: intimacy, passion, commitment.
    const QString captions[3] = {ComponentLabel(ItemComponent::Intimacy), ComponentLabel(ItemComponent::Passion),
                                 ComponentLabel(ItemComponent::Commitment)};
    const int lefts[3] = {2670, 1440, 210};
    QFont scoreFont = font();
    scoreFont.setPointSize(14);
    scoreFont.setBold(true);
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(captions[i], frame1);
        caption->setAlignment(Qt::AlignCenter);
        caption->setGeometry(TwipsRect(lefts[i], 300, 1110, 420));
        scores_[i] = new QLineEdit(frame1);
        scores_[i]->setObjectName(QStringLiteral("Text3(%1)").arg(i));
        scores_[i]->setReadOnly(true);
        scores_[i]->setAlignment(Qt::AlignCenter);
        scores_[i]->setFont(scoreFont);
        scores_[i]->setGeometry(TwipsRect(lefts[i], 720, 1110, 600));
        // Under the sum: its range, where it stands against the cut-off, and the mean per item.
        ranges_[i] = ShownText(frame1, QStringLiteral("Range%1").arg(i));
        ranges_[i]->setToolTip(QStringLiteral("دامنه‌ی نمره‌ی این مؤلفه"));
        ranges_[i]->setGeometry(TwipsRect(lefts[i] - 60, 1380, 1230, 360));
        levels_[i] = ShownText(frame1, QStringLiteral("Level%1").arg(i));
        levels_[i]->setGeometry(TwipsRect(lefts[i] - 60, 1740, 1230, 360));
        means_[i] = ShownText(frame1, QStringLiteral("Mean%1").arg(i));
        means_[i]->setToolTip(PersianDigits(QStringLiteral("میانگین پاسخ‌های این مؤلفه، از 1 تا 9")));
        means_[i]->setGeometry(TwipsRect(lefts[i] - 60, 2100, 1230, 360));
        changes_[i] = ShownText(frame1, QStringLiteral("Change%1").arg(i));
        changes_[i]->setGeometry(TwipsRect(lefts[i] - 60, 2460, 1230, 360));
    }

    auto *select =
        PlaceButton(frame1, QStringLiteral("Command1"), QStringLiteral("انتخاب آزمودني"), {600, 2940, 2790, 600});
    connect(select, &QPushButton::clicked, this, &FrmkLID::onCommand1Clicked);
    auto *compute = PlaceButton(frame1, QStringLiteral("Command7"), QStringLiteral("محاسبه"), {600, 3420, 1300, 500});
    compute->hide();
    connect(compute, &QPushButton::clicked, this, &FrmkLID::onCommand7Clicked);
    auto *classify =
        PlaceButton(frame1, QStringLiteral("Command5"), QStringLiteral("محاسبه2"), {2090, 3420, 1300, 500});
    classify->hide();
    connect(classify, &QPushButton::clicked, this, &FrmkLID::onCommand5Clicked);
    auto *print = PlaceButton(frame1, QStringLiteral("Command6"), QStringLiteral("پرينت"), {2040, 4860, 1350, 600});
    connect(print, &QPushButton::clicked, this, &FrmkLID::onCommand6Clicked);
    auto *clinician = PlaceButton(frame1, QStringLiteral("CmdClinicianSheet"), QStringLiteral("برگه‌ی بالینی"),
                                  {600, 4860, 1350, 600});
    clinician->setToolTip(QStringLiteral("برگه‌ی کامل برای پرونده: نمره‌ها، نمره‌های برش، مثلث و همه‌ی پاسخ‌ها"));
    connect(clinician, &QPushButton::clicked, this, &FrmkLID::onCmdClinicianSheetClicked);
    auto *exit = PlaceButton(frame1, QStringLiteral("Command4"), QStringLiteral(" خروج"), {600, 5520, 2790, 600});
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

std::optional<SubjectWithAnswers> FrmkLID::checkedSubject(const QString &code, const QString &unanswered)
{
    SubjectWithAnswers found;
    if (!RunGuarded(this, [&] { found = frame_.subjects().read(code); }))
        return std::nullopt;
    if (!found.answers) {
        MessagePrompt::Show(this, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        return std::nullopt;
    }
    if (!found.answers->complete()) {
        ShowMessageBox(this, unanswered + QStringLiteral("\n\n") + MissingItemsList(*found.answers),
                       QStringLiteral("خطا"), BoxStyle::OkExclamation);
        return std::nullopt;
    }
    return found;
}

void FrmkLID::onCommand1Clicked()
{
    const auto code =
        AskSubjectCode(this, QStringLiteral(" Enter Number "), QStringLiteral(" کد آزمودني را وارد کنيد"));
    if (!code)
        return;
    const auto checked = checkedSubject(
        *code,
        QStringLiteral("شما به سوالات زير پاسخ نداده ايد و تا به تمام سوالات پاسخ ندهيد نمي توانيد نمره گذاري را انجام دهيد"));
    if (!checked)
        return;
    QList<TestSession> sessions;
    if (!RunGuarded(this, [&] { sessions = frame_.subjects().sessions(*code); }))
        return;
    frame5_->showSubject(checked->subject);
    text5_->setText(*code);
    selectedCode_ = *code;
    selected_ = *checked;
    history_ = ScoredSessions(sessions, *checked->answers);
    sessions_->showSessions(history_, history_.size() - 1);
    showSession(history_.size() - 1);
    compare_->setEnabled(true);
}

// Another session of the subject on screen: what it comes to, and what the sheets print, until
// the next choice; a sheet printed before may be printed again for it.
void FrmkLID::onSessionChosen(qsizetype index)
{
    text5_->setText(selectedCode_);
    showSession(index);
}

void FrmkLID::onCmbEarlierActivated(int)
{
    showComparison();
}

void FrmkLID::showSession(qsizetype index)
{
    shown_ = index;
    report_ = history_[index].report;
    onCommand7Clicked();
    onCommand5Clicked();
    listEarlier(index > 0 ? 0 : -1);
    showComparison();
}

void FrmkLID::listEarlier(qsizetype index)
{
    const QSignalBlocker quiet(earlier_);
    earlier_->clear();
    for (qsizetype i = 0; i < shown_; ++i)
        earlier_->addItem(SessionLabel(history_[i]));
    earlier_->setCurrentIndex(static_cast<int>(index));
    earlier_->setEnabled(earlier_->count() > 0);
}

void FrmkLID::showComparison()
{
    const int index = earlier_->currentIndex();
    if (index < 0 || index >= shown_) {
        for (QLabel *change : changes_) {
            change->clear();
            change->setToolTip(QString());
        }
        return;
    }
    const ScoredSession &then = history_[index];
    const ScoredSession &now = history_[shown_];
    for (int i = 0; i < 3; ++i) {
        changes_[i]->setText(QStringLiteral("تغییر: ") + ScoreChangeText(ScoreOf(then.report.sums, kItemComponents[i]),
                                             ScoreOf(now.report.sums, kItemComponents[i])));
        changes_[i]->setToolTip(QStringLiteral("تغییر نسبت به ") + SessionLabel(then));
    }
    chart_->showEarlier(TriangleChart::Earlier{then.report.sums, SessionLabel(then), SessionLabel(now)});
    partner_->clear();
}

// A second subject, the partner in couples counselling, checked as a selection is; an incomplete
// partner is named as the partner.
void FrmkLID::onCmdCompareClicked()
{
    const auto code = AskSubjectCode(this, QStringLiteral("کد آزمودنیِ شریک عاطفی را وارد کنید"), PartnerTitle());
    if (!code)
        return;
    const auto checked = checkedSubject(*code,
                                        QStringLiteral("شریک عاطفی هنوز به همه‌ی جمله‌ها پاسخ نداده است و مثلث او را "
                                                       "نمی‌توان کشید. شماره‌ی جمله‌های بی‌پاسخ:"));
    if (!checked)
        return;
    const ScoreReport report = Score(*checked->answers);
    const ChartSubject partner{*code, report.sums, FullName(checked->subject)};
    chart_->showPartner(partner);
    partner_->setText(QStringLiteral("شریک عاطفی: ") + LegendName(partner) + u'\n' + ScoresText(partner.scores) + u'\n'
                      + LoveTypeLabel(report.type));
}

// The three sums of the subject on screen, with their scale, and the triangle.
void FrmkLID::onCommand7Clicked()
{
    for (int i = 0; i < 3; ++i) {
        const int sum = ScoreOf(report_.sums, kItemComponents[i]);
        scores_[i]->setText(QString::number(sum));
        ranges_[i]->setText(ScoreRangeText());
        levels_[i]->setText(ScoreLevelLabel(LevelOf(kItemComponents[i], sum)));
        const int cutOff = ScoreOf(kCutOffs, kItemComponents[i]);
        levels_[i]->setToolTip(QStringLiteral("نمره‌ی برش: %1 (میانگین %2)")
                                   .arg(PersianDigits(QString::number(cutOff)), MeanPerItemText(cutOff)));
        means_[i]->setText(QStringLiteral("میانگین: ") + MeanPerItemText(sum));
    }
    chart_->showSubject({selectedCode_, report_.sums, FullName(selected_.subject)});
    partner_->clear();
}

// The love type of the subject on screen and its explanation.
void FrmkLID::onCommand5Clicked()
{
    text4_->setPlainText(LoveTypeText(report_.type));
    QTextCursor all(text4_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat rightToLeft;
    rightToLeft.setLayoutDirection(Qt::RightToLeft);
    all.mergeBlockFormat(rightToLeft);
}

bool FrmkLID::subjectSelected(const QString &code)
{
    if (!code.isEmpty())
        return true;
    MessagePrompt::Show(this,
                        QStringLiteral("ابتدا روي انتخاب آزمودني کليک کرده سپس کد آزمودني را وارد کنيد بعد روي پرينت کليک کنيد "),
                        2000);
    return false;
}

void FrmkLID::onCommand6Clicked()
{
    if (!subjectSelected(text5_->text()))
        return;
    const Subject subject = selected_.subject.value_or(Subject());
    ResultSheet sheet;
    sheet.clinicName = text13_->text();
    sheet.explanation = LoveTypeText(report_.type);
    sheet.firstName = subject.firstName;
    sheet.lastName = subject.lastName;
    sheet.age = subject.age;
    sheet.education = subject.education;
    sheet.date = subject.date;
    sheet.testDate = SessionDateText(history_[shown_].date);
    sheet.address = text16_->text();
    preview(std::make_unique<ResultSheetDocument>(sheet));
    text5_->clear();
}

// The clinician's sheet of the subject on screen, also once the result sheet has been printed;
// the selection stays for the result sheet.
void FrmkLID::onCmdClinicianSheetClicked()
{
    if (!subjectSelected(selectedCode_))
        return;
    ClinicianSheet sheet;
    sheet.clinicName = text13_->text();
    sheet.subject = selected_.subject.value_or(Subject());
    sheet.subject.code = selectedCode_; // an answer row alone still has its code
    sheet.printDate = PersianDateText(frame_.stores().now());
    sheet.answers = history_[shown_].answers;
    sheet.sessions = history_;
    sheet.shown = shown_;
    preview(std::make_unique<ClinicianSheetDocument>(sheet));
}

// Opens a sheet in its viewing window, proposing a file name with the sheet's name, the code, the
// subject's name and today.
void FrmkLID::preview(std::unique_ptr<SheetDocument> document)
{
    const QString today = PersianDateText(frame_.stores().now(), 0).replace(u'/', u'-');
    const Subject subject = selected_.subject.value_or(Subject());
    const QString name = SheetFileName({document->name(), selectedCode_, subject.firstName, subject.lastName, today});
    (new DataRPrint(std::move(document), name, this))->show();
}

void FrmkLID::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}

} // namespace morva
