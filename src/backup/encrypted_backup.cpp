#include "backup/encrypted_backup.h"

#include "common/chunk_worker.h"
#include "common/files.h"
#include "common/safe_file.h"
#include "records/sqlite/data_files.h"
#include "records/sqlite/subjects_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <new>

namespace morva {
namespace {

// The file begins with this header; every field has a fixed place and width, numbers little-endian.
constexpr char kMagic[] = {'M', 'O', 'R', 'V', 'A', 'E', 'N', 'C'};
constexpr quint8 kFormatVersion = 1;
constexpr qsizetype kVersionAt = sizeof kMagic;
constexpr qsizetype kPassesAt = kVersionAt + 1;
constexpr qsizetype kMemoryAt = kPassesAt + 8;
constexpr qsizetype kSaltAt = kMemoryAt + 8;
constexpr qsizetype kChunkAt = kSaltAt + crypto_pwhash_SALTBYTES;
constexpr qsizetype kStreamHeaderAt = kChunkAt + 4;
constexpr qsizetype kHeaderBytes = kStreamHeaderAt + crypto_secretstream_xchacha20poly1305_HEADERBYTES; // 69

// The plaintext is sealed this many bytes at a time; each chunk grows by kSealBytes.
constexpr quint32 kChunkBytes = 1 * 1024 * 1024;
constexpr qsizetype kSealBytes = crypto_secretstream_xchacha20poly1305_ABYTES;

// A header that asks for more than this is refused, not obeyed: a damaged file must not keep the
// desk busy for minutes or take all its memory.
constexpr quint64 kMostPasses = 16;
constexpr quint64 kMostMemory = crypto_pwhash_MEMLIMIT_SENSITIVE; // 1 GiB
constexpr quint32 kLargestChunk = 64 * 1024 * 1024;

bool SodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Bytes kept out of swap and wiped when they go: the key.
class SecretBytes {
public:
    explicit SecretBytes(std::size_t size) : bytes_(static_cast<unsigned char *>(sodium_malloc(size))), size_(size)
    {
        if (!bytes_)
            throw std::bad_alloc();
    }
    ~SecretBytes() { sodium_free(bytes_); }
    SecretBytes(const SecretBytes &) = delete;
    SecretBytes &operator=(const SecretBytes &) = delete;

    unsigned char *data() { return bytes_; }
    std::size_t size() const { return size_; }

private:
    unsigned char *bytes_;
    std::size_t size_;
};

// The state of a stream holds the key: wiped when it goes.
struct StreamState {
    crypto_secretstream_xchacha20poly1305_state state;
    ~StreamState() { sodium_memzero(&state, sizeof state); }
};

// Derives the key from the passphrase on a thread of its own (the derivation takes a moment on
// purpose), calling betweenChunks meanwhile so that a window goes on answering.
bool DeriveKey(SecretBytes &key, const Passphrase &passphrase, const unsigned char *salt, KeyCost cost,
               const BetweenChunks &betweenChunks, qint64 total)
{
    auto derived = std::async(std::launch::async, [&] {
        return crypto_pwhash(key.data(), key.size(), reinterpret_cast<const char *>(passphrase.data()),
                             passphrase.size(), salt, cost.passes, cost.memoryBytes, crypto_pwhash_ALG_ARGON2ID13)
            == 0;
    });
    while (betweenChunks && derived.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        betweenChunks(0, total);
    return derived.get();
}

const unsigned char *Bytes(const QByteArray &bytes, qsizetype at = 0)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
}

unsigned char *Bytes(QByteArray &bytes, qsizetype at = 0)
{
    return reinterpret_cast<unsigned char *>(bytes.data()) + at;
}

void Wipe(QString &text)
{
    if (!text.isEmpty())
        sodium_memzero(text.data(), std::size_t(text.size()) * sizeof(QChar));
}

void Wipe(QByteArray &bytes)
{
    if (!bytes.isEmpty())
        sodium_memzero(bytes.data(), std::size_t(bytes.size()));
}

RestoreOutcome Refused(const QString &sentence, const QString &path, const QString &advice)
{
    return {RestoreOutcome::Stop::NotABackup, sentence.arg(ShownPath(path)) + advice};
}

} // namespace

PassphraseStrength StrengthOf(const QString &typed)
{
    if (typed.size() < kShortestPassphrase)
        return PassphraseStrength::TooShort;
    enum Kind { Lower = 1, Upper = 2, OtherLetter = 4, Digit = 8, Other = 16 };
    int kinds = 0;
    QSet<QChar> distinct;
    for (const QChar c : typed) {
        distinct.insert(c);
        if (c.isDigit())
            kinds |= Digit;
        else if (c.isLetter())
            kinds |= c.unicode() >= 0x80 ? OtherLetter : c.isUpper() ? Upper : Lower;
        else
            kinds |= Other;
    }
    const int variety = qPopulationCount(quint32(kinds));
    if (distinct.size() < 5 || kinds == Digit)
        return PassphraseStrength::Weak;
    if (typed.size() >= 16 || (typed.size() >= 12 && variety >= 3))
        return PassphraseStrength::Strong;
    return PassphraseStrength::Fair;
}

Passphrase::Passphrase(const QString &typed)
{
    if (!SodiumReady())
        throw std::bad_alloc();
    QString composed = typed.normalized(QString::NormalizationForm_C);
    QByteArray utf8 = composed.toUtf8();
    size_ = std::size_t(utf8.size());
    bytes_ = static_cast<unsigned char *>(sodium_malloc(std::max<std::size_t>(size_, 1)));
    if (!bytes_)
        throw std::bad_alloc();
    if (size_ > 0)
        std::memcpy(bytes_, utf8.constData(), size_);
    Wipe(utf8);
    Wipe(composed);
}

Passphrase::~Passphrase()
{
    sodium_free(bytes_); // wipes them first
}

KeyCost DefaultKeyCost()
{
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

bool IsEncryptedBackup(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(sizeof kMagic) == QByteArray(kMagic, sizeof kMagic);
}

std::optional<QString> EncryptSubjectsFile(const QString &source, const QString &destination,
                                           const Passphrase &passphrase, const BetweenChunks &betweenChunks,
                                           KeyCost cost)
{
    if (!SodiumReady())
        return QStringLiteral("libsodium could not be started");
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const qint64 total = in.size();

    QByteArray header(kHeaderBytes, '\0');
    std::memcpy(header.data(), kMagic, sizeof kMagic);
    header[kVersionAt] = char(kFormatVersion);
    qToLittleEndian<quint64>(cost.passes, Bytes(header, kPassesAt));
    qToLittleEndian<quint64>(cost.memoryBytes, Bytes(header, kMemoryAt));
    randombytes_buf(Bytes(header, kSaltAt), crypto_pwhash_SALTBYTES);
    qToLittleEndian<quint32>(kChunkBytes, Bytes(header, kChunkAt));

    SecretBytes key(crypto_secretstream_xchacha20poly1305_KEYBYTES);
    if (!DeriveKey(key, passphrase, Bytes(header, kSaltAt), cost, betweenChunks, total))
        return qt_error_string(ENOMEM); // the one way the derivation fails
    StreamState stream;
    crypto_secretstream_xchacha20poly1305_init_push(&stream.state, Bytes(header, kStreamHeaderAt), key.data());

    SafeFileWriter out(destination);
    out.write(header);
    // Each chunk is sealed on a second thread while this one writes the chunk before it and reads
    // the one after, so that the sealing and the disk work side by side.
    QByteArray plain[2] = {QByteArray(kChunkBytes, Qt::Uninitialized), QByteArray(kChunkBytes, Qt::Uninitialized)};
    QByteArray sealed[2] = {QByteArray(kChunkBytes + kSealBytes, Qt::Uninitialized),
                            QByteArray(kChunkBytes + kSealBytes, Qt::Uninitialized)};
    const auto read = [&](qint64 at, QByteArray &into) {
        if (betweenChunks)
            betweenChunks(at, total);
        const qint64 size = std::min<qint64>(kChunkBytes, total - at);
        return in.read(into.data(), size) == size;
    };
    const auto readFailure = [&] { return in.error() != QFileDevice::NoError ? in.errorString() : qt_error_string(EIO); };
    ChunkWorker sealer; // after the buffers it works on: it ends first
    if (!read(0, plain[0]))
        return readFailure();
    // An empty file is one empty chunk: every file ends with a chunk marked final.
    for (qint64 at = 0, current = 0;; at += kChunkBytes, current = 1 - current) {
        const qint64 size = std::min<qint64>(kChunkBytes, total - at);
        const bool first = at == 0, last = at + size == total;
        sealer.start([&, current, size, first, last] {
            // The header is authenticated with the first chunk: a header changed by one byte is refused.
            crypto_secretstream_xchacha20poly1305_push(
                &stream.state, Bytes(sealed[current]), nullptr, Bytes(plain[current]), quint64(size),
                first ? Bytes(header) : nullptr, first ? quint64(header.size()) : 0,
                last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
        });
        if (!first)
            out.write(sealed[1 - current].constData(), kChunkBytes + kSealBytes);
        const bool readOn = last || read(at + size, plain[1 - current]);
        sealer.wait();
        if (!readOn)
            return readFailure(); // the writer, dropped, replaces nothing
        if (last) {
            out.write(sealed[current].constData(), size + kSealBytes);
            break;
        }
        if (out.failed())
            break;
    }
    return out.commit();
}

BackupWriter EncryptingWriter(const Passphrase &passphrase)
{
    return [&passphrase](const QString &source, const QString &destination, const BetweenChunks &betweenChunks) {
        return EncryptSubjectsFile(source, destination, passphrase, betweenChunks);
    };
}

RestoreOutcome DecryptBackupFile(const QString &source, const QString &destination, const Passphrase &passphrase,
                                 const QString &advice, const BetweenChunks &betweenChunks)
{
    using Stop = RestoreOutcome::Stop;
    const QString cutShort = QStringLiteral("فایل «%1» کامل نیست؛ پایان آن از دست رفته است.");
    const QString changed = QStringLiteral("فایل «%1» پس از رمزگذاری تغییر کرده یا آسیب دیده است.");
    if (!SodiumReady())
        return {Stop::NotCopied, QStringLiteral("libsodium could not be started")};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {Stop::NotCopied, in.errorString()};
    const qint64 total = in.size();
    const QByteArray header = in.read(kHeaderBytes);
    if (in.error() != QFileDevice::NoError)
        return {Stop::NotCopied, in.errorString()};
    if (!header.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return Refused(QStringLiteral("فایل «%1» نسخه‌ی پشتیبان رمزگذاری‌شده‌ی این برنامه نیست."), source, advice);
    if (header.size() < kHeaderBytes)
        return Refused(cutShort, source, advice);
    const KeyCost cost{qFromLittleEndian<quint64>(Bytes(header, kPassesAt)),
                       qFromLittleEndian<quint64>(Bytes(header, kMemoryAt))};
    const quint32 chunk = qFromLittleEndian<quint32>(Bytes(header, kChunkAt));
    if (quint8(header[kVersionAt]) != kFormatVersion || cost.passes < crypto_pwhash_OPSLIMIT_MIN
        || cost.passes > kMostPasses || cost.memoryBytes < crypto_pwhash_MEMLIMIT_MIN || cost.memoryBytes > kMostMemory
        || chunk == 0 || chunk > kLargestChunk)
        return Refused(
            QStringLiteral("فایل «%1» با نسخه‌ی جدیدتر برنامه رمزگذاری شده یا آسیب دیده است."), source,
            advice);

    SecretBytes key(crypto_secretstream_xchacha20poly1305_KEYBYTES);
    if (!DeriveKey(key, passphrase, Bytes(header, kSaltAt), cost, betweenChunks, total))
        return {Stop::NotCopied, qt_error_string(ENOMEM)};
    StreamState stream;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&stream.state, Bytes(header, kStreamHeaderAt), key.data()) != 0)
        return Refused(changed, source, advice);

    SafeFileWriter out(destination);
    // Each chunk is opened on a second thread while this one writes the chunk before it (once
    // opened, it is whole and authentic) and reads the one after.
    const qsizetype whole = qsizetype(chunk) + kSealBytes;
    QByteArray sealed[2] = {QByteArray(whole, Qt::Uninitialized), QByteArray(whole, Qt::Uninitialized)};
    QByteArray plain[2] = {QByteArray(qsizetype(chunk), Qt::Uninitialized), QByteArray(qsizetype(chunk), Qt::Uninitialized)};
    unsigned long long opened[2] = {0, 0};
    const auto read = [&](QByteArray &into) {
        if (betweenChunks)
            betweenChunks(in.pos(), total);
        return in.read(into.data(), whole);
    };
    ChunkWorker opener; // after the buffers it works on: it ends first
    qint64 size = read(sealed[0]);
    bool first = true;
    for (int current = 0;; current = 1 - current) {
        if (size < 0)
            return {Stop::NotCopied, in.errorString()};
        if (size < kSealBytes) // the file ends before its final chunk
            return Refused(cutShort, source, advice);
        unsigned char tag = 0;
        bool authentic = false;
        opener.start([&, current, size, first] {
            authentic = crypto_secretstream_xchacha20poly1305_pull(&stream.state, Bytes(plain[current]),
                                                                   &opened[current], &tag, Bytes(sealed[current]),
                                                                   quint64(size), first ? Bytes(header) : nullptr,
                                                                   first ? quint64(header.size()) : 0)
                == 0;
        });
        if (!first)
            out.write(plain[1 - current].constData(), qint64(opened[1 - current]));
        const qint64 next = read(sealed[1 - current]);
        opener.wait();
        if (!authentic) {
            // The first chunk is where a wrong passphrase shows; the two cannot be told apart there.
            return Refused(first ? QStringLiteral("گذرواژه درست نیست، یا فایل «%1» پس از رمزگذاری تغییر کرده است.")
                                 : changed,
                           source, advice);
        }
        if (tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL) {
            if (next < 0)
                return {Stop::NotCopied, in.errorString()};
            if (next > 0) // bytes after the final chunk
                return Refused(changed, source, advice);
            out.write(plain[current].constData(), qint64(opened[current]));
            break;
        }
        if (out.failed())
            break; // commit() says why
        size = next;
        first = false;
    }
    if (const auto failed = out.commit())
        return {Stop::NotCopied, *failed};
    return {};
}

DecryptedBackup::DecryptedBackup()
    : path_(QFileInfo(DataFilePath(DataFile::Subjects)).absoluteFilePath() + QStringLiteral(".decrypted"))
{
}

DecryptedBackup::~DecryptedBackup()
{
    QFile::remove(path_);
}

RestoreOutcome DecryptedBackup::open(const QString &source, const Passphrase &passphrase, const QString &advice,
                                     const BetweenChunks &betweenChunks)
{
    RestoreOutcome outcome = DecryptBackupFile(source, path_, passphrase, advice, betweenChunks);
    if (outcome.stop == RestoreOutcome::Stop::None) {
        if (auto refusal = CheckSubjectsFile(path_, advice, source)) {
            QFile::remove(path_);
            outcome = {RestoreOutcome::Stop::NotABackup, std::move(*refusal)};
        }
    }
    return outcome;
}

} // namespace morva
