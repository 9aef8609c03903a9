#include "controls/StretchRop.h"

#include "platform/RasterOps.h"

#include <algorithm>
#include <vector>

namespace {
// Source index of each visible destination pixel, nearest by pixel centres. Only the
// visible span is mapped, so a picture stretched far past the surface costs no more
// than the surface itself.
std::vector<int> nearestIndices(qint64 visibleFrom, qint64 visibleTo, qint64 length, int sourceLength,
                                bool mirrored)
{
    std::vector<int> indices;
    indices.reserve(size_t(visibleTo - visibleFrom));
    for (qint64 i = visibleFrom; i < visibleTo; ++i) {
        const qint64 stretched = mirrored ? length - 1 - i : i; // stretched first, then flipped
        indices.push_back(int(((2 * stretched + 1) * sourceLength) / (2 * length)));
    }
    return indices;
}
} // namespace

void stretchRop(QImage &surface, QRect dest, const QImage &source, quint32 rop)
{
    const qint64 w = qAbs(qint64(dest.width()));
    const qint64 h = qAbs(qint64(dest.height()));
    if (w == 0 || h == 0 || source.isNull() || surface.isNull())
        return;
    const qint64 left = dest.width() < 0 ? qint64(dest.x()) + dest.width() : dest.x();
    const qint64 top = dest.height() < 0 ? qint64(dest.y()) + dest.height() : dest.y();
    // The part of the stretched picture that lands on the surface.
    const qint64 fromX = std::clamp<qint64>(-left, 0, w),
                 toX = std::clamp<qint64>(surface.width() - left, 0, w);
    const qint64 fromY = std::clamp<qint64>(-top, 0, h),
                 toY = std::clamp<qint64>(surface.height() - top, 0, h);
    if (fromX >= toX || fromY >= toY)
        return;
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const std::vector<int> columns = nearestIndices(fromX, toX, w, picture.width(), dest.width() < 0);
    const std::vector<int> rows = nearestIndices(fromY, toY, h, picture.height(), dest.height() < 0);
    QImage visible(int(toX - fromX), int(toY - fromY), QImage::Format_RGB32);
    for (int y = 0; y < visible.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(picture.constScanLine(rows[size_t(y)]));
        auto *to = reinterpret_cast<QRgb *>(visible.scanLine(y));
        for (int x = 0; x < visible.width(); ++x)
            to[x] = from[columns[size_t(x)]];
    }
    RasterOps::bitBlt(surface, int(left + fromX), int(top + fromY), visible.width(), visible.height(),
                      visible, 0, 0, rop);
}
