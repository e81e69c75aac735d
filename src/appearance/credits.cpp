#include "appearance/credits.h"

#include "appearance/maker.h"

#include <cmath>
#include <utility>

namespace morva {
namespace {

// The even-numbered colours 0, 2 ... 14 of the classic 16-colour text-mode palette.
const QColor kEvenPaletteColours[8] = {
    {0, 0, 0},       {0, 128, 0}, {128, 0, 0}, {128, 128, 0},
    {128, 128, 128}, {0, 255, 0}, {255, 0, 0}, {255, 255, 0},
};

// Latin details read left to right inside a Persian line.
QString Isolated(const QString &text)
{
    return QChar(0x2068) + text + QChar(0x2069);
}

} // namespace

QString CreditSentence()
{
    return QStringLiteral("                      T   h            i     s                . Pr         o       g              r    a                  m      .          I  s.             C        r                 e     a         t           e   d               .       B                   y. M        o            r      v          a    .              .T       e           a  m   .");
}

QStringList CreditLines()
{
    const MakerDetails maker = Maker();
    const auto address = [](MakerPage page) {
        return Isolated(MakerAddress(page).toDisplayString());
    };
    QStringList lines{
        QStringLiteral("نام نرم افزار:"),
        u' ' + Isolated(maker.programTitle),
        QStringLiteral("برنامه نويس: ") + Isolated(maker.programmer),
        QStringLiteral("تلفن : ") + Isolated(maker.telephone) + u' ',
        QStringLiteral(" ايميل : ") + Isolated(maker.email) + QStringLiteral("  "),
        QStringLiteral(" وب سايت : ") + address(MakerPage::WebSite),
        QStringLiteral("فروشگاه : ") + address(MakerPage::Shop),
    };
    while (lines.size() < 11)
        lines << QString();
    return lines;
}

CreditCollapse::CreditCollapse(QString sentence) : text_(std::move(sentence)), search_(QStringLiteral(" ")) {}

void CreditCollapse::tick()
{
    if (search_.isEmpty() || search_ == replacement_)
        return;
    const qsizetype at = text_.indexOf(search_);
    if (at >= 0) {
        text_.replace(at, search_.size(), replacement_);
    } else {
        search_ = QStringLiteral(".");
        replacement_ = QStringLiteral(" ");
    }
}

CreditScroll::CreditScroll(const std::array<int, kLabels> &tops, int outerHeight)
    : lines_(CreditLines()), tops_(tops), bottom_(outerHeight - 1500)
{
    for (int label = 0; label < kLabels; ++label)
        captions_[label] = lines_[label];
}

std::optional<int> CreditScroll::tick()
{
    std::optional<int> moved;
    for (int label = 0; label < kLabels; ++label) {
        if (tops_[label] <= kThreshold) {
            moved = label;
            break;
        }
    }
    if (moved) {
        tops_[*moved] = bottom_;
        ++next_;
        captions_[*moved] = lines_[next_ - 1];
    }
    if (next_ == 9)
        next_ = 0;
    for (int &top : tops_)
        top -= kStep;
    return moved;
}

CreditColours::Step CreditColours::tick()
{
    if (counter_ > 15)
        counter_ = 0;
    const QColor label1 = kEvenPaletteColours[counter_ / 2];
    counter_ += 2;
    const int red = channel();
    const int green = channel();
    const int blue = channel();
    return {label1, QColor(red, green, blue)};
}

// A uniform random number from 0 up to but not including 1, times 255, rounded to the nearest
// whole number with halves going to the even neighbour.
int CreditColours::channel()
{
    const double unit = double(random_() - std::minstd_rand::min())
        / (double(std::minstd_rand::max() - std::minstd_rand::min()) + 1.0);
    return static_cast<int>(std::nearbyint(unit * 255.0));
}

} // namespace morva
