#pragma once

#include "platform/AppError.h"

#include <QString>
#include <exception>
#include <functional>

// Shows "ERROR - n - procedure - module" with an OK button and the warning icon,
// then writes the same to the event log. A failure inside is dropped.
void ReportError(qint32 number, const QString &description, const QString &procedure,
                 const QString &module, qint32 logType = 1, const QString &extra = {});

QString reportErrorTitle(qint32 number, const QString &procedure, const QString &module);
QString reportErrorMessage(qint32 number, const QString &description, const QString &extra = {});

// Runs a procedure that catches every failure and reports it: on failure the
// rest of the body is skipped and false comes back. `ignore` lets a caller drop
// one error number silently (it still ends the body).
bool runReported(const QString &procedure, const QString &module,
                 const std::function<void()> &body, qint32 ignore = 0);

// The same for a procedure that returns a number: 0 on failure.
template <typename T, typename Body>
T runReportedValue(const QString &procedure, const QString &module, Body &&body)
{
    T result{};
    if (!runReported(procedure, module, [&] { result = body(); }))
        return T{};
    return result;
}
