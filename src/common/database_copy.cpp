#include "common/database_copy.h"

#include "common/safe_file.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace morva {

BetweenChunks Paced(BetweenChunks step)
{
    auto since = std::make_shared<QElapsedTimer>();
    return [since, step = std::move(step)](qint64 copied, qint64 total) {
        if (since->isValid() && since->elapsed() < 10)
            return;
        step(copied, total);
        since->start();
    };
}

std::optional<QString> CopyDatabaseFile(const QString &source, const QString &destination,
                                        const BetweenChunks &betweenChunks)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const qint64 total = in.size();
    SafeFileWriter out(destination);
    QByteArray block(kCopyBlockBytes, Qt::Uninitialized);
    for (qint64 copied = 0; copied < total && !out.failed();) {
        const qint64 size = std::min(kCopyBlockBytes, total - copied);
        if (betweenChunks) {
            for (qint64 chunk = copied; chunk < copied + size; chunk += kCopyChunkBytes)
                betweenChunks(chunk, total);
        }
        if (in.read(block.data(), size) != size)
            return in.errorString(); // the writer, dropped, replaces nothing
        out.write(block.constData(), size);
        copied += size;
    }
    return out.commit();
}

} // namespace morva
