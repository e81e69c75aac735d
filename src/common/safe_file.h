#pragma once

#include "common/files.h"

#include <QByteArray>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <functional>
#include <optional>

namespace morva {

// Writes a file through a temporary file beside it, which takes the file's place only once
// every byte is written and on disk; until then, and whenever anything fails, a file already
// at that path stays exactly as it was. Every step is checked: the first failure is kept and
// reported by commit(), with the system's words for it. A writer dropped without commit()
// replaces nothing.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString &path, QFileDevice::Permissions permissions = kOwnerOnly);

    bool write(const QByteArray &bytes);
    bool write(const char *data, qint64 size);
    // Replaces the file; the error when anything failed (the file is then untouched).
    std::optional<QString> commit();
    bool failed() const { return error_.has_value(); }

private:
    // Runs a step of the writing unless an earlier one failed; false when it fails.
    bool attempt(const std::function<bool()> &step);
    void fail(const QString &detail);
    void startWriteBack();

    QSaveFile file_;
    std::optional<QString> error_;
    qint64 notYetOnDisk_ = 0;
};

// Writes bytes to path as SafeFileWriter does; the error, or nothing.
std::optional<QString> WriteFileSafely(const QString &path, const QByteArray &bytes,
                                       QFileDevice::Permissions permissions = kOwnerOnly);

} // namespace morva
