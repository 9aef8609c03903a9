#include "platform/WindowCommands.h"

#include "platform/SystemCommandEvent.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

Qt::Edges edgesOf(int hitCode)
{
    switch (hitCode) {
    case HitTest::Left:
        return Qt::LeftEdge;
    case HitTest::Right:
        return Qt::RightEdge;
    case HitTest::Top:
        return Qt::TopEdge;
    case HitTest::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitTest::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitTest::Bottom:
        return Qt::BottomEdge;
    case HitTest::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitTest::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

// Stands in for the window system's modal move or resize loop: follows the pointer
// and eats the window's mouse events until every button is up again, whichever
// button started it (the character window is dragged by any button).
class ManualDrag : public QObject
{
public:
    ManualDrag(QWidget *window, int hitCode, QPoint pressedAt)
        : QObject(window), m_window(window), m_hitCode(hitCode), m_pressedAt(pressedAt),
          m_startGeometry(window->geometry()), m_startPos(window->pos())
    {
        setObjectName(QStringLiteral("vocalino-manual-drag"));
        window->installEventFilter(this);
    }

    void finish()
    {
        m_window->removeEventFilter(this);
        setObjectName(QString()); // no longer counts as a drag under way
        deleteLater();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
            follow(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton)
                return true;
            follow(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            finish();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::Hide:
            finish();
            return false;
        default:
            return false;
        }
    }

private:
    void follow(QPoint global)
    {
        const QPoint delta = global - m_pressedAt;
        if (m_hitCode == HitTest::Caption)
            m_window->move(m_startPos + delta);
        else
            m_window->setGeometry(WindowCommands::resizedGeometry(
                m_startGeometry, delta, m_hitCode, m_window->minimumSize(), m_window->maximumSize()));
    }

    QWidget *m_window;
    int m_hitCode;
    QPoint m_pressedAt;
    QRect m_startGeometry;
    QPoint m_startPos;
};

bool accepted(QWidget *window, int command)
{
    SystemCommandEvent event(command);
    QCoreApplication::sendEvent(window, &event);
    return event.isAccepted();
}

bool start(QWidget *window, int hitCode, QPoint pressedAt)
{
    QPointer<QWidget> guard(window);
    const int command =
        hitCode == HitTest::Caption ? WindowCommands::moveCommand() : WindowCommands::sizeCommand(hitCode);
    if (!accepted(window, command) || !guard)
        return false;
    QWindow *handle = window->windowHandle();
    const bool bySystem =
        handle && (hitCode == HitTest::Caption ? handle->startSystemMove()
                                               : handle->startSystemResize(edgesOf(hitCode)));
    if (bySystem)
        return true;
    // A Wayland compositor ignores a program that moves its own windows: no drag of ours there.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    for (auto *old :
         window->findChildren<QObject *>(QStringLiteral("vocalino-manual-drag"), Qt::FindDirectChildrenOnly))
        static_cast<ManualDrag *>(old)->finish();
    new ManualDrag(window, hitCode, pressedAt);
    return true;
}

} // namespace

namespace WindowCommands {

int moveCommand()
{
    return SystemCommandEvent::MoveCommand + HitTest::Caption;
}

int sizeCommand(int hitCode)
{
    return SystemCommandEvent::SizeCommand + (hitCode - HitTest::Left + 1);
}

bool startMove(QWidget *window, QPoint pressedAt)
{
    return window && start(window, HitTest::Caption, pressedAt);
}

bool startResize(QWidget *window, int hitCode, QPoint pressedAt)
{
    return window && HitTest::isBorder(hitCode) && start(window, hitCode, pressedAt);
}

QRect resizedGeometry(const QRect &start, QPoint delta, int hitCode, QSize minimum, QSize maximum)
{
    const Qt::Edges edges = edgesOf(hitCode);
    const int minW = std::max(1, minimum.width()), minH = std::max(1, minimum.height());
    const int maxW = std::max(minW, maximum.width()), maxH = std::max(minH, maximum.height());
    // 64-bit so that no drag, however far, overflows
    qint64 left = start.left(), top = start.top(), right = qint64(start.left()) + start.width(),
           bottom = qint64(start.top()) + start.height();
    if (edges & Qt::LeftEdge)
        left = std::clamp<qint64>(left + delta.x(), right - maxW, right - minW);
    if (edges & Qt::RightEdge)
        right = std::clamp<qint64>(right + delta.x(), left + minW, left + maxW);
    if (edges & Qt::TopEdge)
        top = std::clamp<qint64>(top + delta.y(), bottom - maxH, bottom - minH);
    if (edges & Qt::BottomEdge)
        bottom = std::clamp<qint64>(bottom + delta.y(), top + minH, top + maxH);
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

bool isDragging(const QWidget *window)
{
    return window &&
           !window
                ->findChildren<QObject *>(QStringLiteral("vocalino-manual-drag"), Qt::FindDirectChildrenOnly)
                .isEmpty();
}

} // namespace WindowCommands
