#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <Qt>

// The skinned frame's fixed geometry, free of any window so that tests can call it.
namespace SkinGeometry {

// Margin of the resize zones and the drag band below the top edge, in twips.
constexpr float ZoneMargin = 60.0f;
constexpr float DragBandTop = 60.0f;
constexpr float DragBandBottom = 250.0f;

// The hit-test code of the zone at (x, y) of a w by h window, all in twips.
int hitZone(float x, float y, float w, float h);
Qt::CursorShape zoneCursor(int hitCode); // Qt::ArrowCursor for the client zone

enum class Press { Nothing, Move, Resize };
// What a press does: only the left button (code 1) on a borderless window acts.
Press pressAction(int button, float y, bool borderless, bool moveAllowed, bool resizeAllowed);

// Columns or rows of tiles for a client edge: one more than fit whole. Throws AppError 11
// for an empty tile.
int tileSteps(int clientEdge, int tileLength);

// The eight frame pieces in drawing order, and where each lands in an R by B client area.
enum FramePiece { TopForm, BottomForm, RightForm, LeftForm, TopLeft, TopRight, BottomLeft, BottomRight };
struct FrameStep
{
    FramePiece piece;
    QRect target;
    bool stretched;
};
// `pieces` holds the sizes of the eight pieces indexed by FramePiece.
QList<FrameStep> frameSteps(int right, int bottom, const QSize (&pieces)[8]);

// Top and left, in twips, of a caption control of width w on a window of width W;
// `slot` 1 close, 2 maximise, 3 minimise.
constexpr int CaptionTop = 55;
constexpr int captionLeft(int windowWidth, int controlWidth, int slot)
{
    return windowWidth - slot * controlWidth - 90;
}

} // namespace SkinGeometry
