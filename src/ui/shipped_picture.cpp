#include "ui/shipped_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QResource>

#include <cstdint>
#include <cstring>

namespace morva {
namespace {

// "MRVP", the width and the height, then the rows of premultiplied ARGB (see picture_pixels).
QImage Pixels(const QString &path)
{
    const QByteArray file = QResource(path).uncompressedData();
    constexpr qsizetype header = 12;
    std::uint32_t size[2] = {};
    if (file.size() < header || !file.startsWith("MRVP"))
        return {};
    std::memcpy(size, file.constData() + 4, sizeof size);
    if (size[0] == 0 || size[1] == 0 || file.size() - header != qsizetype(size[0]) * size[1] * 4)
        return {};
    // The image only borrows the bytes; the pixmap made from it below keeps a copy of its own.
    return QImage(reinterpret_cast<const uchar *>(file.constData() + header), int(size[0]), int(size[1]),
                  int(size[0] * 4), QImage::Format_ARGB32_Premultiplied)
        .copy();
}

} // namespace

QPixmap ShippedPicture(const QString &name)
{
    const QString twin = QStringLiteral(":/pixels/%1@2x.argb").arg(name);
    if (qGuiApp->devicePixelRatio() > 1.0 && QResource(twin).isValid()) {
        QPixmap picture = QPixmap::fromImage(Pixels(twin));
        picture.setDevicePixelRatio(2.0);
        return picture;
    }
    return QPixmap::fromImage(Pixels(QStringLiteral(":/pixels/%1.argb").arg(name)));
}

} // namespace morva
