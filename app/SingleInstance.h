#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// The one running copy of the program: a lock file in the user's runtime folder.
// A lock left by a copy that crashed is taken over.
class SingleInstance
{
public:
    // An empty folder means the user's runtime folder.
    explicit SingleInstance(const QString &folder = {});
    ~SingleInstance();

    // True when this copy now holds the lock (or already held it).
    bool acquire();
    bool held() const { return m_held; }
    QString lockPath() const { return m_path; }

    static QString defaultFolder();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
