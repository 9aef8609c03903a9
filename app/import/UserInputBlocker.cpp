#include "app/import/UserInputBlocker.h"

#include <QCoreApplication>
#include <QEvent>

UserInputBlocker::UserInputBlocker()
{
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputBlocker::~UserInputBlocker()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool UserInputBlocker::isUserInput(int eventType)
{
    switch (eventType) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool UserInputBlocker::eventFilter(QObject *, QEvent *event)
{
    if (isUserInput(event->type())) {
        event->ignore();
        return true;
    }
    return false;
}
