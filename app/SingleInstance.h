#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

// The one running copy of the program: a lock file in the user's runtime folder.
// A lock that no running copy holds is taken over: one left empty or damaged (a
// crash between creating and writing it), or one naming a process of this host
// that is gone or is no longer this program.
class SingleInstance
{
public:
    // What became of the process a lock names.
    enum class Owner { Running, Gone };
    using OwnerCheck = std::function<Owner(qint64 pid)>;

    // An empty folder means the user's runtime folder.
    explicit SingleInstance(const QString &folder = {});
    ~SingleInstance();

    // True when this copy now holds the lock (or already held it).
    bool acquire();
    bool held() const { return m_held; }
    QString lockPath() const { return m_path; }

    static QString defaultFolder();

    // Whether a lock file's contents ("pid\napplication\nhost\n...") show that no running
    // copy holds it. A lock from another host is never judged abandoned from here.
    static bool isAbandoned(const QByteArray &contents, const QString &localHost, const OwnerCheck &owner);
    // The live answer: gone, or running under another user or as another program.
    static Owner ownerOnThisMachine(qint64 pid);

private:
    bool lockIsAbandoned() const;

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
