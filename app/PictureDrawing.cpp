#include "app/PictureDrawing.h"

#include "skin/PictureBox.h"

#include <QPainter>

void clearDrawing(PictureBox &box)
{
    QImage &image = box.Image();
    if (image.size() != box.size() || image.format() != QImage::Format_RGB32)
        image = QImage(box.size(), QImage::Format_RGB32);
    image.fill(toQColor(box.BackColor()));
    if (!box.Picture().isNull()) {
        QPainter painter(&image);
        painter.drawImage(0, 0, box.Picture());
    }
    box.update();
}
