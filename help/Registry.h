#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <optional>

enum class RegHive { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };
enum class RegType { Sz = 1, ExpandSz = 2, Dword = 4 };

struct RegValue
{
    QString name; // empty: the key's default value
    RegType type = RegType::Sz;
    QString data;
};

struct RegKey
{
    QString name;
    QList<RegValue> values;
    bool builtIn = false; // supplied by the program, never written to the hive's file
};

// The registry on this platform: one JSON file per hive ("HKLM.json", ...) in a
// folder of its own, keys and value names compared without regard to case.
// A hive file that cannot be read is left alone: the hive then reads empty and
// refuses writes, so nothing of it is lost.
class Registry
{
public:
    static Registry &current();
    // Tests point the registry elsewhere; an empty folder restores the default one
    // ($VOCALINO_REGISTRY, else the user's data folder). Without system entries the
    // class and type-library keys the program supplies are left out.
    static void setFolder(const QString &folder, bool systemEntries = true);
    static QString defaultFolder();
    static std::optional<RegHive> hiveFromAbbreviation(const QString &abbreviation);

    bool keyExists(RegHive hive, const QString &key);
    bool createKey(RegHive hive, const QString &key);
    bool deleteKey(RegHive hive, const QString &key);
    std::optional<QList<RegValue>> values(RegHive hive, const QString &key);
    bool setValue(RegHive hive, const QString &key, const RegValue &value);
    bool deleteValue(RegHive hive, const QString &key, const QString &name);

    // The keys a hive file holds; nullopt when it is not a hive file.
    static std::optional<QList<RegKey>> parseHive(const QByteArray &json);
    static QByteArray writeHive(const QList<RegKey> &keys);

    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;
    static constexpr int MaxKeys = 10000;
    static constexpr int MaxValues = 10000;
    static constexpr int MaxTextLength = 32767;

private:
    struct Hive
    {
        bool loaded = false;
        bool writable = true;
        QHash<QString, RegKey> keys; // by lower-case name
    };
    Registry(QString folder, bool systemEntries) : m_folder(std::move(folder)), m_systemEntries(systemEntries) {}
    Hive &hive(RegHive which);
    bool save(RegHive which);
    // Saves a change; when saving fails the hive goes back to `before`.
    bool commit(RegHive which, const QHash<QString, RegKey> &before);
    void addSystemEntries(RegHive which, Hive &hive);

    QString m_folder;
    bool m_systemEntries = true;
    std::array<Hive, 6> m_hives;
};
