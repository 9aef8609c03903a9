#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of a contents (.hhc) or index (.hhk) file: its name, the topics it
// points to, and how deep it sits in the nested lists (0 = top level).
struct SiteMapEntry
{
    QString name;
    QStringList topics;
    int depth = 0;
};

// Reads the sitemap HTML that contents and index files are written in. The
// input is hostile: malformed markup gives fewer entries, never a failure.
namespace SiteMap {
QList<SiteMapEntry> parse(const QString &html);
// Attribute value of `attribute` inside one tag's text (without < and >).
QString attribute(const QString &tag, const QString &attribute);
QString decodeEntities(const QString &text);
constexpr int MaxEntries = 200000;
constexpr int MaxDepth = 64;
} // namespace SiteMap
