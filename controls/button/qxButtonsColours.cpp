// qxButtons_H: colour arithmetic, the derived colours, and the rules that keep hover colours in step.
#include "controls/button/qxButtons_H.h"

#include "platform/Twips.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr OleColor grey = 0x808080;
constexpr OleColor white = 0xFFFFFF;

int clampChannel(double value)
{
    return int(std::clamp(value, 0.0, 255.0));
}
bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}
} // namespace

OleColor qxButtons_H::ShiftColor(OleColor color, int delta, bool blueScaled, bool avoidExtremes, bool invert)
{
    color = TranslateColor(color);
    // Green and blue are taken out with 255 and 65280, so they come out a little high.
    int red = int(color & 0xFF) + delta;
    int green = roundHalfEven(double(color & 0xFF00) / 255.0 + delta);
    int blue = 0;
    const int b0 = roundHalfEven(double(color & 0xFF0000) / 65280.0);
    if (blueScaled)
        blue = b0 + (delta * b0) / 192;
    else
        blue = roundHalfEven(double(color & 0xFF0000) / 65280.0 + delta);
    red = std::clamp(red, 0, 255);
    green = std::clamp(green, 0, 255);
    blue = std::clamp(blue, 0, 255);
    if (invert) {
        red = std::abs(255 - red);
        green = std::abs(255 - green);
        blue = std::abs(255 - blue);
    }
    const OleColor result = OleColor(red) + OleColor(green) * 256 + OleColor(blue) * 65536;
    if (avoidExtremes && (result == 0 || result == 0xFFFFFF))
        return ShiftColor(color, delta == 0 ? 64 : -delta, blueScaled, false, invert);
    return result;
}

std::vector<OleColor> qxButtons_H::GradientTable(OleColor from, OleColor to, int bands)
{
    if (bands <= 0)
        return {};
    from = TranslateColor(from);
    to = TranslateColor(to);
    std::vector<OleColor> table(size_t(bands), from);
    if (bands == 1)
        return table;
    double r = from & 0xFF;
    double g = double(from & 0xFF00) / 255.0;
    double b = double(from & 0xFF0000) / 65280.0;
    const double steps = bands - 1;
    const double sr = (int(to & 0xFF) - r) / steps;
    const double sg = (roundHalfEven(double(to & 0xFF00) / 255.0) - g) / steps;
    const double sb = (roundHalfEven(double(to & 0xFF0000) / 65280.0) - b) / steps;
    for (size_t i = 1; i < table.size(); ++i) {
        r = std::clamp(r + sr, 0.0, 255.0);
        g = std::clamp(g + sg, 0.0, 255.0);
        b = std::clamp(b + sb, 0.0, 255.0);
        table[i] =
            OleColor(clampChannel(r)) + OleColor(clampChannel(g)) * 256 + OleColor(clampChannel(b)) * 65536;
    }
    return table;
}

int qxButtons_H::GradientBandSize(int screenExtent, int buttonExtent)
{
    if (buttonExtent <= 0)
        return 1;
    return screenExtent / buttonExtent <= 3 ? 2 : 1;
}

std::array<OleColor, 4> qxButtons_H::ComputeColors(int style, OleColor back, OleColor hover)
{
    back = TranslateColor(back);
    hover = TranslateColor(hover);
    switch (style) {
    case 7:
        return {ShiftColor(back, 31), ShiftColor(grey, -16), ShiftColor(hover, 31),
                ShiftColor(grey, 16, true)};
    case 2: {
        const OleColor face = ShiftColor(back, 48, true);
        return {face, ShiftColor(face, -32, true), ShiftColor(hover, 48, true), ShiftColor(white, -32, true)};
    }
    case 3: {
        const OleColor shadow = ShiftColor(grey, 12);
        return {back, shadow, hover, ShiftColor(shadow, 31)};
    }
    default:
        return {back, back, hover, ShiftColor(white, -32)};
    }
}

void qxButtons_H::refreshColors()
{
    const auto colors =
        ComputeColors(m_buttonStyle, TranslateColor(m_backColor), TranslateColor(m_hoverBackColor));
    m_face = colors[0];
    m_shadow = colors[1];
    m_hoverFace = colors[2];
    m_light = colors[3];
}

void qxButtons_H::setForeColor(OleColor color)
{
    if (color == m_foreColor)
        return;
    m_foreColor = color;
    if (!(m_hoverLocks & 2))
        m_hoverForeColor = color;
    m_delay = false;
    RedrawButton();
}

void qxButtons_H::updateHoverBack()
{
    if (!(m_hoverLocks & 1))
        m_hoverBackColor = m_gradientMode ? m_gradientColor : m_backColor;
}

void qxButtons_H::setBackColor(OleColor color)
{
    m_backColor = color;
    if (!(m_hoverLocks & 1))
        setHoverBackColor(m_gradientMode ? m_gradientColor : color);
    refreshColors();
    RedrawButton();
}

void qxButtons_H::setGradientColor(OleColor color)
{
    if (!(m_hoverLocks & 1) && m_gradientMode)
        m_hoverBackColor = color;
    m_gradientColor = color;
    refreshColors();
    if (m_gradientMode)
        RedrawButton();
}

void qxButtons_H::setGradientMode(int mode)
{
    if (!inRange(mode, 0, 4))
        return;
    m_gradientMode = mode;
    updateHoverBack();
    refreshColors();
    RedrawButton();
}

void qxButtons_H::setResetDefaultColors(bool reset)
{
    if (!reset || userMode())
        return;
    DelayDrawing(true);
    setBackColor(SystemColors::ButtonFace);
    setForeColor(SystemColors::ButtonText);
    setGradientColor(SystemColors::ButtonFace);
    setGradientMode(0);
    setHoverColorLocks(0);
    refreshColors();
    DelayDrawing(false);
}

void qxButtons_H::setHoverColorLocks(int locks)
{
    if (!inRange(locks, 0, 3))
        return;
    m_hoverLocks = locks;
    updateHoverBack();
    if (!(locks & 2))
        m_hoverForeColor = m_foreColor;
    refreshColors();
}

void qxButtons_H::setHoverForeColor(OleColor color)
{
    if (color == m_hoverForeColor)
        return;
    m_hoverForeColor = color;
    if (color != m_foreColor)
        m_hoverLocks |= 2;
}

void qxButtons_H::setHoverBackColor(OleColor color)
{
    if (color == m_hoverBackColor)
        return;
    m_hoverBackColor = color;
    if (color != m_backColor)
        m_hoverLocks |= 1;
    refreshColors();
}
