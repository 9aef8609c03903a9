#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are 0x00BBGGRR, red in the low byte; a value with the top bit set names
// a system colour by its low byte.
using OleColor = quint32;

constexpr OleColor oleRgb(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | (OleColor(green & 0xFF) << 8) | (OleColor(blue & 0xFF) << 16);
}
constexpr bool isSystemColor(OleColor color) { return (color & 0x80000000u) != 0; }

// A fixed table of the classic default values, so drawing is the same on every desktop.
class SystemColors
{
public:
    static constexpr OleColor ButtonFace = 0x8000000F;
    static constexpr OleColor ButtonText = 0x80000012;
    static constexpr OleColor ButtonShadow = 0x80000010;
    static constexpr OleColor ButtonHighlight = 0x80000014;
    static constexpr OleColor DarkShadow = 0x80000015;
    static constexpr OleColor GrayText = 0x80000011;
    static constexpr OleColor WindowBackground = 0x80000005;
    static constexpr OleColor WindowText = 0x80000008;

    // The literal colour of system colour `index`; unknown indexes give black.
    static OleColor byIndex(int index);
};

// A system colour becomes its literal colour; any other value is returned unchanged.
OleColor TranslateColor(OleColor color);

QColor toQColor(OleColor color); // system colours translated first
OleColor fromQColor(const QColor &color);
