// Build tool: turns a PNG into the pixels a screen draws, so that the program shows the picture
// without decoding it. Written for the machine it is built on and read back by ShippedPicture:
// "MRVP", the width and the height (32-bit, the machine's byte order), then the rows of
// premultiplied 32-bit ARGB, top to bottom.
#include <QImage>
#include <QSaveFile>

#include <cstdint>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PICTURE.png PIXELS\n", argv[0]);
        return 2;
    }
    const QImage picture = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) {
        std::fprintf(stderr, "%s: %s cannot be read as a picture\n", argv[0], argv[1]);
        return 1;
    }
    QSaveFile pixels(QString::fromLocal8Bit(argv[2]));
    if (!pixels.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(pixels.errorString()));
        return 1;
    }
    const std::uint32_t size[] = {static_cast<std::uint32_t>(picture.width()),
                                  static_cast<std::uint32_t>(picture.height())};
    pixels.write("MRVP", 4);
    pixels.write(reinterpret_cast<const char *>(size), sizeof size);
    for (int y = 0; y < picture.height(); ++y)
        pixels.write(reinterpret_cast<const char *>(picture.constScanLine(y)), picture.width() * 4);
    if (!pixels.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(pixels.errorString()));
        return 1;
    }
    return 0;
}
