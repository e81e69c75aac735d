#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace morva {

// A database file is copied this many bytes at a time: the steps at which a window is let answer
// its user.
inline constexpr qint64 kCopyChunkBytes = 4048;
// The bytes are read and written this many at a time, a whole number of chunks.
inline constexpr qint64 kCopyBlockBytes = 259 * kCopyChunkBytes; // about 1 MiB

// Called before each chunk with the bytes copied so far and the size of the source, so that a
// window can keep its clock and a progress bar moving during a long copy.
using BetweenChunks = std::function<void(qint64 copied, qint64 total)>;

// Runs step between chunks at most once every 10 ms: often enough for a window to answer the
// user at once, seldom enough to leave the copy its speed.
BetweenChunks Paced(BetweenChunks step);

// Copies source to destination byte for byte, in chunks of kCopyChunkBytes moved a block at a
// time (a block's chunks are called before the block is read). The destination is
// written through a temporary file beside it that replaces it only once every byte is on disk
// (readable by its owner only): whatever fails, a file already at the destination stays exactly
// as it was. Returns the system's words for what failed, or nothing.
std::optional<QString> CopyDatabaseFile(const QString &source, const QString &destination,
                                        const BetweenChunks &betweenChunks = {});

// Makes the backup at destination of the subjects file at source: CopyDatabaseFile, or a writer
// that encrypts. Returns the system's words for what failed, or nothing.
using BackupWriter = std::function<std::optional<QString>(const QString &source, const QString &destination,
                                                          const BetweenChunks &betweenChunks)>;

} // namespace morva
