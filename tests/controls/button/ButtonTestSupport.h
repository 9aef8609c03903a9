#pragma once

#include "controls/button/qxButtons_H.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

// A form designer or a running form, as the button's host sees it.
class TestAmbient : public qxButtons_H::Ambient
{
public:
    explicit TestAmbient(bool userMode) : user(userMode) {}
    bool UserMode() const override { return user; }
    QString DisplayName() const override { return QStringLiteral("qxButtons1"); }
    OleColor BackColor() const override { return back; }
    bool DisplayAsDefault() const override { return asDefault; }

    bool user;
    OleColor back = 0x8000000F;
    bool asDefault = false;
};

// A shown form holding buttons; the cursor can be put over any of them.
struct Form
{
    Form()
    {
        window.resize(400, 300);
        window.move(0, 0);
    }
    qxButtons_H *add(QRect geometry, qxButtons_H::Ambient *ambient = nullptr)
    {
        auto *button = new qxButtons_H(&window, ambient);
        button->setGeometry(geometry);
        return button;
    }
    void show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
    QWidget window;
};

inline void moveOver(qxButtons_H *button, QPoint local)
{
    QCursor::setPos(button->mapToGlobal(local));
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(button->mapToGlobal(local)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
}

inline void hover(qxButtons_H *button)
{
    moveOver(button, button->rect().center());
}

inline QRgb pixel(const qxButtons_H *button, int x, int y)
{
    return button->surface().pixel(x, y) & 0xFFFFFF;
}
inline QRgb rgbOf(OleColor color)
{
    return toQColor(color).rgb() & 0xFFFFFF;
}
