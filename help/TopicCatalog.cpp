#include "help/TopicCatalog.h"

#include "help/ChmFile.h"
#include "help/HelpText.h"

#include <QRegularExpression>

namespace {
constexpr int MaxTopics = 20000;
// The words of all topics held for searching; topics past it are found by their titles only.
constexpr qsizetype MaxSearchText = 32 * 1024 * 1024;

bool isTopic(const QString &path)
{
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

QStringList splitNames(const QString &names)
{
    QStringList out;
    for (const QString &name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            out.append(name.trimmed());
    return out;
}

void appendOnce(QStringList &list, const QString &item)
{
    if (!list.contains(item, Qt::CaseInsensitive))
        list.append(item);
}
} // namespace

QString TopicCatalog::htmlTitle(const QString &html)
{
    static const QRegularExpression title(QStringLiteral("<title[^>]*>([^<]*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    return SiteMap::decodeEntities(title.match(html).captured(1).simplified());
}

QString TopicCatalog::plainText(const QString &html)
{
    static const QRegularExpression hidden(QStringLiteral("<(script|style|head)[^>]*>.*?</\\1\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(hidden);
    text.replace(tag, QStringLiteral(" "));
    return SiteMap::decodeEntities(text).simplified();
}

QStringList TopicCatalog::alinkNames(const QString &html)
{
    static const QRegularExpression param(QStringLiteral("<param\\s[^>]*>"),
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    for (auto it = param.globalMatch(html); it.hasNext();) {
        const QString tag = it.next().captured(0).mid(1).chopped(1);
        if (SiteMap::attribute(tag, QStringLiteral("name")).compare(QLatin1String("ALink Name"),
                                                                  Qt::CaseInsensitive) == 0)
            names += splitNames(SiteMap::attribute(tag, QStringLiteral("value")));
    }
    return names;
}

QStringList TopicCatalog::keywordTopics(const QList<SiteMapEntry> &index, const QString &keywords)
{
    QStringList found;
    for (const QString &keyword : splitNames(keywords))
        for (const SiteMapEntry &entry : index)
            if (entry.name.compare(keyword, Qt::CaseInsensitive) == 0)
                for (const QString &topic : entry.topics)
                    appendOnce(found, topic);
    return found;
}

void TopicCatalog::build()
{
    if (m_built)
        return;
    m_built = true;
    qsizetype held = 0;
    for (const QString &path : m_file.files()) {
        if (!isTopic(path) || m_topics.size() >= MaxTopics)
            continue;
        const QString html = m_file.readHtml(path);
        QString title = htmlTitle(html);
        if (title.isEmpty())
            title = path;
        QString text = held < MaxSearchText ? HelpText::searchable(plainText(html)) : QString();
        held += text.size();
        m_topics.append({path, title, text, HelpText::searchable(title), alinkNames(html)});
    }
}

QStringList TopicCatalog::topics()
{
    build();
    QStringList paths;
    for (const Topic &topic : std::as_const(m_topics))
        paths.append(topic.path);
    return paths;
}

QString TopicCatalog::titleOf(const QString &path)
{
    build();
    const QString stored = m_file.storedPath(path);
    for (const Topic &topic : std::as_const(m_topics))
        if (topic.path == stored)
            return topic.shownTitle;
    return path;
}

QStringList TopicCatalog::search(const QString &query, bool titlesOnly)
{
    build();
    // Words of any script: letters, marks and digits; Japanese and Chinese run on without blanks.
    static const QRegularExpression separators(QStringLiteral("[^\\w\\p{M}]+"),
                                               QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = HelpText::searchable(query).split(separators, Qt::SkipEmptyParts);
    QStringList found;
    if (words.isEmpty())
        return found;
    for (const Topic &topic : std::as_const(m_topics)) {
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString &word) {
            return topic.title.contains(word) || (!titlesOnly && topic.text.contains(word));
        });
        if (all)
            found.append(topic.path);
    }
    return found;
}

QStringList TopicCatalog::alinkTopics(const QString &names)
{
    build();
    QStringList found;
    for (const QString &name : splitNames(names))
        for (const Topic &topic : std::as_const(m_topics))
            if (topic.alinks.contains(name, Qt::CaseInsensitive))
                appendOnce(found, topic.path);
    return found;
}
