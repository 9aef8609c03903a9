#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

// A star on white, for the outline a button cuts from its picture.
inline QImage starPicture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 ? 0.22 : 0.48) * size;
        const double a = i * M_PI / 5 - M_PI / 2;
        const QPointF point(size / 2 + r * std::cos(a), size / 2 + r * std::sin(a));
        i ? path.lineTo(point) : path.moveTo(point);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(240, 170, 30));
    p.setPen(QColor(150, 90, 0));
    p.drawPath(path);
    return image;
}
