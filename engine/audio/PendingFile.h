#pragma once

#include <QString>

#include <memory>

// A file that gets its name only when it is complete. It is written unnamed
// (O_TMPFILE), so a writer killed at any moment leaves nothing behind; where the
// file system refuses that, it is written under a hidden name of our own beside
// the target, and hidden files left by writers that died before this process
// started are swept away on the next file written into that folder.
//
// A file it replaces passes on its permissions; through a symbolic link the file
// the link points to is replaced and the link stays.
class PendingFile
{
public:
    // Null, with `error` set to the errno, when the folder cannot take a file.
    static std::unique_ptr<PendingFile> create(const QString &target, int *error);
    ~PendingFile(); // an unpublished file disappears

    int descriptor() const { return m_fd; }
    // Empty while the file has no name.
    const QString &temporaryPath() const { return m_temporary; }

    // Gives the file the target's name, replacing an existing file in one step, and
    // syncs the folder; false, with `error` saying why, when it could not (the target
    // untouched, unless only the folder's sync failed).
    bool publish(QString *error);

    // Removes our hidden files in `folder` last changed before this process
    // started; returns how many went.
    static int removeStale(const QString &folder);
    // Tests take the hidden-name path on any file system.
    static void setUnnamedAllowed(bool allowed);
    // Tests take the /proc/self/fd link that ordinary users need on kernels before 6.10.
    static void setEmptyPathLinkAllowed(bool allowed);

private:
    PendingFile(QString target, QString temporary, int fd);
    // Each gives 0 or the errno of the failure.
    int nameUnnamed();
    int renameIntoPlace();

    QString m_target;
    QString m_temporary;
    int m_fd = -1;
};
