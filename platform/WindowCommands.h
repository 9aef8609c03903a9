#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The hit-test codes a move or resize starts with.
namespace HitTest {
enum Code : int {
    Nowhere = 0,
    Client = 1,
    Caption = 2,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
};
inline bool isBorder(int code)
{
    return code >= Left && code <= BottomRight;
}
} // namespace HitTest

// Moving and resizing a window as if its system caption or border had been pressed.
// The window first receives a SystemCommandEvent and may refuse it; otherwise the window
// system runs the drag, or, where it will not (no window manager), the drag is done here
// until the left button is released. `pressedAt` is where the button went down, in
// global coordinates.
namespace WindowCommands {

// False when the window refused or there was nothing to do.
bool startMove(QWidget *window, QPoint pressedAt);
// Codes other than the eight border codes do nothing, as a press on no border does.
bool startResize(QWidget *window, int hitCode, QPoint pressedAt);

// The system command sent first: 0xF012 for a move, 0xF000 plus the border's 1..8 for a size.
int moveCommand();
int sizeCommand(int hitCode);

// Where a window dragged by `delta` from `start` by the border `hitCode` ends up, kept
// within the window's minimum and maximum size with the opposite edges fixed.
QRect resizedGeometry(const QRect &start, QPoint delta, int hitCode, QSize minimum, QSize maximum);

// True while a drag done here is under way on `window`.
bool isDragging(const QWidget *window);

} // namespace WindowCommands
