#pragma once

#include "platform/SystemColors.h"

#include <QImage>
#include <QString>

// The program's built-in skin: bitmaps by resource name and the skin colours held as
// string resources 101 to 103. Loaded bitmaps are kept for the life of the process.
class SkinSet
{
public:
    static constexpr int CaptionColour = 101; // yellow
    static constexpr int RestingColour = 102; // light yellow
    static constexpr int PressedColour = 103; // dark grey

    // ":/skin/NAME.bmp"; the name is looked up without regard to case.
    // Throws AppError 326 when there is no such piece.
    static QImage bitmap(const QString &name);
    // ":/pictures/NAME.bmp"; throws AppError 326 when there is no such picture.
    static QImage picture(const QString &name);

    // The text of string resource `id` (":/strings/ID"); throws AppError 326 when missing.
    static QString text(int id);
    // A skin colour: the "&H...&" text of string resource `id` turned into its number.
    static OleColor colour(int id);
};

// "&H0000FFFF&" -> 0x0000FFFF, as the program's hexadecimal literals read; also plain
// decimal digits. Throws AppError 13 (type mismatch) for anything else.
quint32 hexLiteralValue(const QString &text);
