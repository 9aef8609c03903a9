#include "platform/TextFile.h"

#include "platform/CodePage.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {
namespace {
QString reasonOfError(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("it does not exist");
    case EACCES:
    case EPERM:
        return QStringLiteral("you are not allowed to read it");
    case ENOTDIR:
        return QStringLiteral("a part of its path is not a folder");
    case EISDIR:
        return QStringLiteral("it is a folder, not a file");
    case EIO:
        return QStringLiteral("the disk could not be read (was it taken out?)");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString reasonOfKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    return QStringLiteral("it is not an ordinary file");
}

Opened failed(QString reason)
{
    return {nullptr, std::move(reason)};
}

// A QFile that owns the descriptor; nullptr with the reason when Qt cannot take it.
Opened wrap(int fd)
{
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(file->errorString());
    }
    return {std::move(file), {}};
}

int openDescriptor(const QString &path, int flags)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | flags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

QString decodeUtf16(QByteArrayView body, QStringConverter::Encoding order)
{
    QStringDecoder decoder(order, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(body.first(body.size() & ~qsizetype(1)));
    // Zero characters go, as they did when UTF-16 was read byte by byte.
    text.remove(QChar(0));
    return text;
}
} // namespace

Opened openRegular(const QString &path)
{
    // Not blocking: opening a pipe would otherwise wait for a writer that never comes.
    const int fd = openDescriptor(path, O_NONBLOCK);
    if (fd < 0)
        return failed(reasonOfError(errno));
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const QString reason = reasonOfKind(info.st_mode);
        ::close(fd);
        return failed(reason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return wrap(fd);
}

Opened openAny(const QString &path)
{
    const int fd = openDescriptor(path, 0);
    return fd < 0 ? failed(reasonOfError(errno)) : wrap(fd);
}

Read readAll(QIODevice &device, qint64 limit, std::atomic<qint64> *progress)
{
    if (!device.isSequential() && device.size() > limit)
        return {std::nullopt, tooLargeReason(limit)};
    QByteArray bytes;
    if (!device.isSequential())
        bytes.reserve(device.size());
    char chunk[1 << 16];
    for (;;) {
        // One byte past the limit tells a file of exactly the limit from a longer one.
        errno = 0;
        const qint64 got = device.read(chunk, std::min<qint64>(sizeof chunk, limit + 1 - bytes.size()));
        if (got < 0) {
            const int error = errno;
            return {std::nullopt, error ? reasonOfError(error) : device.errorString()};
        }
        if (got == 0)
            break;
        bytes.append(chunk, got);
        if (bytes.size() > limit)
            return {std::nullopt, tooLargeReason(limit)};
        if (progress)
            progress->store(bytes.size(), std::memory_order_relaxed);
    }
    return {std::move(bytes), {}};
}

QString decode(QByteArrayView bytes)
{
    const auto byte = [&](qsizetype i) { return uchar(bytes.at(i)); };
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
        return decodeUtf16(bytes.sliced(2), QStringConverter::Utf16LE);
    if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
        return decodeUtf16(bytes.sliced(2), QStringConverter::Utf16BE);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decodeWindows1252(bytes);
}

QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QStringLiteral("%1 KiB").arg(bytes / 1024);
    return QStringLiteral("%1 bytes").arg(bytes);
}

QString tooLargeReason(qint64 limit)
{
    return QStringLiteral("it is larger than %1, the most that is read").arg(sizeText(limit));
}

} // namespace TextFile
