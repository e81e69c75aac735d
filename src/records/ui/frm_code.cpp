#include "records/ui/frm_code.h"

#include "common/display_text.h"
#include "export/ui/export_step.h"
#include "records/columns.h"
#include "records/subject_choices.h"
#include "records/subject_code.h"
#include "records/subject_list.h"
#include "records/subject_store.h"
#include "statistics/ui/frm_groups.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "ui/modal.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace morva {
namespace {

constexpr int kFieldHeight = 375;
// The grid is wider than the four columns it began with by the test's state and last date; what
// stands beside it moves along.
constexpr int kTestColumns = 2600;
constexpr int kInputLeft = 6960 + kTestColumns; // the filter inputs and the deletion panel
constexpr int kInputWidth = 2085;
constexpr int kCaptionWidth = 1500;

// A failure while deleting is shown in a box of its own: titled "Error", with an exclamation.
FailureBox DeletionFailure()
{
    return {QStringLiteral("Error"), BoxStyle::OkExclamationRtl};
}

// The group box's first entry, which lists every subject.
QString AllGroups()
{
    return QStringLiteral("همه‌ی گروه‌ها");
}

// The subjects a filter lets through, as the summary of the groups names them.
QString ListedText(const SubjectFilter &filter)
{
    switch (filter.field) {
    case SubjectFilter::Field::Group:
        return QStringLiteral("آزمودنی‌های گروه %1").arg(Isolated(filter.value));
    case SubjectFilter::Field::FirstName:
        return QStringLiteral("آزمودنی‌هایی با نام «%1»").arg(Isolated(filter.value));
    case SubjectFilter::Field::LastName:
        return QStringLiteral("آزمودنی‌هایی با نام خانوادگی «%1»").arg(Isolated(filter.value));
    case SubjectFilter::Field::Code:
        return QStringLiteral("آزمودنی با کد «%1»").arg(Isolated(filter.value));
    case SubjectFilter::Field::All:
        break;
    }
    return QStringLiteral("همه‌ی آزمودنی‌ها");
}

// Empties an input without its signals: the program's own emptying is no choice by the operator.
void Empty(QComboBox *input)
{
    const QSignalBlocker quiet(input);
    input->setCurrentIndex(-1);
    input->setEditText(QString());
}

} // namespace

FrmCode::FrmCode(Stores &stores, QWidget *parent)
    : QDialog(parent),
      frame_(this, stores, {QStringLiteral("FrmCode"), QStringLiteral("کد آزمودني"), {10680 + kTestColumns, 5760}, QStringLiteral("Text1")})
{
    setModal(true);
    adodc2_ = new SubjectListModel(frame_.subjects(),
                                   {{column::Code, QStringLiteral("کد")},
                                    {column::FName, QStringLiteral("نام")},
                                    {column::LName, QStringLiteral("نام خانوادگي")},
                                    {column::Group, QStringLiteral("گروه")},
                                    {SubjectListModel::kTestState, QStringLiteral("وضعیت آزمون")},
                                    {SubjectListModel::kLastTested, QStringLiteral("آخرین اجرا")}},
                                   this);
    adodc2_->setObjectName(QStringLiteral("Adodc2"));
    connect(adodc2_, &SubjectListModel::readFailed, this,
            [this](const QString &text) { ShowMessageBox(this, text, QStringLiteral("خطا"), BoxStyle::OkStopRtl); });

    buildGrid();
    buildFilters();
    buildDeletionPanel();
    fillNameLists();

    frame_.finishLoading(kStandardPlace);
    dataCombo6_->setFocus();
}

FrmCode::~FrmCode() = default;

void FrmCode::buildGrid()
{
    auto *box = new QGroupBox(QStringLiteral("مشخصات آزمودني"), this);
    box->setGeometry(TwipsRect(120, 60, 6720 + kTestColumns, 5580));
    dataGrid1_ = new QTableView(box);
    dataGrid1_->setObjectName(QStringLiteral("DataGrid1"));
    dataGrid1_->setLayoutDirection(Qt::RightToLeft);
    dataGrid1_->setModel(adodc2_);
    // Shown to be read: a code edited here would cut the subject off from the answers.
    dataGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dataGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dataGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    dataGrid1_->setAlternatingRowColors(true);
    dataGrid1_->setWordWrap(false);
    dataGrid1_->verticalHeader()->hide();
    dataGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *header = dataGrid1_->horizontalHeader();
    header->setHighlightSections(false);
    const int widths[] = {915, 1515, 1920, 1515, 1400, 1200};
    for (int c = 0; c < 6; ++c)
        header->resizeSection(c, TwipsToPixels(widths[c]));
    header->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dataGrid1_);
}

QComboBox *FrmCode::addFilterInput(const char *name, const QString &caption, int top)
{
    auto *input = new QComboBox(this);
    input->setObjectName(QLatin1String(name));
    input->setEditable(true); // typing a name completes it from the list
    input->setInsertPolicy(QComboBox::NoInsert);
    input->setMaxVisibleItems(15);
    input->setGeometry(TwipsRect(kInputLeft, top, kInputWidth, kFieldHeight));
    FieldCaption(this, caption, input)
        ->setGeometry(TwipsRect(kInputLeft + kInputWidth + 15, top, kCaptionWidth, kFieldHeight));
    return input;
}

void FrmCode::buildFilters()
{
    dataCombo6_ = addFilterInput("DataCombo6", QStringLiteral(" :نام "), 240);
    dataCombo1_ = addFilterInput("DataCombo1", QStringLiteral(" :نام خانوادگي"), 780);
    combo3_ = addFilterInput("Combo3", QStringLiteral(" :گروه"), 1320);
    combo3_->addItem(AllGroups()); // the way back to every subject
    combo3_->addItems(Groups());
    combo3_->setCurrentIndex(-1);
    combo3_->lineEdit()->setPlaceholderText(AllGroups());

    const struct {
        QComboBox *input;
        void (FrmCode::*filter)();
    } filters[] = {{dataCombo6_, &FrmCode::FilterByFirstName},
                   {dataCombo1_, &FrmCode::FilterByLastName},
                   {combo3_, &FrmCode::FilterByGroup}};
    for (const auto &f : filters) {
        connect(f.input, &QComboBox::editTextChanged, this, f.filter);
        connect(f.input, &QComboBox::textActivated, this, f.filter);
    }
}

void FrmCode::buildDeletionPanel()
{
    auto *frame1 = new QGroupBox(QStringLiteral("حذف کردن آزمودني"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(TwipsRect(kInputLeft, 1920, 3600, 2400));
    auto *prompt = new QLabel(QStringLiteral("کد آزمودني را وارد کنيد"), frame1);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setGeometry(TwipsRect(120, 420, 3360, kFieldHeight));
    text3_ = new QLineEdit(frame1);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setAlignment(Qt::AlignCenter);
    text3_->setGeometry(TwipsRect(600, 900, 2400, kFieldHeight));
    prompt->setBuddy(text3_);
    auto *command2 = PlaceButton(frame1, QStringLiteral("Command2"), QStringLiteral("حذف "), {960, 1500, 1680, 495});
    command2->setAutoDefault(false); // Enter in a field never deletes
    connect(command2, &QPushButton::clicked, this, &FrmCode::onCommand2Clicked);

    auto *command6 = PlaceButton(this, QStringLiteral("Command6"), QStringLiteral("خروج"), {8760 + kTestColumns, 4980, 1800, 555});
    command6->setAutoDefault(false);
    connect(command6, &QPushButton::clicked, this, &QDialog::accept);

    auto *export_ = PlaceButton(this, QStringLiteral("CmdExport"), QStringLiteral("خروجی گرفتن"), {kInputLeft, 4980, 1680, 555});
    export_->setAutoDefault(false);
    export_->setToolTip(QStringLiteral("آزمودنی‌هایی را که اکنون در فهرست دیده می‌شوند، با پاسخ‌ها و نمره‌هایشان، برای پژوهش در یک فایل ذخیره می‌کند."));
    connect(export_, &QPushButton::clicked, this, &FrmCode::onCmdExportClicked);

    auto *groups = PlaceButton(this, QStringLiteral("CmdGroups"), QStringLiteral("خلاصه‌ی گروه‌ها"), {kInputLeft, 4410, 3600, 480});
    groups->setAutoDefault(false);
    groups->setToolTip(QStringLiteral("نمره‌ها و نوع عشق هر گروه را، برای آزمودنی‌هایی که اکنون در فهرست دیده می‌شوند یا "
                                      "برای همه، کنار هم نشان می‌دهد و دو گروه را با هم مقایسه می‌کند."));
    connect(groups, &QPushButton::clicked, this, &FrmCode::onCmdGroupsClicked);
}

void FrmCode::onCmdExportClicked()
{
    RunResearchExport(this, frame_.subjects(), shown_);
}

void FrmCode::onCmdGroupsClicked()
{
    std::unique_ptr<FrmGroups> summary;
    if (RunGuarded(this, [&] { summary = std::make_unique<FrmGroups>(frame_.stores(), shown_, ListedText(shown_), this); }))
        ExecModal(*summary);
}

void FrmCode::FilterByGroup()
{
    choose(combo3_, SubjectFilter::Field::Group);
}

void FrmCode::FilterByFirstName()
{
    choose(dataCombo6_, SubjectFilter::Field::FirstName);
}

void FrmCode::FilterByLastName()
{
    choose(dataCombo1_, SubjectFilter::Field::LastName);
}

// The input the operator has just used decides what the grid lists. The other two are emptied,
// which is no choice of theirs. An input the operator empties, or «همه‌ی گروه‌ها» picked from the
// group box, lists every subject again.
void FrmCode::choose(QComboBox *input, SubjectFilter::Field field)
{
    emptyInputs(input);
    QString value = input->currentText();
    if (input == combo3_ && value == AllGroups()) {
        Empty(combo3_); // the placeholder says it now
        value.clear();
    }
    RunGuarded(this, [&] { narrowGrid(value.isEmpty() ? SubjectFilter::All() : SubjectFilter{field, value}); });
}

void FrmCode::narrowGrid(const SubjectFilter &filter)
{
    if (filter == shown_)
        return; // a name picked from the list after typing it: already listed
    adodc2_->setFilter(filter);
    shown_ = filter;
}

void FrmCode::emptyInputs(const QComboBox *except)
{
    for (QComboBox *input : {dataCombo6_, dataCombo1_, combo3_}) {
        if (input != except)
            Empty(input);
    }
}

// Every subject listed afresh from the file; no input is left showing a choice the grid does
// not follow.
void FrmCode::showEverySubject()
{
    emptyInputs();
    adodc2_->setFilter(SubjectFilter::All());
    shown_ = SubjectFilter::All();
}

void FrmCode::fillNameLists()
{
    const QStringList firstNames = frame_.subjects().distinctNames(SubjectFilter::Field::FirstName);
    const QStringList lastNames = frame_.subjects().distinctNames(SubjectFilter::Field::LastName);
    for (const auto &[input, names] : {std::pair{dataCombo6_, firstNames}, std::pair{dataCombo1_, lastNames}}) {
        {
            const QSignalBlocker quiet(input);
            input->clear();
            input->addItems(names);
        }
        Empty(input);
    }
}

void FrmCode::reloadViews()
{
    showEverySubject();
    fillNameLists();
}

// Who is deleted with the answers, as the subject's particulars name them.
QString FrmCode::DeletionNotice(const QString &code, const std::optional<Subject> &subject)
{
    const QString name = subject ? (subject->firstName + u' ' + subject->lastName).trimmed() : QString();
    if (name.isEmpty())
        return QStringLiteral("آزمودنی با کد %1 و همه‌ی پاسخ‌هایش حذف می‌شوند.").arg(Isolated(code));
    return QStringLiteral("آزمودنی %1 با کد %2 و همه‌ی پاسخ‌هایش حذف می‌شوند.").arg(Isolated(name), Isolated(code));
}

void FrmCode::onCommand2Clicked()
{
    if (text3_->text().isEmpty()) {
        MessagePrompt::Show(this, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }
    const QString code = NormalizedCode(text3_->text());
    SubjectWithAnswers found;
    if (!RunGuarded(this, [&] {
            narrowGrid({SubjectFilter::Field::Code, code});
            found = frame_.subjects().read(code);
        }, DeletionFailure()))
        return;
    if (!found.subject && !found.answers) {
        MessagePrompt::Show(this, QStringLiteral("فردي با اين کد وجود ندارد"));
        RunGuarded(this, [this] { showEverySubject(); }, DeletionFailure());
        return;
    }
    const QString question = QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟") + u'\n' + DeletionNotice(code, found.subject);
    if (ShowMessageBox(this, question, {}, BoxStyle::YesNo, {}, QMessageBox::No) == QMessageBox::Yes) {
        if (!RunGuarded(this, [&] { frame_.subjects().deleteSubject(code); }, DeletionFailure()))
            return;
        MessagePrompt::Show(this, QStringLiteral("حذف با موفقيت انجام گرفت"));
    }
    RunGuarded(this, [this] { reloadViews(); }, DeletionFailure());
}

} // namespace morva
