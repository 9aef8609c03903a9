#include "help/HTMLHelp.h"

#include "help/HelpViewer.h"
#include "help/ProgramStrings.h"
#include "help/WindowHandles.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"

#include <QCursor>
#include <QFileInfo>
#include <QWhatsThis>

HTMLHelp::HTMLHelp() : m_call(&HtmlHelp) {}

void HTMLHelp::message(const QString &text, MsgIcon icon)
{
    MessageBoxes::current().show(QString::fromLatin1(Caption), text, icon, MsgButtons::Ok);
}

qint32 HTMLHelp::HHWndHandle() const
{
    if (m_wndHandle == 0)
        message(QStringLiteral("No HTML Help window handle to retrieve."), MsgIcon::Warning);
    return m_wndHandle;
}

bool HTMLHelp::isHelpFileName(const QString &name, bool warn)
{
    if (name.right(3).compare(QLatin1String("chm"), Qt::CaseInsensitive) == 0)
        return true;
    if (warn)
        message(name + QStringLiteral(" is not a valid HTML Help file."), MsgIcon::Warning);
    return false;
}

bool HTMLHelp::checkHelpFile() { return isHelpFileName(m_chmFile, true) && EnsureFileExists(m_chmFile); }

bool HTMLHelp::EnsureFileExists(QString &fileName)
{
    if (!fileName.contains(QLatin1Char('/'))) {
        lookUpRegistry(fileName, false);
        if (!m_regFileName.isEmpty()) {
            QString folder = m_regFilePath;
            if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
                folder += QLatin1Char('/');
            fileName = folder + m_regFileName;
        } else {
            fileName = programFolder() + QLatin1Char('/') + fileName;
        }
    }
    if (QFileInfo(fileName).isFile())
        return true;
    message(QStringLiteral("The file ") + fileName + QStringLiteral(" does not exist.") + QChar(10) +
                QStringLiteral("Please make sure the correct path and file name have been specified."),
            MsgIcon::Warning);
    return false;
}

QString HTMLHelp::fileWithWindow() const
{
    if (m_window.trimmed().isEmpty())
        return m_chmFile;
    return m_chmFile + QLatin1Char('>') + m_window;
}

void HTMLHelp::callAndKeep(qint32 owner, const QString &file, int command, const HhData &data, bool keep)
{
    try {
        const qint32 handle = m_call(owner, file, command, data);
        if (keep)
            m_wndHandle = handle;
    } catch (...) {
        // HTML Help out of reach: the operation goes on, nothing is reported.
    }
}

void HTMLHelp::HHDisplayTopicURL(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), fileWithWindow(), HH::DISPLAY_TOPIC, m_topicUrl);
}

void HTMLHelp::HHDisplayTopicID(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), fileWithWindow(), HH::HELP_CONTEXT, m_topicId);
}

void HTMLHelp::HHDisplaySearch(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), fileWithWindow(), HH::DISPLAY_SEARCH, HhFtsQuery{});
}

void HTMLHelp::HHDisplayIndex(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), fileWithWindow(), HH::DISPLAY_INDEX, std::monostate{},
                    !m_window.trimmed().isEmpty());
}

void HTMLHelp::HHDisplayContents(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), fileWithWindow(), HH::DISPLAY_TOC, std::monostate{});
}

HhAkLink HTMLHelp::linkRecord(const QString &keywords)
{
    // An empty text goes over as no text at all, and the property keeps that null value.
    const auto orNull = [](QString &property) -> std::optional<QString> {
        if (property.isEmpty()) {
            property = QString();
            return std::nullopt;
        }
        return property;
    };
    HhAkLink link;
    link.pszKeywords = keywords;
    link.pszUrl = orNull(m_defaultUrl);
    link.pszMsgText = orNull(m_msgText);
    link.pszMsgTitle = orNull(m_msgTitle);
    if (!m_window.trimmed().isEmpty())
        link.pszWindow = m_window;
    return link;
}

void HTMLHelp::HHDisplayKeyword(qint32 hwnd)
{
    if (!checkHelpFile())
        return;
    callAndKeep(owner(hwnd), m_chmFile, HH::DISPLAY_TOPIC, std::monostate{});
    callAndKeep(owner(hwnd), m_chmFile, HH::KEYWORD_LOOKUP, linkRecord(m_keyword));
}

void HTMLHelp::HHDisplayALink(qint32 hwnd)
{
    if (checkHelpFile())
        callAndKeep(owner(hwnd), m_chmFile, HH::ALINK_LOOKUP, linkRecord(m_alink));
}

QString HTMLHelp::popupFontText() const
{
    QString text = (m_popupFont.isEmpty() ? QStringLiteral("Arial") : m_popupFont) + QStringLiteral(", ") +
                   (m_popupSize.isEmpty() ? QStringLiteral("10") : m_popupSize) + QStringLiteral(", ascii, ");
    if (m_popupBold)
        text += QStringLiteral("Bold ");
    if (m_popupItalic)
        text += QStringLiteral("Italic ");
    if (m_popupUnderline)
        text += QStringLiteral("Underline");
    return text;
}

HhPopup HTMLHelp::popupRecord(QPoint pointer) const
{
    HhPopup popup;
    if (m_popupType == 2)
        popup.pszText = ProgramStrings::text(m_popupId);
    else if (m_popupType == 4)
        popup.pszText = m_popupText;
    else
        popup.idString = quint32(m_popupId);
    popup.pt = pointer;
    popup.clrForeground = m_popupCustomColors ? m_popupCustomTextColor : m_popupTextColor;
    popup.clrBackground = m_popupCustomColors ? m_popupCustomBackColor : m_popupBackColor;
    popup.pszFont = popupFontText();
    return popup;
}

void HTMLHelp::HHDisplayPopup(qint32 hwnd)
{
    if (m_popupType == 0)
        return;
    if (m_popupType == 1 && !checkHelpFile())
        return;
    if (m_popupType == 4 && m_popupText.isEmpty())
        return;
    const HhPopup popup = popupRecord(QCursor::pos());
    if (m_popupType == 1) {
        if (m_popupFile.right(3).compare(QLatin1String("txt"), Qt::CaseInsensitive) != 0) {
            message(QStringLiteral("The file specified as the text popup source, '") + m_popupFile +
                        QStringLiteral("', is not a valid popup file."),
                    MsgIcon::Warning);
            return;
        }
        m_call(hwnd, m_chmFile + QStringLiteral("::/") + m_popupFile, HH::DISPLAY_TEXT_POPUP, popup);
    } else if (m_popupType == 2 || m_popupType == 4) {
        m_call(hwnd, QString(), HH::DISPLAY_TEXT_POPUP, popup);
    } else {
        return;
    }
    resetPopup();
}

void HTMLHelp::resetPopup()
{
    m_popupTextColor = m_popupBackColor = m_popupCustomTextColor = m_popupCustomBackColor = 0;
    m_popupFont = QStringLiteral("Arial");
    m_popupSize = QStringLiteral("10");
    m_popupBold = m_popupItalic = m_popupUnderline = false;
}

void HTMLHelp::HHClose()
{
    try {
        m_call(0, QString(), HH::CLOSE_ALL, std::monostate{});
    } catch (...) {
    }
}

void HTMLHelp::HHInvokeWhatsThisHelp(qint32) { QWhatsThis::enterWhatsThisMode(); }

void HTMLHelp::HHDeleteJumpURLSysMenu(qint32 helpWindow)
{
    if (auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(helpWindow)))
        viewer->removeMenuCommand(HelpViewer::JumpToUrlCommand);
}

QString HTMLHelp::HHSetHelpFile(qint32 which) const
{
    if (which == 1)
        return programFolder() + QStringLiteral("/Library.chm");
    if (which == 2)
        return QStringLiteral("Library.txt");
    return {};
}
