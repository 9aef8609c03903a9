#include "controls/ProgressGeometry.h"

#include "platform/AppError.h"
#include "platform/Twips.h"

#include <algorithm>

namespace ProgressGeometry {

namespace {
float ratio(qint32 value, qint32 min, qint32 max)
{
    return float(checkedDivide(double(value) - min, double(max) - min));
}

// A stored value far outside its range gives a bar millions of pixels long. Past this
// length only the picture's first pixel reaches any control, so nothing visible changes,
// and rectangles built from it stay clear of integer overflow.
constexpr double longestBar = 1 << 30;

int barLength(double length)
{
    return roundHalfEven(std::clamp(length, -longestBar, longestBar));
}
} // namespace

int horizontalLength(qint32 value, qint32 min, qint32 max, double innerWidth)
{
    return barLength(double(ratio(value, min, max)) * innerWidth);
}

int verticalLength(qint32 value, qint32 min, qint32 max, double innerHeight)
{
    return barLength(-double(ratio(value, min, max)) * (innerHeight - 4));
}

QRect horizontalBar(double innerWidth, double innerHeight, int length)
{
    const int x = innerWidth / 1.3 > length ? 4 : 0;
    return QRect(x, 0, length, roundHalfEven(innerHeight));
}

QRect verticalBar(double innerWidth, double innerHeight, int length)
{
    return QRect(0, roundHalfEven(innerHeight - 4), roundHalfEven(innerWidth), length);
}

void maskSprite(QImage &sprite, QImage &mask)
{
    if (sprite.width() < 2 || sprite.height() < 2)
        throw AppError(AppError::SubscriptOutOfRange,
                       QStringLiteral("The bar picture has no pixel at (1, 1)"));
    sprite = sprite.convertToFormat(QImage::Format_RGB32);
    mask = QImage(sprite.size(), QImage::Format_RGB32);
    const QRgb transparent = sprite.pixel(1, 1) & RGB_MASK;
    for (int y = 0; y < sprite.height(); ++y) {
        auto *spriteLine = reinterpret_cast<QRgb *>(sprite.scanLine(y));
        auto *maskLine = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < sprite.width(); ++x) {
            if ((spriteLine[x] & RGB_MASK) == transparent) {
                maskLine[x] = 0xFFFFFFFF;
                spriteLine[x] = 0xFFFFFFFF;
            } else {
                maskLine[x] = 0xFF000000;
            }
        }
    }
}

} // namespace ProgressGeometry
