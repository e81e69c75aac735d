#pragma once

#include "common/database_copy.h"
#include "records/subject_store.h"

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <optional>

namespace morva {

// A backup that may leave the clinic: the subjects file encrypted with a passphrase (libsodium:
// the key derived by Argon2id, the file sealed in chunks by XChaCha20-Poly1305 secretstream). The
// layout of the file is described in README.md, for anyone who must open one without this program.

// A passphrase is at least this many characters long.
inline constexpr int kShortestPassphrase = 10;

// How hard a passphrase would be to guess, as the passphrase box hints it.
enum class PassphraseStrength { TooShort, Weak, Fair, Strong };
PassphraseStrength StrengthOf(const QString &typed);

// A passphrase as the key is derived from it: its UTF-8 bytes in Unicode's composed form (NFC),
// kept out of swap and wiped when the object goes. It is never written anywhere.
class Passphrase {
public:
    explicit Passphrase(const QString &typed);
    ~Passphrase();
    Passphrase(const Passphrase &) = delete;
    Passphrase &operator=(const Passphrase &) = delete;

    const unsigned char *data() const { return bytes_; }
    std::size_t size() const { return size_; }

private:
    unsigned char *bytes_ = nullptr;
    std::size_t size_ = 0;
};

// The cost of deriving the key from a passphrase (Argon2id's passes and memory), written into each
// file so that it can grow later without making older files unreadable.
struct KeyCost {
    quint64 passes;
    quint64 memoryBytes;
};
// What new files use: libsodium's "interactive" cost (2 passes over 64 MiB).
KeyCost DefaultKeyCost();

// Whether the file at path begins as an encrypted backup does.
bool IsEncryptedBackup(const QString &path);

// Encrypts the subjects file at source into destination, through a temporary file beside it that
// takes its place only once the whole file is written and on disk (readable by its owner only):
// whatever fails, a file already at the destination stays as it was. betweenChunks runs before
// each chunk, and while the key is derived. Returns the system's words for what failed, or nothing.
std::optional<QString> EncryptSubjectsFile(const QString &source, const QString &destination,
                                           const Passphrase &passphrase, const BetweenChunks &betweenChunks = {},
                                           KeyCost cost = DefaultKeyCost());

// A writer for SubjectStore::backupTo() that encrypts with the passphrase, which must outlive it.
BackupWriter EncryptingWriter(const Passphrase &passphrase);

// Decrypts the encrypted backup at source into destination, written as EncryptSubjectsFile()
// writes: nothing appears at destination unless every chunk is decrypted and authenticated. A
// wrong passphrase, a changed or damaged file, a file cut short or with bytes after its end stop
// it with Stop::NotABackup and the reason in Persian, advice after it; a failure to read or write
// with Stop::NotCopied and the system's words.
RestoreOutcome DecryptBackupFile(const QString &source, const QString &destination, const Passphrase &passphrase,
                                 const QString &advice, const BetweenChunks &betweenChunks = {});

// An encrypted backup decrypted beside the desk's subjects file, for a restore to take as it takes
// a plain backup; the decrypted file is removed when this object goes.
class DecryptedBackup {
public:
    DecryptedBackup();
    ~DecryptedBackup();
    DecryptedBackup(const DecryptedBackup &) = delete;
    DecryptedBackup &operator=(const DecryptedBackup &) = delete;

    // Decrypts the backup at source as DecryptBackupFile() does, then checks that what it holds
    // is a subjects file a restore can take, as CheckSubjectsFile() does; a refusal names source.
    RestoreOutcome open(const QString &source, const Passphrase &passphrase, const QString &advice,
                        const BetweenChunks &betweenChunks = {});
    // The decrypted subjects file.
    QString path() const { return path_; }

private:
    QString path_;
};

} // namespace morva
