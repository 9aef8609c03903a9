#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

// Reading the bytes of a text the person chose, and the text those bytes stand for. Every
// failure comes back with its reason in words a person understands.
namespace TextFile {

// Beyond this no text is read: a text for a child to hear, not a disk image.
constexpr qint64 maxBytes = 64 * 1024 * 1024;

struct Opened
{
    std::unique_ptr<QFile> file; // null when the file cannot be read
    QString reason;
};

struct Read
{
    std::optional<QByteArray> bytes;
    QString reason;
};

// Opens a regular file for reading without ever blocking: folders, pipes, devices and
// sockets are refused with their kind as the reason.
Opened openRegular(const QString &path);
// Opens any readable file, as a command-line tool does (a pipe waits for its writer).
Opened openAny(const QString &path);

// All of the device's bytes, refused once they pass `limit`. `progress`, when given, follows
// the bytes read so far (another thread may watch it).
Read readAll(QIODevice &device, qint64 limit, std::atomic<qint64> *progress = nullptr);

// The text the bytes stand for: UTF-16 when they open with its byte-order mark (zero
// characters dropped), UTF-8 when they are valid UTF-8 (a byte-order mark dropped),
// Windows-1252 otherwise.
QString decode(QByteArrayView bytes);

// A limit as people read it: "64 MiB", "512 KiB", "100 bytes".
QString sizeText(qint64 bytes);
// The reason given when a file passes `limit`.
QString tooLargeReason(qint64 limit);

} // namespace TextFile
