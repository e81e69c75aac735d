#include "common/files.h"

#include "common/display_text.h"

#include <QDir>
#include <QFileInfo>

namespace morva {

QString FileNameFromParts(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts) {
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    }
    QString name = kept.join(u' ');
    for (QChar &c : name) {
        // Joiners belong to Persian words; other invisible characters have no place in a name.
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || (!c.isPrint() && c != QChar(0x200C) && c != QChar(0x200D)))
            c = u'-';
    }
    return name;
}

QString ShownPath(const QString &path)
{
    // Isolated, so that the path keeps its own direction inside a Persian sentence.
    return Isolated(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

} // namespace morva
