#include "app/program/MainWindowLibrary.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(MainWindowLibrary, IsLookedForBesideTheProgram)
{
    EXPECT_EQ(MainWindowLibrary().path(),
              QCoreApplication::applicationDirPath().section('/', 0, -2) + "/lib/vocalino/vocalino-main.so");
    EXPECT_EQ(MainWindowLibrary("/opt/x/vocalino-main.so").path(), "/opt/x/vocalino-main.so");
}

TEST(MainWindowLibrary, RunsTheEntryPointOfTheLibrary)
{
    ScriptedMessageBoxes boxes;
    qunsetenv("VOCALINO_STUB_MAIN_SHOWN");
    MainWindowLibrary library(qEnvironmentVariable("STUB_MAIN_WINDOW"));
    ASSERT_TRUE(library.showMainWindow());
    EXPECT_EQ(qgetenv("VOCALINO_STUB_MAIN_SHOWN"), "1");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(MainWindowLibrary, MissingOrDamagedLibraryIsToldAndNothingRuns)
{
    QTemporaryDir dir;
    QFile damaged(dir.filePath("vocalino-main.so"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\x7f'));
    damaged.close();
    for (const QString &path : {dir.filePath("missing/vocalino-main.so"), damaged.fileName()}) {
        ScriptedMessageBoxes boxes;
        EXPECT_FALSE(MainWindowLibrary(path).showMainWindow());
        ASSERT_EQ(boxes.shown.size(), 1) << qPrintable(path);
        EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(boxes.shown[0].text.contains(path)) << qPrintable(boxes.shown[0].text);
    }
}
