#pragma once

#include <QFont>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <vector>

// A picture kept in a property bag: where it comes from (a resource path or a file).
struct PictureRef
{
    QString source;
    bool isNull() const { return source.isEmpty(); }
    bool operator==(const PictureRef &other) const = default;
};
Q_DECLARE_METATYPE(PictureRef)

// The design-time properties of one control. Keys are compared without regard
// to case; entries keep the order they were written in.
class PropertyBag
{
public:
    struct Entry
    {
        QString key;
        QVariant value; // qint16, qint32, double, bool, QString, QFont or PictureRef
    };

    // Stores nothing when `value` equals `defaultValue` (an invalid default always stores).
    void WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue = {});
    QVariant ReadProperty(const QString &key, const QVariant &defaultValue = {}) const;

    bool contains(const QString &key) const;
    void remove(const QString &key);
    const std::vector<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }
    bool operator==(const PropertyBag &other) const;

    static bool sameValue(const QVariant &a, const QVariant &b);

private:
    const Entry *find(const QString &key) const;
    std::vector<Entry> m_entries;
};
