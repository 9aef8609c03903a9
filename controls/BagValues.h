#pragma once

#include "platform/PropertyBag.h"

// Typed reads from a property bag that come from a file: a value of the wrong type
// fails with error 13, a 16-bit value out of range with error 6, never silently.
namespace BagValues {

qint16 readInt16(const PropertyBag &bag, const QString &key, qint16 defaultValue);
qint32 readInt32(const PropertyBag &bag, const QString &key, qint32 defaultValue);
double readDouble(const PropertyBag &bag, const QString &key, double defaultValue);
bool readBool(const PropertyBag &bag, const QString &key, bool defaultValue);
QString readString(const PropertyBag &bag, const QString &key, const QString &defaultValue);
QFont readFont(const PropertyBag &bag, const QString &key, const QFont &defaultValue);

// The 16-bit booleans of the controls: -1 true, 0 false.
constexpr qint16 toInt16(bool value)
{
    return value ? -1 : 0;
}

} // namespace BagValues
