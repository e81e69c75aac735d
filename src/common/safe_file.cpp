#include "common/safe_file.h"

#include <cerrno>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace morva {
namespace {

// A large file is sent on its way to the disk every few megabytes while it is written, so that
// commit() waits only for the last of it.
constexpr qint64 kWriteBackBytes = 4 * 1024 * 1024;

} // namespace

SafeFileWriter::SafeFileWriter(const QString &path, QFileDevice::Permissions permissions) : file_(path)
{
    // Never write in place: a failure part-way must not leave a cut file behind.
    file_.setDirectWriteFallback(false);
    attempt([&] { return file_.open(QIODevice::WriteOnly); });
    attempt([&] { return file_.setPermissions(permissions); });
}

bool SafeFileWriter::attempt(const std::function<bool()> &step)
{
    if (failed())
        return false;
    errno = 0;
    if (step())
        return true;
    // Qt loses the system's reason when a write stops part-way (a full disk): errno still has it.
    const int reason = errno;
    fail(reason != 0 ? qt_error_string(reason) : file_.errorString());
    return false;
}

bool SafeFileWriter::write(const QByteArray &bytes)
{
    return write(bytes.constData(), bytes.size());
}

bool SafeFileWriter::write(const char *data, qint64 size)
{
    if (!attempt([&] { return file_.write(data, size) == size; }))
        return false;
    notYetOnDisk_ += size;
    if (notYetOnDisk_ >= kWriteBackBytes)
        startWriteBack();
    return !failed();
}

void SafeFileWriter::startWriteBack()
{
    notYetOnDisk_ = 0;
    if (!attempt([&] { return file_.flush(); }))
        return;
#ifdef Q_OS_LINUX
    // Only a start: commit() still waits until every byte is on disk and checks that it is.
    sync_file_range(file_.handle(), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

std::optional<QString> SafeFileWriter::commit()
{
    if (!attempt([&] { return file_.flush(); })) {
        file_.cancelWriting();
        file_.commit(); // closes the temporary file and removes it
        return error_;
    }
    attempt([&] { return file_.commit(); });
    return error_;
}

void SafeFileWriter::fail(const QString &detail)
{
    if (!error_)
        error_ = detail.isEmpty() ? QStringLiteral("Unknown error") : detail;
}

std::optional<QString> WriteFileSafely(const QString &path, const QByteArray &bytes, QFileDevice::Permissions permissions)
{
    SafeFileWriter writer(path, permissions);
    writer.write(bytes);
    return writer.commit();
}

} // namespace morva
