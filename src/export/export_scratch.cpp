#include "export/export_scratch.h"

#include <QDir>

namespace morva {
namespace {

// Hidden, so that the data folder does not show it while an export runs.
constexpr auto kPrefix = QLatin1String(".morva-export-");

} // namespace

QString ExportScratchTemplate()
{
    return QDir::current().absoluteFilePath(kPrefix + QLatin1String("XXXXXX"));
}

void RemoveExportLeftovers()
{
    const QDir folder = QDir::current();
    // A folder that cannot be removed now stays owner-only, and the next start tries again.
    for (const QString &name : folder.entryList({kPrefix + QLatin1String("??????")},
                                                QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot))
        QDir(folder.filePath(name)).removeRecursively();
}

} // namespace morva
