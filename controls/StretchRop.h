#pragma once

#include <QImage>
#include <QRect>

// StretchBlt with a raster operation: the whole of `source` stretched (nearest
// pixel) to `dest`, whose negative width or height mirrors the picture, as GDI does.
void stretchRop(QImage &surface, QRect dest, const QImage &source, quint32 rop);
