#pragma once

#include "platform/SystemColors.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <variant>

// The HTML Help function of this program: the same arguments as HtmlHelpA
// (owner window, file, command, data) and a window handle as the result,
// served by our own help viewer.

namespace HH {
enum Command : int {
    DISPLAY_TOPIC = 0,
    DISPLAY_TOC = 1,
    DISPLAY_INDEX = 2,
    DISPLAY_SEARCH = 3,
    KEYWORD_LOOKUP = 13,
    DISPLAY_TEXT_POPUP = 14,
    HELP_CONTEXT = 15,
    CLOSE_ALL = 18,
    ALINK_LOOKUP = 19,
};
} // namespace HH

// HH_FTS_QUERY
struct HhFtsQuery
{
    qint32 cbStruct = 32;
    bool fUniCodeStrings = false;
    QString pszSearchQuery;
    qint32 iProximity = 0;
    bool fStemmedSearch = false;
    bool fTitleOnly = false;
    bool fExecute = true;
    QString pszWindow;
};

// HH_AKLINK. A disengaged optional is a null pointer: no text at all.
struct HhAkLink
{
    qint32 cbStruct = 28;
    bool fReserved = false;
    QString pszKeywords;
    std::optional<QString> pszUrl;
    std::optional<QString> pszMsgText;
    std::optional<QString> pszMsgTitle;
    std::optional<QString> pszWindow;
    bool fIndexOnFail = false;
};

// HH_POPUP
struct HhPopup
{
    qint32 cbStruct = 50;
    qint32 hinst = 0;
    quint32 idString = 0;
    std::optional<QString> pszText;
    QPoint pt;
    OleColor clrForeground = 0;
    OleColor clrBackground = 0;
    QRect rcMargins{QPoint(-1, -1), QPoint(-1, -1)}; // left, top, right, bottom all -1: default margins
    QString pszFont;
};

// The data argument: nothing (0), a number, a topic path, or one of the records.
using HhData = std::variant<std::monostate, qint32, QString, HhFtsQuery, HhAkLink, HhPopup>;

// Window handle of the help window (or popup) shown, 0 when nothing was shown.
qint32 HtmlHelp(qint32 owner, const QString &file, int command, const HhData &data);
