#include "engine/audio/PendingFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Set while the program loads: anything of ours older than this belongs to a writer that died.
const qint64 processStartMs = QDateTime::currentMSecsSinceEpoch();
std::atomic<bool> unnamedAllowed{true};
std::atomic<bool> emptyPathLinkAllowed{true};

const QLatin1String hiddenMark(".vocalino-");

QString hiddenTemplate(const QFileInfo &target)
{
    return target.absolutePath() + QStringLiteral("/.") + target.fileName() + hiddenMark +
           QStringLiteral("XXXXXX");
}

bool isOurHiddenName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.vocalino-[A-Za-z0-9]{6}$"));
    return pattern.match(name).hasMatch();
}

int openUnnamed(const QString &folder)
{
    if (!unnamedAllowed)
        return -1;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    return fd;
}

// Unnamed files are refused by these answers; any other is a real failure.
bool refusesUnnamed(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
}

int linkDescriptor(int fd, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (emptyPathLinkAllowed && linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    // Without CAP_DAC_READ_SEARCH the empty path is refused; the /proc name is not.
    const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd);
    if (linkat(AT_FDCWD, proc.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    return errno;
}

QString uniqueHiddenName(const QFileInfo &target)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = hiddenTemplate(target);
    for (qsizetype i = name.size() - 6; i < name.size(); ++i)
        name[i] = QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return name;
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

void PendingFile::setUnnamedAllowed(bool allowed)
{
    unnamedAllowed = allowed;
}

void PendingFile::setEmptyPathLinkAllowed(bool allowed)
{
    emptyPathLinkAllowed = allowed;
}

std::unique_ptr<PendingFile> PendingFile::create(const QString &target, int *error)
{
    const QFileInfo info(target);
    removeStale(info.absolutePath());
    const int fd = openUnnamed(info.absolutePath());
    if (fd >= 0)
        return std::unique_ptr<PendingFile>(new PendingFile(target, QString(), fd));
    if (unnamedAllowed && !refusesUnnamed(errno)) {
        *error = errno;
        return nullptr;
    }
    QByteArray pattern = QFile::encodeName(hiddenTemplate(info));
    const int named = mkostemp(pattern.data(), O_CLOEXEC);
    if (named < 0) {
        *error = errno;
        return nullptr;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(named, 0666 & ~mask);
    return std::unique_ptr<PendingFile>(new PendingFile(target, QFile::decodeName(pattern), named));
}

PendingFile::PendingFile(QString target, QString temporary, int fd)
    : m_target(std::move(target)), m_temporary(std::move(temporary)), m_fd(fd)
{
}

PendingFile::~PendingFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

bool PendingFile::publish(QString *error)
{
    if (fdatasync(m_fd) != 0 && errno != EINVAL) {
        *error = errnoText(errno);
        return false;
    }
    QString staged = m_temporary;
    if (staged.isEmpty()) {
        const int linked = linkDescriptor(m_fd, m_target);
        if (linked == 0)
            return true;
        if (linked != EEXIST) {
            *error = errnoText(linked);
            return false;
        }
        // A link never replaces a file: stage under a hidden name, then rename over.
        int staging = EEXIST;
        for (int attempt = 0; attempt < 20 && staging == EEXIST; ++attempt) {
            staged = uniqueHiddenName(QFileInfo(m_target));
            staging = linkDescriptor(m_fd, staged);
        }
        if (staging != 0) {
            *error = errnoText(staging);
            return false;
        }
        m_temporary = staged;
    }
    if (std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(m_target).constData()) != 0) {
        *error = errnoText(errno);
        return false; // the destructor removes the hidden name
    }
    m_temporary.clear();
    return true;
}

int PendingFile::removeStale(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isOurHiddenName(file.fileName()) || file.isSymLink())
            continue;
        if (file.lastModified().toMSecsSinceEpoch() < processStartMs &&
            QFile::remove(file.absoluteFilePath()))
            ++removed;
    }
    return removed;
}
