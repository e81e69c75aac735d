#include "appearance/ui/about.h"

#include "ui/controls.h"
#include "common/timing.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace morva {
namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4500;
// The window's height with its title bar, from which the bottom of the credit loop is measured.
constexpr int kOuterHeight = kHeight + 400;
constexpr int kLabelHeight = 540;
constexpr std::array<int, CreditScroll::kLabels> kLabelTops{1600, 2200, 2800, 3400};

// The colours run on from one opening of the window to the next, for the whole run of the
// program.
CreditColours &Colours()
{
    static CreditColours colours;
    return colours;
}

void SetTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QTimer *StartTimer(QObject *owner, const QString &name, int ms)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->start(ScaledDelay(ms));
    return timer;
}

} // namespace

About::About(QWidget *parent) : QDialog(parent), scroll_(kLabelTops, kOuterHeight)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("about"));
    setFixedSize(TwipsToPixels(kWidth), TwipsToPixels(kHeight));

    auto *frame1 = new QGroupBox(QStringLiteral("درباره"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(TwipsRect(120, 60, kWidth - 240, 870));
    text1_ = new QLineEdit(collapse_.text(), frame1);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setLayoutDirection(Qt::LeftToRight);
    text1_->setGeometry(TwipsRect(120, 330, kWidth - 480, 420));
    text1_->setCursorPosition(0);

    for (int i = 0; i < CreditScroll::kLabels; ++i) {
        labels_[i] = new QLabel(scroll_.caption(i), this);
        labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        labels_[i]->setGeometry(TwipsRect(240, scroll_.top(i), kWidth - 480, kLabelHeight));
        // Every line stands at the right edge, the one that is Latin alone too.
        labels_[i]->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        labels_[i]->setMargin(TwipsToPixels(60));
    }

    auto *exit = PlaceButton(this, QStringLiteral("Command1"), QStringLiteral("خروج"), {2160, 3960, 1680, 450});
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    connect(StartTimer(this, QStringLiteral("Timer1"), 700), &QTimer::timeout, this, &About::onTimer1Timeout);
    connect(StartTimer(this, QStringLiteral("Timer10"), 55), &QTimer::timeout, this, &About::onTimer10Timeout);
    timer3_ = StartTimer(this, QStringLiteral("Timer3"), 1);
    connect(timer3_, &QTimer::timeout, this, &About::onTimer3Timeout);
    PlaceOnScreen(this, 1100, 1200);
}

About::~About() = default;

void About::onTimer1Timeout()
{
    const CreditColours::Step step = Colours().tick();
    SetTextColour(labels_[0], step.label1);
    SetTextColour(labels_[2], step.label3);
}

void About::onTimer10Timeout()
{
    if (const auto moved = scroll_.tick())
        labels_[*moved]->setText(scroll_.caption(*moved));
    for (int i = 0; i < CreditScroll::kLabels; ++i)
        labels_[i]->move(labels_[i]->x(), TwipsToPixels(scroll_.top(i)));
}

void About::onTimer3Timeout()
{
    collapse_.tick();
    text1_->setText(collapse_.text());
    text1_->setCursorPosition(0);
    if (collapse_.resting())
        timer3_->stop(); // nothing changes any more: no need to wake a thousand times a second
}

} // namespace morva
