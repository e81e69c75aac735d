#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

namespace morva {

// Files holding clinical data are readable by their owner only; their folders are open to him
// alone.
inline constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
inline constexpr QFileDevice::Permissions kOwnerOnlyFolder = kOwnerOnly | QFileDevice::ExeOwner;

// A file name from its parts (a sheet's name, a code, a name, a date...): the non-empty parts
// joined by blanks, with characters that a file name cannot hold made into hyphens; no extension.
QString FileNameFromParts(const QStringList &parts);

// A file's full path as the user is shown it inside a Persian sentence.
QString ShownPath(const QString &path);

} // namespace morva
