#include "help/SiteMap.h"

#include "help/HtmlEntities.h"

namespace {
bool isSpace(QChar c) { return c.isSpace(); }

// The ';' closing a reference that starts at `amp`, looked for only a few characters
// ahead so that a text full of '&' stays linear; -1 when there is none.
qsizetype entityEnd(const QString &text, qsizetype amp)
{
    const qsizetype last = qMin(text.size() - 1, amp + 10);
    for (qsizetype at = amp + 1; at <= last; ++at)
        if (text[at] == QLatin1Char(';'))
            return at;
    return -1;
}

QString tagName(const QString &tag)
{
    qsizetype end = 0;
    while (end < tag.size() && !isSpace(tag[end]) && tag[end] != QLatin1Char('>'))
        ++end;
    return tag.left(end).toLower();
}

struct Builder
{
    QList<SiteMapEntry> entries;
    int depth = -1;
    bool inSiteMapObject = false;
    SiteMapEntry current;

    void openObject(const QString &tag)
    {
        if (SiteMap::attribute(tag, QStringLiteral("type")).compare(QLatin1String("text/sitemap"),
                                                                    Qt::CaseInsensitive) != 0)
            return;
        inSiteMapObject = true;
        current = SiteMapEntry{};
        current.depth = qBound(0, depth, SiteMap::MaxDepth);
    }

    void param(const QString &tag)
    {
        if (!inSiteMapObject)
            return;
        const QString name = SiteMap::attribute(tag, QStringLiteral("name")).toLower();
        const QString value = SiteMap::attribute(tag, QStringLiteral("value"));
        if (name == QLatin1String("name") && current.name.isEmpty())
            current.name = value;
        else if (name == QLatin1String("local") && !value.isEmpty())
            current.topics.append(value);
    }

    void closeObject()
    {
        if (!inSiteMapObject)
            return;
        inSiteMapObject = false;
        if (!current.name.isEmpty() && entries.size() < SiteMap::MaxEntries)
            entries.append(current);
    }

    void handle(const QString &tag)
    {
        const QString name = tagName(tag);
        if (name == QLatin1String("ul"))
            depth = qMin(depth + 1, SiteMap::MaxDepth);
        else if (name == QLatin1String("/ul"))
            depth = qMax(depth - 1, -1);
        else if (name == QLatin1String("object"))
            openObject(tag);
        else if (name == QLatin1String("param"))
            param(tag);
        else if (name == QLatin1String("/object"))
            closeObject();
    }
};
} // namespace

namespace SiteMap {

QString decodeEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semicolon = text[i] == QLatin1Char('&') ? entityEnd(text, i) : -1;
        if (semicolon < 0) {
            out += text[i];
            continue;
        }
        const QString entity = text.mid(i + 1, semicolon - i - 1);
        char32_t code = HtmlEntities::codeOf(entity);
        if (entity == QLatin1String("apos"))
            code = '\'';
        else if (entity.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint value = entity.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                                   ? entity.mid(2).toUInt(&ok, 16)
                                   : entity.mid(1).toUInt(&ok, 10);
            if (ok && value > 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF))
                code = value;
        }
        if (code == 0) {
            out += text[i];
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = semicolon;
    }
    return out;
}

QString attribute(const QString &tag, const QString &wanted)
{
    qsizetype i = tagName(tag).size();
    while (i < tag.size()) {
        while (i < tag.size() && (isSpace(tag[i]) || tag[i] == QLatin1Char('/')))
            ++i;
        const qsizetype nameStart = i;
        while (i < tag.size() && !isSpace(tag[i]) && tag[i] != QLatin1Char('='))
            ++i;
        const QString name = tag.mid(nameStart, i - nameStart);
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        QString value;
        if (i < tag.size() && tag[i] == QLatin1Char('=')) {
            ++i;
            while (i < tag.size() && isSpace(tag[i]))
                ++i;
            if (i < tag.size() && (tag[i] == QLatin1Char('"') || tag[i] == QLatin1Char('\''))) {
                const QChar quote = tag[i++];
                qsizetype end = tag.indexOf(quote, i);
                if (end < 0)
                    end = tag.size();
                value = tag.mid(i, end - i);
                i = end + 1;
            } else {
                const qsizetype start = i;
                while (i < tag.size() && !isSpace(tag[i]))
                    ++i;
                value = tag.mid(start, i - start);
            }
        }
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return decodeEntities(value);
        if (name.isEmpty())
            ++i;
    }
    return {};
}

QList<SiteMapEntry> parse(const QString &html)
{
    Builder builder;
    qsizetype at = 0;
    while (true) {
        const qsizetype open = html.indexOf(QLatin1Char('<'), at);
        if (open < 0)
            break;
        if (html.mid(open, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), open + 4);
            if (end < 0)
                break;
            at = end + 3;
            continue;
        }
        qsizetype close = html.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            close = html.size();
        builder.handle(html.mid(open + 1, close - open - 1).trimmed());
        at = close + 1;
    }
    builder.closeObject();
    return builder.entries;
}

} // namespace SiteMap
