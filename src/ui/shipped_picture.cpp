#include "ui/shipped_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QResource>

#include <cstdint>
#include <cstring>

namespace morva {
namespace {

// "MRVP", the width and the height, then the rows of premultiplied ARGB (see picture_pixels). The
// pixels are shipped uncompressed: the picture draws them where the program holds them, for as long
// as it runs, without a copy.
QPixmap PixmapOf(const QString &path)
{
    const QResource file(path);
    constexpr qint64 header = 12;
    if (!file.isValid() || file.compressionAlgorithm() != QResource::NoCompression || file.size() < header
        || std::memcmp(file.data(), "MRVP", 4) != 0)
        return {};
    std::uint32_t size[2] = {};
    std::memcpy(size, file.data() + 4, sizeof size);
    const uchar *pixels = file.data() + header;
    if (size[0] == 0 || size[1] == 0 || file.size() - header != qint64(size[0]) * size[1] * 4
        || reinterpret_cast<quintptr>(pixels) % 4 != 0)
        return {};
    return QPixmap::fromImage(QImage(pixels, int(size[0]), int(size[1]), int(size[0] * 4),
                                     QImage::Format_ARGB32_Premultiplied));
}

} // namespace

QPixmap ShippedPicture(const QString &name)
{
    const QString twin = QStringLiteral(":/pixels/%1@2x.argb").arg(name);
    if (qGuiApp->devicePixelRatio() > 1.0 && QResource(twin).isValid()) {
        QPixmap picture = PixmapOf(twin);
        picture.setDevicePixelRatio(2.0);
        return picture;
    }
    return PixmapOf(QStringLiteral(":/pixels/%1.argb").arg(name));
}

} // namespace morva
