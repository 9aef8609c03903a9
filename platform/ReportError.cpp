#include "platform/ReportError.h"

#include "platform/EventLog.h"
#include "platform/MessageBoxes.h"

QString reportErrorTitle(qint32 number, const QString &procedure, const QString &module)
{
    return QStringLiteral("ERROR - %1 - %2 - %3").arg(number).arg(procedure, module);
}

QString reportErrorMessage(qint32 number, const QString &description, const QString &extra)
{
    QString message = QStringLiteral("ERROR  %1 - %2").arg(number).arg(description);
    if (!extra.isEmpty())
        message += QStringLiteral("\r\n") + extra;
    return message;
}

void ReportError(qint32 number, const QString &description, const QString &procedure,
                 const QString &module, qint32 logType, const QString &extra)
{
    try {
        const QString title = reportErrorTitle(number, procedure, module);
        const QString message = reportErrorMessage(number, description, extra);
        MessageBoxes::current().show(title, message, MsgIcon::Warning, MsgButtons::Ok);
        EventLog::current().write(title + QStringLiteral(": ") + message, logType);
    } catch (...) {
        // A reporter that fails has nobody left to report to.
    }
}

bool runReported(const QString &procedure, const QString &module,
                 const std::function<void()> &body, qint32 ignore)
{
    try {
        body();
        return true;
    } catch (const AppError &error) {
        if (ignore == 0 || error.number() != ignore)
            ReportError(error.number(), error.description(), procedure, module);
    } catch (const std::exception &error) {
        ReportError(AppError::InvalidCall, QString::fromLocal8Bit(error.what()), procedure, module);
    }
    return false;
}
