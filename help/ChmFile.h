#pragma once

#include "help/ChmTables.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

// One compiled help file opened through chmlib. Paths inside the file are
// written without the leading slash ("main.htm", "pics/clown.png") and are
// matched without regard to case, as HTML Help does.
class ChmFile
{
public:
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // Null with a reason in `error` when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmFile> open(const QString &path, QString *error = nullptr);

    const QString &path() const { return m_path; }
    const QStringList &files() const { return m_files; }
    bool contains(const QString &inside) const;
    // The path as stored in the file, or empty when it is not there.
    QString storedPath(const QString &inside) const;
    std::optional<QByteArray> read(const QString &inside) const;

    const ChmSystemInfo &system() const { return m_system; }
    const QList<ChmWindowType> &windowTypes() const { return m_windows; }
    std::optional<ChmWindowType> windowType(const QString &name) const;
    QString title() const;
    QString defaultTopic() const;
    QString contentsFile() const;
    QString indexFile() const;

    // The topic of a context number, resolved to a file inside; empty when unknown.
    QString topicForContext(qint32 id) const;
    // The longest trailing part of `stored` that names a file inside.
    QString resolveStoredTopic(const QString &stored) const;

    static constexpr qint64 MaxObjectSize = 64 * 1024 * 1024;

private:
    ChmFile(chmFile *handle, QString path);
    void loadTables();

    chmFile *m_handle = nullptr;
    QString m_path;
    QStringList m_files;
    QHash<QString, QString> m_byLowerPath;
    ChmSystemInfo m_system;
    QList<ChmWindowType> m_windows;
    QList<ChmContext> m_contexts;
};
