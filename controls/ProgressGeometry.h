#pragma once

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

} // namespace ProgressGeometry
