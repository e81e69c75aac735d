#include "backup/safe_file.h"

namespace morva {

SafeFileWriter::SafeFileWriter(const QString &path, QFileDevice::Permissions permissions) : file_(path)
{
    // Never write in place: a failure part-way must not leave a cut file behind.
    file_.setDirectWriteFallback(false);
    if (!file_.open(QIODevice::WriteOnly))
        fail(file_.errorString());
    else if (!file_.setPermissions(permissions))
        fail(file_.errorString());
}

bool SafeFileWriter::write(const QByteArray &bytes)
{
    return write(bytes.constData(), bytes.size());
}

bool SafeFileWriter::write(const char *data, qint64 size)
{
    if (failed())
        return false;
    if (file_.write(data, size) != size)
        fail(file_.errorString());
    return !failed();
}

std::optional<QString> SafeFileWriter::commit()
{
    if (!failed() && !file_.flush())
        fail(file_.errorString());
    if (failed()) {
        file_.cancelWriting();
        file_.commit(); // closes the temporary file and removes it
        return error_;
    }
    if (!file_.commit())
        fail(file_.errorString());
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
