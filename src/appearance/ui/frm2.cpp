#include "appearance/ui/frm2.h"

#include "appearance/love_triangle.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QPainter>
#include <QPushButton>

namespace morva {
namespace {

// Where the window stands on the screen, over the middle of the main window, in twips.
constexpr QPoint kPlace{4100, 1250};

class TrianglePicture : public QWidget {
public:
    explicit TrianglePicture(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        PaintLoveTriangle(painter, rect());
    }
};

} // namespace

Frm2::Frm2(Stores &stores, QWidget *parent)
    : QDialog(parent),
      frame_(this, stores, {QStringLiteral("Frm2"), QStringLiteral("مثلث عشق"), {7200, 6600}, QStringLiteral("Text1")})
{
    auto *picture1 = new TrianglePicture(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(TwipsRect(120, 120, 6960, 5640));
    auto *exit = PlaceButton(this, QStringLiteral("Command6"), QStringLiteral("خروج"), {2700, 5940, 1800, 495});
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    frame_.finishLoading(kPlace);
}

Frm2::~Frm2() = default;

} // namespace morva
