#pragma once

#include <QByteArray>
#include <QString>

// Text of help files made anywhere: each file is written in the code page of its
// language unless a topic names its own charset.
namespace HelpText {
constexpr int DefaultCodepage = 1252;
// The Windows code page of a language (LCID) as #SYSTEM gives it; 1252 for one not known.
int codepageForLanguage(quint32 lcid);
// The bytes in that code page; Windows-1252 where this system has no converter for it.
QString fromCodepage(const QByteArray &bytes, int codepage);
// Names and table strings: UTF-8 when they are valid UTF-8, else the file's code page.
QString decodeName(const QByteArray &bytes, int codepage = DefaultCodepage);
// A topic, contents or index page: its byte-order mark, else its <meta> charset, else the code page.
QString decodeHtml(const QByteArray &bytes, int codepage = DefaultCodepage);
// The charset a page names in its <meta>, empty when none.
QByteArray metaCharset(const QByteArray &bytes);
// Text made comparable for searching: compatibility forms joined, letter case folded.
QString searchable(const QString &text);
} // namespace HelpText
