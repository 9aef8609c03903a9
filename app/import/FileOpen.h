#pragma once

#include <QString>

#include <atomic>
#include <optional>

// The plain text reader of the open command: the text of a regular file (see
// TextFile::decode), or nullopt with the reason in `reason` when the file cannot be read,
// is not a regular file or is larger than TextFile::maxBytes. `progress` follows the bytes read.
std::optional<QString> FileOpen(const QString &path, QString *reason = nullptr,
                                std::atomic<qint64> *progress = nullptr);
