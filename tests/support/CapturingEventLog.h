#pragma once

#include "platform/EventLog.h"

#include <QList>

// Keeps what would have gone to the system log.
class CapturingEventLog : public EventLog
{
public:
    struct Entry
    {
        QString text;
        qint32 type;
    };

    CapturingEventLog() { EventLog::install(this); }
    ~CapturingEventLog() override { EventLog::install(nullptr); }
    void write(const QString &text, qint32 type) override { entries.append({text, type}); }

    QList<Entry> entries;
};
