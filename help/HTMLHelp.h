#pragma once

#include "help/HtmlHelpApi.h"

#include <QString>
#include <functional>

enum class MsgIcon;

// The help wrapper: the caller fills the properties, then calls one display
// operation, which checks the help file, builds the call's data and hands it to
// HtmlHelp. The second half (HTMLHelpInstall.cpp) records help files in the
// registry and reads the installed help and browser versions.
class HTMLHelp
{
public:
    using HelpCall = std::function<qint32(qint32 owner, const QString &file, int command, const HhData &data)>;

    HTMLHelp();
    // Tests watch the calls on their way to the viewer.
    void setHelpCall(HelpCall call) { m_call = std::move(call); }

    QString CHMFile() const { return m_chmFile; }
    void setCHMFile(const QString &file) { m_chmFile = file; }
    QString HHWindow() const { return m_window; }
    void setHHWindow(const QString &window) { m_window = window; }
    QString HHTopicURL() const { return m_topicUrl; }
    void setHHTopicURL(const QString &url) { m_topicUrl = url; }
    qint32 HHTopicID() const { return m_topicId; }
    void setHHTopicID(qint32 id) { m_topicId = id; }
    QString HHKeyword() const { return m_keyword; }
    void setHHKeyword(const QString &keyword) { m_keyword = keyword; }
    QString HHALink() const { return m_alink; }
    void setHHALink(const QString &alink) { m_alink = alink; }
    QString HHDefaultURL() const { return m_defaultUrl; }
    void setHHDefaultURL(const QString &url) { m_defaultUrl = url; }
    QString HHMsgText() const { return m_msgText; }
    void setHHMsgText(const QString &text) { m_msgText = text; }
    QString HHMsgTitle() const { return m_msgTitle; }
    void setHHMsgTitle(const QString &title) { m_msgTitle = title; }
    bool HHShowOnTop() const { return m_showOnTop; }
    void setHHShowOnTop(bool onTop) { m_showOnTop = onTop; }

    void setHHPopupType(qint32 type) { m_popupType = type; }
    void setHHPopupFile(const QString &file) { m_popupFile = file; }
    void setHHPopupID(qint32 id) { m_popupId = id; }
    void setHHPopupText(const QString &text) { m_popupText = text; }
    void setHHPopupTextColor(OleColor color) { m_popupTextColor = color; }
    void setHHPopupBackColor(OleColor color) { m_popupBackColor = color; }
    void setHHPopupCustomTextColor(OleColor color) { m_popupCustomTextColor = color; }
    void setHHPopupCustomBackColor(OleColor color) { m_popupCustomBackColor = color; }
    bool HHPopupCustomColors() const { return m_popupCustomColors; }
    void setHHPopupCustomColors(bool custom) { m_popupCustomColors = custom; }
    void setHHPopupTextFont(const QString &face) { m_popupFont = face; }
    void setHHPopupTextSize(const QString &size) { m_popupSize = size; }
    void setHHPopupTextBold(bool bold) { m_popupBold = bold; }
    void setHHPopupTextItalic(bool italic) { m_popupItalic = italic; }
    void setHHPopupTextUnderline(bool underline) { m_popupUnderline = underline; }

    // Warns and gives 0 while no display call has stored a handle.
    qint32 HHWndHandle() const;

    void HHDisplayTopicURL(qint32 hwnd);
    void HHDisplayTopicID(qint32 hwnd);
    void HHDisplaySearch(qint32 hwnd);
    void HHDisplayIndex(qint32 hwnd);
    void HHDisplayContents(qint32 hwnd);
    void HHDisplayKeyword(qint32 hwnd);
    void HHDisplayALink(qint32 hwnd);
    void HHDisplayPopup(qint32 hwnd);
    void HHClose();
    void HHInvokeWhatsThisHelp(qint32 hwnd);
    void HHDeleteJumpURLSysMenu(qint32 helpWindow);
    bool EnsureFileExists(QString &fileName);
    QString HHSetHelpFile(qint32 which) const;

    // The popup record as HHDisplayPopup hands it over for these settings.
    HhPopup popupRecord(QPoint pointer) const;
    QString popupFontText() const;

    // Registry and installation side.
    QString HHRegFileName() const { return m_regFileName; }
    QString HHRegFilePath() const { return m_regFilePath; }
    bool HHRegFileExists() const { return m_regFileExists; }
    bool HHInstalled();
    QString HHVersion();
    QString IEVersion();
    QString HHFriendlyName();
    QString IEFriendlyName();
    void HHRegister(QString &fileName);
    void HHUnRegister(QString &fileName);
    void HHCheckRegistry(const QString &fileName);
    bool HHVerifyMinConfig(qint32 helpCode, qint32 browserCode);

    struct LookedUpValue
    {
        QString name;
        QString data;
    };
    // First string value named `valueName` (any letter case) of a key; empty name: the default value.
    static std::optional<LookedUpValue> lookUpValue(const QString &hive, const QString &key,
                                                    const QString &valueName);

    static constexpr const char *Caption = "HTML Help Class";
    static constexpr const char *HelpFilesKey = "Software\\Microsoft\\Windows\\HTML Help";

private:
    bool checkHelpFile();
    bool isHelpFileName(const QString &name, bool warn);
    QString fileWithWindow() const;
    qint32 owner(qint32 hwnd) const { return m_showOnTop ? hwnd : 0; }
    // Calls HtmlHelp; a failure to reach it is ignored and leaves the handle as it was.
    void callAndKeep(qint32 owner, const QString &file, int command, const HhData &data, bool keep = true);
    HhAkLink linkRecord(const QString &keywords);
    void resetPopup();
    void lookUpRegistry(const QString &fileName, bool warnWhenMissing);
    void readVersion(bool help);
    static void message(const QString &text, MsgIcon icon);

    HelpCall m_call;
    QString m_chmFile, m_window, m_topicUrl, m_keyword, m_alink, m_defaultUrl, m_msgText, m_msgTitle;
    qint32 m_topicId = 0;
    bool m_showOnTop = false;
    qint32 m_popupType = 0;
    QString m_popupFile;
    qint32 m_popupId = 0;
    QString m_popupText;
    OleColor m_popupTextColor = 0, m_popupBackColor = 0, m_popupCustomTextColor = 0, m_popupCustomBackColor = 0;
    bool m_popupCustomColors = false;
    QString m_popupFont, m_popupSize;
    bool m_popupBold = false, m_popupItalic = false, m_popupUnderline = false;
    qint32 m_wndHandle = 0;

    QString m_regFileName, m_regFilePath;
    bool m_regFileExists = false;
    bool m_installed = false;
    QString m_hhVersion, m_ieVersion;
};
