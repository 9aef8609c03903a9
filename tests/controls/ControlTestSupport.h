#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Pointer events delivered straight to a control, with the button state a person's
// hand would produce (QTest's move does not carry held buttons).
namespace ControlInput {

inline void send(QWidget *w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget *w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, pos, button, button);
}

inline void move(QWidget *w, QPointF pos, Qt::MouseButtons held = Qt::LeftButton)
{
    send(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}

inline void release(QWidget *w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

inline void click(QWidget *w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    press(w, pos, button);
    release(w, pos, button);
}

} // namespace ControlInput
