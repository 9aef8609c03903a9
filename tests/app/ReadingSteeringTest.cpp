// The child steers the reading: from a word, a selection, a sentence back, on or again,
// a pause after each sentence, and the ruler.
#include "MainWindowFixture.h"

#include "app/EditorMenu.h"
#include "app/ReadingRuler.h"
#include "app/WordHighlighter.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>

namespace {
constexpr int rate = 22050;
constexpr qint64 step = rate / 50; // 20 ms of sound a step
} // namespace

class ReadingSteering : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        showActive();
    }

    QTextEdit &editor() { return *window->RichTextBox1; }
    QString marked() const { return window->highlighter().mark().selectedText(); }
    qint32 lastReading() { return window->engine()->LastReading(); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->RichTextBox1, key, modifiers);
        QApplication::processEvents();
    }

    void playStep()
    {
        soundCard->advance(step);
        QTest::qWait(25);
    }

    // Plays until `done` holds; false if it never did.
    template <typename Done> bool playUntil(Done done, int steps = 1500)
    {
        for (int i = 0; i < steps && !done(); ++i)
            playStep();
        return done();
    }

    bool playUntilMarked(const QString &word)
    {
        return playUntil([&] { return marked() == word; });
    }

    // Every word marked from now until `done` holds, each once.
    template <typename Done> QStringList wordsHeardUntil(Done done)
    {
        QStringList heard;
        playUntil([&] {
            if (!marked().isEmpty() && (heard.isEmpty() || heard.last() != marked()))
                heard << marked();
            return done();
        });
        return heard;
    }

    QStringList wordsToTheEnd()
    {
        const qsizetype before = stops->size();
        return wordsHeardUntil([&] { return stops->size() > before; });
    }

    void caretAt(int position)
    {
        QTextCursor caret(editor().document());
        caret.setPosition(position);
        editor().setTextCursor(caret);
    }

    QAction *menuEntry(QMenu &menu, const QString &text)
    {
        for (QAction *action : menu.actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
};

TEST_F(ReadingSteering, ReadFromHereStartsAtTheWordUnderTheCaretAndMarksItInTheWholeText)
{
    const QString text =
        QStringLiteral("The cat sat.\nA dog ran.\nBirds sing in the tall green trees.\nThe end.");
    type(text);
    const int tall = int(text.indexOf(QStringLiteral("tall")));
    caretAt(tall + 2); // inside the word
    key(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(row(), speaking);
    ASSERT_TRUE(playUntil([&] { return !marked().isEmpty(); }));
    EXPECT_EQ(marked(), "tall") << "the first word heard";
    EXPECT_EQ(window->highlighter().mark().selectionStart(), tall);
    EXPECT_EQ(wordsToTheEnd(), QStringList({"tall", "green", "trees", "The", "end"}));
    EXPECT_EQ(row(), stopped);
}

TEST_F(ReadingSteering, TheContextMenuReadsFromTheWordRightClicked)
{
    const QString text = QStringLiteral("Apples and pears.\nMelons and lemons grow.");
    type(text);
    caretAt(0);
    const int melons = int(text.indexOf(QStringLiteral("lemons")));
    QTextCursor at(editor().document());
    at.setPosition(melons + 1);
    EditorMenu menus(*window);
    const auto menu = menus.build(editor().cursorRect(at).center(), false);
    QAction *read = menuEntry(*menu, QStringLiteral("Read from here"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F5));
    EXPECT_FALSE(menuEntry(*menu, QStringLiteral("Read the selection"))->isEnabled());
    read->trigger();
    EXPECT_EQ(wordsToTheEnd(), QStringList({"lemons", "grow"}));
}

TEST_F(ReadingSteering, ASelectionIsReadAlone)
{
    const QString text = QStringLiteral("Red fish swim. Blue birds fly high. Green frogs jump.");
    type(text);
    QTextCursor selection(editor().document());
    selection.setPosition(int(text.indexOf(QStringLiteral("birds"))));
    selection.setPosition(int(text.indexOf(QStringLiteral("Green"))) + 5, QTextCursor::KeepAnchor);
    editor().setTextCursor(selection);
    EditorMenu menus(*window);
    const auto menu = menus.build(QPoint(2, 2), true);
    EXPECT_TRUE(menuEntry(*menu, QStringLiteral("Read the selection"))->isEnabled());
    key(Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(wordsToTheEnd(), QStringList({"birds", "fly", "high", "Green"}));
    const qsizetype played = qsizetype(soundCard->given.size());
    EXPECT_LT(played, rate * 4) << "more than the selection was spoken";
}

class SentenceKeys : public ReadingSteering
{
protected:
    const QString text = QStringLiteral(
        "One two three four. Five six seven eight nine ten eleven twelve thirteen. Fourteen fifteen.");

    void SetUp() override
    {
        ReadingSteering::SetUp();
        type(text);
        window->cmdSpkText_Click();
    }
};

TEST_F(SentenceKeys, AltRightGoesOnToTheNextSentenceAndTheMouthFollows)
{
    ASSERT_TRUE(playUntilMarked("two"));
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_LT(soundCard->given.size(), size_t(step * 2)) << "the old sentence's sound was kept";
    bool mouthMoved = false;
    const QStringList heard = wordsHeardUntil([&] {
        mouthMoved = mouthMoved || window->engine()->mouthShape() != 0;
        return marked() == "six";
    });
    EXPECT_EQ(heard.value(0), "Five") << heard.join(' ').toStdString();
    EXPECT_FALSE(heard.contains("three"));
    EXPECT_EQ(window->highlighter().mark().selectionStart(), text.indexOf(QStringLiteral("six")));
    EXPECT_TRUE(mouthMoved);
    EXPECT_EQ(row(), speaking);
}

TEST_F(SentenceKeys, AtTheFirstAndTheLastSentenceTheKeysDoNothing)
{
    ASSERT_TRUE(playUntilMarked("One"));
    const qint32 reading = lastReading();
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(lastReading(), reading);
    ASSERT_TRUE(playUntilMarked("Fourteen"));
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(lastReading(), reading);
    EXPECT_EQ(wordsToTheEnd(), QStringList({"Fourteen", "fifteen"}));
}

TEST_F(SentenceKeys, AltLeftGoesBackASentenceOrToTheStartOfOneHeardForMoreThanASecond)
{
    ASSERT_TRUE(playUntilMarked("Five"));
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(wordsHeardUntil([&] { return marked() == "two"; }).value(0), "One");

    ASSERT_TRUE(playUntilMarked("Five"));
    const qint64 heardFrom = window->engine()->playedSamples();
    ASSERT_TRUE(playUntil([&] { return window->engine()->playedSamples() - heardFrom > rate * 12 / 10; }));
    ASSERT_NE(marked(), "Fourteen") << "the sentence was too short for this test";
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(wordsHeardUntil([&] { return marked() == "six"; }).value(0), "Five");
}

TEST_F(SentenceKeys, F7SaysTheSentenceAgainAlsoFromAPause)
{
    ASSERT_TRUE(playUntilMarked("seven"));
    window->cmdPauseText_Click();
    ASSERT_EQ(row(), paused);
    key(Qt::Key_F7);
    EXPECT_EQ(row(), speaking) << "a step from a pause goes on reading";
    EXPECT_EQ(wordsHeardUntil([&] { return marked() == "six"; }).value(0), "Five");
    EXPECT_EQ(wordsToTheEnd().last(), "fifteen");
    EXPECT_EQ(row(), stopped);
}

TEST_F(SentenceKeys, RecordingIgnoresTheKeys)
{
    window->cmdStopText_Click();
    QTest::qWait(50); // the stop's own report comes before the recording
    QTemporaryDir folder;
    window->txtFile->setText(folder.filePath("steps.wav"));
    window->cmdRec_Click();
    ASSERT_EQ(row(), recording);
    const qint32 reading = lastReading();
    for (const auto &[k, modifiers] : {std::pair{Qt::Key_Right, Qt::AltModifier},
                                       {Qt::Key_Left, Qt::AltModifier},
                                       {Qt::Key_F7, Qt::NoModifier},
                                       {Qt::Key_F5, Qt::ControlModifier}})
        key(k, modifiers);
    EXPECT_EQ(lastReading(), reading);
    EXPECT_EQ(row(), recording);
    EXPECT_TRUE(playToEnd());
}

TEST_F(ReadingSteering, StopAfterEachSentencePausesAndF6GoesOnWithTheNext)
{
    type(QStringLiteral("Red and blue. Green and gold. Pink."));
    EditorMenu menus(*window);
    const auto menu = menus.build(QPoint(2, 2), true);
    QAction *toggle = menuEntry(*menu, QStringLiteral("Stop after each sentence"));
    ASSERT_TRUE(toggle && toggle->isCheckable());
    toggle->trigger();
    EXPECT_TRUE(window->stopsAfterEachSentence());
    window->cmdSpkText_Click();

    EXPECT_EQ(wordsHeardUntil([&] { return row() == paused; }), QStringList({"Red", "and", "blue"}));
    EXPECT_EQ(window->lblStatus->text(), "PAUSED");
    EXPECT_EQ(window->highlighter().band().selectedText(), "Red and blue.")
        << "the band stays on the sentence";
    for (int i = 0; i < 30; ++i)
        playStep();
    EXPECT_EQ(row(), paused) << "the pause holds";

    key(Qt::Key_F6);
    EXPECT_EQ(row(), speaking);
    EXPECT_EQ(wordsHeardUntil([&] { return row() == paused; }), QStringList({"Green", "and", "gold"}));
    key(Qt::Key_Right, Qt::AltModifier); // a step from the pause reads the next sentence, then pauses
    EXPECT_EQ(wordsToTheEnd(), QStringList({"Pink"}));
    EXPECT_EQ(row(), stopped) << "after the last sentence the reading ends";
}

TEST_F(ReadingSteering, StopAfterEachSentenceSwitchedOnWhileReadingPausesAtTheEndOfThatSentence)
{
    type(QStringLiteral("Red and blue and green. Gold and pink."));
    window->cmdSpkText_Click();
    ASSERT_TRUE(playUntil([&] { return marked() == "and"; }));
    window->setStopAfterEachSentence(true);
    const QStringList heard = wordsHeardUntil([&] { return row() == paused; });
    EXPECT_EQ(heard.last(), "green") << heard.join(' ').toStdString();
    EXPECT_FALSE(heard.contains("Gold"));
    key(Qt::Key_F6);
    EXPECT_EQ(wordsToTheEnd(), QStringList({"Gold", "and", "pink"}));
}
