#pragma once

#include <QUrl>

namespace morva {

enum class MakerPage { Help, WebSite, Shop };

// The maker's pages, all in one place.
QUrl MakerAddress(MakerPage page);

} // namespace morva
