#pragma once

#include <QImage>
#include <QRect>
#include <vector>

// The track behind the scroll bar's thumb and the progress bar's bar: a tile
// repeated along the control and two end caps, each stretched whole.
namespace Trough {

enum class Slot { Tile, LeadCap, EndCap };

struct Piece
{
    Slot slot;
    QRect dest; // pixels on the control's surface
};

// In drawing order. Horizontal: n + 1 tiles (n = w / tile width, rounded) then the
// caps drawn 1.2 times their width, the right one first unless the control has a
// border (which also makes them 2 pixels lower). Vertical: tiles, then the end cap
// at the top and the lead cap at the bottom. Throws error 11 for a tile of no length.
std::vector<Piece> layout(bool horizontal, QSize inner, QSize tile, QSize leadCap, QSize endCap,
                          bool bordered);

// Draws each piece with an opaque nearest-pixel stretch of the whole source.
void paint(QImage &surface, const std::vector<Piece> &pieces, const QImage &tile, const QImage &leadCap,
           const QImage &endCap);

} // namespace Trough
