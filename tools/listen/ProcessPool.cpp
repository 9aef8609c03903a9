#include "tools/listen/ProcessPool.h"

#include <QProcess>

#include <deque>
#include <memory>

namespace {
QString failure(QProcess &process, const ProcessPool::Command &command)
{
    const QString what = command.program + u' ' + command.arguments.join(u' ');
    if (process.error() == QProcess::FailedToStart)
        return QStringLiteral("cannot start %1").arg(command.program);
    return QStringLiteral("%1 failed: %2")
        .arg(what, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
}
} // namespace

ProcessPool::ProcessPool(int jobs) : m_jobs(std::max(1, jobs)) {}

bool ProcessPool::run(const std::vector<Command> &commands)
{
    m_error.clear();
    std::deque<std::pair<std::unique_ptr<QProcess>, const Command *>> running;
    auto finishOldest = [&] {
        auto [process, command] = std::move(running.front());
        running.pop_front();
        process->waitForFinished(-1);
        const bool ok = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0 &&
                        process->error() == QProcess::UnknownError;
        if (!ok && m_error.isEmpty())
            m_error = failure(*process, *command);
    };
    for (const Command &command : commands) {
        if (int(running.size()) == m_jobs)
            finishOldest();
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(command.program, command.arguments);
        running.emplace_back(std::move(process), &command);
    }
    while (!running.empty())
        finishOldest();
    return m_error.isEmpty();
}
