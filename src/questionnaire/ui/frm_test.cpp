#include "questionnaire/ui/frm_test.h"

#include "questionnaire/answers.h"
#include "questionnaire/item_bank.h"
#include "common/numbers.h"
#include "common/persian_digits.h"
#include "records/subject_store.h"
#include "records/ui/subject_panel.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/key_filter.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QValidator>

#include <optional>

namespace morva {
namespace {

// The Latin digit 1 to 9 that an answer typed or pasted in any script stands for.
std::optional<QChar> AnswerDigit(const QString &text)
{
    const std::optional<int> value = AnswerSheet::ValueOf(text);
    if (!value)
        return std::nullopt;
    return QChar(u'0' + *value);
}

// The named points of the scale as a clause of the instruction: عدد ۱ یعنی «اصلاً»، ... و عدد ۹ یعنی «به طور کامل»
QString AnchorsSentence()
{
    QStringList meanings;
    for (const ScaleAnchor &anchor : ScaleAnchors())
        meanings << QStringLiteral("عدد %1 یعنی «%2»").arg(PersianNumber(anchor.value), anchor.word);
    const QString last = meanings.takeLast();
    return meanings.join(QStringLiteral("، ")) + QStringLiteral(" و ") + last;
}

QString InstructionText()
{
    return QStringLiteral("لطفاً هر جمله را با دقت بخوانید و مشخص کنید که اکنون تا چه اندازه درباره‌ی شما و "
                          "رابطه‌تان با کسی که نامش در جمله آمده است، درست است؛ پاسخ درست یا نادرستی وجود ندارد. "
                          "%1؛ عددهای میان آن‌ها درجه‌های بینابینی را نشان می‌دهند. عدد مورد نظر را در کادر پاسخ، "
                          "سمت چپ جمله، بنویسید و با کلید Enter یا دکمه‌ی «%2» به جمله‌ی بعد بروید.")
        .arg(AnchorsSentence(), QStringLiteral("بعدي"));
}

// A label for text that is shown as it is written: a beloved's name such as "<h1>X</h1>" shows
// its brackets and never becomes markup.
QLabel *PlainLabel(QWidget *parent, const char *name, const QRect &twips)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(TwipsRect(twips));
    return label;
}

QPushButton *Button(QWidget *parent, const char *name, const QString &caption, const QRect &twips)
{
    QPushButton *button = PlaceButton(parent, QLatin1String(name), caption, twips);
    button->setAutoDefault(false); // Enter belongs to the answer box
    return button;
}

// The answer box holds one digit 1 to 9 or nothing; anything else pasted into it is refused
// whole. A Persian or Arabic digit is taken and shown as the Latin one.
class AnswerValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Acceptable;
        return AnswerDigit(input) ? Acceptable : Invalid;
    }
};

QFont BoldFont(int points)
{
    QFont font;
    font.setPointSize(points);
    font.setBold(true);
    return font;
}

} // namespace

FrmTest::FrmTest(Stores &stores, QWidget *parent)
    : QDialog(parent),
      frame_(this, stores,
             {QStringLiteral("FrmTest"), QStringLiteral("صفحه اجراي تست"), {10710, 8325}, QStringLiteral("Text2")})
{
    setModal(true);

    skinLabel3_ = PlainLabel(this, "SkinLabel3", {240, 120, 10230, 600});
    skinLabel3_->setProperty("heading", true);
    skinLabel3_->setAlignment(Qt::AlignCenter);

    // The subject reads the instruction first and whole: a size above the window's own, room
    // for it to wrap, never shrunk.
    skinLabel4_ = PlainLabel(this, "SkinLabel4", {240, 780, 10230, 1860});
    skinLabel4_->setWordWrap(true);
    QFont instructionFont;
    instructionFont.setPointSize(12);
    skinLabel4_->setFont(instructionFont);
    skinLabel4_->setText(InstructionText());

    buildSubjectPanel();
    buildItemArea();
    buildCommands();

    frame_.finishLoading(kStandardPlace);
    ShowFitted(skinLabel3_, QStringLiteral("مقیاس مثلثی عشق"));
    cmdNext_->hide();
    cmdBack_->hide();
}

FrmTest::~FrmTest() = default;

void FrmTest::buildSubjectPanel()
{
    frame1_ = new SubjectPanel(this, QStringLiteral("Frame1"),
                               {QStringLiteral("Text1"), QStringLiteral("Text3"), QStringLiteral("Text4"),
                                QStringLiteral("Text10"), QStringLiteral("Text5"), QStringLiteral("Text11"),
                                QStringLiteral("Text7"), QStringLiteral("Text8"), QStringLiteral("Text9"),
                                QStringLiteral("Text14")},
                               4);
    frame1_->setGeometry(TwipsRect(240, 2700, 10230, 1740));
    text1_ = frame1_->field(0);
    text14_ = frame1_->field(9);
    frame1_->field(4)->setMaxLength(3);
    frame1_->hide();
}

void FrmTest::buildItemArea()
{
    // The statement carries the beloved's name as it was registered.
    skinLbl5_ = PlainLabel(this, "SkinLbl5", {3960, 4560, 6510, 1740});
    skinLbl5_->setText(QStringLiteral(" "));
    skinLbl5_->setWordWrap(true);
    skinLbl5_->setFont(BoldFont(14));
    skinLbl5_->setAlignment(Qt::AlignVCenter | Qt::AlignRight | Qt::AlignAbsolute);
    skinLbl5_->hide();

    frame2_ = new QGroupBox(this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setAlignment(Qt::AlignHCenter);
    frame2_->setGeometry(TwipsRect(240, 4560, 1680, 1740));
    frame2_->hide();

    // Beside the answer box: where the subject is, and what the numbers mean.
    lblProgress_ = PlainLabel(this, "LblProgress", {2040, 4740, 1800, 420});
    lblProgress_->setFont(BoldFont(11));
    lblProgress_->hide();
    lblScale_ = PlainLabel(this, "LblScale", {2040, 5160, 1800, 1080});
    QStringList anchors;
    for (const ScaleAnchor &anchor : ScaleAnchors())
        anchors << ScaleAnchorText(anchor);
    lblScale_->setText(anchors.join(u'\n'));
    lblScale_->hide();
    text12_ = new QLineEdit(frame2_);
    text12_->setObjectName(QStringLiteral("Text12"));
    text12_->setFont(BoldFont(20));
    text12_->setAlignment(Qt::AlignCenter);
    text12_->setGeometry(TwipsRect(300, 540, 1080, 900));
    text12_->setValidator(new AnswerValidator(text12_));
    new KeyFilter(text12_, QStringLiteral("123456789"),
                  QStringLiteral("شما بايد از اعداد بين 1 تا 9 جهت پاسخگويي استفاده نماييد"), 3000);
    text12_->installEventFilter(this);
    connect(text12_, &QLineEdit::textChanged, this, &FrmTest::onText12Changed);

    text6_ = new QLineEdit(QStringLiteral("1"), this);
    text6_->setObjectName(QStringLiteral("Text6"));
    text6_->setFont(BoldFont(16));
    text6_->setAlignment(Qt::AlignCenter);
    text6_->setMaxLength(3);
    text6_->setGeometry(TwipsRect(4800, 6420, 1110, 600));
    text6_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), text6_));
    new KeyFilter(text6_, QStringLiteral("0123456789"), QStringLiteral("شما بايد عدد وارد كنيد"), 1000);
    text6_->installEventFilter(this);
    text6_->hide();
    connect(text6_, &QLineEdit::textChanged, this, &FrmTest::onText6Changed);
}

void FrmTest::buildCommands()
{
    cmdBack_ = Button(this, "CmdBack", QStringLiteral("قبلي"), {6120, 6420, 1680, 600});
    cmdNext_ = Button(this, "CmdNext", QStringLiteral("بعدي"), {2910, 6420, 1680, 600});
    command1_ = Button(this, "Command1", QStringLiteral("شروع"), {4290, 7380, 2130, 660});
    command5_ = Button(this, "Command5", QStringLiteral("ذخيره و خروج"), {240, 7440, 2400, 600});
    command5_->hide();
    connect(cmdBack_, &QPushButton::clicked, this, &FrmTest::onCmdBackClicked);
    connect(cmdNext_, &QPushButton::clicked, this, &FrmTest::onCmdNextClicked);
    connect(command1_, &QPushButton::clicked, this, &FrmTest::onCommand1Clicked);
    connect(command5_, &QPushButton::clicked, this, &FrmTest::onCommand5Clicked);
}

bool FrmTest::SelectSubject(const QString &code)
{
    const SubjectWithAnswers found = frame_.subjects().read(code);
    if (!found.answers)
        return false;
    code_ = code;
    answerRow_ = found.answerRow;
    started_ = frame_.stores().now();
    saved_ = found.answers.value();
    answers_ = saved_;
    frame1_->showSubject(found.subject);
    return true;
}

void FrmTest::EnterReadyState()
{
    skinLabel4_->show();
    command1_->show();
    cmdBack_->hide();
    skinLabel3_->hide();
    cmdNext_->hide();
    frame1_->show();
    skinLbl5_->show();
    text6_->setText(QStringLiteral("0"));
}

void FrmTest::onCommand1Clicked()
{
    skinLabel3_->hide();
    frame2_->show();
    lblProgress_->show();
    lblScale_->show();
    frame1_->show();
    skinLbl5_->show();
    text6_->show();
    cmdNext_->show();
    text6_->setText(QStringLiteral("0"));
    cmdBack_->show();
    text1_->setFocus();
    command1_->hide();
    command5_->show();
    text6_->setText(QStringLiteral("1"));
}

void FrmTest::onCmdNextClicked()
{
    text6_->setText(QString::number(static_cast<qint64>(LeadingNumber(text6_->text())) + 1));
}

void FrmTest::onCmdBackClicked()
{
    text6_->setText(QString::number(static_cast<qint64>(LeadingNumber(text6_->text())) - 1));
}

// Each correction below sets the counter again, which runs this handler once more for the
// corrected value; that inner run shows the item.
void FrmTest::onText6Changed(const QString &text)
{
    if (text.isEmpty()) {
        skinLbl5_->clear();
        text6_->setText(QStringLiteral("1"));
        return;
    }
    const double value = LeadingNumber(text);
    if (value < 0) {
        MessagePrompt::Show(this, QStringLiteral("شروع"));
        text6_->setText(QStringLiteral("1"));
    } else if (value > ItemCount) {
        MessagePrompt::Show(this, QStringLiteral("پايان"));
        text6_->setText(QString::number(ItemCount));
    } else if (value >= 1) {
        attachItem(static_cast<int>(value));
    }
}

void FrmTest::attachItem(int item)
{
    currentItem_ = item;
    text12_->setText(answers_.stored(item));
    frame2_->setTitle(text6_->text());
    lblProgress_->setText(ItemProgressText(item));
    // While the subject types an item number the focus stays in the counter, until no further
    // digit could make another item ("12", "5"): then the next digit typed is the answer.
    if (!text6_->hasFocus() || !ItemNumberCanGrow(text6_->text()))
        text12_->setFocus();
    if (const auto statement = ComposeItemText(item, text14_->text()))
        skinLbl5_->setText(*statement);
}

void FrmTest::onText12Changed(const QString &text)
{
    if (const auto digit = AnswerDigit(text); digit && text != QString(*digit)) {
        text12_->setText(QString(*digit)); // stored with a Latin digit
        return;
    }
    if (currentItem_ >= 1)
        answers_.set(currentItem_, text);
}

bool FrmTest::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched != text12_ && watched != text6_) || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == text6_) {
        if (enter)
            text12_->setFocus(); // the item typed is the one to answer
        return enter;
    }
    if (enter) {
        onCmdNextClicked(); // the keyboard alone can answer the whole test
        return true;
    }
    // A digit typed over an answer replaces it; other keys go to the box's key filter.
    if (const auto digit = AnswerDigit(key->text()); digit && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        text12_->setText(QString(*digit));
        return true;
    }
    return false;
}

bool FrmTest::saveAnswers()
{
    return RunGuarded(this, [this] {
        frame_.subjects().saveAnswers(code_, answerRow_, answers_, {started_, frame_.stores().now()});
        saved_ = answers_;
    });
}

// Saving with items left unanswered stays the subject's choice; the other choice, also taken by
// Escape, goes back to the first of them.
bool FrmTest::saveDespiteUnanswered(const QList<int> &unanswered)
{
    const QString first = PersianNumber(unanswered.front());
    const QString which = unanswered.size() == 1 ? QStringLiteral("به جمله‌ی %1 هنوز پاسخ نداده‌اید.").arg(first)
                                                 : QStringLiteral("به این جمله‌ها هنوز پاسخ نداده‌اید: %1")
                                                       .arg(ItemNumbersText(unanswered));
    const auto answer = ShowMessageBox(
        this,
        which + QStringLiteral("\n\nمی‌خواهید پاسخ‌ها همین‌طور ذخیره شوند یا به جمله‌ی %1 برگردید؟").arg(first), {},
        BoxStyle::YesNo,
        {{QMessageBox::Yes, QStringLiteral("ذخیره و خروج")},
         {QMessageBox::No, QStringLiteral("بازگشت به جمله‌ی %1").arg(first)}});
    if (answer == QMessageBox::Yes)
        return true;
    text6_->setText(QString::number(unanswered.front()));
    text12_->setFocus();
    return false;
}

void FrmTest::onCommand5Clicked()
{
    if (const QList<int> unanswered = answers_.unanswered();
        !unanswered.isEmpty() && !saveDespiteUnanswered(unanswered))
        return;
    if (!saveAnswers())
        return;
    closing_ = true;
    accept();
}

// Leaving without "ذخيره و خروج": the answer row is either written whole, after asking, or left
// exactly as it was.
bool FrmTest::leaveAfterAsking()
{
    if (closing_ || answers_ == saved_)
        return true;
    const auto answer = ShowMessageBox(
        this, QStringLiteral("پاسخ‌های این اجرای آزمون هنوز ذخیره نشده‌اند. پیش از بستن پنجره، آن‌ها را ذخیره می‌کنید؟"), {},
        BoxStyle::YesNoCancel,
        {{QMessageBox::Yes, QStringLiteral("ذخیره")},
         {QMessageBox::No, QStringLiteral("بدون ذخیره")},
         {QMessageBox::Cancel, QStringLiteral("بازگشت به آزمون")}});
    if (answer == QMessageBox::Cancel)
        return false; // back to the test, nothing written
    if (answer == QMessageBox::Yes)
        return saveAnswers();
    answers_ = saved_; // the edits are dropped; the store was never touched
    return true;
}

// Escape and the window's close box both come here.
void FrmTest::reject()
{
    if (leaveAfterAsking()) {
        closing_ = true;
        QDialog::reject();
    }
}

} // namespace morva
