#include "MainWindowFixture.h"

#include "app/WordHighlighter.h"

#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace {
constexpr int rate = 22050;
constexpr qint64 tolerance = rate * 50 / 1000; // 50 ms
constexpr qint64 step = rate / 50;             // 20 ms of sound a step

// Every character's format, as open, copy and the format commands see it.
QList<QTextCharFormat> charFormats(QTextDocument *document)
{
    QList<QTextCharFormat> formats;
    QTextCursor cursor(document);
    for (int i = 1; i < document->characterCount(); ++i) {
        cursor.setPosition(i);
        formats << cursor.charFormat();
    }
    return formats;
}

// Where each word's sound lies: words stand between silences of at least 150 ms.
struct Span
{
    qint64 start, end;
};

std::vector<Span> soundSpans(const std::vector<qint16> &samples)
{
    const qint64 frame = rate / 100;
    std::vector<double> levels;
    for (size_t at = 0; at + size_t(frame) <= samples.size(); at += size_t(frame)) {
        double sum = 0;
        for (qint64 i = 0; i < frame; ++i)
            sum += double(samples[at + size_t(i)]) * samples[at + size_t(i)];
        levels.push_back(std::sqrt(sum / double(frame)));
    }
    const double loud = *std::max_element(levels.begin(), levels.end()) * 0.08;
    std::vector<Span> spans;
    qint64 quietSince = 0;
    for (qint64 f = 0; f < qint64(levels.size()); ++f) {
        if (levels[size_t(f)] < loud)
            continue;
        if (spans.empty() || (f - quietSince) * frame >= rate * 150 / 1000)
            spans.push_back({f * frame, (f + 1) * frame});
        spans.back().end = (f + 1) * frame;
        quietSince = f + 1;
    }
    return spans;
}
} // namespace

class ReadingAlongTest : public MainWindowFixture
{
protected:
    QTextEdit &editor() { return *window->RichTextBox1; }

    QString marked() const
    {
        const QList<QTextEdit::ExtraSelection> marks = window->RichTextBox1->extraSelections();
        return marks.isEmpty() ? QString() : marks.first().cursor.selectedText();
    }

    void chooseVoice(const QString &name)
    {
        const auto found = window->lstVoice->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        window->lstVoice->setCurrentItem(found.first());
    }

    // Plays one step and lets the engine's next tick see it.
    void playStep(qint64 samples = step)
    {
        soundCard->advance(samples);
        QTest::qWait(25);
    }

    // Plays until a word is marked.
    bool playUntilMarked()
    {
        for (int i = 0; i < 500 && marked().isEmpty(); ++i)
            playStep();
        return !marked().isEmpty();
    }
};

// The voice and a sentence in its language, one word a sentence so each word's sound stands
// apart; no word opens with a stop, whose silent closure would hide where it begins.
struct Reading
{
    const char *voice;
    const char *text;
};

class MarkFollowsTheSound : public ReadingAlongTest, public ::testing::WithParamInterface<Reading>
{
};

TEST_P(MarkFollowsTheSound, TheMarkedWordIsTheWordBeingPlayed)
{
    const QString text = QString::fromUtf8(GetParam().text);
    const QStringList words = text.split(u' ');
    type(text);
    editor().selectAll();
    editor().setFontItalic(true); // formats of its own, which must stay as they are
    const QList<QTextCharFormat> before = charFormats(editor().document());
    chooseVoice(QString::fromUtf8(GetParam().voice));
    window->cmdSpkText_Click();

    std::vector<std::pair<qint64, QString>> seen; // played position, marked word
    bool formatKept = true;
    for (int i = 0; i < 1500 && stops->isEmpty(); ++i) {
        playStep();
        seen.emplace_back(soundCard->playedSamples(), marked());
        formatKept = formatKept && charFormats(editor().document()) == before;
    }
    ASSERT_FALSE(stops->isEmpty()) << "the reading did not end";
    EXPECT_TRUE(formatKept) << "the mark changed the document's format";
    EXPECT_TRUE(marked().isEmpty()) << "the mark outlived the speech";

    const std::vector<Span> spans = soundSpans(soundCard->given);
    ASSERT_EQ(spans.size(), size_t(words.size())) << "each word should sound apart";
    for (const auto &[played, word] : seen)
        for (size_t k = 0; k < spans.size(); ++k) {
            const QString expected = words[qsizetype(k)].chopped(1); // without its full stop
            if (played >= spans[k].start + tolerance && played <= spans[k].end) {
                EXPECT_EQ(word, expected) << "at " << played * 1000 / rate << " ms";
            }
            if (played < spans[k].start - tolerance) {
                EXPECT_NE(word, expected) << "marked " << played * 1000 / rate << " ms before it sounds";
            }
        }
}

// "Mary" is the natural voice of the catalogue, whichever synthesiser speaks it.
INSTANTIATE_TEST_SUITE_P(Voices, MarkFollowsTheSound,
                         ::testing::Values(Reading{"Mary", "Apple. Lemon. Orange. Melon."},
                                           Reading{"Mike", "Orange. Lemon. Melon."},
                                           Reading{"Français", "Ananas. Melon. Orange."}),
                         [](const auto &info) {
                             return std::string(info.index == 2 ? "French" : info.param.voice);
                         });

TEST_F(ReadingAlongTest, PauseKeepsTheMarkAndResumeGoesOn)
{
    type(QStringLiteral("One two three four five six seven eight nine ten eleven twelve."));
    window->cmdSpkText_Click();
    ASSERT_TRUE(playUntilMarked());
    window->cmdPauseText_Click();
    const QString atPause = marked();
    for (int i = 0; i < 20; ++i)
        playStep();
    EXPECT_EQ(marked(), atPause);
    window->cmdPauseText_Click();
    for (int i = 0; i < 200 && marked() == atPause; ++i)
        playStep();
    EXPECT_NE(marked(), atPause) << "resume did not carry the mark on";
    EXPECT_FALSE(marked().isEmpty());
}

TEST_F(ReadingAlongTest, StopAndEraseTakeTheMarkAway)
{
    type(QStringLiteral("One two three four five six seven eight nine ten eleven twelve."));
    window->cmdSpkText_Click();
    ASSERT_TRUE(playUntilMarked());
    window->cmdStopText_Click();
    EXPECT_TRUE(marked().isEmpty());
    QTest::qWait(50);
    EXPECT_TRUE(marked().isEmpty());

    window->cmdSpkText_Click();
    ASSERT_TRUE(playUntilMarked());
    window->cmdClearText_Click();
    EXPECT_TRUE(marked().isEmpty());
    EXPECT_FALSE(window->highlighter().isMarking());
}

TEST_F(ReadingAlongTest, AnEditDuringTheReadingStopsTheMarkButFormattingDoesNot)
{
    type(QStringLiteral("One two three four five six seven eight nine ten eleven twelve thirteen."));
    window->cmdSpkText_Click();
    ASSERT_TRUE(playUntilMarked());
    editor().selectAll();
    editor().setFontUnderline(true); // the letters stay where they were
    const QString before = marked();
    for (int i = 0; i < 200 && marked() == before; ++i)
        playStep();
    EXPECT_FALSE(marked().isEmpty()) << "a change of format stopped the marking";

    QTextCursor typing(editor().document());
    typing.insertText(QStringLiteral("Hi "));
    EXPECT_TRUE(marked().isEmpty());
    for (int i = 0; i < 100; ++i)
        playStep();
    EXPECT_TRUE(marked().isEmpty()) << "the positions no longer fit the text";
}

TEST_F(ReadingAlongTest, QueuedReadingsAreMarkedInTheirOwnText)
{
    type(QStringLiteral("Red green."));
    window->cmdSpkText_Click();
    window->cmdSpkText_Click(); // the same text again, queued
    QStringList heard;
    for (int i = 0; i < 1000 && stops->isEmpty(); ++i) {
        playStep();
        if (!marked().isEmpty() && (heard.isEmpty() || heard.last() != marked()))
            heard << marked();
    }
    EXPECT_EQ(heard, QStringList({"Red", "green", "Red", "green"}));

    // A text changed after it was handed over is not marked; the next one is.
    type(QStringLiteral("Blue yellow."));
    window->cmdSpkText_Click();
    type(QStringLiteral("Pink and purple."));
    window->cmdSpkText_Click();
    heard.clear();
    for (int i = 0; i < 1000 && stops->size() < 2; ++i) {
        playStep();
        if (!marked().isEmpty() && (heard.isEmpty() || heard.last() != marked()))
            heard << marked();
    }
    EXPECT_EQ(heard, QStringList({"Pink", "and", "purple"}));
}

TEST_F(ReadingAlongTest, RecordingMarksNothing)
{
    QTemporaryDir folder;
    type(QStringLiteral("Nothing is heard while this is recorded."));
    window->txtFile->setText(folder.filePath("quiet.wav"));
    window->cmdRec_Click();
    bool everMarked = false;
    for (int i = 0; i < 400 && stops->isEmpty(); ++i) {
        playStep();
        everMarked = everMarked || !marked().isEmpty();
    }
    EXPECT_FALSE(stops->isEmpty());
    EXPECT_FALSE(everMarked);
}
