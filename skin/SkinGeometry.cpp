#include "skin/SkinGeometry.h"

#include "platform/AppError.h"
#include "platform/WindowCommands.h"

namespace SkinGeometry {

int hitZone(float x, float y, float w, float h)
{
    const float m = ZoneMargin;
    const float right = w - m; // single precision, as the window's own measure
    const float bottom = h - m;
    if (y <= m && x > m && x < right)
        return HitTest::Top;
    if (y <= m && x <= m)
        return HitTest::TopLeft;
    if (y <= m && x >= right)
        return HitTest::TopRight;
    if (y >= bottom && x <= m)
        return HitTest::BottomLeft;
    if (y >= bottom && x >= right)
        return HitTest::BottomRight;
    if (y > m && x >= right)
        return HitTest::Right;
    if (y > m && x <= m)
        return HitTest::Left;
    if (y >= bottom && x > m && x < right)
        return HitTest::Bottom;
    return HitTest::Client;
}

Qt::CursorShape zoneCursor(int hitCode)
{
    switch (hitCode) {
    case HitTest::Top:
    case HitTest::Bottom:
        return Qt::SizeVerCursor;
    case HitTest::TopLeft:
    case HitTest::BottomRight:
        return Qt::SizeFDiagCursor;
    case HitTest::TopRight:
    case HitTest::BottomLeft:
        return Qt::SizeBDiagCursor;
    case HitTest::Left:
    case HitTest::Right:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

Press pressAction(int button, float y, bool borderless, bool moveAllowed, bool resizeAllowed)
{
    if (!borderless || button != 1)
        return Press::Nothing;
    if (y > DragBandBottom || y < DragBandTop)
        return resizeAllowed ? Press::Resize : Press::Nothing;
    return moveAllowed ? Press::Move : Press::Nothing;
}

int tileSteps(int clientEdge, int tileLength)
{
    return checkedDivide(clientEdge, tileLength);
}

QList<FrameStep> frameSteps(int r, int b, const QSize (&p)[8])
{
    return {
        {TopForm, QRect(0, 0, r, p[TopForm].height()), true},
        {BottomForm, QRect(0, b - p[BottomForm].height(), r, p[BottomForm].height()), true},
        {RightForm, QRect(r - p[RightForm].width(), 0, p[RightForm].width(), b), true},
        {LeftForm, QRect(0, 0, p[LeftForm].width(), b), true},
        {TopLeft, QRect(QPoint(0, 0), p[TopLeft]), false},
        {TopRight, QRect(QPoint(r - p[TopRight].width(), 0), p[TopRight]), false},
        {BottomLeft, QRect(QPoint(0, b - p[BottomLeft].height()), p[BottomLeft]), false},
        {BottomRight, QRect(QPoint(r - p[BottomRight].width(), b - p[BottomRight].height()), p[BottomRight]),
         false},
    };
}

} // namespace SkinGeometry
