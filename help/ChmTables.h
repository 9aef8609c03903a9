#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>

// Decoders for the internal tables of a compiled help file. Every input is
// treated as hostile: offsets and lengths are checked, nothing is trusted.

struct ChmSystemInfo
{
    QString contentsFile; // .hhc, without a leading slash
    QString indexFile;    // .hhk
    QString defaultTopic;
    QString title;
    QString defaultWindow;
    quint32 language = 0; // LCID, 0 when not given
};

struct ChmWindowType
{
    QString name;
    QString caption;
    QString contentsFile;
    QString indexFile;
    QString defaultTopic;
    QString homeTopic;
    quint32 properties = 0;
    QRect position; // left, top, right, bottom turned into a rectangle; null when not given

    static constexpr quint32 OnTop = 0x2;
    static constexpr quint32 TriPane = 0x20;
    static constexpr quint32 SearchTab = 0x400;
    static constexpr quint32 NoToolBar = 0x8000;
    static constexpr quint32 AdvancedSearchTab = 0x20000;
};

struct ChmContext
{
    qint32 id = 0;
    QString topic; // as stored: chmcmd writes the absolute path it compiled from
};

// Strings inside the tables are in the code page of the file's language (HelpText).
namespace ChmTables {
// The zero-terminated string at `offset` of #STRINGS; empty when out of range.
QString stringAt(const QByteArray &strings, qint64 offset, int codepage = 1252);
ChmSystemInfo parseSystem(const QByteArray &system);
QList<ChmWindowType> parseWindows(const QByteArray &windows, const QByteArray &strings, int codepage = 1252);
QList<ChmContext> parseContextMap(const QByteArray &ivb, const QByteArray &strings, int codepage = 1252);
quint32 readU32(const QByteArray &data, qint64 at); // 0 outside the data
quint16 readU16(const QByteArray &data, qint64 at);
} // namespace ChmTables
