#pragma once

#include <QByteArray>
#include <QString>

// The plain text reader of the open command. Failures are silent: whatever was
// read so far, possibly nothing, is returned.
QString FileOpen(const QString &path);

// The text that the bytes of a text file stand for: UTF-16 when they open with its
// byte-order mark, UTF-8 when they are valid UTF-8 (a byte-order mark dropped),
// Windows-1252 otherwise.
QString decodeTextFile(const QByteArray &bytes);

// Beyond this the reader stops: a text for a child to hear, not a disk image.
constexpr qint64 maxTextFileBytes = 64 * 1024 * 1024;
