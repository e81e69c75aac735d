#include "app/exitpro.h"

#include "app/frm1.h"
#include "backup/ui/frm_backup.h"
#include "ui/data_guard.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace morva {

exitpro::exitpro(Stores &stores, QWidget *parent) : QWidget(parent), stores_(stores)
{
    setObjectName(QStringLiteral("exitpro"));
    setWindowTitle(QStringLiteral("تهيه نسخه پشتيبان"));
    setFixedSize(TwipsToPixels(4575), TwipsToPixels(3360));
    setMouseTracking(true);

    auto *label1 = new QLabel(QStringLiteral("آيا براي خروج از برنامه اطمينان داريد"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    label1->setWordWrap(true);
    label1->setGeometry(TwipsRect(240, 240, 4095, 600));
    QFont question = label1->font();
    question.setPointSize(question.pointSize() + 1);
    question.setBold(true);
    label1->setFont(question);

    check1_ = new QCheckBox(QStringLiteral("تهيه نسخه پشتيبان"), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(TwipsRect(600, 960, 3375, 420));

    // In reading order: leave first, on the right; return on the left.
    k1_ = picture(QStringLiteral("k1"), QStringLiteral("exit_leave"), 2775, QStringLiteral("خروج از برنامه"));
    k2_ = picture(QStringLiteral("k2"), QStringLiteral("exit_leave_on"), 2775, k1_->toolTip());
    c1_ = picture(QStringLiteral("C1"), QStringLiteral("exit_return"), 600, QStringLiteral("بازگشت به برنامه"));
    c2_ = picture(QStringLiteral("C2"), QStringLiteral("exit_return_on"), 600, c1_->toolTip());

    timer2_ = timer(QStringLiteral("Timer2"), &exitpro::onTimer2Fired);
    timer3_ = timer(QStringLiteral("Timer3"), &exitpro::onTimer3Fired);
    timer(QStringLiteral("tmCaptionAnimate"), &exitpro::onTmCaptionAnimateFired);

    PlaceOnScreen(this, 5000, 4500);
    showNormalPictures();
    check1_->setFocus();
}

QLabel *exitpro::picture(const QString &name, const QString &file, int left, const QString &toolTip)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setPixmap(QPixmap(QStringLiteral(":/pictures/%1.png").arg(file)));
    label->setScaledContents(true);
    label->setGeometry(TwipsRect(left, 1680, 1200, 1080));
    label->setToolTip(toolTip);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    return label;
}

QTimer *exitpro::timer(const QString &name, void (exitpro::*onFired)())
{
    auto *t = new QTimer(this);
    t->setObjectName(name);
    t->setInterval(ScaledDelay(500));
    connect(t, &QTimer::timeout, this, onFired);
    t->start();
    return t;
}

void exitpro::showNormalPictures()
{
    c1_->show();
    k1_->show();
    c2_->hide();
    k2_->hide();
}

void exitpro::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT endRequested();
}

// Enter leaves as the leave button does; Escape goes back to the main window.
void exitpro::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        onK2Clicked();
    else if (event->key() == Qt::Key_Escape)
        onC2Clicked();
    else
        QWidget::keyPressEvent(event);
}

void exitpro::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        showNormalPictures();
    QWidget::mouseMoveEvent(event);
}

bool exitpro::eventFilter(QObject *watched, QEvent *event)
{
    const bool isPicture = watched == k1_ || watched == k2_ || watched == c1_ || watched == c2_;
    if (!isPicture)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        // The normal picture only reacts to the mouse: it gives way to the highlighted one.
        if (watched == k1_) {
            k1_->hide();
            k2_->show();
        } else if (watched == c1_) {
            c1_->hide();
            c2_->show();
        }
        return event->type() == QEvent::MouseMove; // the pictures are not the background
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool clicked = mouse->button() == Qt::LeftButton
            && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        if (clicked && watched == k2_)
            onK2Clicked();
        else if (clicked && watched == c2_)
            onC2Clicked();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void exitpro::onC2Clicked()
{
    if (!Frm1::ShowFresh(stores_))
        return; // the user has been told why; leaving is still possible from here
    hide();
    deleteLater();
}

void exitpro::onK2Clicked()
{
    if (!check1_->isChecked()) {
        Q_EMIT endRequested();
        return;
    }
    Frmbackup *backup = nullptr;
    if (!RunGuarded(this, [&] { backup = new Frmbackup(stores_); }))
        return;
    backup->setAttribute(Qt::WA_DeleteOnClose);
    connect(backup, &Frmbackup::endRequested, this, &exitpro::endRequested);
    backup->show();
    hide(); // the timers keep running behind the backup window
}

void exitpro::onTimer2Fired()
{
    setWindowTitle(QStringLiteral(" تهيه نسخه پشتيبان"));
    timer3_->start();
    timer2_->stop();
}

void exitpro::onTimer3Fired()
{
    setWindowTitle(QStringLiteral("پشتيبان گيري"));
    timer2_->start();
    timer3_->stop();
}

void exitpro::onTmCaptionAnimateFired()
{
    check1_->setText(windowTitle());
}

} // namespace morva
