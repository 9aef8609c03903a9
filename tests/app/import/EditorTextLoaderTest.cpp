#include "app/import/EditorTextLoader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
// Loads `text` step by step; the number of steps it took.
int load(QTextEdit &editor, const QString &text, const QTextCharFormat &format = {})
{
    EditorTextLoader loader(&editor, text, format);
    int steps = 1;
    while (loader.step())
        ++steps;
    EXPECT_EQ(loader.inserted().load(), text.size());
    return steps;
}

TEST(EditorTextLoader, ASliceEdgeNeverSplitsALineEndOrACharacter)
{
    const qsizetype edge = EditorTextLoader::firstSlice;
    QTextEdit editor;
    const QString crlf = QString(edge - 1, u'a') + QStringLiteral("\r\nsecond line");
    load(editor, crlf);
    EXPECT_EQ(editor.document()->blockCount(), 2);
    EXPECT_EQ(editor.toPlainText(), QString(edge - 1, u'a') + QStringLiteral("\nsecond line"));

    const QString emoji = QString(edge - 1, u'a') + QStringLiteral("😀 and more");
    load(editor, emoji);
    EXPECT_EQ(editor.toPlainText(), emoji);
}

TEST(EditorTextLoader, ReplacesTheTextInTheFormatAndForgetsTheHistory)
{
    QTextEdit editor;
    editor.insertPlainText(QStringLiteral("the old story"));
    ASSERT_TRUE(editor.document()->isUndoAvailable());
    QTextCharFormat format;
    format.setForeground(QColor(1, 2, 3));
    QString text;
    for (int i = 0; text.size() < 200000; ++i)
        text += QStringLiteral("Line %1 of a long text.\n").arg(i);
    EXPECT_GT(load(editor, text, format), 1) << "a long text goes in over several steps";
    EXPECT_EQ(editor.toPlainText(), text);
    QTextCursor last(editor.document());
    last.movePosition(QTextCursor::End);
    last.movePosition(QTextCursor::PreviousCharacter);
    EXPECT_EQ(last.charFormat().foreground().color(), QColor(1, 2, 3));
    EXPECT_FALSE(editor.document()->isUndoAvailable());
    editor.insertPlainText(QStringLiteral("typed"));
    EXPECT_TRUE(editor.document()->isUndoAvailable()) << "undo works again for what comes next";
}
} // namespace
