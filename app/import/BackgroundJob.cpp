#include "app/import/BackgroundJob.h"

#include "app/import/UserInputBlocker.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Shown only when the work lasts: a short job never flashes a window.
class ProgressDisplay
{
public:
    ProgressDisplay(QWidget *owner, const QString &label, JobProgress progress)
        : m_owner(owner), m_label(label), m_progress(progress)
    {
        m_delay.setSingleShot(true);
        QObject::connect(&m_delay, &QTimer::timeout, [this] { show(); });
        QObject::connect(&m_step, &QTimer::timeout, [this] { update(); });
        m_delay.start(BackgroundJob::progressDelayMs);
    }
    ~ProgressDisplay() { delete m_dialog; }
    ProgressDisplay(const ProgressDisplay &) = delete;
    ProgressDisplay &operator=(const ProgressDisplay &) = delete;

private:
    static constexpr int scale = 1000;

    void show()
    {
        m_dialog = new QProgressDialog(m_owner);
        m_dialog->setObjectName(QStringLiteral("backgroundJobProgress"));
        m_dialog->setWindowTitle(QStringLiteral("Vocalino 5.0"));
        m_dialog->setLabelText(m_label);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setWindowModality(Qt::WindowModal);
        update();
        m_dialog->show();
        m_step.start(BackgroundJob::progressStepMs);
    }

    void update()
    {
        const qint64 total = m_progress.total ? m_progress.total->load() : 0;
        if (total <= 0 || !m_progress.done) {
            m_dialog->setRange(0, 0); // busy: how long is not known
            return;
        }
        m_dialog->setRange(0, scale);
        m_dialog->setValue(int(std::min<qint64>(scale, m_progress.done->load() * scale / total)));
    }

    QPointer<QWidget> m_owner;
    QString m_label;
    JobProgress m_progress;
    QTimer m_delay;
    QTimer m_step;
    QPointer<QProgressDialog> m_dialog; // the owner may take it along
};
} // namespace

void BackgroundJob::run(QWidget *owner, const QString &label, const std::function<void()> &work,
                        JobProgress progress)
{
    WaitCursor wait;
    UserInputBlocker noInput;
    ProgressDisplay display(owner, label, progress);
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(work));
    // Queued: a job that ends before the loop starts still ends it.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
}
