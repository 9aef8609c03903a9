#include "help/HelpSystem.h"

#include "help/ChmFile.h"
#include "help/HelpPopup.h"
#include "help/HelpText.h"
#include "help/HelpViewer.h"
#include "help/PopupSource.h"
#include "help/TopicCatalog.h"
#include "help/WindowHandles.h"
#include "platform/MessageBoxes.h"

#include <QFileInfo>

HelpFileSpec HelpFileSpec::parse(const QString &text)
{
    HelpFileSpec request;
    QString rest = text;
    const qsizetype window = rest.lastIndexOf(QLatin1Char('>'));
    if (window >= 0) {
        request.window = rest.mid(window + 1).trimmed();
        rest.truncate(window);
    }
    const qsizetype topic = rest.indexOf(QLatin1String("::"));
    if (topic >= 0) {
        request.topic = rest.mid(topic + 2);
        while (request.topic.startsWith(QLatin1Char('/')))
            request.topic.remove(0, 1);
        rest.truncate(topic);
    }
    request.file = rest.trimmed();
    return request;
}

qint32 HtmlHelp(qint32 owner, const QString &file, int command, const HhData &data)
{
    return HelpSystem::instance().call(owner, file, command, data);
}

HelpSystem &HelpSystem::instance()
{
    static HelpSystem system;
    return system;
}

qint32 HelpSystem::call(qint32 owner, const QString &file, int command, const HhData &data)
{
    const HelpFileSpec request = HelpFileSpec::parse(file);
    switch (command) {
    case HH::DISPLAY_TOPIC: return displayTopic(request, owner, data);
    case HH::HELP_CONTEXT: return helpContext(request, owner, data);
    case HH::DISPLAY_TOC:
    case HH::DISPLAY_INDEX:
    case HH::DISPLAY_SEARCH: return displayPane(request, owner, command, data);
    case HH::KEYWORD_LOOKUP:
    case HH::ALINK_LOOKUP: return lookup(request, owner, command, data);
    case HH::DISPLAY_TEXT_POPUP: return textPopup(request, owner, data);
    case HH::CLOSE_ALL: closeAll(); return 0;
    default: return 0;
    }
}

QList<HelpViewer *> HelpSystem::viewers() const
{
    QList<HelpViewer *> open;
    for (const QPointer<HelpViewer> &viewer : m_viewers)
        if (viewer)
            open.append(viewer.data());
    return open;
}

HelpPopup *HelpSystem::popup() const { return m_popup.data(); }

void HelpSystem::closeAll()
{
    for (HelpViewer *viewer : viewers())
        viewer->close();
    m_viewers.clear();
    if (m_popup)
        m_popup->close();
}

void HelpSystem::tell(const QString &text, const QString &title)
{
    MessageBoxes::current().show(title, text, MsgIcon::Warning, MsgButtons::Ok);
}

std::shared_ptr<ChmFile> HelpSystem::openFile(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (HelpViewer *viewer : viewers())
        if (QFileInfo(viewer->file().path()).canonicalFilePath() == canonical && !canonical.isEmpty())
            return viewer->sharedFile();
    QString error;
    std::unique_ptr<ChmFile> file = ChmFile::open(path, &error);
    if (!file) {
        tell(error);
        return {};
    }
    return std::shared_ptr<ChmFile>(std::move(file));
}

HelpViewer *HelpSystem::viewerFor(const HelpFileSpec &request, qint32 owner)
{
    const std::shared_ptr<ChmFile> file = openFile(request.file);
    if (!file)
        return nullptr;
    // A call without a window type gets the file's default one: both find the same viewer.
    const QString typeName = request.window.isEmpty() ? file->system().defaultWindow : request.window;
    const std::optional<ChmWindowType> type = typeName.isEmpty() ? std::nullopt : file->windowType(typeName);
    const QString used = type ? type->name : QString();
    for (HelpViewer *viewer : viewers())
        if (&viewer->file() == file.get() && viewer->windowTypeName().compare(used, Qt::CaseInsensitive) == 0)
            return viewer;
    auto *viewer = new HelpViewer(file, type, WindowHandles::widgetOf(owner));
    m_viewers.append(viewer);
    return viewer;
}

void HelpSystem::discardUnshown(HelpViewer *viewer)
{
    if (viewer->isVisible())
        return;
    m_viewers.removeAll(viewer);
    viewer->deleteLater();
}

qint32 HelpSystem::show(HelpViewer *viewer)
{
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return WindowHandles::handleOf(viewer);
}

qint32 HelpSystem::displayTopic(const HelpFileSpec &request, qint32 owner, const HhData &data)
{
    HelpViewer *viewer = viewerFor(request, owner);
    if (!viewer)
        return 0;
    const QString *asked = std::get_if<QString>(&data);
    const QString topic = !request.topic.isEmpty() ? request.topic : asked ? *asked : QString();
    if (topic.isEmpty())
        viewer->showDefaultTopic();
    else
        viewer->showTopic(topic);
    return show(viewer);
}

qint32 HelpSystem::helpContext(const HelpFileSpec &request, qint32 owner, const HhData &data)
{
    const qint32 *id = std::get_if<qint32>(&data);
    HelpViewer *viewer = viewerFor(request, owner);
    if (!viewer)
        return 0;
    const QString topic = id ? viewer->file().topicForContext(*id) : QString();
    if (topic.isEmpty()) {
        tell(QStringLiteral("The help file %1 has no topic for context number %2.")
                 .arg(request.file)
                 .arg(id ? *id : 0));
        discardUnshown(viewer);
        return 0;
    }
    viewer->showTopic(topic);
    return show(viewer);
}

qint32 HelpSystem::displayPane(const HelpFileSpec &request, qint32 owner, int command, const HhData &data)
{
    HelpFileSpec target = request;
    const auto *query = std::get_if<HhFtsQuery>(&data);
    if (query && target.window.isEmpty())
        target.window = query->pszWindow;
    HelpViewer *viewer = viewerFor(target, owner);
    if (!viewer)
        return 0;
    if (viewer->currentTopic().isEmpty())
        viewer->showDefaultTopic();
    if (command == HH::DISPLAY_TOC)
        viewer->showContents();
    else if (command == HH::DISPLAY_INDEX)
        viewer->showIndex(std::holds_alternative<QString>(data) ? std::get<QString>(data) : QString());
    else
        viewer->showSearch(query ? *query : HhFtsQuery{});
    return show(viewer);
}

qint32 HelpSystem::lookup(HelpFileSpec request, qint32 owner, int command, const HhData &data)
{
    const auto *link = std::get_if<HhAkLink>(&data);
    if (!link)
        return 0;
    if (request.window.isEmpty() && link->pszWindow)
        request.window = *link->pszWindow;
    HelpViewer *viewer = viewerFor(request, owner);
    if (!viewer)
        return 0;
    const QStringList found = command == HH::KEYWORD_LOOKUP ? viewer->keywordLookup(link->pszKeywords)
                                                            : viewer->alinkLookup(link->pszKeywords);
    if (!found.isEmpty())
        return show(viewer);
    if (link->fIndexOnFail) {
        viewer->showIndex(link->pszKeywords.section(QLatin1Char(';'), 0, 0));
        return show(viewer);
    }
    if (link->pszUrl) {
        viewer->showTopic(*link->pszUrl);
        return show(viewer);
    }
    if (link->pszMsgText)
        tell(*link->pszMsgText, link->pszMsgTitle.value_or(QString::fromLatin1(Caption)));
    if (viewer->isVisible())
        return WindowHandles::handleOf(viewer);
    discardUnshown(viewer);
    return 0;
}

qint32 HelpSystem::textPopup(const HelpFileSpec &request, qint32 owner, const HhData &data)
{
    const auto *record = std::get_if<HhPopup>(&data);
    if (!record)
        return 0;
    std::optional<QString> text = record->pszText;
    if (!request.file.isEmpty()) {
        const std::shared_ptr<ChmFile> file = openFile(request.file);
        if (!file)
            return 0;
        const std::optional<QByteArray> source = file->read(request.topic);
        text = source
                   ? PopupSource::topicText(HelpText::decodeName(*source, file->codepage()), record->idString)
                   : std::nullopt;
    }
    if (!text || text->isEmpty())
        return 0;
    if (m_popup)
        m_popup->close();
    m_popup = new HelpPopup(*text, *record, WindowHandles::widgetOf(owner));
    m_popup->show();
    return WindowHandles::handleOf(m_popup);
}
