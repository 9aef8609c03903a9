#include "tests/app/MainWindowFixture.h"

#include "app/EditorCommands.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QTextCursor>

inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

// What the child sees of the editor's colours and fonts and of the character button:
// read from the pixels drawn, never from the properties meant to draw them.
class MainLook : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        QApplication::setActiveWindow(window.get());
        QTest::qWait(20);
    }

    QImage editorPixels() const
    {
        QCoreApplication::processEvents();
        return window->RichTextBox1->viewport()->grab().toImage();
    }

    // A spot of bare page: below the text, away from the frame.
    QColor pageColour() const
    {
        const QImage page = editorPixels();
        return page.pixelColor(page.width() - 12, page.height() - 12);
    }

    void chooseBackColour(const QColor &colour)
    {
        dialogs.colorAnswers.push_back(colour);
        window->cmdBackColor_Click();
    }

    // Typing moves the keyboard focus into the editor, and leaving it takes the focus away:
    // each change restyles the editor.
    void typeAndLeave(const QString &text)
    {
        window->RichTextBox1->setFocus();
        QTest::keyClicks(window->RichTextBox1, text);
        window->txtFile->setFocus();
        QTest::qWait(10);
    }
};

TEST_F(MainLook, TheEditorStartsOnItsSlatePage)
{
    EXPECT_EQ(pageColour(), QColor(90, 106, 143));
    typeAndLeave(QStringLiteral("Hello"));
    EXPECT_EQ(pageColour(), QColor(90, 106, 143));
}

TEST_F(MainLook, BackColourPaintsThePageAndItStaysPainted)
{
    for (const QColor &chosen : {QColor(Qt::white), QColor(0, 160, 0)}) {
        chooseBackColour(chosen);
        EXPECT_EQ(pageColour(), chosen) << chosen.name().toStdString();
        typeAndLeave(QStringLiteral("A fox "));
        EXPECT_EQ(pageColour(), chosen) << "after typing " << chosen.name().toStdString();
        window->RichTextBox1->setFocus();
        QTest::qWait(10);
        EXPECT_EQ(pageColour(), chosen) << "with the focus " << chosen.name().toStdString();
        // Covered by another window, then shown again.
        window->hide();
        window->show();
        EXPECT_EQ(pageColour(), chosen) << "shown again " << chosen.name().toStdString();
    }
    // The page behind the text takes the colour too, not only the empty page below it.
    const QImage page = editorPixels();
    int green = 0;
    for (int x = 0; x < page.width(); ++x)
        green += page.pixelColor(x, 8) == QColor(0, 160, 0);
    EXPECT_GT(green, page.width() / 2);
    // Marks of the word being read are chosen against the page's colour.
    EXPECT_EQ(window->RichTextBox1->palette().color(QPalette::Base), QColor(0, 160, 0));
}

TEST_F(MainLook, ACancelledColourDialogPaintsTheSharedColourAgain)
{
    chooseBackColour(Qt::white);
    window->cmdForeColor_Click(); // cancelled: the shared colour, white, is the text's colour now
    window->cmdBackColor_Click(); // cancelled too
    EXPECT_EQ(pageColour(), QColor(Qt::white));
}

namespace {
// What the real font dialog showed when it opened.
struct FontDialogSeen
{
    QString family;
    bool bold = false;
    int pointSize = 0;
    bool opened = false;
};

} // namespace

TEST_F(MainLook, TheFontDialogOpensOnTheFontAsDrawnAndOkChangesNothing)
{
    const QString drawnFamily = QFontInfo(window->RichTextBox1->currentFont()).family();
    if (drawnFamily == QLatin1String("Comic Sans MS"))
        GTEST_SKIP() << "the named font itself is installed: nothing stands in for it";
    window->RichTextBox1->setFocus();
    QTest::keyClicks(window->RichTextBox1, QStringLiteral("The little fox"));
    QTextCursor all = window->RichTextBox1->textCursor();
    all.select(QTextCursor::Document);
    window->RichTextBox1->setTextCursor(all);
    window->txtFile->setFocus(); // no blinking caret in the pictures
    const QImage before = editorPixels();

    Dialogs::install(nullptr); // the dialog the child meets
    FontDialogSeen seen;
    QTimer::singleShot(50, [&seen] {
        auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.opened = true;
        const QFont shown = dialog->currentFont();
        seen.family = shown.family();
        seen.bold = shown.bold();
        seen.pointSize = shown.pointSize();
        dialog->accept();
    });
    window->cmdFont_Click();
    Dialogs::install(&dialogs);

    window->txtFile->setFocus();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.family, drawnFamily);
    EXPECT_TRUE(seen.bold);
    EXPECT_EQ(seen.pointSize, 14);
    EXPECT_EQ(editorPixels(), before) << "OK without a change changed the text's look";
    EXPECT_EQ(window->RichTextBox1->currentCharFormat().fontFamilies().toStringList().value(0),
              "Comic Sans MS");
}

TEST_F(MainLook, TheCharacterButtonIsYellowWhileTheCharacterShowsAndLightGreyAfter)
{
    const auto face = [this] {
        QCoreApplication::processEvents();
        const QImage button = window->cmdAnim->grab().toImage();
        return button.pixelColor(5, button.height() / 2);
    };
    window->cmdAnim_Click();
    EXPECT_EQ(face(), QColor(255, 255, 0));
    window->cmdAnim_Click();
    EXPECT_EQ(face(), QColor(224, 224, 224));
    // Clicked with the mouse, which stays over the button.
    QTest::mouseClick(window->cmdAnim, Qt::LeftButton, Qt::NoModifier, window->cmdAnim->rect().center());
    ASSERT_TRUE(window->anim()->isVisible());
    QTest::mouseClick(window->cmdAnim, Qt::LeftButton, Qt::NoModifier, window->cmdAnim->rect().center());
    ASSERT_FALSE(window->anim()->isVisible());
    QTest::qWait(100);
    EXPECT_EQ(face(), QColor(224, 224, 224));
}

namespace {
int cyanPixels(const QImage &image)
{
    int cyan = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            cyan += image.pixelColor(x, y) == QColor(0, 255, 255);
    return cyan;
}
} // namespace

// A name typed into the file box goes through the same question and checks as one chosen in
// the save dialog, and the status shows "RECORDING" only while something is recorded.
TEST_F(MainLook, ATypedNameIsAskedAboutAndRecordingShowsOnlyWhileRecording)
{
    const auto statusCyan = [this] {
        QCoreApplication::processEvents();
        return cyanPixels(window->lblStatus->grab().toImage());
    };
    const QString path = programDir.filePath("kept.wav");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    type("Words for a recording.");
    window->txtFile->setFocus();
    QTest::keyClicks(window->txtFile, path);
    ASSERT_EQ(statusCyan(), 0);

    boxes.answer(MsgAnswer::Cancel);
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "File already exists ! Overwrite ?");
    EXPECT_EQ(statusCyan(), 0) << "RECORDING shown with nothing recorded";
    EXPECT_EQ(QFileInfo(path).size(), 7);

    // A folder that is not there: told, and never shown as recording.
    window->txtFile->setText(programDir.filePath("no/such/folder/x.wav"));
    window->cmdRec_Click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(statusCyan(), 0) << "RECORDING shown with nothing recorded";

    window->txtFile->setText(path);
    boxes.answer(MsgAnswer::Ok);
    window->cmdRec_Click();
    EXPECT_GT(statusCyan(), 20);
    ASSERT_TRUE(playToEnd());
    EXPECT_EQ(statusCyan(), 0);
    EXPECT_GT(QFileInfo(path).size(), 1000);
}
