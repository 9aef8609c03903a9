#include "controls/ScrollGeometry.h"

#include "platform/AppError.h"
#include "platform/Twips.h"

#include <algorithm>
#include <limits>

namespace ScrollGeometry {

Elements layout(bool horizontal, QSizeF inner, int thicknessTwips)
{
    const double k = roundHalfEven(thicknessTwips / 50.0);
    const double W = inner.width();
    const double H = inner.height();
    Elements e;
    if (horizontal) {
        const double height = H - k;
        const double width = height * 4 / 3.2;
        const double top = (H - height) / 2;
        e.trailing = QRectF(W - (width + 2), top, width, height);
        e.leading = QRectF(2, top, width, height);
        e.thumb = QSizeF(width, height);
    } else {
        const double width = W - k;
        const double height = width * 4 / 3.5;
        const double left = (W - width) / 2;
        e.trailing = QRectF(left, H - height - 2, width, height);
        e.leading = QRectF(left, 2, width, height);
        e.thumb = QSizeF(width, height);
    }
    return e;
}

double leadingBound(bool horizontal, const Elements &e)
{
    return horizontal ? e.leading.left() + e.leading.width() : e.leading.top() + e.leading.height();
}

double trailingBound(bool horizontal, const Elements &e)
{
    return horizontal ? e.trailing.left() - e.thumb.width() : e.trailing.top() - e.thumb.height();
}

double thumbEdge(qint32 value, qint32 min, qint32 max, double lead, double trail)
{
    const double ratio = checkedDivide(double(value) - min, double(max) - min);
    return lead + ratio * (trail - lead);
}

qint32 dragValue(int t, int d, int f, qint32 min, qint32 max)
{
    const double ratio = checkedDivide(double(t) - d, double(f) - d);
    return roundHalfEven(ratio * (double(max) - min) + min);
}

qint32 clampValue(qint64 value, qint32 min, qint32 max)
{
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    return qint32(value);
}

qint32 addClamped(qint32 value, qint64 delta)
{
    constexpr qint64 low = std::numeric_limits<qint32>::min();
    constexpr qint64 high = std::numeric_limits<qint32>::max();
    return qint32(std::clamp(qint64(value) + delta, low, high));
}

int limitPixels(int pixels, int limitTwips)
{
    return pixelsToTwips(pixels) > limitTwips ? limitTwips / TwipsPerPixel : pixels;
}

QSize limitThickness(QSize outer, bool horizontal, int limitTwips)
{
    return horizontal ? QSize(outer.width(), limitPixels(outer.height(), limitTwips))
                      : QSize(limitPixels(outer.width(), limitTwips), outer.height());
}

} // namespace ScrollGeometry
