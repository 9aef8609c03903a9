#include "controls/CmdGeometry.h"

#include "platform/Twips.h"

namespace CmdGeometry {

Layout layout(int style, QSize pictureTwips, double scaleFactor, QSizeF captionTwips)
{
    Layout out;
    out.pictureWidth = roundHalfEven(pictureTwips.width() * scaleFactor);
    out.pictureHeight = roundHalfEven(pictureTwips.height() * scaleFactor);
    out.height = out.pictureHeight;
    const double top = (out.pictureHeight - captionTwips.height()) / 2;
    if (captionBeside(style)) {
        out.caption = QPointF(out.pictureWidth + 20, top);
        out.width = roundHalfEven(out.pictureWidth + 20 + captionTwips.width());
    } else {
        out.caption = QPointF((out.pictureWidth - captionTwips.width()) / 2, top);
        out.width = out.pictureWidth;
    }
    return out;
}

double storedScaleFactor(int style, double value)
{
    return captionBeside(style) && value > MaxBoxScaleFactor ? MaxBoxScaleFactor : value;
}

} // namespace CmdGeometry
