#include "help/HelpBrowser.h"

#include "help/ChmFile.h"
#include "help/HelpText.h"

#include <QDesktopServices>
#include <QImage>
#include <QTextDocument>

namespace {
const QString Scheme = QStringLiteral("chm");

QString missingTopicPage(const QString &inside)
{
    return QStringLiteral("<html><body><h2>This page is not in the help file</h2>"
                          "<p>The topic <b>%1</b> could not be found.</p></body></html>")
        .arg(inside.toHtmlEscaped());
}
} // namespace

HelpBrowser::HelpBrowser(std::shared_ptr<ChmFile> file, QWidget *parent)
    : QTextBrowser(parent), m_file(std::move(file))
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
    connect(this, &QTextBrowser::sourceChanged, this, [this] { emit topicChanged(currentTopic()); });
}

QUrl HelpBrowser::topicUrl(const QString &inside)
{
    QString path = inside;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString fragment;
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        fragment = path.mid(hash + 1);
        path.truncate(hash);
    }
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(QLatin1Char('/') + path);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

QString HelpBrowser::insidePath(const QUrl &url)
{
    if (url.scheme() == Scheme)
        return url.path().mid(1);
    const QString text = url.toString();
    const qsizetype separator = text.indexOf(QLatin1String("::"));
    if (separator >= 0 && (url.scheme().compare(QLatin1String("ms-its"), Qt::CaseInsensitive) == 0 ||
                           url.scheme().compare(QLatin1String("mk"), Qt::CaseInsensitive) == 0 ||
                           url.scheme().compare(QLatin1String("its"), Qt::CaseInsensitive) == 0))
    {
        QString inside = text.mid(separator + 2).section(QLatin1Char('#'), 0, 0);
        while (inside.startsWith(QLatin1Char('/')))
            inside.remove(0, 1);
        return inside;
    }
    return {};
}

QString HelpBrowser::currentTopic() const { return insidePath(source()); }

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QString inside = insidePath(name);
    if (inside.isEmpty() && name.scheme() != Scheme)
        return {};
    const std::optional<QByteArray> data = m_file->read(inside);
    if (type == QTextDocument::HtmlResource)
        return data ? HelpText::decodeHtml(*data, m_file->codepage()) : missingTopicPage(inside);
    if (!data)
        return {};
    if (type == QTextDocument::ImageResource)
        return QImage::fromData(*data);
    return *data;
}

void HelpBrowser::followLink(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QString inside = insidePath(url);
    if (!inside.isEmpty() || url.scheme() == Scheme) {
        QUrl target = topicUrl(inside);
        target.setFragment(url.fragment());
        setSource(target);
    } else if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) {
        scrollToAnchor(url.fragment());
    }
}
