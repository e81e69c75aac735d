#include "records/ui/registration_panel.h"

#include "ui/bound_field.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/key_filter.h"
#include "ui/message_prompt.h"
#include "ui/twips.h"
#include "calendar/jalali.h"
#include "records/columns.h"
#include "records/subject_choices.h"
#include "records/subject_code.h"
#include "records/subject_store.h"
#include "records/table_view.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace morva {
namespace {

constexpr int kFieldHeight = 375;

// The time of day as the regional settings write it in their long form, without a time zone.
QString LongTimeText(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return QLocale::system().toString(time, format.trimmed());
}

} // namespace

RegistrationPanel::RegistrationPanel(SubjectStore &store, TableView &subjects, TableView &answers, TableView &lookup,
                                     QWidget *parent)
    : QGroupBox(parent), store_(store), subjects_(subjects), answers_(answers), lookup_(lookup)
{
    SetUpPanel(this, QStringLiteral("Frame10"), {1500, 780, 6675, 2895});
    QFont compact = font();
    compact.setPointSize(10);
    setFont(compact);

    // The first row leaves the code room for twelve characters or more.
    text11_ = addField("Text11", QStringLiteral(" :کد"), 4740, 300, 1380, 480);
    text11_->setAlignment(Qt::AlignCenter);
    text6_ = addField("Text6", QStringLiteral(" :نام"), 2820, 300, 1260, 600);
    text4_ = addField("Text4", QStringLiteral(" :نام خانوادگي"), 120, 300, 1500, 1170);
    text5_ = addField("Text5", QStringLiteral(" :سن"), 5400, 840, 420, 600);
    text5_->setAlignment(Qt::AlignCenter);
    text5_->setMaxLength(2);
    text5_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), text5_));
    new KeyFilter(text5_, QStringLiteral("0123456789"), QStringLiteral("شما بايد عدد وارد كنيد"), 1000);
    text8_ = addField("Text8", QStringLiteral(" :تاريخ"), 2220, 840, 1200, 555);
    text9_ = addField("Text9", QStringLiteral(" :ساعت"), 120, 840, 1200, 720);
    for (QLineEdit *stamped : {text8_, text9_}) {
        stamped->setAlignment(Qt::AlignCenter);
        stamped->setReadOnly(true); // filled by the program
    }
    text7_ = addField("Text7", QStringLiteral(" :تحصيلات"), 120, 1320, 1680, 900);
    text18_ = addField("Text18", QStringLiteral(" :نام معشوقه"), 3840, 1920, 1740, 960);

    text15_ = HiddenField(this, QStringLiteral("Text15"));
    text16_ = HiddenField(this, QStringLiteral("Text16"));
    text17_ = HiddenField(this, QStringLiteral("Text17"));
    combo1_ = addList("Combo1", QStringLiteral(" :تاهل"), 4005, 855, 465,
                      MaritalStatuses(), text15_);
    combo1_->setToolTip(QStringLiteral("وضعيت تأهل خود را مشخص کنيد"));
    combo2_ = addList("Combo2", QStringLiteral(" :جنس"), 4920, 1380, 600, Genders(), text16_);
    combo2_->setToolTip(QStringLiteral("جنسيت را انتخاب كنيد"));
    combo3_ = addList("Combo3", QStringLiteral(" :گروه"), 2940, 1380, 600,
                      Groups(), text17_);

    command8_ = PlaceButton(this, QStringLiteral("Command8"), QStringLiteral("ذخيره"), {3840, 2340, 1200, 420});
    connect(command8_, &QPushButton::clicked, this, &RegistrationPanel::onCommand8Clicked);
    command10_ = PlaceButton(this, QStringLiteral("Command10"), QStringLiteral("انصراف"), {2400, 2340, 1200, 420});
    connect(command10_, &QPushButton::clicked, this, &RegistrationPanel::onCommand10Clicked);

    BindField(text11_, &subjects_, column::Code);
    BindField(text6_, &subjects_, column::FName);
    BindField(text4_, &subjects_, column::LName);
    BindField(text5_, &subjects_, column::Sen);
    BindField(text8_, &subjects_, column::Date);
    BindField(text9_, &subjects_, column::Time);
    BindField(text7_, &subjects_, column::Tahsil);
    BindField(text18_, &subjects_, column::Morva);
    BindField(text15_, &subjects_, column::Taahol);
    BindField(text16_, &subjects_, column::Jens);
    BindField(text17_, &subjects_, column::Group);
    setTabOrder();
}

QLineEdit *RegistrationPanel::addField(const char *name, const QString &label, int left, int top, int width,
                                       int labelWidth)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(TwipsRect(left, top, width, kFieldHeight));
    addCaption(label, left + width, top, labelWidth, field);
    return field;
}

void RegistrationPanel::addCaption(const QString &label, int fieldRight, int top, int width, QWidget *field)
{
    FieldCaption(this, label, field)->setGeometry(TwipsRect(fieldRight + 15, top, width, kFieldHeight));
}

QComboBox *RegistrationPanel::addList(const char *name, const QString &label, int left, int top, int labelWidth,
                                      const QStringList &entries, QLineEdit *copy)
{
    constexpr int width = 900;
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(TwipsRect(left, top, width, kFieldHeight));
    list->addItems(entries);
    list->setCurrentIndex(-1);
    addCaption(label, left + width, top, labelWidth, list);
    auto copyText = [list, copy] { copy->setText(list->currentText()); };
    connect(list, &QComboBox::currentTextChanged, copy, copyText);
    connect(list, &QComboBox::activated, copy, copyText);
    return list;
}

void RegistrationPanel::setTabOrder()
{
    const QList<QWidget *> order{text11_, text6_, text4_, text5_,    text8_,  combo2_, combo3_,
                                 text7_,  command8_, command10_, text9_, text18_, combo1_};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void RegistrationPanel::Start()
{
    show();
    raise();
    subjects_.addRow();
    const QDateTime now = QDateTime::currentDateTime();
    text9_->setText(LongTimeText(now.time()));
    text8_->setText(PersianDateText(now, 0));
    text11_->setFocus();
}

void RegistrationPanel::copyLists()
{
    text15_->setText(combo1_->currentText());
    text16_->setText(combo2_->currentText());
    text17_->setText(combo3_->currentText());
}

bool RegistrationPanel::requiredFieldsFilled()
{
    const struct {
        QLineEdit *field;
        QString prompt;
        QWidget *focus;
    } checks[] = {
        {text11_, QStringLiteral("کد آزمودني را وارد کنيد"), text11_},
        {text6_, QStringLiteral("نام آزمودني را وارد کنيد"), text6_},
        {text4_, QStringLiteral("نام خانوادگي آزمودني را وارد کنيد"), text4_},
        {text16_, QStringLiteral("جنسيت آزمودني را مشخص کنيد"), combo2_},
        {text5_, QStringLiteral("سن آزمودني را وارد کنيد"), text5_},
        {text15_, QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد"), combo1_},
        {text17_, QStringLiteral("گروه را مشخص کنيد"), combo3_},
        {text7_, QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد"), text7_},
        {text18_, QStringLiteral("نام معشوقه را وارد کنيد"), text18_},
    };
    for (const auto &check : checks) {
        if (check.field->text().isEmpty()) {
            MessagePrompt::Show(window(), check.prompt);
            check.focus->setFocus();
            return false;
        }
    }
    return true;
}

// Looks in the table as it is now, so that a code saved a moment ago counts too.
bool RegistrationPanel::codeAlreadyRegistered()
{
    lookup_.setFilter(column::Code, text11_->text());
    const bool taken = lookup_.rowCount() != 0;
    lookup_.reload();
    return taken;
}

void RegistrationPanel::onCommand8Clicked()
{
    copyLists();
    text11_->setText(NormalizedCode(text11_->text())); // the code is stored with Latin digits
    if (!requiredFieldsFilled())
        return;
    bool taken = false;
    if (!RunGuarded(window(), [&] { taken = codeAlreadyRegistered(); }))
        return;
    if (!taken && !RunGuarded(window(), [&] { taken = saveSubject() == SubjectStore::Registration::CodeTaken; }))
        return;
    if (taken) {
        MessagePrompt::Show(window(), QStringLiteral("فردديگري با اين کد ثبت شده"));
        return;
    }
    Q_EMIT closeRequested();
}

// The pending subject, with every answer empty, in one step; a code registered meanwhile (in
// another room) is refused there too. Both views are read again afterwards.
SubjectStore::Registration RegistrationPanel::saveSubject()
{
    Subject subject;
    for (const SubjectColumn &c : SubjectColumns())
        subject.*c.particular = subjects_.field(c.name);
    const auto registered = store_.registerSubject(subject);
    if (registered == SubjectStore::Registration::Registered) {
        subjects_.reload();
        answers_.reload();
    }
    return registered;
}

// Closing the panels reloads the subjects view, which discards the pending subject row.
void RegistrationPanel::onCommand10Clicked()
{
    Q_EMIT closeRequested();
}

} // namespace morva
