#include "skin/PictureBox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_image = QImage(picture.size(), QImage::Format_RGB32);
    m_image.fill(toQColor(m_backColor));
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, picture);
    painter.end();
    resize(picture.size());
    update();
}

void PictureBox::setBackColor(OleColor colour)
{
    m_backColor = colour;
    update();
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_image.size() == size())
        return;
    QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(toQColor(m_backColor));
    QPainter painter(&grown);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = grown;
}

OleColor PictureBox::Point(int x, int y) const
{
    return pixelColour(m_image, x, y);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
    painter.drawImage(0, 0, m_image);
}

OleColor pixelColour(const QImage &image, int x, int y)
{
    if (!image.valid(x, y))
        return InvalidColour;
    const QRgb rgb = image.pixel(x, y);
    return oleRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
