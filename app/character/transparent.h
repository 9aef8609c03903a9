#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <vector>

class PictureBox;

// The runs of a picture that are not its transparent colour, the colour of pixel (0, 0):
// one rectangle of height 1 per run, rows top to bottom, runs left to right. A run ends
// before the next transparent pixel or at the row's right edge, never in the next row.
std::vector<QRect> opaqueRuns(const QImage &picture);

// The window shape of a picture: the union of its opaque runs; empty for a picture
// made only of the transparent colour.
QRegion RegionFromPicture(const QImage &picture);
QRegion RegionFromPicture(const PictureBox &picture);
