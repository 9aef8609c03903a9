#pragma once

#include "help/ChmTables.h"
#include "help/SiteMap.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

// One compiled help file opened through chmlib. Paths inside the file are
// written without the leading slash ("main.htm", "pics/clown.png") and are
// matched without regard to case, as HTML Help does. Names that are not UTF-8
// are shown in the file's code page and still read by their own bytes.
class ChmFile
{
public:
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // Null with a reason in `error` when the file cannot be read as a compiled help file,
    // or when its directory would make us hold more than a help file can need.
    static std::unique_ptr<ChmFile> open(const QString &path, QString *error = nullptr);

    const QString &path() const { return m_path; }
    const QStringList &files() const { return m_files; }
    bool contains(const QString &inside) const;
    // The path as stored in the file, or empty when it is not there.
    QString storedPath(const QString &inside) const;
    std::optional<QByteArray> read(const QString &inside) const;
    // A page inside, decoded by its own charset or else the file's code page; empty when missing.
    QString readHtml(const QString &inside) const;
    int codepage() const { return m_codepage; }

    const ChmSystemInfo &system() const { return m_system; }
    const QList<ChmWindowType> &windowTypes() const { return m_windows; }
    std::optional<ChmWindowType> windowType(const QString &name) const;
    QString title() const;
    QString defaultTopic() const;
    QString contentsFile() const;
    QString indexFile() const;
    // The contents and the keyword index: from the .hhc and .hhk pages, else from the binary tables.
    QList<SiteMapEntry> contents() const;
    QList<SiteMapEntry> keywordIndex() const;

    // The topic of a context number, resolved to a file inside; empty when unknown.
    QString topicForContext(qint32 id) const;
    // The longest trailing part of `stored` that names a file inside.
    QString resolveStoredTopic(const QString &stored) const;

    static constexpr qint64 MaxObjectSize = 64 * 1024 * 1024;
    // No help file needs more names than this, nor longer names all told.
    static constexpr qint64 MaxNames = 100000;
    static constexpr qint64 MaxNameBytes = 4 * 1024 * 1024;
    static constexpr qint64 MaxDirectoryLength = 64 * 1024 * 1024;
    // Compression gains at most this much; an object claiming more is damaged.
    static constexpr qint64 MaxExpansion = 256;

private:
    ChmFile(chmFile *handle, QString path, qint64 size);
    // False when the compressed section's tables would lead chmlib astray.
    bool checkCompression();
    bool loadNames();
    void loadTables();
    std::optional<QByteArray> readRaw(const QByteArray &name) const; // a name inside, without the slash
    std::optional<QByteArray> readObject(const QByteArray &full) const;
    qint64 objectLimit() const;

    chmFile *m_handle = nullptr;
    QString m_path;
    qint64 m_size = 0;
    int m_codepage = 1252;
    bool m_compressionChecked = false; // compressed objects are read only then
    QStringList m_files;
    QHash<QString, QString> m_byLowerPath;
    QHash<QString, QByteArray> m_rawNames; // stored path -> its bytes in the file
    ChmSystemInfo m_system;
    QList<ChmWindowType> m_windows;
    QList<ChmContext> m_contexts;
};
