#include "appearance/maker.h"

namespace morva {

QUrl MakerAddress(MakerPage page)
{
    switch (page) {
    case MakerPage::Help:
        return QUrl(QStringLiteral("https://morva.example/help"));
    case MakerPage::WebSite:
        return QUrl(QStringLiteral("https://morva.example/"));
    case MakerPage::Shop:
        return QUrl(QStringLiteral("https://morva.example/shop"));
    }
    return {};
}

} // namespace morva
