#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace morva {

SingleInstanceLock::SingleInstanceLock() : lock_(path())
{
    lock_.setStaleLockTime(0); // only a lock whose owner is gone is stale, however old
}

bool SingleInstanceLock::acquire()
{
    return lock_.tryLock(0);
}

QString SingleInstanceLock::path()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/morva.lock");
}

} // namespace morva
