#include "app/startup.h"

#include "app/app_context.h"
#include "app/exitpro.h"
#include "app/font_configuration.h"
#include "app/frm1.h"
#include "ui/message_box.h"
#include "app/single_instance.h"
#include "app/startup_timeline.h"
#include "export/export_scratch.h"
#include "records/data_error.h"
#include "ui/password_box.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace morva {
namespace {

// Qt's Persian texts without their keyboard mnemonics: the underline of a mnemonic breaks the
// joining of Persian letters («بـ له»). A doubled ampersand stays a single one.
class PersianTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override
    {
        const QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        QString plain;
        plain.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && ++i == text.size())
                break;
            plain += text[i];
        }
        return plain;
    }
};

// The main window's last step when it is left without a hand-over: the exit dialog, which ends
// the program when the user leaves it. Ending stops the event loop at once, so that no window
// runs another event.
void ShowExitDialog(Stores &stores)
{
    auto *dialog = new exitpro(stores);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &exitpro::endRequested, qApp, [] { QCoreApplication::exit(0); });
    dialog->show();
    PlaceOnScreen(dialog, 5000, 1500);
}

// A shared server that asks for a password is asked it once; one that cannot be used is said so,
// and the desk's own file offered for this run.
ServerQuestions AskAtStart()
{
    const QString title = QStringLiteral("پایگاه داده‌ی مشترک");
    return {
        [title](const ServerNeedsPassword &needs) {
            const QString prompt = needs.userText() + QStringLiteral("\nلطفاً گذرواژه را بنویسید؛ گذرواژه جایی ذخیره "
                                                                     "نمی‌شود.");
            return PasswordBox::Ask(nullptr, prompt, title);
        },
        [title](const DataError &error) {
            const QString question = error.fullText()
                                     + QStringLiteral("\n\nبرنامه این بار با فایل آزمودنی‌های همین رایانه کار کند؟ "
                                                      "آزمودنی‌هایی که در این اجرا ثبت شوند فقط در همین رایانه "
                                                      "می‌مانند. با «خیر» برنامه بسته می‌شود.");
            return ShowMessageBox(nullptr, question, title, BoxStyle::YesNo) == QMessageBox::Yes;
        },
    };
}

} // namespace

void ConfigureApplication(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Morva"));
    app.setDesktopFileName(QStringLiteral("example.morva.Morva")); // the menu entry: its icon on the task bar
    app.setLayoutDirection(Qt::RightToLeft);
    app.setFont(QFont(QStringLiteral("Nazli"), 11));
    auto *translator = new PersianTranslator(&app);
    if (translator->load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

std::unique_ptr<AppContext> StartProgram(SingleInstanceLock &lock, FontConfigurationLoad *fonts)
{
    if (!lock.acquire()) {
        ShowMessageBox(nullptr, QStringLiteral("برنامه در حال اجراست"), QStringLiteral("Warnnig"),
                       BoxStyle::OkInformation);
        return nullptr;
    }
    StartupTimeline::Mark("single instance");
    std::unique_ptr<AppContext> context;
    try {
        context = AppContext::Open(AskAtStart());
    } catch (const DataError &error) {
        ShowMessageBox(nullptr, error.fullText(), QStringLiteral("خطا"), BoxStyle::OkStopRtl);
        return nullptr;
    }
    if (!context)
        return nullptr; // the user chose to end rather than work without the shared server
    StartupTimeline::Mark("data files opened");
    RemoveExportLeftovers();
    if (fonts)
        fonts->wait();
    Frm1::SetLeaveStep([&stores = context->stores()] { ShowExitDialog(stores); });
    if (!Frm1::ShowFresh(context->stores()))
        return nullptr;
    StartupTimeline::Mark("main window shown");
    return context;
}

} // namespace morva
