// Presses, releases and pointer moves of UcCmd.
#include "controls/UcCmd.h"

#include "platform/Twips.h"
#include "skin/SkinSet.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
bool isPushStyle(int style)
{
    return style >= 0 && style <= 4;
}

qint16 buttonCode(Qt::MouseButtons buttons)
{
    return qint16((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                  (buttons & Qt::MiddleButton ? 4 : 0));
}

qint16 shiftCode(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                  (modifiers & Qt::AltModifier ? 4 : 0));
}
} // namespace

// The caption lies over the pictures, the down picture over the up picture.
UcCmd::Element UcCmd::elementAt(QPointF pos) const
{
    if (m_captionShown && captionBox().contains(pos.toPoint()))
        return Element::Label1;
    if (m_downShown && pictureBox().contains(pos.toPoint()))
        return Element::ImgDN;
    if (m_upShown && pictureBox().contains(pos.toPoint()))
        return Element::ImgUP;
    return Element::None;
}

// The element pressed keeps the pointer until every button is up, as a captured
// window would; its release comes wherever the pointer is then.
void UcCmd::mousePressEvent(QMouseEvent *event)
{
    if (m_pressed != Element::None)
        return;
    m_pressed = elementAt(event->position());
    switch (m_pressed) {
    case Element::ImgUP:
        pressUp();
        break;
    case Element::ImgDN:
        pressDown();
        break;
    case Element::Label1:
        if (isPushStyle(m_style))
            pressUp();
        break;
    case Element::None:
        break;
    }
}

void UcCmd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton)
        return;
    const Element released = std::exchange(m_pressed, Element::None);
    if ((released == Element::ImgUP || released == Element::Label1) && isPushStyle(m_style))
        releaseUp();
}

void UcCmd::mouseMoveEvent(QMouseEvent *event)
{
    const Element over = m_pressed != Element::None ? m_pressed : elementAt(event->position());
    if (over == Element::ImgUP)
        moveOverUp(event);
    else if (over == Element::None)
        moveOverSurface(event);
}

void UcCmd::pressUp()
{
    if (isPushStyle(m_style)) {
        showUp(false);
        setCaptionColour(SkinSet::colour(SkinSet::PressedColour));
    } else if (m_style == 5) {
        setValue(true);
        showUp(false);
    } else if (m_style == 6) {
        ResetParent();
        setValue(true);
        showUp(false);
    }
}

void UcCmd::pressDown()
{
    if (m_style != 5)
        return;
    setValue(false);
    showUp(true);
    setCaptionColour(SkinSet::colour(SkinSet::RestingColour));
}

void UcCmd::releaseUp()
{
    showUp(true);
    setCaptionColour(SkinSet::colour(SkinSet::RestingColour));
    emit Click();
}

// Moving over the picture undoes a resize cursor the skinned frame set on the window.
void UcCmd::moveOverUp(QMouseEvent *event)
{
    window()->unsetCursor();
    raiseMouseMove(event);
}

void UcCmd::moveOverSurface(QMouseEvent *event)
{
    unsetCursor();
    raiseMouseMove(event);
}

void UcCmd::raiseMouseMove(QMouseEvent *event)
{
    const QPointF pos = event->position() * TwipsPerPixel;
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(pos.x()),
                   float(pos.y()));
}

void UcCmd::Press()
{
    if (!isEnabled())
        return;
    if (isPushStyle(m_style))
        releaseUp();
    else if (m_style == 5 && m_value)
        pressDown();
    else
        pressUp();
}

void UcCmd::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        Press();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UcCmd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    compose();
}

void UcCmd::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    compose();
}
