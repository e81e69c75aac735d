#include "backup/database_copy.h"

#include "common/safe_file.h"
#include "records/data_connection.h"
#include "records/data_error.h"
#include "records/data_files.h"

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
    QByteArray chunk(kCopyChunkBytes, Qt::Uninitialized);
    for (qint64 copied = 0; copied < total && !out.failed();) {
        if (betweenChunks)
            betweenChunks(copied, total);
        const qint64 size = std::min(kCopyChunkBytes, total - copied);
        if (in.read(chunk.data(), size) != size)
            return in.errorString(); // the writer, dropped, replaces nothing
        out.write(chunk.constData(), size);
        copied += size;
    }
    return out.commit();
}

std::optional<QString> SettleDatabaseFile(const QString &path)
{
    if (DataConnection::OpenCount(path) > 0)
        return QStringLiteral("فایل اطلاعات آزمودنی‌ها هنوز در پنجره‌ی دیگری از برنامه باز است.");
    if (!JournalPending(path))
        return std::nullopt;
    const QString unsettled = QStringLiteral("در فایل اطلاعات آزمودنی‌ها یک تغییر نیمه‌تمام مانده است که برنامه نتوانست آن را لغو کند.");
    try {
        // The first read of a connection rolls an interrupted write back; the last connection
        // to close moves a write-ahead log into the file.
        DataConnection db(path, QStringLiteral("settle"));
        db.run(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        db.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const DataError &error) {
        return unsettled + u'\n' + error.detail();
    }
    if (JournalPending(path))
        return unsettled;
    return std::nullopt;
}

} // namespace morva
