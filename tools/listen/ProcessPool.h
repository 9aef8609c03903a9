#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Runs outside programs, a few at a time, and says which ones failed.
class ProcessPool
{
public:
    struct Command
    {
        QString program;
        QStringList arguments;
    };

    explicit ProcessPool(int jobs);
    // True when every command ran and exited with 0; otherwise error() tells the first failure.
    bool run(const std::vector<Command> &commands);
    QString error() const { return m_error; }

private:
    int m_jobs;
    QString m_error;
};
