#include "app/RecordingFile.h"
#include "engine/DirectSS.h"
#include "tests/app/MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
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

// Replacing a recording through the window: the old file's permissions and links stay.
class ReplacedRecording : public MainWindowFixture
{
protected:
    void recordOver(const QString &typedName)
    {
        type("Once more, from the top.");
        window->txtFile->setText(typedName);
        boxes.answer(MsgAnswer::Ok); // overwrite
        window->cmdRec_Click();
        ASSERT_EQ(row(), recording);
        ASSERT_TRUE(playToEnd());
        EXPECT_EQ(row(), stopped);
    }

    static void makeOld(const QString &path, QFile::Permissions mode)
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old recording");
        old.close();
        ASSERT_TRUE(QFile::setPermissions(path, mode));
    }

    static QStringList everything(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir dir;
    const QFile::Permissions ownerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
};

TEST_F(ReplacedRecording, APrivateRecordingStaysPrivate)
{
    const QString path = dir.filePath("secret.wav");
    makeOld(path, ownerOnly);
    recordOver(path);
    EXPECT_EQ(QFileInfo(path).permissions(), ownerOnly);
    EXPECT_GT(QFileInfo(path).size(), 1000);
    EXPECT_EQ(everything(dir.path()), QStringList({"secret.wav"}));
}

TEST_F(ReplacedRecording, ALinkStillPointsToTheNewRecording)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("songs"));
    const QString real = dir.filePath("songs/song.wav");
    makeOld(real, ownerOnly);
    const QString link = dir.filePath("latest.wav");
    ASSERT_TRUE(QFile::link(real, link));
    recordOver(link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
    EXPECT_GT(QFileInfo(real).size(), 1000);
    EXPECT_EQ(QFileInfo(real).permissions(), ownerOnly);
    EXPECT_EQ(everything(dir.path()), QStringList({"latest.wav"}));
    EXPECT_EQ(everything(dir.filePath("songs")), QStringList({"song.wav"}));
}
