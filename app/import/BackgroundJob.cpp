#include "app/import/BackgroundJob.h"

#include "app/import/UserInputBlocker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

// Shown only when the work lasts: a short job never flashes a window.
class ProgressDisplay
{
public:
    ProgressDisplay(QWidget *owner, const QString &label) : m_owner(owner), m_label(label)
    {
        m_delay.setSingleShot(true);
        QObject::connect(&m_delay, &QTimer::timeout, [this] { show(); });
        QObject::connect(&m_step, &QTimer::timeout, [this] { update(); });
        m_delay.start(BackgroundJob::progressDelayMs);
    }
    ~ProgressDisplay() { delete m_dialog; }
    ProgressDisplay(const ProgressDisplay &) = delete;
    ProgressDisplay &operator=(const ProgressDisplay &) = delete;

    void follow(JobProgress progress)
    {
        m_progress = progress;
        if (m_dialog)
            update();
    }

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

BackgroundJob::BackgroundJob(QWidget *owner, const QString &label)
    : m_noInput(std::make_unique<UserInputBlocker>()),
      m_display(std::make_unique<ProgressDisplay>(owner, label))
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BackgroundJob::~BackgroundJob()
{
    QGuiApplication::restoreOverrideCursor();
}

void BackgroundJob::runOffThread(const std::function<void()> &work, JobProgress progress)
{
    m_display->follow(progress);
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(work));
    // Queued: a job that ends before the loop starts still ends it.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
}

void BackgroundJob::runInSteps(const std::function<bool()> &step, JobProgress progress)
{
    m_display->follow(progress);
    while (step())
        QCoreApplication::processEvents();
}

void BackgroundJob::run(QWidget *owner, const QString &label, const std::function<void()> &work,
                        JobProgress progress)
{
    BackgroundJob(owner, label).runOffThread(work, progress);
}
