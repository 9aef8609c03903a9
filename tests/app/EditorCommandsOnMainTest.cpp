#include "tests/app/MainWindowFixture.h"

#include <QLineEdit>
#include <QTextCursor>

// The editor commands as the child meets them: through the buttons of the real window.
using EditorOnMain = MainWindowFixture;

namespace {
void clickButton(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}
} // namespace

TEST_F(EditorOnMain, EraseIsRefusedWhileSpeakingAndRecordingAndWorksWhenStopped)
{
    window->show();
    type("Keep this while I listen.");
    window->cmdSpkText_Click();
    ASSERT_FALSE(window->cmdClearText->isEnabled());
    clickButton(window->cmdClearText);
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "Keep this while I listen.");

    window->cmdStopText_Click();
    window->txtFile->setText(programDir.filePath("story.wav"));
    window->cmdRec_Click();
    ASSERT_FALSE(window->cmdClearText->isEnabled());
    clickButton(window->cmdClearText);
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "Keep this while I listen.");
    ASSERT_TRUE(playToEnd());

    ASSERT_TRUE(window->cmdClearText->isEnabled());
    clickButton(window->cmdClearText);
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "");
}

TEST_F(EditorOnMain, TheWindowLoadsWithTheStartingFormatAndBoldPressed)
{
    const QTextCharFormat caret = window->RichTextBox1->currentCharFormat();
    EXPECT_EQ(caret.foreground().color(), QColor(255, 255, 128));
    EXPECT_EQ(caret.fontPointSize(), 14.0);
    EXPECT_GE(caret.fontWeight(), QFont::Bold);
    EXPECT_EQ(window->RichTextBox1->font().family(), "Comic Sans MS");
    // The check buttons keep their own look: bold pressed at load, not following the text.
    EXPECT_TRUE(window->cmdBold->Value());
    EXPECT_FALSE(window->cmdItalic->Value());
    type("plain");
    QTextCursor all = window->RichTextBox1->textCursor();
    all.select(QTextCursor::Document);
    window->RichTextBox1->setTextCursor(all);
    window->cmdItalic_Click();
    EXPECT_TRUE(window->RichTextBox1->currentCharFormat().fontItalic());
}

TEST_F(EditorOnMain, OpenThroughTheButtonReadsTheChosenFile)
{
    QFile file(programDir.filePath("story.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Once upon a time");
    file.close();
    dialogs.fileAnswers.push_back({true, file.fileName(), 1});
    window->cmdOpen_Click();
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "Once upon a time");
    EXPECT_EQ(dialogs.fileRequests.value(0).filterIndex, 0);
}
