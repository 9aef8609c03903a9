#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A lock file holds three short lines; anything longer is not one.
constexpr qint64 largestLock = 4096;

// The program's file name, without the mark the kernel adds once the file was replaced
// (a running copy outlives an upgrade of its own program).
QString executableName(const QString &procEntry)
{
    QString target = QFile::symLinkTarget(procEntry);
    const QLatin1String deleted(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return QFileInfo(target).fileName();
}
} // namespace

SingleInstance::SingleInstance(const QString &folder)
    : m_path((folder.isEmpty() ? defaultFolder() : folder) + QStringLiteral("/vocalino.lock")),
      m_lock(std::make_unique<QLockFile>(m_path))
{
    // A running copy keeps its lock for as long as it runs; only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_held)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_held = m_lock->tryLock(0);
    // Removal refuses a lock whose holder still has it open, so a copy that is
    // still writing its new lock keeps it.
    if (!m_held && m_lock->error() == QLockFile::LockFailedError && lockIsAbandoned() &&
        m_lock->removeStaleLockFile())
        m_held = m_lock->tryLock(0);
    return m_held;
}

bool SingleInstance::lockIsAbandoned() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false; // not ours to judge
    return isAbandoned(file.read(largestLock + 1), QSysInfo::machineHostName(), ownerOnThisMachine);
}

bool SingleInstance::isAbandoned(const QByteArray &contents, const QString &localHost,
                                 const OwnerCheck &owner)
{
    if (contents.size() > largestLock)
        return true;
    const QList<QByteArray> lines = contents.split('\n');
    bool isNumber = false;
    const qint64 pid = lines.value(0).toLongLong(&isNumber);
    if (!isNumber || pid <= 0 || pid > std::numeric_limits<pid_t>::max() || lines.size() < 3)
        return true; // empty or damaged: no copy could have been started from it
    const QString host = QString::fromUtf8(lines.at(2));
    if (!host.isEmpty() && host != localHost)
        return false;
    return owner(pid) == Owner::Gone;
}

SingleInstance::Owner SingleInstance::ownerOnThisMachine(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return Owner::Gone;
    // The number may since have gone to another user's process or another program.
    const QString proc = QStringLiteral("/proc/%1").arg(pid);
    struct stat info; // filled on success
    if (::stat(QFile::encodeName(proc).constData(), &info) == 0 && info.st_uid != ::getuid())
        return Owner::Gone;
    const QString theirs = executableName(proc + QStringLiteral("/exe"));
    const QString ours = executableName(QStringLiteral("/proc/self/exe"));
    if (!theirs.isEmpty() && !ours.isEmpty() && theirs != ours)
        return Owner::Gone;
    return Owner::Running;
}

QString SingleInstance::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}
