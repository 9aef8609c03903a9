#include "app/EditorCommands.h"
#include "app/import/FileOpen.h"
#include "tests/app/import/KnownDocuments.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
const QColor startColor(255, 255, 128);

class EditorCommandsTest : public ::testing::Test
{
protected:
    EditorCommandsTest()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        commands.setStartingFormat();
        QGuiApplication::clipboard()->setText(QStringLiteral("what the child copied"));
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    void chooseFile(const QString &path, int filterIndex)
    {
        dialogs.fileAnswers.push_back({true, path, filterIndex});
        commands.open();
    }

    void typeText(const QString &text) { editor->setPlainText(text); }

    void select(int from, int to)
    {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }

    QTextCharFormat formatAt(int position)
    {
        QTextCursor cursor(editor->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    // Every character of the editor in the one format that opened files receive.
    void expectWholeTextIn(const QFont &font, const QColor &color)
    {
        for (int i = 0; i < editor->toPlainText().size(); ++i) {
            const QTextCharFormat format = formatAt(i);
            ASSERT_EQ(format.fontFamilies().toStringList(), QStringList{font.family()}) << i;
            ASSERT_EQ(format.fontPointSize(), font.pointSizeF()) << i;
            ASSERT_EQ(format.fontWeight() >= QFont::Bold, font.bold()) << i;
            ASSERT_EQ(format.fontItalic(), font.italic()) << i;
            ASSERT_EQ(format.fontUnderline(), font.underline()) << i;
            ASSERT_EQ(format.fontStrikeOut(), font.strikeOut()) << i;
            ASSERT_EQ(format.foreground().color(), color) << i;
        }
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ScriptedMessageBoxes boxes;
    QWidget window;
    QTextEdit *editor = new QTextEdit(&window);
    EditorCommands commands{editor};
};

TEST_F(EditorCommandsTest, OpenShowsTheFilterAndRemembersTheChosenIndex)
{
    commands.open();
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              "Text Files (*.txt)|*.txt|Rich Text (*.rtf)|*.rtf|"
              "Word Document (*.doc)|*.doc;*.docx;*.odt;*.docm|All files (*.*)|*.*");
    EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 0);
    chooseFile(write("a.rtf", "{\\rtf1 x}"), 2);
    EXPECT_EQ(commands.openDialogState().filterIndex, 2);
    EXPECT_EQ(commands.openDialogState().title, "a.rtf");
    commands.open();
    EXPECT_EQ(dialogs.fileRequests[2].filterIndex, 2);
}

// The real dialog, as the child sees it: captions as written, and the Word entry lists every document it
// reads.
TEST_F(EditorCommandsTest, WordFilterListsEveryDocumentUnderItsOwnCaption)
{
    for (const QString name : {"a.doc", "b.docx", "c.odt", "d.docm", "e.txt", "f.rtf"})
        write(name, "x");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    FileDialogRequest request;
    request.filter = EditorCommands::openFilter;
    request.filterIndex = 3;
    request.folder = folder.path();
    Dialogs::prepare(dialog, request);
    dialog.show();

    auto *types = dialog.findChild<QComboBox *>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList captions;
    for (int i = 0; i < types->count(); ++i)
        captions << types->itemText(i);
    EXPECT_EQ(captions, (QStringList{"Text Files (*.txt)", "Rich Text (*.rtf)", "Word Document (*.doc)",
                                     "All files (*.*)"}));
    EXPECT_EQ(types->currentText(), "Word Document (*.doc)");
    EXPECT_EQ(Dialogs::chosenFilter(dialog), 3); // the index that picks the Word reader

    auto *list = dialog.findChild<QListView *>("listView");
    ASSERT_NE(list, nullptr);
    QStringList listed;
    for (int wait = 0; wait < 200 && listed.size() < 4; ++wait) {
        QTest::qWait(10);
        listed.clear();
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            listed << list->model()->index(row, 0, list->rootIndex()).data().toString();
    }
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"a.doc", "b.docx", "c.odt", "d.docm"}));
}

TEST_F(EditorCommandsTest, CancelAfterAnEarlierOpenKeepsTheText)
{
    chooseFile(write("first.txt", "first text"), 1);
    ASSERT_EQ(editor->toPlainText(), "first text");
    editor->append(QStringLiteral("typed later"));
    commands.open();
    EXPECT_EQ(editor->toPlainText(), "first text\ntyped later");
    EXPECT_EQ(commands.openDialogState().filterIndex, 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(EditorCommandsTest, TextFilterReadsUtf16AndLineEnds)
{
    chooseFile(write("le.txt", QByteArray("\xFF\xFE"
                                          "A\0B\0",
                                          6)),
               1);
    EXPECT_EQ(editor->toPlainText(), "AB");
    chooseFile(write("crlf.txt", "one\r\ntwo\rthree\nfour"), 1);
    EXPECT_EQ(editor->document()->blockCount(), 4);
    EXPECT_EQ(editor->toPlainText(), "one\ntwo\nthree\nfour");
}

TEST_F(EditorCommandsTest, TheNamedFiltersKeepTheirReadersWhateverTheExtension)
{
    // Rich text under the text filter shows its source; text under the rich text filter is refused.
    chooseFile(write("source.rtf", "{\\rtf1 hi}"), 1);
    EXPECT_EQ(editor->toPlainText(), "{\\rtf1 hi}");
    chooseFile(write("rich.txt", "{\\rtf1 hi\\par}"), 2);
    EXPECT_EQ(editor->toPlainText(), "hi");
}

TEST_F(EditorCommandsTest, ANameEndingInABlankIsOpenedAsItIs)
{
    chooseFile(write(" story.txt ", "blank-edged name"), 1);
    EXPECT_EQ(editor->toPlainText(), "blank-edged name");
    EXPECT_EQ(commands.openDialogState().title, " story.txt ");
}

TEST_F(EditorCommandsTest, AnUnknownFilterIndexInsertsNothing)
{
    typeText(QStringLiteral("old"));
    chooseFile(write("x.txt", "new"), 5);
    EXPECT_EQ(editor->toPlainText(), "");
}

TEST_F(EditorCommandsTest, RichTextGivesItsPlainText)
{
    chooseFile(KnownDocuments::path(QStringLiteral("rtf")), 2);
    EXPECT_EQ(editor->toPlainText(), KnownDocuments::text());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(EditorCommandsTest, AFileThatIsNotRichTextLeavesTheEditorAsItWas)
{
    typeText(QStringLiteral("keep me"));
    chooseFile(write("plain.rtf", "just words"), 2);
    EXPECT_EQ(editor->toPlainText(), "keep me");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].text, EditorCommands::notRichTextWarning);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(EditorCommandsTest, WordDocumentsConvertAndLeaveTheClipboardAlone)
{
    for (const char *extension : {"doc", "docx", "odt"}) {
        typeText(QStringLiteral("before"));
        chooseFile(KnownDocuments::path(QString::fromLatin1(extension)), 3);
        EXPECT_EQ(editor->toPlainText(), KnownDocuments::text()) << extension;
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "what the child copied");
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(EditorCommandsTest, AFailedConversionKeepsTheTextAndSaysSo)
{
    const QString failing = write("failing-office", "#!/bin/sh\nexit 1\n");
    QFile::setPermissions(failing, QFile::ReadOwner | QFile::ExeOwner);
    commands.converter().setProgram(failing);
    typeText(QStringLiteral("the child's story"));
    chooseFile(KnownDocuments::path(QStringLiteral("doc")), 3);
    EXPECT_EQ(editor->toPlainText(), "the child's story");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, "Vocalino 5.0");
    EXPECT_EQ(boxes.shown[0].text, "Error converting Word Document");
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(EditorCommandsTest, WithoutLibreOfficeOnThePathTheMessageAppears)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit());
    typeText(QStringLiteral("kept"));
    chooseFile(KnownDocuments::path(QStringLiteral("docx")), 3);
    qputenv("PATH", path);
    EXPECT_EQ(editor->toPlainText(), "kept");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Error converting Word Document");
}

TEST_F(EditorCommandsTest, WhileConvertingTheWindowTakesNoInputButKeepsRunning)
{
    const QString slow = write("slow-office", "#!/bin/sh\nsleep 1\nexit 1\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::ExeOwner);
    commands.converter().setProgram(slow);
    typeText(QStringLiteral("x"));
    bool timerRan = false;
    bool waitCursorShown = false;
    QTimer::singleShot(300, [&] {
        timerRan = true;
        waitCursorShown =
            QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(editor, &press);
    });
    chooseFile(KnownDocuments::path(QStringLiteral("doc")), 3);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(waitCursorShown);
    EXPECT_EQ(editor->toPlainText(), "x");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(EditorCommandsTest, OpenedTextTakesTheCurrentFormatWithTheCaretAtTheStart)
{
    editor->setPlainText(QStringLiteral("unformatted"));
    chooseFile(write("t.txt", "Hello\nworld"), 1);
    QFont start(QStringLiteral("Comic Sans MS"));
    start.setPointSizeF(14.0);
    start.setBold(true);
    expectWholeTextIn(start, startColor);
    EXPECT_EQ(editor->textCursor().position(), 0);
    EXPECT_FALSE(editor->textCursor().hasSelection());

    QFont chosen(QStringLiteral("Arial"));
    chosen.setPointSizeF(20.0);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    dialogs.fontAnswers.push_back(chosen);
    commands.font();
    chooseFile(write("u.txt", "next file"), 1);
    expectWholeTextIn(chosen, startColor);
}

TEST_F(EditorCommandsTest, AnEmptyFileStillTypesInTheCurrentFormat)
{
    chooseFile(write("empty.txt", ""), 1);
    EXPECT_EQ(editor->toPlainText(), "");
    EXPECT_EQ(editor->currentCharFormat().foreground().color(), startColor);
    EXPECT_EQ(editor->currentCharFormat().fontPointSize(), 14.0);
}

TEST_F(EditorCommandsTest, BackColorAlsoColoursTheNextOpenedText)
{
    const QColor blue(10, 20, 200);
    dialogs.colorAnswers.push_back(blue);
    commands.backColor();
    EXPECT_EQ(editor->palette().color(QPalette::Base), blue);
    EXPECT_EQ(dialogs.colorRequests.value(0), startColor);
    chooseFile(write("t.txt", "blue text"), 1);
    EXPECT_EQ(formatAt(0).foreground().color(), blue);
    // A cancelled dialog applies the shared colour again.
    commands.foreColor();
    EXPECT_EQ(commands.dialogColor(), blue);
}

TEST_F(EditorCommandsTest, ForeColorColoursTheSelection)
{
    typeText(QStringLiteral("abcd"));
    select(1, 3);
    dialogs.colorAnswers.push_back(QColor(Qt::red));
    commands.foreColor();
    EXPECT_EQ(formatAt(1).foreground().color(), QColor(Qt::red));
    EXPECT_EQ(formatAt(2).foreground().color(), QColor(Qt::red));
    EXPECT_NE(formatAt(3).foreground().color(), QColor(Qt::red));
}

TEST_F(EditorCommandsTest, PasteReplacesTheSelectionButNotWithNothing)
{
    typeText(QStringLiteral("Hello world"));
    select(6, 11);
    QGuiApplication::clipboard()->clear();
    commands.paste();
    EXPECT_EQ(editor->toPlainText(), "Hello world");
    EXPECT_EQ(editor->textCursor().selectedText(), "world");
    QGuiApplication::clipboard()->setText(QStringLiteral("there\r\nfriend"));
    commands.paste();
    EXPECT_EQ(editor->toPlainText(), "Hello there\nfriend");
}

TEST_F(EditorCommandsTest, CopyPutsTheSelectionAsPlainText)
{
    typeText(QStringLiteral("first\nsecond"));
    select(3, 9);
    commands.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "st\nsec");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());
}

TEST_F(EditorCommandsTest, SelectAllSelectsEverythingAndFocusesTheEditor)
{
    auto *other = new QTextEdit(&window);
    window.layout()->addWidget(other);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    ASSERT_FALSE(editor->hasFocus());
    typeText(QStringLiteral("one\ntwo"));
    commands.selectAll();
    EXPECT_EQ(editor->textCursor().selectionStart(), 0);
    EXPECT_EQ(editor->textCursor().selectionEnd(), 7);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(EditorCommandsTest, EraseEmptiesTheTextAndKeepsTheTypingFormat)
{
    typeText(QStringLiteral("some text"));
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    editor->mergeCurrentCharFormat(red);
    commands.erase();
    EXPECT_EQ(editor->toPlainText(), "");
    EXPECT_EQ(editor->currentCharFormat().foreground().color(), QColor(Qt::red));
}

TEST_F(EditorCommandsTest, BoldAndItalicToggleAndAMixedSelectionTurnsThemOff)
{
    typeText(QStringLiteral("abcdef"));
    select(0, 6);
    QTextCharFormat plain;
    plain.setFontWeight(QFont::Normal);
    plain.setFontItalic(false);
    editor->mergeCurrentCharFormat(plain);
    EXPECT_EQ(EditorCommands::selectionBold(editor->textCursor()), EditorCommands::Flag::Off);
    commands.bold();
    EXPECT_EQ(EditorCommands::selectionBold(editor->textCursor()), EditorCommands::Flag::On);
    commands.bold();
    EXPECT_EQ(EditorCommands::selectionBold(editor->textCursor()), EditorCommands::Flag::Off);

    select(0, 2);
    commands.bold();
    commands.italic();
    select(0, 6);
    EXPECT_EQ(EditorCommands::selectionBold(editor->textCursor()), EditorCommands::Flag::Mixed);
    EXPECT_EQ(EditorCommands::selectionItalic(editor->textCursor()), EditorCommands::Flag::Mixed);
    commands.bold();
    commands.italic();
    EXPECT_EQ(EditorCommands::selectionBold(editor->textCursor()), EditorCommands::Flag::Off);
    EXPECT_EQ(EditorCommands::selectionItalic(editor->textCursor()), EditorCommands::Flag::Off);
}

TEST_F(EditorCommandsTest, BoldWithoutSelectionSetsTheTypingFormat)
{
    typeText(QString());
    commands.setStartingFormat(); // bold at the caret
    commands.bold();
    editor->insertPlainText(QStringLiteral("x"));
    EXPECT_LT(formatAt(0).fontWeight(), QFont::Bold);
}

TEST_F(EditorCommandsTest, FontAppliesToTheSelectionAndCancelAppliesThePreviousFontAgain)
{
    typeText(QStringLiteral("abc"));
    select(0, 3);
    QTextCharFormat other;
    other.setFontFamilies({QStringLiteral("Verdana")});
    other.setFontPointSize(30);
    editor->mergeCurrentCharFormat(other);
    commands.font(); // cancelled
    // The dialog is shown the font as drawn: the installed stand-in, bold, 14.
    const QFont shown = dialogs.fontRequests.value(0);
    EXPECT_EQ(shown.family(), QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family());
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(shown.pointSizeF(), 14.0);
    EXPECT_EQ(formatAt(1).fontFamilies().toStringList(), QStringList{"Comic Sans MS"});
    EXPECT_EQ(formatAt(1).fontPointSize(), 14.0);
    EXPECT_GE(formatAt(1).fontWeight(), QFont::Bold);
}

TEST_F(EditorCommandsTest, StartingFormatIsComicSansFourteenBoldYellow)
{
    EXPECT_EQ(editor->font().family(), "Comic Sans MS");
    EXPECT_EQ(editor->currentCharFormat().fontPointSize(), 14.0);
    EXPECT_GE(editor->currentCharFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(editor->currentCharFormat().foreground().color(), startColor);
    EXPECT_EQ(commands.dialogFont().family(), "Comic Sans MS");
    EXPECT_EQ(commands.dialogFont().pointSizeF(), 14.0);
    EXPECT_TRUE(commands.dialogFont().bold());
    EXPECT_EQ(commands.dialogColor(), startColor);
}
} // namespace
