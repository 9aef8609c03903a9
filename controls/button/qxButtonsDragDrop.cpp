// qxButtons_H: drag and drop, raised as the OLE events of the same names.
#include "controls/button/qxButtons_H.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>

void qxButtons_H::setOLEDropMode(int mode)
{
    m_oleDropMode = mode;
    setAcceptDrops(mode != 0);
}

void qxButtons_H::OLEDrag()
{
    auto *data = new QMimeData;
    int allowed = int(Qt::CopyAction | Qt::MoveAction);
    emit OLEStartDrag(data, allowed);
    if (data->formats().isEmpty())
        emit OLESetData(data, 1); // asked for text when the start left it empty
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
        int effect = int(action);
        bool defaultCursors = true;
        emit OLEGiveFeedback(effect, defaultCursors);
    });
    const Qt::DropAction result = drag->exec(Qt::DropActions(allowed));
    emit OLECompleteDrag(int(result));
}

void qxButtons_H::dragOver(QDragMoveEvent *event, short state)
{
    int effect = int(event->proposedAction());
    const QPointF pos = event->position();
    emit OLEDragOver(event->mimeData(), effect, short(event->buttons()), vbShift(event->modifiers()),
                     float(pos.x()), float(pos.y()), state);
    if (effect == 0) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::DropAction(effect));
    event->accept();
}

void qxButtons_H::dragEnterEvent(QDragEnterEvent *event)
{
    dragOver(event, 0);
}

void qxButtons_H::dragMoveEvent(QDragMoveEvent *event)
{
    dragOver(event, 2);
}

void qxButtons_H::dragLeaveEvent(QDragLeaveEvent *)
{
    int effect = 0;
    emit OLEDragOver(nullptr, effect, 0, 0, 0.0f, 0.0f, 1);
}

void qxButtons_H::dropEvent(QDropEvent *event)
{
    int effect = int(event->proposedAction());
    const QPointF pos = event->position();
    emit OLEDragDrop(event->mimeData(), effect, short(event->buttons()), vbShift(event->modifiers()),
                     float(pos.x()), float(pos.y()));
    event->setDropAction(Qt::DropAction(effect));
    event->accept();
}
