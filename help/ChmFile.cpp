#include "help/ChmFile.h"

#include "help/BinaryTables.h"
#include "help/ChmCompression.h"
#include "help/ChmDirectory.h"
#include "help/HelpText.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>

namespace {
// What the directory of a file lists, within bounds: a damaged directory can make
// chmlib go round and round, so counting stops the enumeration.
struct Listing
{
    QList<QByteArray> names;
    qint64 seen = 0;
    qint64 bytes = 0;
    bool overflow = false;
};

int collectName(chmFile *, chmUnitInfo *info, void *context)
{
    auto *listing = static_cast<Listing *>(context);
    const QByteArray name(info->path, qstrnlen(info->path, CHM_MAX_PATHLEN));
    listing->bytes += name.size();
    if (++listing->seen > ChmFile::MaxNames || listing->bytes > ChmFile::MaxNameBytes) {
        listing->overflow = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    if (name.size() > 1 && name.startsWith('/') && !name.endsWith('/'))
        listing->names.append(name.mid(1));
    return CHM_ENUMERATOR_CONTINUE;
}

QString withoutLeadingSlash(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

// The directory's listing chain, checked before chmlib walks it.
bool directoryEnds(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(0x58);
    const qint64 needed = ChmDirectory::neededLength(header);
    if (needed > file.size() || needed > ChmFile::MaxDirectoryLength)
        return false;
    return ChmDirectory::listingEnds(header + file.read(needed - header.size()));
}

QString unreadable(const QString &path)
{
    return QStringLiteral("The file %1 is not a readable compiled help file.").arg(path);
}
} // namespace

ChmFile::ChmFile(chmFile *handle, QString path, qint64 size)
    : m_handle(handle), m_path(std::move(path)), m_size(size)
{
}

ChmFile::~ChmFile()
{
    if (m_handle)
        chm_close(m_handle);
}

std::unique_ptr<ChmFile> ChmFile::open(const QString &path, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return std::unique_ptr<ChmFile>();
    };
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(QStringLiteral("The file %1 does not exist.").arg(path));
    if (!directoryEnds(path))
        return fail(unreadable(path));
    chmFile *handle = chm_open(QFile::encodeName(path).constData());
    if (!handle)
        return fail(unreadable(path));
    std::unique_ptr<ChmFile> file(new ChmFile(handle, path, info.size()));
    if (!file->checkCompression() || !file->loadNames()) {
        if (error)
            *error = unreadable(path);
        return {};
    }
    file->loadTables();
    return file;
}

bool ChmFile::checkCompression()
{
    chmUnitInfo content{};
    const bool hasContent =
        chm_resolve_object(m_handle, ChmCompression::Content, &content) == CHM_RESOLVE_SUCCESS;
    const std::optional<QByteArray> control = readObject(ChmCompression::ControlData);
    const std::optional<QByteArray> resetTable = readObject(ChmCompression::ResetTable);
    if (!hasContent && !control && !resetTable)
        return true; // nothing compressed: nothing for chmlib to decompress
    m_compressionChecked = hasContent && control && resetTable &&
                           ChmCompression::tablesAgree(*control, *resetTable, qint64(content.length));
    return m_compressionChecked;
}

bool ChmFile::loadNames()
{
    Listing listing;
    // Every entry counts towards the bounds, the ones we do not keep too.
    chm_enumerate(m_handle, CHM_ENUMERATE_ALL, collectName, &listing);
    if (listing.overflow)
        return false;
    // The names are decoded in the code page of the file's language, which #SYSTEM tells.
    m_system = ChmTables::parseSystem(readRaw("#SYSTEM").value_or(QByteArray()));
    m_codepage = HelpText::codepageForLanguage(m_system.language);
    for (const QByteArray &raw : std::as_const(listing.names)) {
        const QString inside = HelpText::decodeName(raw, m_codepage);
        if (m_rawNames.contains(inside))
            continue;
        m_files.append(inside);
        m_rawNames.insert(inside, raw);
        m_byLowerPath.insert(inside.toLower(), inside);
    }
    return true;
}

void ChmFile::loadTables()
{
    const QByteArray strings = read(QStringLiteral("#STRINGS")).value_or(QByteArray());
    m_windows =
        ChmTables::parseWindows(read(QStringLiteral("#WINDOWS")).value_or(QByteArray()), strings, m_codepage);
    m_contexts =
        ChmTables::parseContextMap(read(QStringLiteral("#IVB")).value_or(QByteArray()), strings, m_codepage);
}

QString ChmFile::storedPath(const QString &inside) const
{
    QString wanted = withoutLeadingSlash(inside);
    const qsizetype fragment = wanted.indexOf(QLatin1Char('#'));
    if (fragment >= 0)
        wanted.truncate(fragment);
    return m_byLowerPath.value(wanted.toLower());
}

bool ChmFile::contains(const QString &inside) const { return !storedPath(inside).isEmpty(); }

qint64 ChmFile::objectLimit() const
{
    return qMin(MaxObjectSize, qMax<qint64>(m_size, 1) * MaxExpansion);
}

std::optional<QByteArray> ChmFile::readRaw(const QByteArray &name) const
{
    return readObject(QByteArray("/") + name);
}

std::optional<QByteArray> ChmFile::readObject(const QByteArray &full) const
{
    chmUnitInfo info{};
    if (chm_resolve_object(m_handle, full.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    const bool uncompressed = info.space == CHM_UNCOMPRESSED;
    if (info.length > quint64(objectLimit()) || (uncompressed && info.length > quint64(m_size)))
        return std::nullopt;
    if (!uncompressed && !m_compressionChecked)
        return std::nullopt;
    QByteArray data(qsizetype(info.length), Qt::Uninitialized);
    if (info.length == 0)
        return data;
    const LONGINT64 got = chm_retrieve_object(m_handle, &info, reinterpret_cast<unsigned char *>(data.data()), 0,
                                              LONGINT64(info.length));
    if (got <= 0)
        return std::nullopt;
    data.truncate(qsizetype(got));
    return data;
}

std::optional<QByteArray> ChmFile::read(const QString &inside) const
{
    if (inside.startsWith(QLatin1Char('#')))
        return readRaw(inside.toUtf8());
    const QString stored = storedPath(inside);
    if (stored.isEmpty())
        return std::nullopt;
    return readRaw(m_rawNames.value(stored));
}

QString ChmFile::readHtml(const QString &inside) const
{
    if (inside.isEmpty())
        return {};
    return HelpText::decodeHtml(read(inside).value_or(QByteArray()), m_codepage);
}

std::optional<ChmWindowType> ChmFile::windowType(const QString &name) const
{
    for (const ChmWindowType &type : m_windows)
        if (type.name.compare(name, Qt::CaseInsensitive) == 0)
            return type;
    return std::nullopt;
}

QString ChmFile::title() const
{
    return m_system.title.isEmpty() ? QFileInfo(m_path).completeBaseName() : m_system.title;
}

QString ChmFile::defaultTopic() const
{
    if (!m_system.defaultTopic.isEmpty() && contains(m_system.defaultTopic))
        return storedPath(m_system.defaultTopic);
    for (const QString &inside : m_files)
        if (inside.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
            inside.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            return inside;
    return {};
}

namespace {
QString firstFileEndingIn(const QStringList &files, QLatin1String suffix)
{
    for (const QString &inside : files)
        if (inside.endsWith(suffix, Qt::CaseInsensitive) && !inside.startsWith(QLatin1Char('#')))
            return inside;
    return {};
}
} // namespace

QString ChmFile::contentsFile() const
{
    if (contains(m_system.contentsFile))
        return storedPath(m_system.contentsFile);
    return firstFileEndingIn(m_files, QLatin1String(".hhc"));
}

QString ChmFile::indexFile() const
{
    if (contains(m_system.indexFile))
        return storedPath(m_system.indexFile);
    return firstFileEndingIn(m_files, QLatin1String(".hhk"));
}

namespace {
BinaryTables::Topics topicTables(const ChmFile &file)
{
    const auto table = [&](const char *name) {
        return file.read(QString::fromLatin1(name)).value_or(QByteArray());
    };
    return {table("#TOPICS"), table("#URLTBL"), table("#URLSTR"), table("#STRINGS"), file.codepage()};
}
} // namespace

QList<SiteMapEntry> ChmFile::contents() const
{
    const QString page = contentsFile();
    if (!page.isEmpty())
        return SiteMap::parse(readHtml(page));
    return BinaryTables::contents(read(QStringLiteral("#TOCIDX")).value_or(QByteArray()), topicTables(*this));
}

QList<SiteMapEntry> ChmFile::keywordIndex() const
{
    const QString page = indexFile();
    if (!page.isEmpty())
        return SiteMap::parse(readHtml(page));
    return BinaryTables::keywordIndex(read(QStringLiteral("$WWKeywordLinks/BTree")).value_or(QByteArray()),
                                      topicTables(*this));
}

QString ChmFile::topicForContext(qint32 id) const
{
    for (const ChmContext &context : m_contexts)
        if (context.id == id)
            return resolveStoredTopic(context.topic);
    return {};
}

QString ChmFile::resolveStoredTopic(const QString &stored) const
{
    const QString path = withoutLeadingSlash(stored);
    if (contains(path))
        return storedPath(path);
    // Drop leading folders one at a time; the first hit is the longest trailing part.
    for (qsizetype slash = path.indexOf(QLatin1Char('/')); slash >= 0;
         slash = path.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString tail = path.mid(slash + 1);
        if (contains(tail))
            return storedPath(tail);
    }
    return {};
}
