#include "app/import/FileOpen.h"

#include "platform/TextFile.h"

std::optional<QString> FileOpen(const QString &path, QString *reason, std::atomic<qint64> *progress)
{
    const auto fail = [&](const QString &why) {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const TextFile::Opened opened = TextFile::openRegular(path);
    if (!opened.file)
        return fail(opened.reason);
    const TextFile::Read read = TextFile::readAll(*opened.file, TextFile::maxBytes, progress);
    if (!read.bytes)
        return fail(read.reason);
    return TextFile::decode(*read.bytes);
}
