#include "app/character/transparent.h"

#include "skin/PictureBox.h"

std::vector<QRect> opaqueRuns(const QImage &picture)
{
    std::vector<QRect> runs;
    if (picture.isNull())
        return runs;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const QRgb transparent = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == transparent)
                ++x;
            const int start = x;
            while (x < width && row[x] != transparent)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
    }
    return runs;
}

QRegion RegionFromPicture(const QImage &picture)
{
    const std::vector<QRect> runs = opaqueRuns(picture);
    QRegion region;
    // The runs are disjoint and sorted by row then column, as setRects wants them.
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

QRegion RegionFromPicture(const PictureBox &picture) { return RegionFromPicture(picture.Image()); }
