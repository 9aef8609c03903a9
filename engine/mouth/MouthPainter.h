#pragma once

#include "engine/mouth/Viseme.h"

#include <QImage>

// Draws the cartoon mouth: lips, teeth and tongue in the given shape.
namespace MouthPainter {
// `openness` (0..1) lets the jaw move smoothly between shapes.
void paint(QImage &surface, Viseme shape, double openness);
QImage render(QSize size, Viseme shape, double openness);
} // namespace MouthPainter
