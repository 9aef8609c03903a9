#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes bytes in a Windows code page (1252, 1251, 932 ...). Every byte of a single-byte
// code page gives one character, so nothing a file holds is dropped.
namespace CodePage {

// Windows-1252; the five bytes the code page leaves undefined map to the control
// characters of the same value, as Windows itself does.
QString decodeWindows1252(QByteArrayView bytes);
void appendWindows1252(QString &out, QByteArrayView bytes);

// Any code page by number; an unknown one falls back to Windows-1252.
void append(QString &out, QByteArrayView bytes, int codePage);
QString decode(QByteArrayView bytes, int codePage);

// The code page an RTF font charset (\fcharsetN) stands for; 0 for "the document's".
int forRtfCharset(int charset);

} // namespace CodePage
