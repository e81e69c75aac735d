#include "ui/desktop.h"

#include "ui/message_box.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace morva {
namespace {

// The usual calculators of a Debian desktop, tried in turn.
const QStringList &Calculators()
{
    static const QStringList programs{QStringLiteral("gnome-calculator"), QStringLiteral("galculator"),
                                      QStringLiteral("qalculate-gtk"), QStringLiteral("kcalc"),
                                      QStringLiteral("mate-calc"), QStringLiteral("xcalc")};
    return programs;
}

} // namespace

void OpenMakerPage(MakerPage page)
{
    QDesktopServices::openUrl(MakerAddress(page));
}

bool OpenInBrowser(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void StartCalculator(QWidget *owner)
{
    for (const QString &program : Calculators()) {
        QProcess calculator;
        calculator.setProgram(program);
        calculator.setStandardOutputFile(QProcess::nullDevice());
        calculator.setStandardErrorFile(QProcess::nullDevice());
        if (calculator.startDetached())
            return;
    }
    ShowMessageBox(owner,
                   QStringLiteral("برنامه‌ی ماشین‌حساب روی این رایانه پیدا نشد. لطفاً برای نصب آن با مسئول رایانه تماس بگیرید."),
                   {}, BoxStyle::OkExclamationRtl);
}

} // namespace morva
