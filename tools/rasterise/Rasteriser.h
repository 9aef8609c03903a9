#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <optional>

// One picture to make: an SVG drawn at an exact size into a bitmap of an exact depth.
struct RasterJob
{
    QString source;
    QString target;
    int width = 0;
    int height = 0;
    int depth = 24;          // 24 (RGB32 written as a 24-bit file), 8 (palette) or 32 (PNG with alpha)
    std::optional<QRgb> key; // colour of the see-through parts; edges are made crisp against it
};

// Parses "SOURCE TARGET WIDTHxHEIGHT DEPTH [key=RRGGBB]"; nothing on malformed input.
std::optional<RasterJob> parseRasterJob(const QStringList &arguments);

// Draws the SVG on a transparent canvas; a null image when it cannot be read.
QImage renderSvgWithAlpha(const QString &source, int width, int height);

// Draws the SVG; a null image when it cannot be read.
QImage renderSvg(const QString &source, int width, int height, std::optional<QRgb> key);

// At most 256 colours: exact when the picture has no more, else the most used ones.
QImage toPalette(const QImage &image);

// Keyed pixels become the key wherever they are more than half transparent.
QImage flattenOnKey(const QImage &argb, QRgb key);

bool writeBitmap(const RasterJob &job, QString *error);
