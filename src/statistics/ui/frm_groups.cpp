#include "statistics/ui/frm_groups.h"

#include "calendar/jalali.h"
#include "records/subject_choices.h"
#include "scoring/ui/data_r_print.h"
#include "ui/data_guard.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace morva {
namespace {

// The two groups compared at first: the first two with complete subjects, else the first two.
std::pair<int, int> FirstComparable(const GroupSummaries &summaries)
{
    QList<int> found;
    for (int g = 0; g < kGroupCount && found.size() < 2; ++g) {
        if (summaries.groups[g].complete > 0)
            found << g;
    }
    for (int g = 0; found.size() < 2; ++g) {
        if (!found.contains(g))
            found << g;
    }
    std::sort(found.begin(), found.end());
    return {found[0], found[1]};
}

QComboBox *GroupChoice(QWidget *parent, const QString &name, int chosen)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(Groups());
    combo->setCurrentIndex(chosen);
    return combo;
}

QLabel *Caption(QWidget *parent, const QString &text, QWidget *field)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(field);
    return label;
}

} // namespace

FrmGroups::FrmGroups(Stores &stores, const SubjectFilter &listed, const QString &shownListed, QWidget *parent)
    : QDialog(parent),
      frame_(this, stores, {QStringLiteral("FrmGroups"), QStringLiteral("خلاصه‌ی گروه‌ها"), {13200, 10200}, QStringLiteral("Text1")}),
      listed_(listed),
      shownListed_(shownListed)
{
    setModal(true);
    sheet_.clinicName = frame_.loadedSettings().name;
    sheet_.date = PersianDateText(stores.now(), 0);

    comboScope_ = new QComboBox(this);
    comboScope_->setObjectName(QStringLiteral("ComboScope"));
    comboScope_->addItems({QStringLiteral("آزمودنی‌های فهرست کنونی"), QStringLiteral("همه‌ی آزمودنی‌ها")});
    comboScope_->setCurrentIndex(listed_.isAll() ? 1 : 0);
    summarize();
    const auto [first, second] = FirstComparable(sheet_.summaries);
    sheet_.first = first;
    sheet_.second = second;
    comboFirst_ = GroupChoice(this, QStringLiteral("ComboFirst"), first);
    comboSecond_ = GroupChoice(this, QStringLiteral("ComboSecond"), second);

    auto *print = new QPushButton(QStringLiteral("چاپ یا PDF…"), this);
    print->setObjectName(QStringLiteral("CmdPrint"));
    print->setAutoDefault(false);
    auto *exit = new QPushButton(QStringLiteral("خروج"), this);
    exit->setObjectName(QStringLiteral("CmdExit"));
    exit->setAutoDefault(false);

    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("Page"));
    page_->setAlignment(Qt::AlignCenter);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(page_);
    scroll->setWidgetResizable(true);

    auto *choices = new QHBoxLayout;
    choices->addWidget(Caption(this, QStringLiteral("آزمودنی‌ها:"), comboScope_));
    choices->addWidget(comboScope_);
    choices->addSpacing(24);
    choices->addWidget(Caption(this, QStringLiteral("مقایسه‌ی گروه:"), comboFirst_));
    choices->addWidget(comboFirst_);
    choices->addWidget(Caption(this, QStringLiteral("با گروه:"), comboSecond_));
    choices->addWidget(comboSecond_);
    choices->addStretch();
    choices->addWidget(print);
    choices->addWidget(exit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(scroll);
    showPage();

    connect(comboScope_, &QComboBox::currentIndexChanged, this, &FrmGroups::onComboScopeChanged);
    connect(comboFirst_, &QComboBox::currentIndexChanged, this, &FrmGroups::onComparedGroupChanged);
    connect(comboSecond_, &QComboBox::currentIndexChanged, this, &FrmGroups::onComparedGroupChanged);
    connect(print, &QPushButton::clicked, this, &FrmGroups::onCmdPrintClicked);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    frame_.finishLoading(kStandardPlace);
}

// Read in one pass over the subjects of the scope chosen: half a second for a hundred thousand, with
// the busy cursor meanwhile.
void FrmGroups::summarize()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const bool listed = comboScope_->currentIndex() == 0;
    sheet_.summaries = SummarizeGroups(frame_.subjects(), listed ? listed_ : SubjectFilter::All());
    sheet_.scope = listed ? shownListed_ : QStringLiteral("همه‌ی آزمودنی‌ها");
}

// The page as it prints, at the screen's resolution.
void FrmGroups::showPage()
{
    const qreal ratio = devicePixelRatioF();
    QImage image = SheetImage(GroupSummaryDocument(sheet_), QPageSize(QPageSize::A4), logicalDpiX() * ratio);
    image.setDevicePixelRatio(ratio);
    page_->setPixmap(QPixmap::fromImage(image));
}

void FrmGroups::onComboScopeChanged()
{
    if (RunGuarded(this, [this] { summarize(); }))
        showPage();
}

void FrmGroups::onComparedGroupChanged()
{
    sheet_.first = comboFirst_->currentIndex();
    sheet_.second = comboSecond_->currentIndex();
    showPage();
}

void FrmGroups::onCmdPrintClicked()
{
    const QString today = QString(sheet_.date).replace(u'/', u'-');
    auto document = std::make_unique<GroupSummaryDocument>(sheet_);
    const QString name = SheetFileName({document->name(), today});
    (new DataRPrint(std::move(document), name, this))->show();
}

} // namespace morva
