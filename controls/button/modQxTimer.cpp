#include "controls/button/modQxTimer.h"

#include "controls/button/qxButtons_H.h"
#include "platform/SystemCommandEvent.h"

#include <QPointer>
#include <QTimer>

namespace {
const char *const sizeLockName = "lpPrevWndFunc";

QString timerName(int id)
{
    return QStringLiteral("qx_Timer%1").arg(id);
}

// Stands in for the replaced window procedure: eats the size command.
class SizeLock : public QObject
{
public:
    explicit SizeLock(QObject *parent) : QObject(parent) { setObjectName(QLatin1String(sizeLockName)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == SystemCommandEvent::eventType() &&
            static_cast<SystemCommandEvent *>(event)->isSizeCommand()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void modQxTimer::SetTimer(QWidget *window, int id, int interval)
{
    if (!window)
        return;
    auto *timer = window->findChild<QTimer *>(timerName(id), Qt::FindDirectChildrenOnly);
    if (!timer) {
        timer = new QTimer(window); // owned by the window: it dies with it
        timer->setObjectName(timerName(id));
        QObject::connect(timer, &QTimer::timeout, window, [window] { TimerProc(window); });
    }
    timer->start(interval);
}

void modQxTimer::KillTimer(QWidget *window, int id)
{
    if (!window)
        return;
    if (auto *timer = window->findChild<QTimer *>(timerName(id), Qt::FindDirectChildrenOnly)) {
        timer->stop();
        timer->setObjectName(QString()); // a new timer may start before this one is gone
        timer->deleteLater();            // we may be inside its own tick
    }
}

bool modQxTimer::TimerRunning(const QWidget *window, int id)
{
    const auto *timer =
        window ? window->findChild<QTimer *>(timerName(id), Qt::FindDirectChildrenOnly) : nullptr;
    return timer && timer->isActive();
}

void modQxTimer::TimerProc(QWidget *window)
{
    if (!window)
        return;
    const QPointer<qxButtons_H> button = window->property("qx_ClassID").value<QPointer<qxButtons_H>>();
    const int id = window->property("qx_TimerID").toInt();
    if (button)
        button->HoverTimerTick(id);
}

void modQxTimer::FixWindowSize(QWidget *window)
{
    if (!window || WindowSizeFixed(window))
        return;
    window->installEventFilter(new SizeLock(window));
}

void modQxTimer::ReleaseWindowSize(QWidget *window)
{
    if (!window)
        return;
    delete window->findChild<QObject *>(QLatin1String(sizeLockName), Qt::FindDirectChildrenOnly);
}

bool modQxTimer::WindowSizeFixed(const QWidget *window)
{
    return window && window->findChild<QObject *>(QLatin1String(sizeLockName), Qt::FindDirectChildrenOnly);
}
