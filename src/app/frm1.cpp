#include "app/frm1.h"

#include "app/hint_line.h"
#include "app/startup_timeline.h"

#include "appearance/ui/about.h"
#include "appearance/ui/clinic_panel.h"
#include "appearance/ui/frm2.h"
#include "appearance/ui/frm_skin.h"
#include "appearance/ui/guide_window.h"
#include "appearance/ui/settings_menu.h"
#include "appearance/ui/theme_panel.h"
#include "questionnaire/ui/frm_test.h"
#include "records/columns.h"
#include "records/data_error.h"
#include "common/numbers.h"
#include "records/settings_store.h"
#include "records/table_view.h"
#include "records/ui/frm_code.h"
#include "records/ui/shared_server_window.h"
#include "records/ui/registration_panel.h"
#include "scoring/ui/frm_klid.h"
#include "ui/ask_code.h"
#include "ui/bound_field.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/desktop.h"
#include "ui/message_box.h"
#include "ui/message_prompt.h"
#include "ui/modal.h"
#include "ui/shipped_picture.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morva {
namespace {

std::function<void()> &LeaveStep()
{
    static std::function<void()> step;
    return step;
}

} // namespace

Frm1::Frm1(Stores &stores, QWidget *parent)
    : QWidget(parent),
      frame_(this, stores, {QStringLiteral("Frm1"), QStringLiteral("Morva"), {10710, 7965}, QStringLiteral("Text1")})
{
    adodc2_ = NamedView(stores.subjects, table::Subjects, QStringLiteral("Adodc2"), this);
    adodc3_ = NamedView(stores.subjects, table::Answers, QStringLiteral("Adodc3"), this);
    adodc5_ = NamedView(stores.subjects, table::Subjects, QStringLiteral("Adodc5"), this);
    StartupTimeline::Mark("main window: themed, settings and views read");

    text3_ = HiddenField(this, QStringLiteral("Text3"));
    buildDecoration();
    StartupTimeline::Mark("main window: heading and banner");
    buildCommandBar();
    StartupTimeline::Mark("main window: command bar");

    frame_.finishLoading(kStandardPlace);
    StartupTimeline::Mark("main window: placed");
    onText2Changed(frame_.loadedSettings().name); // fitted to the theme's heading font
    text3_->setText(QStringLiteral("2"));
}

Frm1::~Frm1() = default;

Frm1 *Frm1::ShowFresh(Stores &stores)
{
    try {
        auto *window = new Frm1(stores);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &Frm1::leftWithoutHandOver, qApp, [] {
            if (LeaveStep())
                LeaveStep()();
        });
        window->show();
        return window;
    } catch (const DataError &error) {
        ShowMessageBox(nullptr, error.fullText(), QStringLiteral("خطا"), BoxStyle::OkStopRtl);
        return nullptr;
    }
}

void Frm1::SetLeaveStep(std::function<void()> step)
{
    LeaveStep() = std::move(step);
}

void Frm1::buildDecoration()
{
    skinLabel1_ = new QLabel(this);
    skinLabel1_->setObjectName(QStringLiteral("SkinLabel1"));
    skinLabel1_->setProperty("heading", true);
    skinLabel1_->setAlignment(Qt::AlignCenter);
    // A framed label measures a Latin "x" for an indent that a centred text never uses; the
    // heading's font has no Latin letters, and finding one elsewhere costs each start 2 ms.
    skinLabel1_->setIndent(0);
    skinLabel1_->setGeometry(TwipsRect(1740, 120, 5955, 555));

    skinLabel2_ = new HintLine(this);
    skinLabel2_->clearOver(this);

    auto *version = new QLabel(QStringLiteral("V2.1.1"), this);
    version->setObjectName(QStringLiteral("SkinLabel7"));
    version->setAlignment(Qt::AlignCenter);
    version->setGeometry(TwipsRect(8280, 120, 2235, 360));

    auto *help = PlaceButton(this, QStringLiteral("CmdHelp"), QStringLiteral("Help"), {240, 120, 1200, 420});
    help->setToolTip(QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    connect(help, &QPushButton::clicked, this, &Frm1::onCmdHelpClicked);

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setToolTip(QStringLiteral("جهت ورود به سايت کليک کنيد"));
    picture1_->setGeometry(TwipsRect(1020, 2300, 7200, 3480));
    // Drawn at the size it is shown (or its @2x twin on a screen of double density).
    picture1_->setPixmap(ShippedPicture(QStringLiteral("main_banner")));
    picture1_->setScaledContents(true);
    picture1_->setCursor(Qt::PointingHandCursor);
    picture1_->installEventFilter(this);
}

void Frm1::buildCommandBar()
{
    frame7_ = new QGroupBox(this);
    frame7_->setObjectName(QStringLiteral("Frame7"));
    frame7_->setGeometry(TwipsRect(8280, 540, 2235, 6555));
    skinLabel2_->clearOver(frame7_);

    const struct {
        const char *name;
        QString caption;
        int top;
        QString hint;
        void (Frm1::*onClicked)();
    } commands[] = {
        {"Command1", QStringLiteral("ثبت نام آزمودني"), 180,
         QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک کرده و کد آزمودني را وارد کنيد"),
         &Frm1::onCommand1Clicked},
        {"Command2", QStringLiteral("اجراي تست"), 780,
         QStringLiteral(" جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني مورد نظر را وارد کنيد "),
         &Frm1::onCommand2Clicked},
        {"Command3", QStringLiteral("کليد گذاري"), 1350, QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"),
         &Frm1::onCommand3Clicked},
        {"Command4", QStringLiteral("نمايش کد آزمودني"), 1980,
         QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين قسمت مي توانيد آن را بدست بياوريد"),
         &Frm1::onCommand4Clicked},
        {"Command5", QStringLiteral("ماشين حساب"), 2580, QString(), &Frm1::onCommand5Clicked},
        {"Command9", QStringLiteral("تنظيمات"), 3180,
         QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک را وارد کنيد"),
         &Frm1::onCommand9Clicked},
        {"Command51", QStringLiteral("مثلث عشق"), 3780, QString(), &Frm1::onCommand51Clicked},
        {"Command11", QStringLiteral("درباره ما"), 4400, QString(), &Frm1::onCommand11Clicked},
        {"Command6", QStringLiteral("خروج"), 5760, QString(), &Frm1::onCommand6Clicked},
    };
    for (const auto &c : commands) {
        QPushButton *button = PlaceButton(frame7_, QLatin1String(c.name), c.caption, {240, c.top, 1785, 555});
        if (!c.hint.isEmpty())
            skinLabel2_->explain(button, c.hint);
        if (c.onClicked)
            connect(button, &QPushButton::clicked, this, c.onClicked);
    }
}

// The panels are made when first opened: most runs never open them, and each start would pay
// for them before its first paint.
RegistrationPanel *Frm1::registrationPanel()
{
    if (!frame10_) {
        frame10_ = new RegistrationPanel(frame_.subjects(), *adodc2_, *adodc3_, *adodc5_, this);
        connect(frame10_, &RegistrationPanel::closeRequested, this, &Frm1::HidePanels);
    }
    return frame10_;
}

SettingsMenu *Frm1::settingsMenu()
{
    if (!frame8_) {
        frame8_ = new SettingsMenu(this);
        connect(frame8_, &SettingsMenu::clinicPanelRequested, this, &Frm1::onCommand67Clicked);
        connect(frame8_, &SettingsMenu::themePanelRequested, this, &Frm1::onCommand68Clicked);
        connect(frame8_, &SettingsMenu::sharedServerRequested, this, &Frm1::onCmdSharedServerClicked);
        connect(frame8_, &SettingsMenu::closeRequested, this, &Frm1::HidePanels);
    }
    return frame8_;
}

// Holds the clinic's name and address as the window loaded them; the heading follows the name
// as it is typed.
ClinicPanel *Frm1::clinicPanel()
{
    if (!frame9_) {
        frame9_ = new ClinicPanel(this);
        connect(frame9_, &ClinicPanel::saveRequested, this, &Frm1::onCommand64Clicked);
        connect(frame9_, &ClinicPanel::cancelRequested, frame9_, &QWidget::hide); // nothing is written
        frame9_->addressField()->setText(frame_.loadedSettings().address);
        frame9_->nameField()->setText(frame_.loadedSettings().name);
        connect(frame9_->nameField(), &QLineEdit::textChanged, this, &Frm1::onText2Changed);
    }
    return frame9_;
}

ThemePanel *Frm1::themePanel()
{
    if (!frame6_) {
        frame6_ = new ThemePanel(this);
        connect(frame6_, &ThemePanel::themeChosen, this, &Frm1::SelectTheme);
        connect(frame6_, &ThemePanel::closeRequested, frame6_, &QWidget::hide);
    }
    return frame6_;
}

void Frm1::HidePanels()
{
    for (QWidget *panel : std::initializer_list<QWidget *>{frame6_, frame10_, frame8_, frame9_}) {
        if (panel)
            panel->hide();
    }
    RunGuarded(this, [this] {
        if (adodc2_->hasRows())
            adodc2_->reload();
    });
}

void Frm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Either way the subjects view is reloaded, which discards a registration that was not saved.
    if (LeadingNumber(text3_->text()) == 1) {
        RunGuarded(this, [this] { adodc2_->reload(); });
        return; // handed over: the window that asked for it is on screen now
    }
    HidePanels();
    Q_EMIT leftWithoutHandOver();
}

bool Frm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picture1_ && event->type() == QEvent::MouseButtonRelease)
        onPicture1Clicked();
    return QWidget::eventFilter(watched, event);
}

bool Frm1::answersExist()
{
    bool exist = false;
    return RunGuarded(this, [&] { exist = adodc3_->hasRows(); }) && exist;
}

void Frm1::onCommand1Clicked()
{
    HidePanels();
    registrationPanel()->Start();
}

// The test session: asks for the code and lets the subject answer in the test window.
void Frm1::onCommand2Clicked()
{
    if (!answersExist())
        return;
    HidePanels();
    const bool loaded = RunGuarded(this, [this] {
        if (!test_)
            test_ = std::make_unique<FrmTest>(frame_.stores(), this);
    });
    if (!loaded)
        return;
    const auto code = AskSubjectCode(this, QStringLiteral(" Plese Insert Code "), QStringLiteral("Enter Code "));
    if (!code)
        return;
    bool found = false;
    if (!RunGuarded(this, [&] { found = test_->SelectSubject(*code); }))
        return;
    if (!found) {
        MessagePrompt::Show(this, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        return;
    }
    ExecModal(*test_);
    // The window closes with the session; the next session finds it loaded afresh, ready.
    test_.reset();
    RunGuarded(this, [this] {
        test_ = std::make_unique<FrmTest>(frame_.stores(), this);
        test_->EnterReadyState();
    });
}

// Gives the screen to a window that takes the main window's place. The hand-over flag lets this
// window close without the exit dialog, and a fresh main window comes back when the other one
// closes. load runs once the flag is set; when the files fail, the flag goes back and this
// window stays.
template <class Window> void Frm1::handOver(const std::function<Window *()> &load)
{
    text3_->setText(QStringLiteral("1"));
    Window *window = nullptr;
    if (!RunGuarded(this, [&] { window = load(); })) {
        text3_->setText(QStringLiteral("2"));
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &Window::closed, qApp, [&stores = frame_.stores()] { Frm1::ShowFresh(stores); });
    window->show();
    close();
}

void Frm1::onCommand3Clicked()
{
    if (!answersExist())
        return;
    HidePanels();
    handOver<FrmkLID>([this] { return new FrmkLID(frame_.stores()); });
}

// The lookup window, modal; it may delete subjects, so the answers view is read afresh after it.
void Frm1::onCommand4Clicked()
{
    if (!answersExist())
        return;
    HidePanels();
    std::unique_ptr<FrmCode> lookup;
    if (!RunGuarded(this, [&] { lookup = std::make_unique<FrmCode>(frame_.stores(), this); }))
        return;
    ExecModal(*lookup);
    lookup.reset();
    RunGuarded(this, [this] { adodc3_->reload(); });
}

void Frm1::onCommand5Clicked()
{
    HidePanels();
    StartCalculator(this);
}

void Frm1::onCommand9Clicked()
{
    HidePanels();
    settingsMenu()->show();
}

void Frm1::onCommand67Clicked()
{
    HidePanels();
    settingsMenu()->show();
    clinicPanel()->show();
}

void Frm1::onCommand68Clicked()
{
    HidePanels();
    settingsMenu()->show();
    themePanel()->show();
}

// Where the subjects are kept, chosen in a window of its own over the settings menu; the choice
// takes effect at the next start.
void Frm1::onCmdSharedServerClicked()
{
    std::unique_ptr<SharedServerWindow> choice;
    if (RunGuarded(this, [&] { choice = std::make_unique<SharedServerWindow>(frame_.stores(), this); }))
        ExecModal(*choice);
}

// Writes the clinic's name and address as they stand in the panel, in one transaction. Nothing
// else writes them: an edit left with "انصراف" stays on screen until the window next loads.
void Frm1::onCommand64Clicked()
{
    if (!RunGuarded(this, [this] {
            frame_.settings().saveClinic(frame9_->nameField()->text(), frame9_->addressField()->text());
        }))
        return;
    frame9_->hide();
}

// Stores the theme's number, nothing else, and hands the main window over to the preview, which
// brings a fresh one back in the new theme when it closes.
void Frm1::SelectTheme(int theme)
{
    handOver<Frmskin>([this, theme] {
        frame_.themeField()->setText(QString::number(theme));
        frame_.settings().saveTheme(frame_.themeField()->text());
        return new Frmskin(frame_.stores());
    });
}

// The panels stay as they are under the picture of the triangle.
void Frm1::onCommand51Clicked()
{
    std::unique_ptr<Frm2> triangle;
    if (RunGuarded(this, [&] { triangle = std::make_unique<Frm2>(frame_.stores(), this); }))
        ExecModal(*triangle);
}

void Frm1::onCommand11Clicked()
{
    HidePanels();
    About about; // no owner: it carries no skin, not even the main window's
    ExecModal(about);
}

// Leaves the main window, which leads into the exit dialog.
void Frm1::onCommand6Clicked()
{
    HidePanels();
    close();
}

// The user's guide shipped with the program: no internet needed.
void Frm1::onCmdHelpClicked()
{
    ShowUserGuide(this);
}

void Frm1::onPicture1Clicked()
{
    OpenMakerPage(MakerPage::WebSite);
    OpenMakerPage(MakerPage::Shop);
}

void Frm1::onText2Changed(const QString &text)
{
    ShowFitted(skinLabel1_, text);
}

} // namespace morva
