#include "app/RecordingFile.h"
#include "engine/DirectSS.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RecordingFile, NameWithoutFolderGoesToTheHomeFolder)
{
    EXPECT_EQ(recordingPath("story.wav", "/home/kid"), "/home/kid/story.wav");
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

TEST(RecordingFile, BlanksAroundTheNameBelongToIt)
{
    EXPECT_EQ(recordingPath("  story.wav ", "/home/kid"), "/home/kid/  story.wav ");
    EXPECT_EQ(recordingPath("/tmp/x/ story.wav", "/home/kid"), "/tmp/x/ story.wav");
    EXPECT_EQ(recordingPath("/tmp/x/story.wav\t", "/home/kid"), "/tmp/x/story.wav\t");
}

TEST(RecordingFile, OnlyAFileFailureIsAFileProblem)
{
    for (const qint32 code :
         {qint32(DirectSS::InvalidArgument), qint32(DirectSS::AccessDenied), qint32(DirectSS::PathNotFound),
          qint32(DirectSS::DiskFull), qint32(DirectSS::WriteFault)})
        EXPECT_TRUE(isFileProblem(code)) << std::hex << code;
    for (const qint32 code :
         {qint32(DirectSS::EngineFailure), qint32(DirectSS::Unexpected), qint32(DirectSS::NoAudioDevice), 0})
        EXPECT_FALSE(isFileProblem(code)) << std::hex << code;
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
