#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

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
    // tryLock() removes a lock whose owning process no longer exists.
    m_held = m_lock->tryLock(0);
    return m_held;
}

QString SingleInstance::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}
