#include "records/ui/shared_server_window.h"

#include "common/display_text.h"
#include "common/persian_digits.h"
#include "records/data_error.h"
#include "records/postgres/postgres_subject_store.h"
#include "records/postgres/server_connection.h"
#include "records/settings_store.h"
#include "records/server_choice.h"
#include "records/sqlite/data_files.h"
#include "ui/controls.h"
#include "ui/data_guard.h"
#include "ui/message_box.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace morva {
namespace {

// Where the window stands on the screen, over the middle of the main window, in twips.
constexpr QPoint kPlace{4100, 1900};

constexpr int kFieldLeft = 240;
constexpr int kRowHeight = 420;

// How many codes left out a report lists before it only counts the rest.
constexpr int kListedCodes = 40;

QString TlsCaption(const QString &mode)
{
    if (mode == QLatin1String("require"))
        return QStringLiteral("فقط با رمزنگاری");
    if (mode == QLatin1String("verify-full"))
        return QStringLiteral("فقط با رمزنگاری و بررسی گواهی سرور");
    if (mode == QLatin1String("disable"))
        return QStringLiteral("بدون رمزنگاری (توصیه نمی‌شود)");
    return QStringLiteral("با رمزنگاری، اگر سرور بپذیرد");
}

QString TakenReport(const PostgresSubjectStore::Taken &taken)
{
    QString text =
        QStringLiteral("رونوشت %1 آزمودنی در پایگاه داده‌ی مشترک ذخیره شد.").arg(PersianNumber(double(taken.taken)));
    if (taken.leftOut.isEmpty())
        return text;
    QStringList codes;
    for (const QString &code : taken.leftOut.mid(0, kListedCodes))
        codes << Isolated(code);
    text += QStringLiteral("\n\nاین کدها از پیش در سرور بودند، پس آزمودنی‌های این کدها رونوشت نشدند و در فایل این "
                           "رایانه بی‌تغییر مانده‌اند:\n") + codes.join(QStringLiteral("، "));
    if (taken.leftOut.size() > kListedCodes)
        text += QStringLiteral(" و %1 کد دیگر").arg(PersianNumber(double(taken.leftOut.size() - kListedCodes)));
    return text;
}

} // namespace

SharedServerWindow::SharedServerWindow(Stores &stores, QWidget *parent)
    : QDialog(parent),
      frame_(this, stores,
             {QStringLiteral("SharedServerWindow"), QStringLiteral("پایگاه داده‌ی مشترک"), {7200, 5400},
              QStringLiteral("Text1")})
{
    host_ = addField("TextHost", QStringLiteral(" :نشانی سرور"), 240);
    port_ = addField("TextPort", QStringLiteral(" :درگاه"), 780, 1200);
    port_->setPlaceholderText(QStringLiteral("5432"));
    database_ = addField("TextDatabase", QStringLiteral(" :نام پایگاه داده"), 1320);
    user_ = addField("TextUser", QStringLiteral(" :نام کاربری"), 1860);

    tls_ = new QComboBox(this);
    tls_->setObjectName(QStringLiteral("ComboTls"));
    for (const QString &mode : TlsModes())
        tls_->addItem(TlsCaption(mode), mode);
    tls_->setGeometry(TwipsRect(kFieldLeft, 2400, kFieldWidth, kRowHeight));
    FieldCaption(this, QStringLiteral(" :رمزنگاری اتصال"), tls_)
        ->setGeometry(TwipsRect(kFieldLeft + kFieldWidth + 120, 2400, 1800, kRowHeight));

    password_ = addField("TextPassword", QStringLiteral(" :گذرواژه"), 2940);
    password_->setEchoMode(QLineEdit::Password);
    auto *note =
        new QLabel(QStringLiteral("گذرواژه ذخیره نمی‌شود؛ فقط برای آزمایش اتصال و رونوشت به کار می‌رود."), this);
    note->setObjectName(QStringLiteral("LabelPassword"));
    note->setTextFormat(Qt::PlainText);
    note->setGeometry(TwipsRect(kFieldLeft, 3420, 6720, 360));

    const struct {
        const char *name;
        QString caption;
        QRect twips;
        void (SharedServerWindow::*onClicked)();
    } commands[] = {
        {"CmdTest", QStringLiteral("آزمایش اتصال"), {4920, 3960, 2040, 495}, &SharedServerWindow::onCmdTestClicked},
        {"CmdTake", QStringLiteral("رونوشت آزمودنی‌های این رایانه به سرور"), {240, 3960, 4440, 495},
         &SharedServerWindow::onCmdTakeClicked},
        {"CmdSave", QStringLiteral("ذخیره"), {5400, 4680, 1560, 495}, &SharedServerWindow::onCmdSaveClicked},
        {"CmdCancel", QStringLiteral("انصراف"), {3600, 4680, 1560, 495}, &SharedServerWindow::reject}, // writes nothing
        {"CmdDesk", QStringLiteral("بازگشت به فایل همین رایانه"), {240, 4680, 3120, 495},
         &SharedServerWindow::onCmdDeskClicked},
    };
    for (const auto &c : commands)
        connect(PlaceButton(this, QLatin1String(c.name), c.caption, c.twips), &QPushButton::clicked, this, c.onClicked);

    fill(frame_.settings().sharedServer());
    frame_.finishLoading(kPlace);
}

SharedServerWindow::~SharedServerWindow() = default;

QLineEdit *SharedServerWindow::addField(const char *name, const QString &caption, int top, int width)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    // Beside its caption, at the right of the column of fields.
    field->setGeometry(TwipsRect(kFieldLeft + kFieldWidth - width, top, width, kRowHeight));
    FieldCaption(this, caption, field)->setGeometry(TwipsRect(kFieldLeft + kFieldWidth + 120, top, 1800, kRowHeight));
    return field;
}

void SharedServerWindow::fill(const std::optional<ServerChoice> &server)
{
    const ServerChoice shown = server.value_or(ServerChoice{});
    host_->setText(shown.host);
    port_->setText(shown.port);
    database_->setText(shown.database);
    user_->setText(shown.user);
    tls_->setCurrentIndex(std::max(0, tls_->findData(shown.tlsMode)));
}

std::optional<ServerChoice> SharedServerWindow::typedServer()
{
    ServerChoice server{host_->text(), port_->text(), database_->text(), user_->text(), tls_->currentData().toString()};
    if (const auto fault = TidyServerChoice(server)) {
        ShowMessageBox(this, *fault, windowTitle(), BoxStyle::OkExclamationRtl);
        return std::nullopt;
    }
    return server;
}

// Connects as the start would, so that the tables of an empty database are made on the way.
std::unique_ptr<PostgresSubjectStore> SharedServerWindow::connectToServer(const ServerChoice &server)
{
    const std::optional<QString> password =
        password_->text().isEmpty() ? std::nullopt : std::optional<QString>(password_->text());
    QString failure;
    try {
        return std::make_unique<PostgresSubjectStore>(server, password);
    } catch (const ServerNeedsPassword &needs) {
        failure = password ? QStringLiteral("سرور این گذرواژه را نپذیرفت. لطفاً نام کاربری و گذرواژه را بررسی کنید و "
                                            "دوباره امتحان کنید.\n\n") + needs.detail()
                           : needs.userText() + QStringLiteral(" لطفاً گذرواژه را در کادر «گذرواژه» بنویسید و دوباره "
                                                               "امتحان کنید.");
    } catch (const DataError &error) {
        failure = error.fullText();
    }
    ShowMessageBox(this, failure, windowTitle(), BoxStyle::OkStopRtl);
    return nullptr;
}

void SharedServerWindow::onCmdTestClicked()
{
    const auto server = typedServer();
    if (!server || !connectToServer(*server))
        return;
    const QString shown = ServerConnection::ShownServer(*server);
    ShowMessageBox(this, QStringLiteral("اتصال به پایگاه داده‌ی مشترک %1 برقرار شد.").arg(shown), windowTitle(),
                   BoxStyle::OkInformationRtl);
}

// Copies the desk's subjects into the server the fields name; the desk's file stays as it is.
void SharedServerWindow::onCmdTakeClicked()
{
    const auto server = typedServer();
    if (!server)
        return;
    const QString question =
        QStringLiteral("آزمودنی‌های فایل این رایانه به پایگاه داده‌ی مشترک %1 رونوشت شوند؟ آزمودنی‌هایی که کدشان در "
                       "سرور هست رونوشت نمی‌شوند و فایل این رایانه تغییری نمی‌کند.")
            .arg(ServerConnection::ShownServer(*server));
    if (ShowMessageBox(this, question, windowTitle(), BoxStyle::YesNo, {}, QMessageBox::No) != QMessageBox::Yes)
        return;
    const auto store = connectToServer(*server);
    if (!store)
        return;
    PostgresSubjectStore::Taken taken;
    if (RunGuarded(this, [&] { taken = store->takeSubjectsOf(DataFilePath(DataFile::Subjects)); }))
        ShowMessageBox(this, TakenReport(taken), windowTitle(), BoxStyle::OkInformationRtl);
}

void SharedServerWindow::onCmdDeskClicked()
{
    returnToDeskFile();
}

void SharedServerWindow::returnToDeskFile()
{
    if (!RunGuarded(this, [this] { frame_.settings().saveSharedServer(std::nullopt); }))
        return;
    fill(std::nullopt);
    password_->clear();
    ShowMessageBox(this, QStringLiteral("از دفعه‌ی بعد که برنامه باز شود، آزمودنی‌ها در فایل همین رایانه ثبت می‌شوند. "
                                        "آزمودنی‌هایی که در پایگاه داده‌ی مشترک هستند به این فایل آورده نمی‌شوند و در "
                                        "این رایانه دیده نمی‌شوند."),
                   windowTitle(), BoxStyle::OkInformationRtl);
    accept();
}

// A panel emptied of every field returns this computer to its own file, as the return button does.
void SharedServerWindow::onCmdSaveClicked()
{
    const QLineEdit *const fields[] = {host_, port_, database_, user_};
    if (std::all_of(std::begin(fields), std::end(fields),
                    [](const QLineEdit *field) { return field->text().trimmed().isEmpty(); })) {
        returnToDeskFile();
        return;
    }
    const auto server = typedServer();
    if (!server || !RunGuarded(this, [&] { frame_.settings().saveSharedServer(*server); }))
        return;
    ShowMessageBox(this,
                   QStringLiteral("تنظیمات پایگاه داده‌ی مشترک %1 ذخیره شد. از دفعه‌ی بعد که برنامه باز شود، "
                                  "آزمودنی‌ها در این پایگاه داده ثبت و خوانده می‌شوند؛ اگر سرور گذرواژه بخواهد، همان "
                                  "هنگام پرسیده می‌شود.")
                       .arg(ServerConnection::ShownServer(*server)),
                   windowTitle(), BoxStyle::OkInformationRtl);
    accept();
}

} // namespace morva
