#include "help/Registry.h"

#include "help/SystemEntries.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <memory>

namespace {
std::unique_ptr<Registry> &instanceSlot()
{
    static std::unique_ptr<Registry> registry;
    return registry;
}

const char *fileName(RegHive hive)
{
    switch (hive) {
    case RegHive::ClassesRoot: return "HKCR.json";
    case RegHive::CurrentUser: return "HKCU.json";
    case RegHive::LocalMachine: return "HKLM.json";
    case RegHive::Users: return "HKU.json";
    case RegHive::CurrentConfig: return "HKCC.json";
    case RegHive::DynData: return "HKDD.json";
    }
    return "HKLM.json";
}

QString typeName(RegType type)
{
    switch (type) {
    case RegType::Sz: return QStringLiteral("REG_SZ");
    case RegType::ExpandSz: return QStringLiteral("REG_EXPAND_SZ");
    case RegType::Dword: return QStringLiteral("REG_DWORD");
    }
    return QStringLiteral("REG_SZ");
}

std::optional<RegType> typeFromName(const QString &name)
{
    if (name == QLatin1String("REG_SZ")) return RegType::Sz;
    if (name == QLatin1String("REG_EXPAND_SZ")) return RegType::ExpandSz;
    if (name == QLatin1String("REG_DWORD")) return RegType::Dword;
    return std::nullopt;
}

QString cleanKey(QString key)
{
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    while (key.endsWith(QLatin1Char('\\')))
        key.chop(1);
    return key;
}
} // namespace

Registry &Registry::current()
{
    if (!instanceSlot())
        instanceSlot().reset(new Registry(defaultFolder(), true));
    return *instanceSlot();
}

void Registry::setFolder(const QString &folder, bool systemEntries)
{
    instanceSlot().reset(new Registry(folder.isEmpty() ? defaultFolder() : folder, systemEntries));
}

QString Registry::defaultFolder()
{
    const QString configured = qEnvironmentVariable("VOCALINO_REGISTRY");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vocalino/registry");
}

std::optional<RegHive> Registry::hiveFromAbbreviation(const QString &abbreviation)
{
    const QString upper = abbreviation.toUpper();
    if (upper == QLatin1String("HKCU")) return RegHive::CurrentUser;
    if (upper == QLatin1String("HKLM")) return RegHive::LocalMachine;
    if (upper == QLatin1String("HKU")) return RegHive::Users;
    if (upper == QLatin1String("HKDD")) return RegHive::DynData;
    if (upper == QLatin1String("HKCC")) return RegHive::CurrentConfig;
    if (upper == QLatin1String("HKCR")) return RegHive::ClassesRoot;
    return std::nullopt;
}

std::optional<QList<RegKey>> Registry::parseHive(const QByteArray &json)
{
    if (json.size() > MaxFileSize)
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue keysValue = document.object().value(QLatin1String("keys"));
    if (!keysValue.isArray())
        return std::nullopt;
    QList<RegKey> keys;
    for (const QJsonValue &keyValue : keysValue.toArray()) {
        const QJsonObject object = keyValue.toObject();
        const QString name = cleanKey(object.value(QLatin1String("name")).toString());
        if (name.isEmpty() || name.size() > MaxTextLength || keys.size() >= MaxKeys)
            return std::nullopt;
        RegKey key{name, {}, false};
        for (const QJsonValue &value : object.value(QLatin1String("values")).toArray()) {
            const QJsonObject entry = value.toObject();
            const std::optional<RegType> type = typeFromName(entry.value(QLatin1String("type")).toString());
            const QString valueName = entry.value(QLatin1String("name")).toString();
            const QString data = entry.value(QLatin1String("data")).toString();
            if (!type || valueName.size() > MaxTextLength || data.size() > MaxTextLength ||
                key.values.size() >= MaxValues)
                return std::nullopt;
            key.values.append({valueName, *type, data});
        }
        keys.append(key);
    }
    return keys;
}

QByteArray Registry::writeHive(const QList<RegKey> &keys)
{
    QJsonArray array;
    for (const RegKey &key : keys) {
        QJsonArray values;
        for (const RegValue &value : key.values)
            values.append(QJsonObject{{QStringLiteral("name"), value.name},
                                      {QStringLiteral("type"), typeName(value.type)},
                                      {QStringLiteral("data"), value.data}});
        array.append(QJsonObject{{QStringLiteral("name"), key.name}, {QStringLiteral("values"), values}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("keys"), array}}).toJson();
}

Registry::Hive &Registry::hive(RegHive which)
{
    Hive &hive = m_hives[size_t(which)];
    if (hive.loaded)
        return hive;
    hive.loaded = true;
    QFile file(m_folder + QLatin1Char('/') + QLatin1String(fileName(which)));
    if (file.exists()) {
        const bool readable = file.size() <= MaxFileSize && file.open(QIODevice::ReadOnly);
        const std::optional<QList<RegKey>> keys = readable ? parseHive(file.readAll()) : std::nullopt;
        if (keys) {
            for (const RegKey &key : *keys)
                hive.keys.insert(key.name.toLower(), key);
        } else {
            hive.writable = false;
        }
    }
    if (m_systemEntries)
        addSystemEntries(which, hive);
    return hive;
}

void Registry::addSystemEntries(RegHive which, Hive &hive)
{
    for (RegKey key : SystemEntries::keys(which)) {
        key.name = cleanKey(key.name);
        key.builtIn = true;
        if (!hive.keys.contains(key.name.toLower()))
            hive.keys.insert(key.name.toLower(), key);
    }
}

bool Registry::save(RegHive which)
{
    Hive &stored = hive(which);
    if (!stored.writable || !QDir().mkpath(m_folder))
        return false;
    QList<RegKey> keys;
    for (const RegKey &key : std::as_const(stored.keys))
        if (!key.builtIn)
            keys.append(key);
    std::sort(keys.begin(), keys.end(), [](const RegKey &a, const RegKey &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    QSaveFile file(m_folder + QLatin1Char('/') + QLatin1String(fileName(which)));
    return file.open(QIODevice::WriteOnly) && file.write(writeHive(keys)) >= 0 && file.commit();
}

bool Registry::commit(RegHive which, const QHash<QString, RegKey> &before)
{
    if (save(which))
        return true;
    // What did not reach the disk is not kept in memory either.
    hive(which).keys = before;
    return false;
}

bool Registry::keyExists(RegHive which, const QString &key)
{
    return hive(which).keys.contains(cleanKey(key).toLower());
}

bool Registry::createKey(RegHive which, const QString &key)
{
    Hive &stored = hive(which);
    const QString name = cleanKey(key);
    if (name.isEmpty() || name.size() > MaxTextLength)
        return false;
    if (stored.keys.contains(name.toLower()))
        return true;
    if (!stored.writable)
        return false;
    const QHash<QString, RegKey> before = stored.keys;
    stored.keys.insert(name.toLower(), RegKey{name, {}, false});
    return commit(which, before);
}

bool Registry::deleteKey(RegHive which, const QString &key)
{
    Hive &stored = hive(which);
    const QHash<QString, RegKey> before = stored.keys;
    if (!stored.writable || !stored.keys.remove(cleanKey(key).toLower()))
        return false;
    return commit(which, before);
}

std::optional<QList<RegValue>> Registry::values(RegHive which, const QString &key)
{
    const Hive &stored = hive(which);
    const auto found = stored.keys.constFind(cleanKey(key).toLower());
    if (found == stored.keys.constEnd())
        return std::nullopt;
    return found->values;
}

bool Registry::setValue(RegHive which, const QString &key, const RegValue &value)
{
    Hive &stored = hive(which);
    const QHash<QString, RegKey> before =
        stored.keys; // taken first: the iterator below writes to its own copy
    const auto found = stored.keys.find(cleanKey(key).toLower());
    if (!stored.writable || found == stored.keys.end() || value.name.size() > MaxTextLength ||
        value.data.size() > MaxTextLength)
        return false;
    QList<RegValue> &values = found->values;
    const auto same = std::find_if(values.begin(), values.end(), [&](const RegValue &existing) {
        return existing.name.compare(value.name, Qt::CaseInsensitive) == 0;
    });
    if (same != values.end())
        *same = value;
    else if (values.size() < MaxValues)
        values.append(value);
    else
        return false;
    found->builtIn = false;
    return commit(which, before);
}

bool Registry::deleteValue(RegHive which, const QString &key, const QString &name)
{
    Hive &stored = hive(which);
    const QHash<QString, RegKey> before = stored.keys;
    const auto found = stored.keys.find(cleanKey(key).toLower());
    if (!stored.writable || found == stored.keys.end())
        return false;
    const qsizetype removed = found->values.removeIf(
        [&](const RegValue &value) { return value.name.compare(name, Qt::CaseInsensitive) == 0; });
    return removed > 0 && commit(which, before);
}
