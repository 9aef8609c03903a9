#include "controls/ProgressGeometry.h"

#include "platform/AppError.h"
#include "platform/Twips.h"

namespace ProgressGeometry {

namespace {
float ratio(qint32 value, qint32 min, qint32 max)
{
    return float(checkedDivide(double(value) - min, double(max) - min));
}
} // namespace

int horizontalLength(qint32 value, qint32 min, qint32 max, double innerWidth)
{
    return roundHalfEven(double(ratio(value, min, max)) * innerWidth);
}

int verticalLength(qint32 value, qint32 min, qint32 max, double innerHeight)
{
    return roundHalfEven(-double(ratio(value, min, max)) * (innerHeight - 4));
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

} // namespace ProgressGeometry
