#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

// The arithmetic of the image command button, free of widgets; twips.
namespace CmdGeometry {

constexpr QSize NoPictureTwips{600, 300};
constexpr int CaptionButtonTop = 55;
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
constexpr bool captionBeside(int style) { return style == 5 || style == 6; }
constexpr bool isCaptionButton(int style) { return style >= 1 && style <= 3; }

Layout layout(int style, QSize pictureTwips, double scaleFactor, QSizeF captionTwips);

// What the ScaleFactor writer keeps: a check box or option button is at most 3 times its size.
double storedScaleFactor(int style, double value);

// Left edge of a caption button (styles 1 to 3: close, maximise, minimise) in a
// window `windowWidth` wide: 90 twips from the right, each one width further left.
int captionButtonLeft(int style, int windowWidth, int ownWidth);

} // namespace CmdGeometry
