#include "help/FileVersion.h"
#include "help/HTMLHelp.h"
#include "help/ReleaseNames.h"
#include "help/Registry.h"
#include "help/SystemEntries.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString afterLastSeparator(const QString &name) { return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1); }

QString expandEnvironment(const QString &text)
{
    static const QRegularExpression reference(QStringLiteral("%([^%]+)%"));
    QString out = text;
    for (qsizetype at = 0;;) {
        const QRegularExpressionMatch match = reference.match(out, at);
        if (!match.hasMatch())
            break;
        const QString value = qEnvironmentVariable(match.captured(1).toLocal8Bit().constData());
        out.replace(match.capturedStart(), match.capturedLength(), value);
        at = match.capturedStart() + value.size();
    }
    return out;
}

struct Component
{
    const char *notRegistered;
    const char *notInPlace;
};

Component component(bool help)
{
    if (help)
        return {"Hhctrl.ocx is not registered.  Please install HTML Help.",
                "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help."};
    return {"Shdocvw.dll is not registered.  Please install Internet Explorer.",
            "Internet Explorer is not in its registered location.  Please reinstall Internet Explorer."};
}
} // namespace

std::optional<HTMLHelp::LookedUpValue> HTMLHelp::lookUpValue(const QString &hive, const QString &key,
                                                             const QString &valueName)
{
    const std::optional<RegHive> root = Registry::hiveFromAbbreviation(hive);
    if (!root)
        return std::nullopt;
    const std::optional<QList<RegValue>> values = Registry::current().values(*root, key);
    if (!values)
        return std::nullopt;
    for (const RegValue &value : *values) {
        if (value.type != RegType::Sz && value.type != RegType::ExpandSz)
            continue;
        if (value.name.compare(valueName, Qt::CaseInsensitive) != 0)
            continue;
        const QString data = value.type == RegType::ExpandSz ? expandEnvironment(value.data) : value.data;
        return LookedUpValue{value.name, data.section(QChar(0), 0, 0)};
    }
    return std::nullopt;
}

void HTMLHelp::lookUpRegistry(const QString &fileName, bool warnWhenMissing)
{
    m_regFileExists = false;
    const std::optional<LookedUpValue> entry =
        lookUpValue(QStringLiteral("HKLM"), QLatin1String(HelpFilesKey), afterLastSeparator(fileName));
    if (!entry) {
        m_regFileName.clear();
        m_regFilePath.clear();
        return;
    }
    m_regFileName = entry->name;
    m_regFilePath = entry->data;
    QString full = m_regFilePath.endsWith(QLatin1Char('/')) ? m_regFilePath + m_regFileName
                                                            : m_regFilePath + QLatin1Char('/') + m_regFileName;
    m_regFileExists = warnWhenMissing ? EnsureFileExists(full) : QFileInfo(full).isFile();
}

void HTMLHelp::HHCheckRegistry(const QString &fileName)
{
    if (fileName.isEmpty() || !isHelpFileName(fileName, true))
        return;
    lookUpRegistry(fileName, true);
}

void HTMLHelp::HHRegister(QString &fileName)
{
    if (fileName.isEmpty() || !isHelpFileName(fileName, true))
        return;
    HHCheckRegistry(fileName);
    if (!m_regFileName.isEmpty()) {
        message(QStringLiteral("The file ") + fileName + QStringLiteral(" is already registered.  ") +
                    QStringLiteral("HHRegister will not be run as no action need be taken."),
                MsgIcon::Information);
        return;
    }
    if (!EnsureFileExists(fileName))
        return;
    if (!fileName.contains(QLatin1Char('/'))) {
        message(QStringLiteral("Cannot register ") + fileName + QStringLiteral(" without having a supplied path.\""),
                MsgIcon::Warning);
        return;
    }
    const QString name = afterLastSeparator(fileName);
    // The folder comes from the completed name, so a bare name records where it was found.
    const QString folder = fileName.left(fileName.size() - name.size());
    Registry &registry = Registry::current();
    if (!registry.createKey(RegHive::LocalMachine, QLatin1String(HelpFilesKey))) {
        message(QStringLiteral("HTML Help Class: HHRegister Error"), MsgIcon::Warning);
        return;
    }
    if (!registry.setValue(RegHive::LocalMachine, QLatin1String(HelpFilesKey), RegValue{name, RegType::Sz, folder}))
        HHCheckRegistry(fileName);
}

void HTMLHelp::HHUnRegister(QString &fileName)
{
    if (fileName.isEmpty() || !isHelpFileName(fileName, true))
        return;
    HHCheckRegistry(fileName);
    if (m_regFileName.isEmpty()) {
        message(QStringLiteral("The file ") + fileName + QStringLiteral(" is not registered.  ") +
                    QStringLiteral("HHUnRegister will not be run as no action need be taken."),
                MsgIcon::Information);
        return;
    }
    fileName = afterLastSeparator(fileName);
    Registry::current().deleteValue(RegHive::LocalMachine, QLatin1String(HelpFilesKey), fileName);
    HHCheckRegistry(fileName);
}

bool HTMLHelp::HHInstalled()
{
    m_installed = Registry::current().keyExists(RegHive::LocalMachine, SystemEntries::helpTypeLibraryKey());
    return m_installed;
}

void HTMLHelp::readVersion(bool help)
{
    const Component texts = component(help);
    const QString key = help ? SystemEntries::helpControlClassKey() : SystemEntries::browserLibraryClassKey();
    const std::optional<LookedUpValue> entry = lookUpValue(QStringLiteral("HKCR"), key, QString());
    if (!entry || entry->data.isEmpty()) {
        message(QString::fromLatin1(texts.notRegistered), MsgIcon::Critical);
        return;
    }
    QString path = entry->data;
    if (path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (!QFileInfo(path).isFile()) {
        message(QString::fromLatin1(texts.notInPlace), MsgIcon::Critical);
        return;
    }
    const std::optional<FileVersionNumbers> version = FileVersion::read(path);
    (help ? m_hhVersion : m_ieVersion) = version ? FileVersion::text(*version) : QStringLiteral("unknown");
}

QString HTMLHelp::HHVersion()
{
    readVersion(true);
    return m_hhVersion;
}

QString HTMLHelp::IEVersion()
{
    readVersion(false);
    return m_ieVersion;
}

QString HTMLHelp::HHFriendlyName()
{
    if (m_hhVersion.isEmpty())
        readVersion(true);
    return ReleaseNames::helpRelease(m_hhVersion);
}

QString HTMLHelp::IEFriendlyName()
{
    if (m_ieVersion.isEmpty())
        readVersion(false);
    return ReleaseNames::browserRelease(m_ieVersion);
}

bool HTMLHelp::HHVerifyMinConfig(qint32 helpCode, qint32 browserCode)
{
    readVersion(true);
    readVersion(false);
    // Versions are compared number by number: as text "10.0" would come before "4.74".
    const auto atLeast = [](const QString &version, const std::optional<QString> &required) {
        const std::optional<int> order = required ? FileVersion::compare(version, *required) : std::nullopt;
        return order && *order >= 0;
    };
    const std::optional<QString> helpRequired = ReleaseNames::helpRequiredVersion(helpCode);
    if (!helpRequired)
        m_hhVersion = QStringLiteral("unknown");
    const bool helpPasses = atLeast(m_hhVersion, helpRequired);
    const bool browserPasses = atLeast(m_ieVersion, ReleaseNames::browserRequiredVersion(browserCode));
    HHFriendlyName();
    IEFriendlyName();
    return helpPasses && browserPasses;
}
