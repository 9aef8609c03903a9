#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

// The one exception of the program: a 32-bit number and a description.
class AppError : public std::exception
{
public:
    enum Number : qint32 {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        FileNotFound = 53,
        PathFileAccess = 75,
        ResourceNotFound = 326,
        InvalidPropertyValue = 380,
        NotYetPlaced = 398,
    };

    AppError(qint32 number, QString description);
    explicit AppError(qint32 number); // with the standard description of that number

    qint32 number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    static QString standardDescription(qint32 number);

private:
    qint32 m_number;
    QString m_description;
    QByteArray m_what;
};

// Throws DivisionByZero when the divisor is zero; C++ would otherwise be undefined.
int checkedDivide(int numerator, int divisor);
double checkedDivide(double numerator, double divisor);
