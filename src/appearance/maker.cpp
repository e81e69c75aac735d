#include "appearance/maker.h"

namespace morva {

QUrl MakerAddress(MakerPage page)
{
    switch (page) {
    case MakerPage::WebSite:
        return QUrl(QStringLiteral("https://morva.example"));
    case MakerPage::Shop:
        return QUrl(QStringLiteral("https://morva.example/shop"));
    }
    return {};
}

MakerDetails Maker()
{
    return {QStringLiteral("Morva"), QStringLiteral("Morva team"), QStringLiteral("+98 21 0000 0000"),
            QStringLiteral("info@morva.example")};
}

} // namespace morva
