#include "tests/app/MainWindowFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

using MainRecording = MainWindowFixture;

namespace {
FileDialogResult chose(const QString &path) { return {true, path, 1}; }
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
