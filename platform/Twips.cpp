#include "platform/Twips.h"

#include <cmath>
#include <limits>

qint32 roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default mode rounds half to even
    if (rounded >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (rounded <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(rounded);
}

int twipsToPixels(double twips) { return roundHalfEven(twips / TwipsPerPixel); }
