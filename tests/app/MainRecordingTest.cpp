#include "tests/app/MainWindowFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>

using MainRecording = MainWindowFixture;

namespace {
FileDialogResult chose(const QString &path)
{
    return {true, path, 1};
}
} // namespace

TEST_F(MainRecording, SaveDialogFillsTheFileBoxWithTheWaveFilter)
{
    const QString path = programDir.filePath("story.wav");
    dialogs.fileAnswers.push_back(chose(path));
    window->cmdSaveFile_Click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Wav Files (*.wav)|*.wav");
    EXPECT_EQ(window->txtFile->text(), path);

    window->cmdSaveFile_Click(); // cancelled: the name stays
    EXPECT_EQ(window->txtFile->text(), path);
}

TEST_F(MainRecording, RecordsTheTypedNameAndEndsStoppedWithAllButtonsBack)
{
    const QString path = programDir.filePath("typed");
    window->txtFile->setText(path); // no dialog, no extension
    type("Recording this.");
    window->cmdRec_Click();
    EXPECT_EQ(row(), recording);
    EXPECT_EQ(window->engine()->FileName(), path);
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(window->engine()->FileName().isEmpty());
    EXPECT_TRUE(QFileInfo(path).size() > 44);
    EXPECT_FALSE(QFileInfo::exists(path + ".wav"));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(MainRecording, MissingTextOrNameIsRefused)
{
    window->txtFile->setText(programDir.filePath("a.wav"));
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Please Enter Some Text In the Text Box !");
    type("Words.");
    window->txtFile->setText("  ");
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].text, "Please Enter A File Name To Save !");
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Warning);
    EXPECT_EQ(row(), stopped);
}

TEST_F(MainRecording, ExistingFileAsksAndCancelRecordsNothing)
{
    const QString path = programDir.filePath("old.wav");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    window->txtFile->setText(path);
    type("New words.");
    boxes.answer(MsgAnswer::Cancel);
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "File already exists ! Overwrite ?");
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(row(), stopped);
    EXPECT_EQ(QFileInfo(path).size(), 7);

    boxes.answer(MsgAnswer::Ok);
    window->cmdRec_Click();
    EXPECT_EQ(row(), recording);
    ASSERT_TRUE(playToEnd());
    EXPECT_GT(QFileInfo(path).size(), 44);
}

TEST_F(MainRecording, FolderOfThatNameAsksAndThenWarnsWithoutRecording)
{
    const QString folder = programDir.filePath("folder.wav");
    ASSERT_TRUE(QDir().mkpath(folder));
    window->txtFile->setText(folder);
    type("Into a folder?");
    boxes.answer(MsgAnswer::Ok);
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].text, "File already exists ! Overwrite ?");
    EXPECT_TRUE(boxes.shown[1].text.contains(QDir::toNativeSeparators(folder)));
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(window->engine()->FileName().isEmpty());
}

TEST_F(MainRecording, UnwritableFileWarnsWithTheReasonAndKeepsTheState)
{
    const QString path = programDir.filePath("no/such/folder/x.wav");
    window->txtFile->setText(path);
    type("Nowhere to go.");
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.contains(path));
    EXPECT_GT(boxes.shown[0].text.section("\r\n", 1).trimmed().size(), 0); // the reason
    EXPECT_EQ(row(), stopped);
    EXPECT_FALSE(window->engine()->isSpeaking());
}

TEST_F(MainRecording, StopDuringARecordingLeavesTheFileToTheEndOfAudio)
{
    const QString path = programDir.filePath("stopped.wav");
    window->txtFile->setText(path);
    type("A recording that is stopped early, with many more words after this point.");
    window->cmdRec_Click();
    window->cmdStopText_Click();
    EXPECT_EQ(window->engine()->FileName(), path);
    EXPECT_EQ(window->recState, -1);
    ASSERT_TRUE(playToEnd(5));
    EXPECT_TRUE(window->engine()->FileName().isEmpty());
    EXPECT_EQ(row(), stopped);
}

namespace {
QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString longStory()
{
    QString story;
    for (int i = 0; i < 60; ++i) // minutes of speech: far more than the small disk holds
        story += QStringLiteral("Once more the little fox ran over the hill and far away. ");
    return story;
}

// A small file system of its own, so that a recording can fill it (tests run as root here).
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", folder}) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute("umount", {"-l", m_folder});
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};
} // namespace

TEST_F(MainRecording, FullDiskDuringTheRecordingWarnsAndKeepsTheOldFile)
{
    const SmallDisk disk(programDir.filePath("small"));
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString path = programDir.filePath("small/old.wav");
    writeFile(path, "keep me");
    window->txtFile->setText(path);
    type(longStory());
    boxes.answer(MsgAnswer::Ok);
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 1); // the overwrite question
    EXPECT_EQ(row(), recording);
    ASSERT_TRUE(playToEnd(600));

    EXPECT_EQ(row(), stopped);
    ASSERT_EQ(boxes.shown.size(), 2);
    const auto &box = boxes.shown[1];
    EXPECT_EQ(box.caption, "Vocalino 5.0");
    EXPECT_EQ(box.icon, MsgIcon::Warning);
    EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(path))) << box.text.toStdString();
    EXPECT_FALSE(window->engine()->recordingError().isEmpty());
    EXPECT_TRUE(box.text.contains(window->engine()->recordingError())) << box.text.toStdString();
    EXPECT_EQ(contentsOf(path), "keep me");
    EXPECT_EQ(QDir(programDir.filePath("small")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"old.wav"});
}

TEST_F(MainRecording, FolderGoneBeforeTheRenameWarnsAndTheOldFileStays)
{
    const QString folder = programDir.filePath("box");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/old.wav";
    writeFile(path, "keep me");
    window->txtFile->setText(path);
    type(longStory());
    boxes.answer(MsgAnswer::Ok);
    window->cmdRec_Click();
    EXPECT_EQ(row(), recording);
    // The folder moves away and a plain file takes its name: the finished recording has nowhere to go.
    ASSERT_TRUE(QDir().rename(folder, folder + ".moved"));
    writeFile(folder, "not a folder");
    ASSERT_TRUE(playToEnd(600));

    EXPECT_EQ(row(), stopped);
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[1].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[1].text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(boxes.shown[1].text.contains(window->engine()->recordingError()));
    EXPECT_EQ(contentsOf(folder + ".moved/old.wav"), "keep me");
    EXPECT_EQ(contentsOf(folder), "not a folder");
}

TEST_F(MainRecording, AfterAFailedRecordingAGoodOneEndsQuietly)
{
    window->txtFile->setText(programDir.filePath("box/x.wav"));
    ASSERT_TRUE(QDir().mkpath(programDir.filePath("box")));
    type(longStory());
    window->cmdRec_Click();
    ASSERT_TRUE(QDir().rename(programDir.filePath("box"), programDir.filePath("box.moved")));
    ASSERT_TRUE(playToEnd(600));
    ASSERT_EQ(boxes.shown.size(), 1);

    window->txtFile->setText(programDir.filePath("fine.wav"));
    type("Short and fine.");
    window->cmdRec_Click();
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_GT(QFileInfo(programDir.filePath("fine.wav")).size(), 44);
}

TEST_F(MainRecording, UnwritableFileStillRunsTheEngineCheck)
{
    const auto defaults = chooseUnusablePitch();
    ASSERT_TRUE(defaults) << "every voice reaches the whole pitch slider";
    window->txtFile->setText(programDir.filePath("no/such/folder/x.wav"));
    type("Out of my range, and nowhere to go.");
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[0].text.contains("cannot be written"));
    EXPECT_EQ(boxes.shown[1].text, "This setting is not compatible with the selected\r\n"
                                   "     Voice. Please try a different setting.");
    EXPECT_EQ(sliders(), *defaults);
    EXPECT_EQ(row(), stopped);
}

TEST_F(MainRecording, BlanksAroundTheNameAreKept)
{
    const QString path = programDir.filePath(" story.wav ");
    window->txtFile->setText(path);
    type("Blanks belong to the name.");
    window->cmdRec_Click();
    EXPECT_EQ(window->engine()->FileName(), path);
    ASSERT_TRUE(playToEnd());
    EXPECT_GT(QFileInfo(path).size(), 44);
    EXPECT_FALSE(QFileInfo::exists(programDir.filePath("story.wav")));
}

// STOP saves what was recorded so far; when that last save fails (its folder gone), the
// window says so in a warning naming the file and the reason, instead of nothing.
TEST_F(MainRecording, AFailedSaveAfterStopWarnsWithTheFileAndTheReason)
{
    const QString folder = programDir.filePath("shelf");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/story.wav";
    window->txtFile->setText(path);
    type(longStory());
    window->cmdRec_Click();
    ASSERT_EQ(row(), recording);
    QTest::qWait(300); // some of it is recorded
    ASSERT_TRUE(QDir().rename(folder, folder + ".moved"));
    window->cmdStopText_Click();
    ASSERT_TRUE(playToEnd(30));
    QTest::qWait(50);

    EXPECT_EQ(row(), stopped);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.contains(QDir::toNativeSeparators(path))) << boxes.shown[0].text.toStdString();
    EXPECT_FALSE(window->engine()->recordingError().isEmpty());
    EXPECT_TRUE(boxes.shown[0].text.contains(window->engine()->recordingError()));
    EXPECT_EQ(QDir(folder + ".moved").entryList(QDir::Files | QDir::Hidden), QStringList());
}
