// qxButtons_H: the painters of the eight looks and their border colours per state.
#include "controls/button/qxButtons_H.h"

#include <QPainter>

namespace {
constexpr OleColor grey = 0x808080;
constexpr OleColor white = 0xFFFFFF;
constexpr OleColor black = 0x000000;
constexpr OleColor lightLine = 0xE9E9E9; // RGB(233, 233, 233)
constexpr OleColor style2Outer = 0x733C00;

// Style 2's inner lines (slots 1..8) per state: shifts of the face in states 0
// and 2, fixed colours for the default frame (1) and the hover look (3).
constexpr int style2Shifts[2][8] = {{-10, 10, -24, -32, -5, 16, -36, -48},
                                    {-22, -24, 0, 10, -32, -32, 5, 16}}; // state 2 slot 3 is the face
constexpr OleColor style2Fixed[2][8] = {
    {0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C, 0xE7AE8C, 0xFFDFBF, 0xE7AE8C, 0xEF826B},
    {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF, 0x31B2FF, 0xA6E9FF, 0x31B2FF, 0x0096E7}};

void setSlots(qxButtons_H::Slots &lines, std::initializer_list<int> indexes, OleColor color)
{
    for (int i : indexes)
        lines[size_t(i)] = color;
}
} // namespace

void qxButtons_H::PaintStyle2(QPainter &p, PaintPass &pass)
{
    OleColor face = m_face;
    OleColor fill = face;
    if (m_mode == CommandMode) {
        if (!isEnabled())
            fill = ShiftColor(face, -24, true);
        else if (pressedAndHovered() && m_gradientMode == 0)
            fill = m_shadow;
    } else {
        face = fill = m_value ? m_light : m_face;
    }
    const OleColor disabled = ShiftColor(face, -104, true);
    const OleColor gradient = m_gradientMode ? ShiftColor(TranslateColor(m_gradientColor), 48, true) : fill;
    PaintBackground(p, fill, gradient, pass);
    if (pass.cont == 0)
        return;
    DrawCaption(p, face, disabled, m_value);
    if (m_shape >= 4) {
        if (has(DefaultFrame) && !m_timerRunning)
            pass.lines[12] = 0xEF826B;
        else if (has(Hovered))
            pass.lines[12] = 0x0096E7;
        else
            pass.cont = 1;
        DrawFocusMark(p, NoLine);
        return;
    }
    if (isEnabled()) {
        int state = pass.state;
        if ((m_keyOrMouseDown && m_mode != CommandMode) || m_value)
            state = has(DefaultFrame) ? 1 : 2;
        if (hoveredUnpressed())
            state = 3;
        else if (state == 1 && !m_showFocusRect)
            state = 0;
        for (int i = 0; i < 8; ++i) {
            const size_t slot = size_t(i + 1);
            if (state == 2 && slot == 3)
                pass.lines[slot] = face; // the face itself: a shift by nothing would lift green and blue
            else if (state == 0 || state == 2)
                pass.lines[slot] = ShiftColor(face, style2Shifts[state / 2][i], true);
            else
                pass.lines[slot] = style2Fixed[state / 2][i];
        }
        setSlots(pass.lines, {9, 10, 11, 12}, style2Outer);
    } else {
        setSlots(pass.lines, {9, 10, 11, 12}, ShiftColor(face, -84, true));
    }
    DrawBorderLines(p, pass.lines);
    // The inner corner pixels take the outer colour: with the corner cuts the corners look round.
    const OleColor outer = pass.lines[9];
    const int w = width();
    const int h = height();
    std::vector<std::pair<QPoint, OleColor>> corners;
    if (m_bodyLeft == 0)
        corners.insert(corners.end(), {{{1, 1}, outer}, {{1, h - 2}, outer}});
    if (m_bodyRight == w)
        corners.insert(corners.end(), {{{w - 2, 1}, outer}, {{w - 2, h - 2}, outer}});
    cornerPixels(p, corners);
    DrawFocusMark(p, NoLine);
}

OleColor qxButtons_H::classicFace() const
{
    return (m_mode != CommandMode && m_value) ? m_light : m_face;
}

void qxButtons_H::regionFrameSlot(PaintPass &pass) const
{
    bool framed = false;
    switch (m_buttonStyle) {
    case 5:
        framed = has(Hovered) || m_value;
        break;
    case 6:
        framed = m_shape >= 6;
        break;
    case 7:
        framed = true;
        break;
    default:
        framed = m_shape >= 7 || (m_shape == 6 && (has(Hovered) || has(Pressed)));
        break;
    }
    if (framed)
        pass.lines[12] = black;
    else
        pass.cont = 1;
}

void qxButtons_H::classicSlots(PaintPass &pass, OleColor face) const
{
    Slots &s = pass.lines;
    const bool pressedLook = pressedAndHovered() || heldOrSelected();
    switch (m_buttonStyle) {
    case 0: {
        OleColor light = pressedAndHovered() ? face : lightLine;
        int state = pass.state;
        if (heldOrSelected()) {
            state = 3;
            light = lightLine;
        }
        if (state == 1) {
            setSlots(s, {1, 2}, light);
            setSlots(s, {3, 4}, grey);
        }
        if (state <= 1)
            setSlots(s, {5, 6}, state == 0 ? light : white);
        setSlots(s, {7, 8}, state == 1 ? black : (state == 3 ? light : grey));
        if (heldOrSelected()) {
            setSlots(s, {9, 10}, black);
            setSlots(s, {11, 12}, white);
        } else {
            setSlots(s, {9, 10}, has(DefaultFrame) ? black : white);
            setSlots(s, {11, 12}, black);
        }
        break;
    }
    case 1:
        setSlots(s, {1, 2, 5, 6}, pressedLook ? grey : white);
        setSlots(s, {3, 4, 7, 8}, pressedLook ? white : grey);
        setSlots(s, {9, 10, 11, 12}, black);
        break;
    case 4:
        setSlots(s, {9, 10}, pressedLook ? grey : white);
        setSlots(s, {11, 12}, pressedLook ? white : grey);
        break;
    case 5:
        if (has(Hovered) || m_value) {
            setSlots(s, {9, 10}, pressedLook ? grey : white);
            setSlots(s, {11, 12}, pressedLook ? white : grey);
        } else if (!userMode()) {
            const OleColor edge = ShiftColor(m_containerBack, -64);
            setSlots(s, {9, 10, 11, 12}, edge == black ? white : edge);
        }
        break;
    case 6: {
        const OleColor raised = ShiftColor(0xDFDFDF, 8);
        setSlots(s, {5, 6, 9, 10}, pressedLook ? grey : raised);
        setSlots(s, {7, 8, 11, 12}, pressedLook ? raised : grey);
        break;
    }
    default:
        break;
    }
}

void qxButtons_H::PaintClassic(QPainter &p, PaintPass &pass)
{
    const OleColor face = classicFace();
    PaintBackground(p, face, TranslateColor(m_gradientColor), pass);
    if (pass.cont == 0)
        return;
    if (m_buttonStyle == 5 && !userMode() && m_shape >= 4 && m_shape <= 6) {
        p.save();
        p.setClipping(false);
        p.setPen(toQColor(ShiftColor(m_containerBack, -64)));
        p.drawArc(rect().adjusted(0, 0, -1, -1), 0, 360 * 16); // where the hidden edge lies
        p.restore();
    }
    DrawCaption(p, face, NoLine, m_value);
    if (m_shape >= 4) {
        regionFrameSlot(pass);
    } else {
        classicSlots(pass, face);
        DrawBorderLines(p, pass.lines);
    }
    DrawFocusMark(p, NoLine);
}

void qxButtons_H::PaintStyle3(QPainter &p, PaintPass &pass)
{
    OleColor face = m_face;
    if (m_mode != CommandMode && m_value)
        face = m_light;
    else if (m_mode == CommandMode && pressedAndHovered())
        face = m_shadow;
    PaintBackground(p, face, TranslateColor(m_gradientColor), pass);
    if (pass.cont == 0)
        return;
    DrawCaption(p, face, ShiftColor(grey, -16), false);
    if (m_shape >= 4) {
        regionFrameSlot(pass);
    } else {
        Slots &s = pass.lines;
        const OleColor etched = ShiftColor(grey, -26);
        const bool pressedLook = pressedAndHovered() || heldOrSelected();
        setSlots(s, {5, 6}, pressedLook ? face : white);
        setSlots(s, {7, 8, 9, 10}, etched);
        setSlots(s, {11, 12}, white);
        if (!isEnabled() && m_mode == CommandMode) {
            setSlots(s, {1, 2, 3, 4, 5, 6, 7, 8}, face);
            setSlots(s, {11, 12}, etched);
        }
        DrawBorderLines(p, s);
    }
    DrawFocusMark(p, 0xCC9999);
}

void qxButtons_H::PaintStyle7(QPainter &p, PaintPass &pass)
{
    OleColor face = m_face;
    if (m_mode == CommandMode && pressedAndHovered())
        face = m_shadow;
    else if (m_mode != CommandMode && m_value)
        face = m_light;
    PaintBackground(p, face, TranslateColor(m_gradientColor), pass);
    if (pass.cont == 0)
        return;
    DrawCaption(p, face, NoLine, m_value);
    if (m_shape >= 4) {
        regionFrameSlot(pass);
        DrawFocusMark(p, NoLine);
        return;
    }
    int state = pass.state;
    if (heldOrSelected())
        state = m_value ? 2 : 0;
    OleColor f = face;
    OleColor a = white;
    OleColor b = ShiftColor(f, 31, true);
    OleColor c = ShiftColor(f, -64, true);
    if (state == 2) {
        f = m_gradientMode ? TranslateColor(m_backColor) : grey;
        a = ShiftColor(f, -32);
        b = ShiftColor(f, -64);
        c = ShiftColor(f, -16);
    }
    Slots &s = pass.lines;
    setSlots(s, {1, 2}, a);
    setSlots(s, {3, 4}, f);
    setSlots(s, {5, 6}, b);
    setSlots(s, {7, 8}, c);
    setSlots(s, {9, 10, 11, 12}, black);
    DrawBorderLines(p, s);
    const int w = width();
    const int h = height();
    std::vector<std::pair<QPoint, OleColor>> corners;
    if (m_bodyLeft == 0)
        corners.insert(corners.end(),
                       {{{3, 3}, a}, {{2, 2}, b}, {{1, h - 3}, f}, {{1, h - 2}, black}, {{1, 1}, black}});
    if (m_bodyRight == w)
        corners.insert(corners.end(), {{{w - 4, h - 4}, f},
                                       {{w - 3, 1}, f},
                                       {{w - 3, h - 3}, c},
                                       {{w - 2, h - 2}, black},
                                       {{w - 2, 1}, black}});
    cornerPixels(p, corners);
    DrawFocusMark(p, NoLine);
}
