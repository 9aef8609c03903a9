#include "controls/StretchRop.h"

#include "platform/RasterOps.h"

#include <cstdlib>

void stretchRop(QImage &surface, QRect dest, const QImage &source, quint32 rop)
{
    const int w = std::abs(dest.width());
    const int h = std::abs(dest.height());
    if (w == 0 || h == 0 || source.isNull())
        return;
    QImage scaled = source.convertToFormat(QImage::Format_RGB32)
                        .scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .mirrored(dest.width() < 0, dest.height() < 0);
    const int x = dest.width() < 0 ? dest.x() + dest.width() : dest.x();
    const int y = dest.height() < 0 ? dest.y() + dest.height() : dest.y();
    RasterOps::bitBlt(surface, x, y, w, h, scaled, 0, 0, rop);
}
