#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// What a progress display shows: a share of a known total, or, with no total, that work goes on.
struct JobProgress
{
    const std::atomic<qint64> *done = nullptr;
    const std::atomic<qint64> *total = nullptr;
};

// Runs a piece of work on a thread of its own and waits for it while the window's thread
// keeps handling its events: windows paint and timers fire. Meanwhile the person's input
// is held off, the wait cursor shows and, once the work has taken half a second, a
// progress display says what is being done.
class BackgroundJob
{
public:
    static void run(QWidget *owner, const QString &label, const std::function<void()> &work,
                    JobProgress progress = {});

    static constexpr int progressDelayMs = 500;
    static constexpr int progressStepMs = 100;
};
