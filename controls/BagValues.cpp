#include "controls/BagValues.h"

#include "platform/AppError.h"

#include <cmath>
#include <limits>

namespace BagValues {

namespace {
[[noreturn]] void mismatch(const QString &key)
{
    throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch in property %1").arg(key));
}

// Numbers, booleans and numeric texts convert, as a property read would coerce them.
double numberOf(const QVariant &v, const QString &key)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        mismatch(key);
    return d;
}

// A whole number in [low, high]; fractions round half to even as a conversion would.
qint64 readWhole(const PropertyBag &bag, const QString &key, qint64 defaultValue, qint64 low, qint64 high)
{
    if (!bag.contains(key))
        return defaultValue;
    const double d = numberOf(bag.ReadProperty(key), key);
    if (!std::isfinite(d) || std::nearbyint(d) < double(low) || std::nearbyint(d) > double(high))
        throw AppError(AppError::Overflow, QStringLiteral("Overflow in property %1").arg(key));
    return qint64(std::nearbyint(d));
}
} // namespace

qint16 readInt16(const PropertyBag &bag, const QString &key, qint16 defaultValue)
{
    return qint16(readWhole(bag, key, defaultValue, std::numeric_limits<qint16>::min(),
                            std::numeric_limits<qint16>::max()));
}

qint32 readInt32(const PropertyBag &bag, const QString &key, qint32 defaultValue)
{
    return qint32(readWhole(bag, key, defaultValue, std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max()));
}

double readDouble(const PropertyBag &bag, const QString &key, double defaultValue)
{
    const double d = numberOf(bag.ReadProperty(key, defaultValue), key);
    if (!std::isfinite(d))
        mismatch(key);
    return d;
}

bool readBool(const PropertyBag &bag, const QString &key, bool defaultValue)
{
    return numberOf(bag.ReadProperty(key, defaultValue), key) != 0;
}

QString readString(const PropertyBag &bag, const QString &key, const QString &defaultValue)
{
    const QVariant v = bag.ReadProperty(key, defaultValue);
    if (v.typeId() != QMetaType::QString)
        mismatch(key);
    return v.toString();
}

QFont readFont(const PropertyBag &bag, const QString &key, const QFont &defaultValue)
{
    const QVariant v = bag.ReadProperty(key, defaultValue);
    if (v.typeId() != QMetaType::QFont)
        mismatch(key);
    return v.value<QFont>();
}

} // namespace BagValues
