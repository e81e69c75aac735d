#pragma once

#include <QString>
#include <QUrl>

namespace morva {

enum class MakerPage { WebSite, Shop };

// The maker's pages, all in one place.
QUrl MakerAddress(MakerPage page);

// The maker's other details, shown in the about window.
struct MakerDetails {
    QString programTitle;
    QString programmer;
    QString telephone;
    QString email;
};
MakerDetails Maker();

} // namespace morva
