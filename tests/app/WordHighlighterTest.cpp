#include "app/WordHighlighter.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {
const QColor slateBlue{90, 106, 143};
const QColor lightYellow{255, 255, 128};
} // namespace

TEST(WordHighlighterColours, TheMarkStandsOutAndItsWordReadsOnEveryPage)
{
    const QColor pages[] = {slateBlue,  Qt::white, Qt::black,           QColor(128, 128, 128), Qt::red,
                            Qt::yellow, Qt::blue,  QColor(255, 221, 0), QColor(20, 45, 140)};
    const QColor words[] = {lightYellow, Qt::black, Qt::white, QColor(255, 221, 0)};
    for (const QColor &page : pages)
        for (const QColor &word : words) {
            const auto colours = WordHighlighter::coloursFor(page, word);
            EXPECT_GE(WordHighlighter::contrast(colours.background, page), 2.9) << page.name().toStdString();
            EXPECT_GE(WordHighlighter::contrast(colours.text, colours.background), 4.5)
                << page.name().toStdString() << " " << word.name().toStdString();
        }
    // The word keeps its own colour when it reads well on the mark.
    const auto onWhite = WordHighlighter::coloursFor(Qt::white, Qt::white);
    EXPECT_EQ(onWhite.text, QColor(Qt::white));
}

class WordHighlighterView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStringList lines;
        for (int i = 1; i <= 300; ++i)
            lines << QStringLiteral("Line %1 has a word here.").arg(i);
        text = lines.join(u'\n');
        editor.resize(400, 200);
        editor.setPlainText(text);
        editor.show();
        highlighter.expect(7, text);
        highlighter.readingHeard(7);
    }

    void hear(const QString &word, int line)
    {
        const int at = int(editor.document()->findBlockByNumber(line - 1).position() +
                           text.section(u'\n', line - 1, line - 1).indexOf(word));
        highlighter.wordHeard(at, int(word.size()));
    }

    bool inSight() const { return editor.viewport()->rect().contains(editor.cursorRect(highlighter.mark())); }

    QString text;
    QTextEdit editor;
    WordHighlighter highlighter{&editor};
};

TEST_F(WordHighlighterView, AWordOutOfSightIsScrolledIntoViewAndAVisibleOneIsLeftAlone)
{
    QScrollBar *bar = editor.verticalScrollBar();
    hear("word", 2);
    EXPECT_EQ(bar->value(), 0) << "a word already in sight made the text jump";
    hear("word", 200);
    ASSERT_TRUE(highlighter.isMarking());
    EXPECT_EQ(highlighter.mark().selectedText(), "word");
    EXPECT_TRUE(inSight());
    const int scrolled = bar->value();
    EXPECT_GT(scrolled, 0);
    hear("here", 200);
    EXPECT_EQ(bar->value(), scrolled);
    hear("Line", 201);
    EXPECT_TRUE(inSight());
    EXPECT_LT(bar->value() - scrolled, 3 * editor.fontMetrics().height()) << "scrolled further than needed";
    hear("word", 5); // back above the view
    EXPECT_TRUE(inSight());
}

TEST_F(WordHighlighterView, PositionsOutsideTheTextMarkNothing)
{
    highlighter.wordHeard(int(text.size()) - 2, 10);
    highlighter.wordHeard(-1, 3);
    highlighter.wordHeard(3, 0);
    EXPECT_FALSE(highlighter.isMarking());
    EXPECT_TRUE(editor.extraSelections().isEmpty());
}

TEST_F(WordHighlighterView, AReadingNotHandedOverIsNotMarked)
{
    highlighter.readingHeard(8);
    hear("word", 1);
    EXPECT_FALSE(highlighter.isMarking());
}
