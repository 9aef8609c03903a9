#include "platform/PropertyBag.h"

#include <algorithm>

namespace {
bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}
} // namespace

bool PropertyBag::sameValue(const QVariant &a, const QVariant &b)
{
    if (isNumber(a) && isNumber(b)) // a 16-bit 2 is the default 2
        return a.toDouble() == b.toDouble();
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == qMetaTypeId<PictureRef>())
        return a.value<PictureRef>() == b.value<PictureRef>();
    if (a.typeId() == QMetaType::QFont)
        return a.value<QFont>() == b.value<QFont>();
    return a == b;
}

void PropertyBag::WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue)
{
    if (defaultValue.isValid() && sameValue(value, defaultValue)) {
        remove(key);
        return;
    }
    if (auto *entry = const_cast<Entry *>(find(key))) { // a rewrite keeps its place
        entry->value = value;
        return;
    }
    m_entries.push_back({key, value});
}

QVariant PropertyBag::ReadProperty(const QString &key, const QVariant &defaultValue) const
{
    const Entry *entry = find(key);
    return entry ? entry->value : defaultValue;
}

bool PropertyBag::contains(const QString &key) const { return find(key) != nullptr; }

void PropertyBag::remove(const QString &key)
{
    std::erase_if(m_entries, [&](const Entry &e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; });
}

bool PropertyBag::operator==(const PropertyBag &other) const
{
    return std::equal(m_entries.begin(), m_entries.end(), other.m_entries.begin(), other.m_entries.end(),
                      [](const Entry &a, const Entry &b) {
                          return a.key.compare(b.key, Qt::CaseInsensitive) == 0 && sameValue(a.value, b.value);
                      });
}

const PropertyBag::Entry *PropertyBag::find(const QString &key) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
        return e.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    return it == m_entries.end() ? nullptr : &*it;
}
