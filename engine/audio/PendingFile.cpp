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

// Opened with the usual mode for new files: the kernel applies the umask.
int openHidden(const QFileInfo &target, QString *path)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString name = uniqueHiddenName(target);
        const int fd =
            ::open(QFile::encodeName(name).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            if (fd >= 0)
                *path = name;
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// The file a chain of symbolic links ends at, existing or not; the path itself when it is
// no link; empty for a loop.
QString finalTarget(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < 40; ++hop) {
        QByteArray link(4096, Qt::Uninitialized);
        const ssize_t length =
            ::readlink(QFile::encodeName(current).constData(), link.data(), size_t(link.size()));
        if (length <= 0 || length >= link.size())
            return current;
        const QString points = QFile::decodeName(link.left(length));
        current = QDir::isAbsolutePath(points)
                      ? points
                      : QFileInfo(current).absolutePath() + QLatin1Char('/') + points;
    }
    return {}; // a loop
}

// A replaced file's permissions pass to its successor; a new file keeps the usual ones.
void keepModeOf(const QString &target, int fd)
{
    struct stat old; // filled on success
    if (::stat(QFile::encodeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
}

// The new name lasts only once the folder holding it is on the disk.
int syncFolder(const QString &file)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return errno;
    const int synced = ::fsync(folder) == 0 || errno == EINVAL ? 0 : errno;
    ::close(folder);
    return synced;
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

std::unique_ptr<PendingFile> PendingFile::create(const QString &requested, int *error)
{
    // Through a symbolic link the file it points to is replaced; the link stays.
    const QString target = finalTarget(requested);
    if (target.isEmpty()) {
        *error = ELOOP;
        return nullptr;
    }
    const QFileInfo info(target);
    removeStale(info.absolutePath());
    QString temporary;
    int fd = openUnnamed(info.absolutePath());
    if (fd < 0 && (!unnamedAllowed || refusesUnnamed(errno)))
        fd = openHidden(info, &temporary);
    if (fd < 0) {
        *error = errno;
        return nullptr;
    }
    // Before a byte is written: a private recording stays private while it is made.
    keepModeOf(target, fd);
    return std::unique_ptr<PendingFile>(new PendingFile(target, temporary, fd));
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
    // The old file's mode may have changed while this one was written.
    keepModeOf(m_target, m_fd);
    if (::fsync(m_fd) != 0 && errno != EINVAL) {
        *error = errnoText(errno);
        return false;
    }
    const int named = m_temporary.isEmpty() ? nameUnnamed() : renameIntoPlace();
    if (named != 0) {
        *error = errnoText(named);
        return false;
    }
    if (const int synced = syncFolder(m_target); synced != 0) {
        *error = QStringLiteral("the file is named, but its folder could not be written to the disk: %1")
                     .arg(errnoText(synced));
        return false;
    }
    return true;
}

int PendingFile::nameUnnamed()
{
    const int linked = linkDescriptor(m_fd, m_target);
    if (linked != EEXIST)
        return linked;
    // A link never replaces a file: stage under a hidden name, then rename over.
    int staging = EEXIST;
    QString staged;
    for (int attempt = 0; attempt < 20 && staging == EEXIST; ++attempt) {
        staged = uniqueHiddenName(QFileInfo(m_target));
        staging = linkDescriptor(m_fd, staged);
    }
    if (staging != 0)
        return staging;
    m_temporary = staged;
    return renameIntoPlace();
}

int PendingFile::renameIntoPlace()
{
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        return errno; // the destructor removes the hidden name
    m_temporary.clear();
    return 0;
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
