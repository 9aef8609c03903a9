#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

// The arithmetic of the image command button, free of widgets; twips.
namespace CmdGeometry {

constexpr QSize NoPictureTwips{600, 300};
constexpr double MaxBoxScaleFactor = 3;

struct Layout
{
    int width = 0;
    int height = 0;
    int pictureWidth = 0; // the box both pictures are stretched to
    int pictureHeight = 0;
    QPointF caption;
};

// Check boxes and option buttons carry their caption right of the picture.
constexpr bool captionBeside(int style)
{
    return style == 5 || style == 6;
}
constexpr bool isCaptionButton(int style)
{
    return style >= 1 && style <= 3;
}

Layout layout(int style, QSize pictureTwips, double scaleFactor, QSizeF captionTwips);

// What the ScaleFactor writer keeps: a check box or option button is at most 3 times its size.
double storedScaleFactor(int style, double value);

} // namespace CmdGeometry
