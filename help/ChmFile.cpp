#include "help/ChmFile.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>

namespace {
int collectFile(chmFile *, chmUnitInfo *info, void *context)
{
    auto *files = static_cast<QStringList *>(context);
    const QString path = ChmTables::decodeText(QByteArray(info->path, qstrnlen(info->path, CHM_MAX_PATHLEN)));
    if (path.startsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/')) && path.size() > 1)
        files->append(path.mid(1));
    return CHM_ENUMERATOR_CONTINUE;
}

QString withoutLeadingSlash(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}
} // namespace

ChmFile::ChmFile(chmFile *handle, QString path) : m_handle(handle), m_path(std::move(path)) {}

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
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("The file %1 does not exist.").arg(path));
    chmFile *handle = chm_open(QFile::encodeName(path).constData());
    if (!handle)
        return fail(QStringLiteral("The file %1 is not a readable compiled help file.").arg(path));
    std::unique_ptr<ChmFile> file(new ChmFile(handle, path));
    chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES, collectFile,
                  &file->m_files);
    for (const QString &inside : std::as_const(file->m_files))
        file->m_byLowerPath.insert(inside.toLower(), inside);
    file->loadTables();
    return file;
}

void ChmFile::loadTables()
{
    const QByteArray strings = read(QStringLiteral("#STRINGS")).value_or(QByteArray());
    m_system = ChmTables::parseSystem(read(QStringLiteral("#SYSTEM")).value_or(QByteArray()));
    m_windows = ChmTables::parseWindows(read(QStringLiteral("#WINDOWS")).value_or(QByteArray()), strings);
    m_contexts = ChmTables::parseContextMap(read(QStringLiteral("#IVB")).value_or(QByteArray()), strings);
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

std::optional<QByteArray> ChmFile::read(const QString &inside) const
{
    const QString stored = inside.startsWith(QLatin1Char('#')) ? inside : storedPath(inside);
    if (stored.isEmpty())
        return std::nullopt;
    chmUnitInfo info{};
    const QByteArray name = QByteArray("/") + stored.toUtf8();
    if (chm_resolve_object(m_handle, name.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (info.length > quint64(MaxObjectSize))
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
