#include "platform/AppError.h"

AppError::AppError(qint32 number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toUtf8())
{
}

AppError::AppError(qint32 number) : AppError(number, standardDescription(number)) {}

QString AppError::standardDescription(qint32 number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case DivisionByZero: return QStringLiteral("Division by zero");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case FileNotFound: return QStringLiteral("File not found");
    case PathFileAccess: return QStringLiteral("Path/File access error");
    case ResourceNotFound: return QStringLiteral("Resource not found");
    case InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case NotYetPlaced: return QStringLiteral("Client site not available");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

int checkedDivide(int numerator, int divisor)
{
    if (divisor == 0)
        throw AppError(AppError::DivisionByZero);
    return numerator / divisor;
}

double checkedDivide(double numerator, double divisor)
{
    if (divisor == 0.0)
        throw AppError(AppError::DivisionByZero);
    return numerator / divisor;
}
