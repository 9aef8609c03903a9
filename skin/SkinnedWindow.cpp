#include "skin/SkinnedWindow.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>

SkinnedWindow::SkinnedWindow(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true); // MouseMove without a button held, for the resize cursors
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage &SkinnedWindow::surface()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (m_surface.size() != wanted) {
        QImage grown(wanted, QImage::Format_RGB32);
        grown.fill(Qt::black);
        QPainter painter(&grown);
        painter.drawImage(0, 0, m_surface);
        painter.end();
        m_surface = grown;
    }
    return m_surface;
}

void SkinnedWindow::setBorderStyle(int style)
{
    m_borderStyle = style;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, style == 0);
    if (wasVisible)
        show(); // changing the flags hides a window
}

int SkinnedWindow::buttonCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int SkinnedWindow::shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

void SkinnedWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), surface(), event->rect());
}

void SkinnedWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    surface();
    emit Resize();
}

void SkinnedWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit Paint();
}

static float twips(qreal pixels)
{
    return float(pixels * TwipsPerPixel);
}

void SkinnedWindow::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), twips(event->position().x()),
                   twips(event->position().y()));
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), twips(event->position().x()),
                   twips(event->position().y()));
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), twips(event->position().x()),
                 twips(event->position().y()));
}
