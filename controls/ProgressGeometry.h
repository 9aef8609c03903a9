#pragma once

#include <QImage>
#include <QRect>
#include <QtGlobal>

// The arithmetic of the skinned progress bar, free of widgets; pixels.
namespace ProgressGeometry {

constexpr int MaxThicknessTwips = 400;

// Bar length: the ratio is held in single precision; throws error 11 when max equals min.
int horizontalLength(qint32 value, qint32 min, qint32 max, double innerWidth);
// Zero or negative: the vertical bar runs upwards from its base line.
int verticalLength(qint32 value, qint32 min, qint32 max, double innerHeight);

// A bar shorter than about 77 % of the width starts 4 pixels in.
QRect horizontalBar(double innerWidth, double innerHeight, int length);
// From the base line 4 pixels above the bottom, with the (negative) length as height.
QRect verticalBar(double innerWidth, double innerHeight, int length);

// Turns the bar picture into a sprite and its mask: the colour at (1, 1) is the
// transparent one; there the mask and the sprite become white, elsewhere the mask is
// black and the sprite keeps its colour. Both images become RGB32 of the sprite's size.
// A picture without a pixel at (1, 1) throws error 9.
void maskSprite(QImage &sprite, QImage &mask);

} // namespace ProgressGeometry
