#include "appearance/ui/guide_window.h"

#include "appearance/user_guide.h"
#include "ui/desktop.h"
#include "ui/message_box.h"
#include "ui/twips.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace morva {

GuideWindow::GuideWindow(const QString &guidePath)
{
    setObjectName(QStringLiteral("GuideWindow"));
    setWindowTitle(QStringLiteral("راهنمای مروا"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setLayoutDirection(Qt::RightToLeft);

    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("GuideText"));
    text_->setOpenExternalLinks(true);
    // The pictures are found beside the page.
    text_->setSource(QUrl::fromLocalFile(guidePath), QTextDocument::HtmlResource);

    auto *close = new QPushButton(QStringLiteral("بستن"), this);
    close->setObjectName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(TwipsToPixels(14400), TwipsToPixels(11520));
}

void ShowUserGuide(QWidget *owner)
{
    const QString guide = UserGuidePath();
    if (guide.isEmpty()) {
        ShowMessageBox(owner,
                       QStringLiteral("راهنمای برنامه روی این رایانه پیدا نشد. لطفاً برنامه را دوباره نصب کنید یا با "
                                      "مسئول رایانه تماس بگیرید."),
                       {}, BoxStyle::OkExclamationRtl);
        return;
    }
    if (OpenInBrowser(guide))
        return;
    static QPointer<GuideWindow> window;
    if (!window)
        window = new GuideWindow(guide);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace morva
