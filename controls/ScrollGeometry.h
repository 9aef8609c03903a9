#pragma once

#include <QRectF>
#include <QSize>
#include <QtGlobal>

// The arithmetic of the skinned scroll bar, free of widgets. Element boxes are in
// pixels inside the control and kept fractional; the control rounds them to draw.
namespace ScrollGeometry {

constexpr int MaxThicknessTwips = 350;

struct Elements
{
    QRectF leading;  // ImgLeft: left arrow, or top arrow when vertical
    QRectF trailing; // ImgRight: right arrow, or bottom arrow
    QSizeF thumb;    // the thumb's size; its leading edge comes from thumbEdge()
};

// `inner` is the inner size in pixels, `thicknessTwips` the outer height (horizontal)
// or width (vertical) in twips after the 350-twip limit.
Elements layout(bool horizontal, QSizeF inner, int thicknessTwips);

// Far edge of the leading arrow, and the near edge of the trailing arrow minus the thumb.
double leadingBound(bool horizontal, const Elements &elements);
double trailingBound(bool horizontal, const Elements &elements);

// The thumb's leading edge for `value`; throws error 11 when max equals min.
double thumbEdge(qint32 value, qint32 min, qint32 max, double lead, double trail);

// The value a thumb dragged to `t` stands for; throws error 11 when the track has no
// free length (d equal to f).
qint32 dragValue(int t, int d, int f, qint32 min, qint32 max);

// Raised to min first, then lowered to max: with min above max the result is max.
qint32 clampValue(qint64 value, qint32 min, qint32 max);

// value + delta done wide and clamped to the 32-bit range.
qint32 addClamped(qint32 value, qint64 delta);

// Whole pixels of an outer size limited to `limitTwips` (the largest not above it).
int limitPixels(int pixels, int limitTwips);
// The outer size with its thickness (height when horizontal, width when vertical) limited.
QSize limitThickness(QSize outer, bool horizontal, int limitTwips);

} // namespace ScrollGeometry
