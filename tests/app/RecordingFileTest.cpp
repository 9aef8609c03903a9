#include "app/RecordingFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RecordingFile, NameWithoutFolderGoesToTheHomeFolder)
{
    EXPECT_EQ(recordingPath("story.wav", "/home/kid"), "/home/kid/story.wav");
    EXPECT_EQ(recordingPath("  story.wav ", "/home/kid"), "/home/kid/story.wav");
    EXPECT_EQ(recordingPath("songs/a.wav", "/home/kid"), "/home/kid/songs/a.wav");
    EXPECT_EQ(recordingPath("~/b.wav", "/home/kid"), "/home/kid/b.wav");
}

TEST(RecordingFile, FullPathAndMissingExtensionAreKept)
{
    EXPECT_EQ(recordingPath("/tmp/x/story.wav", "/home/kid"), "/tmp/x/story.wav");
    EXPECT_EQ(recordingPath("/tmp/x/story", "/home/kid"), "/tmp/x/story");
    EXPECT_EQ(recordingPath("story", "/home/kid"), "/home/kid/story");
    EXPECT_EQ(recordingPath("", "/home/kid"), "");
    EXPECT_EQ(recordingPath("   ", "/home/kid"), "");
}

TEST(RecordingFile, ExistenceCoversFilesAndFoldersAndNeverFails)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("a.wav");
    EXPECT_FALSE(pathExists(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(pathExists(file));
    EXPECT_TRUE(pathExists(dir.path()));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    EXPECT_TRUE(pathExists(dir.filePath("folder.wav")));
    EXPECT_FALSE(pathExists(""));
    EXPECT_FALSE(pathExists(dir.filePath("missing/deeper/x.wav")));
    EXPECT_FALSE(pathExists(QString(5000, 'a')));
}
