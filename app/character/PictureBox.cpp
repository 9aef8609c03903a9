#include "app/character/PictureBox.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(OleColor color)
{
    m_backColor = color;
    Cls();
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
    Cls();
}

double PictureBox::ScaleWidth() const
{
    return m_scaleInPixels ? width() : pixelsToTwips(width());
}

double PictureBox::ScaleHeight() const
{
    return m_scaleInPixels ? height() : pixelsToTwips(height());
}

void PictureBox::Cls()
{
    if (m_surface.size() != size())
        m_surface = QImage(size(), QImage::Format_RGB32);
    m_surface.fill(toQColor(m_backColor));
    if (!m_picture.isNull()) {
        QPainter painter(&m_surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_picture);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Cls();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event->button(), event->position().toPoint());
}
