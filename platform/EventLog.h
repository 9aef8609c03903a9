#pragma once

#include <QString>

// The application event log. Type 1 is an error.
class EventLog
{
public:
    virtual ~EventLog() = default;
    virtual void write(const QString &text, qint32 type) = 0;

    static EventLog &current();
    // Not owned; nullptr puts the system log back.
    static void install(EventLog *log);
};

// syslog(3) under the identity "vocalino".
class SyslogEventLog : public EventLog
{
public:
    void write(const QString &text, qint32 type) override;
};
