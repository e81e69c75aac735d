#include "appearance/ui/frm_skin.h"

#include "ui/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace morva {

Frmskin::Frmskin(Stores &stores, QWidget *parent)
    : QWidget(parent),
      frame_(this, stores, {QStringLiteral("Frmskin"), QStringLiteral("Form1"), {4680, 3195}, QStringLiteral("Text1")}),
      background_(QStringLiteral(":/pictures/skin_background.png"))
{
    setMouseTracking(true);
    k1_ = pictureButton(QStringLiteral("k1"), QStringLiteral(":/pictures/skin_k1.png"));
    k1_->setMouseTracking(true);
    k2_ = pictureButton(QStringLiteral("k2"), QStringLiteral(":/pictures/skin_k2.png"));
    k2_->setCursor(Qt::PointingHandCursor);

    frame_.finishLoading({5000, 3500});
    k1_->show();
    k2_->hide();
}

Frmskin::~Frmskin() = default;

// Both looks of the picture button lie at the same place.
QLabel *Frmskin::pictureButton(const QString &name, const QString &picture)
{
    auto *button = new QLabel(this);
    button->setObjectName(name);
    button->setGeometry(TwipsRect(1620, 2295, 1440, 600));
    button->setPixmap(QPixmap(picture));
    button->setScaledContents(true);
    button->installEventFilter(this);
    return button;
}

void Frmskin::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}

void Frmskin::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), background_);
}

void Frmskin::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint())) {
        k1_->show();
        k2_->hide();
    }
    QWidget::mouseMoveEvent(event);
}

bool Frmskin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == k1_ && event->type() == QEvent::MouseMove)
        onK1MouseMoved();
    else if (watched == k2_ && event->type() == QEvent::MouseButtonRelease
             && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        onK2Clicked();
    return QWidget::eventFilter(watched, event);
}

void Frmskin::onK1MouseMoved()
{
    k1_->hide();
    k2_->show();
}

void Frmskin::onK2Clicked()
{
    close();
}

} // namespace morva
