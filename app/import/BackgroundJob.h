#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QWidget;
class ProgressDisplay;
class UserInputBlocker;

// What a progress display shows: a share of a known total, or, with no total, that work goes on.
struct JobProgress
{
    const std::atomic<qint64> *done = nullptr;
    const std::atomic<qint64> *total = nullptr;
};

// Long work done while the window's thread keeps handling its events: windows paint and
// timers fire. While the job lives, the person's input is held off, the wait cursor shows
// and, once it has taken half a second, a progress display says what is being done.
class BackgroundJob
{
public:
    BackgroundJob(QWidget *owner, const QString &label);
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob &) = delete;
    BackgroundJob &operator=(const BackgroundJob &) = delete;

    // Runs `work` on a thread of its own and returns when it has ended.
    void runOffThread(const std::function<void()> &work, JobProgress progress = {});
    // Calls `step` on this thread, handling events between calls, until it returns false:
    // for work that must be done here (on widgets) but comes in short steps.
    void runInSteps(const std::function<bool()> &step, JobProgress progress = {});

    // runOffThread under a job of its own.
    static void run(QWidget *owner, const QString &label, const std::function<void()> &work,
                    JobProgress progress = {});

    static constexpr int progressDelayMs = 500;
    static constexpr int progressStepMs = 100;

private:
    std::unique_ptr<UserInputBlocker> m_noInput;
    std::unique_ptr<ProgressDisplay> m_display;
};
