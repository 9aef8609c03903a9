#include "platform/EventLog.h"

#include <syslog.h>

namespace {
EventLog *installedLog = nullptr;

int priorityOf(qint32 type)
{
    switch (type) {
    case 1: return LOG_ERR;
    case 2: return LOG_WARNING;
    default: return LOG_INFO;
    }
}
} // namespace

EventLog &EventLog::current()
{
    static SyslogEventLog systemLog;
    return installedLog ? *installedLog : systemLog;
}

void EventLog::install(EventLog *log) { installedLog = log; }

void SyslogEventLog::write(const QString &text, qint32 type)
{
    static bool opened = false;
    if (!opened) {
        openlog("vocalino", LOG_PID, LOG_USER);
        opened = true;
    }
    syslog(priorityOf(type), "%s", text.toUtf8().constData());
}
