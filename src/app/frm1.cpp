#include "app/frm1.h"

#include "app/data_guard.h"
#include "app/desktop.h"
#include "app/message_box.h"
#include "app/message_prompt.h"
#include "app/twips.h"
#include "appearance/skin.h"
#include "questionnaire/frm_test.h"
#include "records/bound_field.h"
#include "records/data_error.h"
#include "records/leading_number.h"
#include "records/registration_panel.h"
#include "scoring/frm_klid.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace morva {
namespace {

QGroupBox *Panel(QWidget *parent, const QString &name, const QRect &twips)
{
    auto *panel = new QGroupBox(parent);
    panel->setObjectName(name);
    panel->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    panel->setProperty("panel", true); // the skins draw it opaque over what lies under it
    panel->hide();
    return panel;
}

} // namespace

Frm1::Frm1(QWidget *parent)
    : QWidget(parent),
      settings_(std::make_unique<DataConnection>(DataFile::Settings, QStringLiteral("Frm1"))),
      subjects_(std::make_unique<DataConnection>(DataFile::Subjects, QStringLiteral("Frm1")))
{
    setObjectName(QStringLiteral("Frm1"));
    setWindowTitle(QStringLiteral("Morva"));
    setFixedSize(TwipsToPixels(10710), TwipsToPixels(7965));
    setMouseTracking(true);

    adodc1_ = NamedView(*settings_, QStringLiteral("Theme"), QStringLiteral("Adodc1"), this);
    adodc2_ = NamedView(*subjects_, QStringLiteral("IDE"), QStringLiteral("Adodc2"), this);
    adodc3_ = NamedView(*subjects_, QStringLiteral("Answer"), QStringLiteral("Adodc3"), this);
    adodc5_ = NamedView(*subjects_, QStringLiteral("IDE"), QStringLiteral("Adodc5"), this);

    text1_ = HiddenField(this, QStringLiteral("Text1"), QStringLiteral("1"));
    text3_ = HiddenField(this, QStringLiteral("Text3"));
    buildDecoration();
    buildCommandBar();
    buildPanels();

    BindField(text1_, adodc1_, QStringLiteral("TH"));
    BindField(text14_, adodc1_, QStringLiteral("Adress"));
    connect(text2_, &QLineEdit::textChanged, this, &Frm1::onText2Changed);
    BindField(text2_, adodc1_, QStringLiteral("Name"));

    PlaceOnScreen(this, 2340, 765);
    ApplyTheme(this, text1_->text());
    text3_->setText(QStringLiteral("2"));
}

Frm1::~Frm1() = default;

Frm1 *Frm1::ShowFresh()
{
    try {
        auto *window = new Frm1;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return window;
    } catch (const DataError &error) {
        ShowMessageBox(nullptr, error.fullText(), QStringLiteral("خطا"), BoxStyle::OkStopRtl);
        return nullptr;
    }
}

void Frm1::buildDecoration()
{
    skinLabel1_ = new QLabel(this);
    skinLabel1_->setObjectName(QStringLiteral("SkinLabel1"));
    skinLabel1_->setProperty("heading", true);
    skinLabel1_->setAlignment(Qt::AlignCenter);
    skinLabel1_->setGeometry(TwipsRect(1740, 120, 5955, 555));

    skinLabel2_ = new QLabel(this);
    skinLabel2_->setObjectName(QStringLiteral("SkinLabel2"));
    skinLabel2_->setProperty("hint", true);
    skinLabel2_->setWordWrap(true);
    skinLabel2_->setAlignment(Qt::AlignCenter);
    skinLabel2_->setGeometry(TwipsRect(300, 7200, 9975, 615));
    skinLabel2_->hide();

    auto *version = new QLabel(QStringLiteral("V2.1.1"), this);
    version->setObjectName(QStringLiteral("SkinLabel7"));
    version->setAlignment(Qt::AlignCenter);
    version->setGeometry(TwipsRect(8280, 120, 2235, 360));

    auto *help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("CmdHelp"));
    help->setToolTip(QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    help->setGeometry(TwipsRect(240, 120, 1200, 420));
    connect(help, &QPushButton::clicked, this, &Frm1::onCmdHelpClicked);

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setToolTip(QStringLiteral("جهت ورود به سايت کليک کنيد"));
    picture1_->setGeometry(TwipsRect(1020, 2300, 7200, 3480));
    picture1_->setPixmap(QPixmap(QStringLiteral(":/pictures/main_banner.png")));
    picture1_->setScaledContents(true);
    picture1_->setCursor(Qt::PointingHandCursor);
    picture1_->installEventFilter(this);
}

QPushButton *Frm1::addCommand(const QString &name, const QString &caption, int top)
{
    auto *button = new QPushButton(caption, frame7_);
    button->setObjectName(name);
    button->setGeometry(TwipsRect(240, top, 1785, 555));
    return button;
}

void Frm1::buildCommandBar()
{
    frame7_ = new QGroupBox(this);
    frame7_->setObjectName(QStringLiteral("Frame7"));
    frame7_->setGeometry(TwipsRect(8280, 540, 2235, 6555));
    frame7_->setMouseTracking(true);
    frame7_->installEventFilter(this);

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
         nullptr},
        {"Command5", QStringLiteral("ماشين حساب"), 2580, QString(), &Frm1::onCommand5Clicked},
        {"Command9", QStringLiteral("تنظيمات"), 3180,
         QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و آدرس کلينيک را وارد کنيد"),
         nullptr},
        {"Command51", QStringLiteral("مثلث عشق"), 3780, QString(), nullptr},
        {"Command11", QStringLiteral("درباره ما"), 4400, QString(), nullptr},
        {"Command6", QStringLiteral("خروج"), 5760, QString(), nullptr},
    };
    for (const auto &c : commands) {
        QPushButton *button = addCommand(QLatin1String(c.name), c.caption, c.top);
        if (!c.hint.isEmpty()) {
            hints_.insert(button, c.hint);
            button->installEventFilter(this);
        }
        if (c.onClicked)
            connect(button, &QPushButton::clicked, this, c.onClicked);
    }
}

void Frm1::buildPanels()
{
    frame10_ = new RegistrationPanel(*adodc2_, *adodc3_, *adodc5_, this);
    connect(frame10_, &RegistrationPanel::closeRequested, this, &Frm1::HidePanels);
    frame8_ = Panel(this, QStringLiteral("Frame8"), {6060, 3780, 2175, 2055});
    frame9_ = Panel(this, QStringLiteral("Frame9"), {1620, 840, 6075, 2295});
    frame6_ = Panel(this, QStringLiteral("Frame6"), {3420, 480, 2595, 7440});

    text2_ = new QLineEdit(frame9_);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(TwipsRect(240, 360, 4800, 420));
    text14_ = new QLineEdit(frame9_);
    text14_->setObjectName(QStringLiteral("Text14"));
    text14_->setGeometry(TwipsRect(240, 960, 4800, 420));
}

void Frm1::HidePanels()
{
    frame6_->hide();
    frame10_->hide();
    frame8_->hide();
    frame9_->hide();
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

void Frm1::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        clearHint();
    QWidget::mouseMoveEvent(event);
}

bool Frm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter && hints_.contains(watched)) {
        showHint(hints_.value(watched));
    } else if (watched == frame7_ && event->type() == QEvent::MouseMove) {
        if (!frame7_->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            clearHint();
    } else if (watched == picture1_ && event->type() == QEvent::MouseButtonRelease) {
        onPicture1Clicked();
    }
    return QWidget::eventFilter(watched, event);
}

void Frm1::showHint(const QString &text)
{
    skinLabel2_->setText(text);
    skinLabel2_->show();
}

void Frm1::clearHint()
{
    skinLabel2_->clear();
    skinLabel2_->hide();
}

void Frm1::StartRegistration()
{
    HidePanels();
    frame10_->Start();
}

bool Frm1::answersExist()
{
    bool exist = false;
    return RunGuarded(this, [&] { exist = adodc3_->hasRows(); }) && exist;
}

void Frm1::StartScoring()
{
    if (!answersExist())
        return;
    HidePanels();
    text3_->setText(QStringLiteral("1"));
    FrmkLID *scoring = nullptr;
    if (!RunGuarded(this, [&] { scoring = new FrmkLID; })) {
        text3_->setText(QStringLiteral("2"));
        return;
    }
    scoring->setAttribute(Qt::WA_DeleteOnClose);
    scoring->show();
    close();
}

void Frm1::StartTestSession()
{
    if (!answersExist())
        return;
    HidePanels();
    const bool loaded = RunGuarded(this, [this] {
        if (!test_)
            test_ = std::make_unique<FrmTest>(this);
        test_->ReloadViews();
    });
    if (!loaded)
        return;
    const QString code = InputBox(this, QStringLiteral(" Plese Insert Code "), QStringLiteral("Enter Code "));
    if (code.isEmpty()) {
        MessagePrompt::Show(this, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }
    bool found = false;
    if (!RunGuarded(this, [&] { found = test_->SelectSubject(code); }))
        return;
    if (!found) {
        MessagePrompt::Show(this, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        return;
    }
    test_->exec();
    // The window closes with the session; the next session finds it loaded afresh, ready.
    test_.reset();
    RunGuarded(this, [this] {
        test_ = std::make_unique<FrmTest>(this);
        test_->EnterReadyState();
    });
}

void Frm1::onCommand1Clicked()
{
    StartRegistration();
}

void Frm1::onCommand2Clicked()
{
    StartTestSession();
}

void Frm1::onCommand3Clicked()
{
    StartScoring();
}

void Frm1::onCommand5Clicked()
{
    HidePanels();
    StartCalculator(this);
}

void Frm1::onCmdHelpClicked()
{
    OpenMakerPage(MakerPage::Help);
}

void Frm1::onPicture1Clicked()
{
    OpenMakerPage(MakerPage::WebSite);
    OpenMakerPage(MakerPage::Shop);
}

void Frm1::onText2Changed(const QString &text)
{
    skinLabel1_->setText(text);
}

} // namespace morva
