#include "platform/SystemColors.h"

#include <array>

namespace {
// Windows' classic scheme, indexes 0 to 30.
constexpr std::array<OleColor, 31> classicColors = {
    oleRgb(212, 208, 200), // 0 scroll bar
    oleRgb(58, 110, 165),  // 1 desktop
    oleRgb(10, 36, 106),   // 2 active caption
    oleRgb(128, 128, 128), // 3 inactive caption
    oleRgb(212, 208, 200), // 4 menu
    oleRgb(255, 255, 255), // 5 window
    oleRgb(0, 0, 0),       // 6 window frame
    oleRgb(0, 0, 0),       // 7 menu text
    oleRgb(0, 0, 0),       // 8 window text
    oleRgb(255, 255, 255), // 9 caption text
    oleRgb(212, 208, 200), // 10 active border
    oleRgb(212, 208, 200), // 11 inactive border
    oleRgb(128, 128, 128), // 12 application workspace
    oleRgb(10, 36, 106),   // 13 highlight
    oleRgb(255, 255, 255), // 14 highlight text
    oleRgb(212, 208, 200), // 15 button face
    oleRgb(128, 128, 128), // 16 button shadow
    oleRgb(128, 128, 128), // 17 grey text
    oleRgb(0, 0, 0),       // 18 button text
    oleRgb(212, 208, 200), // 19 inactive caption text
    oleRgb(255, 255, 255), // 20 button highlight
    oleRgb(64, 64, 64),    // 21 3D dark shadow
    oleRgb(212, 208, 200), // 22 3D light
    oleRgb(0, 0, 0),       // 23 tooltip text
    oleRgb(255, 255, 225), // 24 tooltip background
    oleRgb(181, 181, 181), // 25 (unused slot)
    oleRgb(0, 0, 128),     // 26 hot-tracked item
    oleRgb(166, 202, 240), // 27 active caption gradient
    oleRgb(192, 192, 192), // 28 inactive caption gradient
    oleRgb(49, 106, 197),  // 29 menu highlight
    oleRgb(212, 208, 200), // 30 menu bar
};
} // namespace

OleColor SystemColors::byIndex(int index)
{
    if (index < 0 || index >= int(classicColors.size()))
        return 0;
    return classicColors[size_t(index)];
}

OleColor TranslateColor(OleColor color)
{
    return isSystemColor(color) ? SystemColors::byIndex(int(color & 0xFF)) : color;
}

QColor toQColor(OleColor color)
{
    const OleColor literal = TranslateColor(color);
    return QColor(int(literal & 0xFF), int((literal >> 8) & 0xFF), int((literal >> 16) & 0xFF));
}

OleColor fromQColor(const QColor &color) { return oleRgb(color.red(), color.green(), color.blue()); }
