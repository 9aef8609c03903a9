#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Turns rich text into the plain text it shows: groups, control words and symbols,
// \uN with its fallback, \'hh in the document's or the font's code page, paragraph,
// line and tab breaks; font and colour tables, style sheets, document information,
// pictures, \* destinations and field instructions are skipped (field results stay).
// Input is treated as hostile: nesting, numbers and binary runs are bounded.
class RtfReader
{
public:
    // nullopt when the bytes are not rich text (they do not open with "{\rtf").
    static std::optional<QString> toPlainText(QByteArrayView rtf);
    static std::optional<QString> readFile(const QString &path);

    static constexpr int maxGroupDepth = 4096;
    // A larger file is not read at all: the reader holds it whole in memory.
    static constexpr qint64 maxFileBytes = 256 * 1024 * 1024;
};
