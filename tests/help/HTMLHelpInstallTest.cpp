#include "help/FileVersion.h"
#include "help/HTMLHelp.h"
#include "help/Registry.h"
#include "help/ReleaseNames.h"
#include "help/SystemEntries.h"
#include "platform/ProgramFolder.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString HelpFiles = QStringLiteral("Software\\Microsoft\\Windows\\HTML Help");

class HTMLHelpInstallTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Registry::setFolder(registryDir.path(), false);
        setProgramFolder(programDir.path());
    }
    void TearDown() override
    {
        setProgramFolder(QString());
        Registry::setFolder(QString());
    }
    QString makeFile(const QString &name)
    {
        const QString path = programDir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        return path;
    }
    // A class entry naming a library file whose name carries the version.
    void installComponent(const QString &classKey, const QString &libraryName)
    {
        Registry &registry = Registry::current();
        ASSERT_TRUE(registry.createKey(RegHive::ClassesRoot, classKey));
        ASSERT_TRUE(registry.setValue(RegHive::ClassesRoot, classKey, {QString(), RegType::Sz, makeFile(libraryName)}));
    }
    QString lastText() const { return boxes.shown.isEmpty() ? QString() : boxes.shown.last().text; }

    QTemporaryDir registryDir, programDir;
    ScriptedMessageBoxes boxes;
    HTMLHelp help;
};
} // namespace

TEST_F(HTMLHelpInstallTest, RegisterWritesTheNameWithItsFolderAndASecondCallWritesNothing)
{
    QString file = makeFile(QStringLiteral("docs/Guide.chm"));
    help.HHRegister(file);
    EXPECT_TRUE(boxes.shown.isEmpty()) << lastText().toStdString();
    const auto values = Registry::current().values(RegHive::LocalMachine, HelpFiles);
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 1);
    EXPECT_EQ(values->at(0).name, "Guide.chm");
    EXPECT_EQ(values->at(0).type, RegType::Sz);
    EXPECT_EQ(values->at(0).data, programDir.filePath(QStringLiteral("docs/")));

    Registry::setFolder(registryDir.path(), false); // read back from the file
    QString again = file;
    help.HHRegister(again);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "The file " + file + " is already registered.  "
                                   "HHRegister will not be run as no action need be taken.");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.shown[0].caption, "HTML Help Class");
    EXPECT_EQ(Registry::current().values(RegHive::LocalMachine, HelpFiles)->size(), 1);
}

TEST_F(HTMLHelpInstallTest, ABareNameRegistersTheProgramFolderWhereItWasFound)
{
    makeFile(QStringLiteral("Bare.chm"));
    QString bare = QStringLiteral("Bare.chm");
    help.HHRegister(bare);
    EXPECT_EQ(bare, programDir.filePath(QStringLiteral("Bare.chm")));
    help.HHCheckRegistry(QStringLiteral("Bare.chm"));
    EXPECT_EQ(help.HHRegFilePath(), programDir.path() + "/");
    EXPECT_TRUE(help.HHRegFileExists());
}

TEST_F(HTMLHelpInstallTest, CheckFindsAnEntryInOtherCaseAndTellsWhetherTheFileIsThere)
{
    QString file = makeFile(QStringLiteral("Mixed.chm"));
    help.HHRegister(file);
    help.HHCheckRegistry(QStringLiteral("/elsewhere/MIXED.CHM"));
    EXPECT_EQ(help.HHRegFileName(), "Mixed.chm");
    EXPECT_EQ(help.HHRegFilePath(), programDir.path() + "/");
    EXPECT_TRUE(help.HHRegFileExists());

    QFile::remove(file);
    help.HHCheckRegistry(QStringLiteral("mixed.chm"));
    EXPECT_FALSE(help.HHRegFileExists());
    EXPECT_TRUE(lastText().startsWith("The file " + programDir.path() + "/Mixed.chm does not exist."));

    help.HHCheckRegistry(QStringLiteral("other.chm"));
    EXPECT_TRUE(help.HHRegFileName().isEmpty());
    EXPECT_TRUE(help.HHRegFilePath().isEmpty());
}

TEST_F(HTMLHelpInstallTest, UnregisterRemovesTheEntryAndSaysSoWhenThereIsNone)
{
    QString file = makeFile(QStringLiteral("Gone.chm"));
    help.HHRegister(file);
    QString name = file;
    help.HHUnRegister(name);
    EXPECT_EQ(name, "Gone.chm");
    EXPECT_TRUE(help.HHRegFileName().isEmpty());
    EXPECT_TRUE(Registry::current().values(RegHive::LocalMachine, HelpFiles)->isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());

    help.HHUnRegister(name);
    EXPECT_EQ(lastText(), "The file Gone.chm is not registered.  "
                          "HHUnRegister will not be run as no action need be taken.");
    EXPECT_EQ(boxes.shown.last().icon, MsgIcon::Information);
}

TEST_F(HTMLHelpInstallTest, RegistryOperationsRefuseEmptyAndNonHelpNames)
{
    QString empty;
    help.HHRegister(empty);
    help.HHUnRegister(empty);
    help.HHCheckRegistry(empty);
    EXPECT_TRUE(boxes.shown.isEmpty());
    QString text = QStringLiteral("notes.txt");
    help.HHRegister(text);
    EXPECT_EQ(lastText(), "notes.txt is not a valid HTML Help file.");
    EXPECT_FALSE(Registry::current().keyExists(RegHive::LocalMachine, HelpFiles));
}

TEST_F(HTMLHelpInstallTest, AnUnwritableRegistryGivesTheRegisterErrorAndKeepsTheFile)
{
    QFile hive(registryDir.filePath(QStringLiteral("HKLM.json")));
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.write("{ not json");
    hive.close();
    Registry::setFolder(registryDir.path(), false);
    QString file = makeFile(QStringLiteral("x.chm"));
    help.HHRegister(file);
    EXPECT_EQ(lastText(), "HTML Help Class: HHRegister Error");
    ASSERT_TRUE(hive.open(QIODevice::ReadOnly));
    EXPECT_EQ(hive.readAll(), "{ not json");
}

TEST_F(HTMLHelpInstallTest, ValueLookupByHiveAbbreviationAndExpandedStrings)
{
    Registry &registry = Registry::current();
    registry.createKey(RegHive::CurrentUser, QStringLiteral("Software\\Test"));
    registry.setValue(RegHive::CurrentUser, QStringLiteral("Software\\Test"), {QStringLiteral("Num"), RegType::Dword, "5"});
    registry.setValue(RegHive::CurrentUser, QStringLiteral("Software\\Test"),
                      {QStringLiteral("Where"), RegType::ExpandSz, QStringLiteral("%VOCALINO_TEST_HOME%/help")});
    qputenv("VOCALINO_TEST_HOME", "/home/kid");
    const auto found = HTMLHelp::lookUpValue(QStringLiteral("hkcu"), QStringLiteral("software\\test"),
                                             QStringLiteral("WHERE"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "Where");
    EXPECT_EQ(found->data, "/home/kid/help");
    EXPECT_FALSE(HTMLHelp::lookUpValue(QStringLiteral("HKCU"), QStringLiteral("Software\\Test"), QStringLiteral("Num")));
    EXPECT_FALSE(HTMLHelp::lookUpValue(QStringLiteral("HKXX"), QStringLiteral("Software\\Test"), QStringLiteral("Where")));
}

TEST_F(HTMLHelpInstallTest, VersionsTheirReleaseNamesAndTheMinimumConfiguration)
{
    installComponent(SystemEntries::helpControlClassKey(), QStringLiteral("hhctrl.so.4.74.8702.0"));
    installComponent(SystemEntries::browserLibraryClassKey(), QStringLiteral("shdocvw.so.5.0.2919.6307"));
    EXPECT_EQ(help.HHVersion(), "4.74.8702.00");
    EXPECT_EQ(help.HHFriendlyName(), "1.3");
    EXPECT_EQ(help.IEVersion(), "5.00.2919.6307");
    EXPECT_EQ(help.IEFriendlyName(), "5.01");
    EXPECT_TRUE(help.HHVerifyMinConfig(26, 273));
    EXPECT_FALSE(help.HHVerifyMinConfig(27, 273));
    EXPECT_EQ(help.HHVersion(), "4.74.8702.00");
    EXPECT_TRUE(boxes.shown.isEmpty());

    installComponent(SystemEntries::helpControlClassKey(), QStringLiteral("hhctrl.so.4.73.8561.0"));
    EXPECT_FALSE(help.HHVerifyMinConfig(26, 256));
    EXPECT_TRUE(help.HHVerifyMinConfig(23, 256));
    EXPECT_EQ(help.HHFriendlyName(), "1.22");
}

TEST_F(HTMLHelpInstallTest, MissingComponentsGiveCriticalMessagesAndKeepTheOldVersion)
{
    EXPECT_TRUE(help.HHVersion().isEmpty());
    EXPECT_EQ(lastText(), "Hhctrl.ocx is not registered.  Please install HTML Help.");
    EXPECT_EQ(boxes.shown.last().icon, MsgIcon::Critical);
    EXPECT_EQ(help.IEFriendlyName(), "unknown");
    EXPECT_EQ(lastText(), "Shdocvw.dll is not registered.  Please install Internet Explorer.");

    installComponent(SystemEntries::helpControlClassKey(), QStringLiteral("hhctrl.so.4.72.7290.0"));
    EXPECT_EQ(help.HHVersion(), "4.72.7290.00");
    QFile::remove(programDir.filePath(QStringLiteral("hhctrl.so.4.72.7290.0")));
    EXPECT_EQ(help.HHVersion(), "4.72.7290.00");
    EXPECT_EQ(lastText(), "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.");
    EXPECT_FALSE(help.HHInstalled());
}

TEST_F(HTMLHelpInstallTest, OnThisSystemTheEntriesNameTheLibrariesThatServe)
{
    Registry::setFolder(registryDir.path(), true);
    EXPECT_TRUE(help.HHInstalled());
    EXPECT_TRUE(SystemEntries::helpLibraryFile().contains("libchm"));
    EXPECT_TRUE(SystemEntries::browserLibraryFile().contains("Qt6Widgets"));
    EXPECT_FALSE(help.HHVersion().isEmpty());
    EXPECT_FALSE(help.IEVersion().isEmpty());
    EXPECT_TRUE(help.IEVersion().startsWith("6.")) << help.IEVersion().toStdString();
    EXPECT_TRUE(boxes.shown.isEmpty()) << lastText().toStdString();
    EXPECT_FALSE(Registry::current().values(RegHive::ClassesRoot, QStringLiteral("CLSID")).has_value());
    EXPECT_FALSE(QFile::exists(registryDir.filePath(QStringLiteral("HKCR.json"))));
}

TEST(FileVersion, FormattingRule)
{
    EXPECT_EQ(FileVersion::text({4, 74, 8702, 0}), "4.74.8702.00");
    EXPECT_EQ(FileVersion::text({5, 0, 2919, 6307}), "5.00.2919.6307");
    EXPECT_EQ(FileVersion::text({1, 2, 0, 7}), "1.02.0007");
    EXPECT_EQ(FileVersion::text({1, 2, 40000, 7}), "1.02.0007"); // negative as a signed 16-bit number
    EXPECT_EQ(FileVersion::text({6, 4, 2, 0}), "6.04.02.00");
}

TEST(FileVersion, FromFileNamesAndNumericComparison)
{
    const auto version = FileVersion::fromFileName(QStringLiteral("libQt6Widgets.so.6.4.2"));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 6);
    EXPECT_EQ(version->minor, 4);
    EXPECT_EQ(version->build, 2);
    EXPECT_FALSE(FileVersion::fromFileName(QStringLiteral("libx.so")));
    EXPECT_FALSE(FileVersion::fromFileName(QStringLiteral("libx.so.70000")));
    EXPECT_FALSE(FileVersion::fromFileName(QStringLiteral("readme.txt")));
    EXPECT_EQ(FileVersion::compare(QStringLiteral("4.74.8702.00"), QStringLiteral("4.74.8702")), 0);
    EXPECT_EQ(FileVersion::compare(QStringLiteral("4.73.8561.00"), QStringLiteral("4.74.8702")), -1);
    EXPECT_EQ(FileVersion::compare(QStringLiteral("10.00.0001.00"), QStringLiteral("4.74.8702")), 1);
    EXPECT_EQ(FileVersion::compare(QStringLiteral("5.00.0518.5000"), QStringLiteral("5.0.2717.2000")), -1);
    EXPECT_FALSE(FileVersion::compare(QStringLiteral("unknown"), QStringLiteral("4.74.8702")));
}

TEST(ReleaseNames, TablesMatchExactTextsOnly)
{
    EXPECT_EQ(ReleaseNames::helpRelease(QStringLiteral("4.74.8702.00")), "1.3");
    EXPECT_EQ(ReleaseNames::helpRelease(QStringLiteral("4.74.8702.0")), "unknown");
    EXPECT_EQ(ReleaseNames::browserRelease(QStringLiteral("5.50.3825.1300")), "5.5 Platform Preview");
    EXPECT_EQ(ReleaseNames::browserRelease(QStringLiteral("5.00.2919.800")), "5.x (Windows 2000 RC1, build 5.00.2072)");
    EXPECT_EQ(ReleaseNames::helpRequiredVersion(19).value_or(QString()), "4.72.8164.0");
    EXPECT_FALSE(ReleaseNames::helpRequiredVersion(15));
    EXPECT_EQ(ReleaseNames::browserRequiredVersion(270).value_or(QString()), "5.0.2717.2000");
    EXPECT_FALSE(ReleaseNames::browserRequiredVersion(274));
}

TEST(Registry, HiveFilesRoundTripAndHostileFilesAreRefused)
{
    const QList<RegKey> keys{{QStringLiteral("A\\B"), {{QString(), RegType::Sz, QStringLiteral("d")},
                                                      {QStringLiteral("n"), RegType::ExpandSz, QStringLiteral("%x%")}}, false}};
    const auto back = Registry::parseHive(Registry::writeHive(keys));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 1);
    EXPECT_EQ(back->at(0).name, "A\\B");
    EXPECT_EQ(back->at(0).values.size(), 2);
    EXPECT_EQ(back->at(0).values[1].type, RegType::ExpandSz);
    EXPECT_FALSE(Registry::parseHive("[]"));
    EXPECT_FALSE(Registry::parseHive(R"({"keys":[{"name":""}]})"));
    EXPECT_FALSE(Registry::parseHive(R"({"keys":[{"name":"k","values":[{"name":"v","type":"REG_BINARY"}]}]})"));
    EXPECT_FALSE(Registry::parseHive(QByteArray(Registry::MaxFileSize + 1, ' ')));
}

TEST_F(HTMLHelpInstallTest, AWriteThatCannotReachTheDiskLeavesNoEntryAndTheRecheckSaysNotRegistered)
{
    Registry &registry = Registry::current();
    ASSERT_TRUE(registry.createKey(RegHive::LocalMachine, HelpFiles));
    ASSERT_TRUE(registry.setValue(RegHive::LocalMachine, HelpFiles,
                                  {QStringLiteral("Kept.chm"), RegType::Sz, "/k/"}));
    // The registry's folder becomes a plain file: no save can reach the disk from now on
    // (a folder without write permission would not stop root).
    ASSERT_TRUE(QDir(registryDir.path()).removeRecursively());
    QFile blocker(registryDir.path());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QString file = makeFile(QStringLiteral("docs/Lost.chm"));
    help.HHRegister(file);
    EXPECT_TRUE(help.HHRegFileName().isEmpty());
    EXPECT_TRUE(help.HHRegFilePath().isEmpty());
    EXPECT_FALSE(help.HHRegFileExists());
    const auto names = [&] {
        QStringList out;
        for (const RegValue &value :
             registry.values(RegHive::LocalMachine, HelpFiles).value_or(QList<RegValue>()))
            out.append(value.name);
        return out;
    };
    EXPECT_EQ(names(), QStringList{"Kept.chm"});

    // Neither a new key, nor a changed value, nor a removal outlives a failed save.
    EXPECT_FALSE(registry.createKey(RegHive::LocalMachine, QStringLiteral("Software\\New")));
    EXPECT_FALSE(registry.keyExists(RegHive::LocalMachine, QStringLiteral("Software\\New")));
    EXPECT_FALSE(registry.setValue(RegHive::LocalMachine, HelpFiles,
                                   {QStringLiteral("kept.chm"), RegType::Sz, "/x/"}));
    EXPECT_EQ(registry.values(RegHive::LocalMachine, HelpFiles)->at(0).data, "/k/");
    EXPECT_FALSE(registry.deleteValue(RegHive::LocalMachine, HelpFiles, QStringLiteral("Kept.chm")));
    EXPECT_FALSE(registry.deleteKey(RegHive::LocalMachine, HelpFiles));
    EXPECT_EQ(names(), QStringList{"Kept.chm"});
    QFile::remove(registryDir.path());
}
