#include "MainWindowFixture.h"

#include "app/Syllables.h"
#include "app/WordSpeaker.h"

#include <QMenu>
#include <QTextDocument>

#include <cmath>
#include <numeric>

namespace {
constexpr int rate = 22050;
constexpr qint64 step = rate / 50; // 20 ms of sound a step

struct Stretch
{
    qint64 start, end;
};

// Stretches of sound parted by at least `quietMs` of silence, in 10 ms frames. The engine's
// gaps are digital silence, so the threshold sits far down (-66 dB): a "ph" rises from
// its first faint noise for some 60 ms before it reaches 1% of the peak.
std::vector<Stretch> stretches(const std::vector<qint16> &samples, int quietMs)
{
    const qint64 frame = rate / 100, frames = qint64(samples.size()) / frame;
    const auto level = [&](qint64 f) {
        const auto first = samples.begin() + f * frame;
        return std::sqrt(std::inner_product(first, first + frame, first, 0.0) / double(frame));
    };
    double peak = 0;
    for (qint64 f = 0; f < frames; ++f)
        peak = std::max(peak, level(f));
    std::vector<Stretch> found;
    for (qint64 f = 0; f < frames; ++f) {
        if (level(f) < peak * 0.0005)
            continue;
        const qint64 at = f * frame;
        if (!found.empty() && at - found.back().end < rate * quietMs / 1000)
            found.back().end = at + frame;
        else
            found.push_back({at, at + frame});
    }
    return found;
}
} // namespace

class WordSpeakerTest : public MainWindowFixture
{
protected:
    QString lit() const
    {
        const auto marks = window->RichTextBox1->extraSelections();
        return marks.isEmpty() ? QString() : marks.first().cursor.selectedText();
    }

    QTextCursor word(const QString &text)
    {
        const int at = int(window->RichTextBox1->toPlainText().indexOf(text));
        return WordSpeaker::wordAt(window->RichTextBox1->document(), at + 1);
    }

    // Plays to the end, noting what is lit at each played sample.
    std::vector<std::pair<qint64, QString>> playNotingTheLight()
    {
        std::vector<std::pair<qint64, QString>> seen;
        const qsizetype before = stops->size();
        for (int i = 0; i < 1500 && stops->size() == before; ++i) {
            soundCard->advance(step);
            QTest::qWait(25);
            seen.emplace_back(soundCard->playedSamples(), lit());
        }
        return seen;
    }
};

TEST_F(WordSpeakerTest, ElephantInSyllablesIsAStretchOfSoundAPartEachLitInTurn)
{
    type(QStringLiteral("An elephant walks."));
    const QStringList parts = Syllables(Syllables::patternFile("en-us")).split("elephant");
    if (parts.size() < 2)
        GTEST_SKIP() << "no English patterns (scripts/setup installs hyphen-en-us)";
    ASSERT_TRUE(window->words().saySyllables(word("elephant")));
    const auto seen = playNotingTheLight();
    ASSERT_FALSE(stops->isEmpty()) << "the word did not end";
    EXPECT_TRUE(lit().isEmpty()) << "the light outlived the word";

    const std::vector<Stretch> sound = stretches(soundCard->given, WordSpeaker::gapMs * 2 / 3);
    ASSERT_EQ(sound.size(), size_t(parts.size())) << "a stretch of sound a part, with gaps between";
    const qint64 tolerance = rate * 50 / 1000;
    for (size_t k = 0; k < sound.size(); ++k) {
        if (k > 0) { // less the two 10 ms frames the measure may lose at the gap's ends
            EXPECT_GE(sound[k].start - sound[k - 1].end, rate * (WordSpeaker::gapMs - 20) / 1000)
                << "gap " << k;
        }
        bool litWhileHeard = false;
        for (const auto &[played, shown] : seen) {
            if (played >= sound[k].start + tolerance && played <= sound[k].end - tolerance) {
                EXPECT_EQ(shown, parts[qsizetype(k)]) << "at " << played * 1000 / rate << " ms";
                litWhileHeard = true;
            }
            if (played < sound[k].start - tolerance) {
                EXPECT_NE(shown, parts[qsizetype(k)])
                    << "lit " << played * 1000 / rate << " ms before it sounds";
            }
        }
        EXPECT_TRUE(litWhileHeard) << parts[qsizetype(k)].toStdString();
    }
    EXPECT_EQ(window->RichTextBox1->toPlainText(), "An elephant walks.") << "the text is untouched";
}

// The patterns are read beside the window (German's take seconds): the word is said once they are.
TEST_F(WordSpeakerTest, AnotherLanguageIsSplitWithItsOwnPatternsOnceTheyAreRead)
{
    type(QStringLiteral("Un éléphant."));
    const auto french = window->lstVoice->findItems(QStringLiteral("Français"), Qt::MatchExactly);
    ASSERT_EQ(french.size(), 1);
    window->lstVoice->setCurrentItem(french.first());
    const QStringList parts = Syllables(Syllables::patternFile("fr")).split(QStringLiteral("éléphant"));
    if (parts.size() < 2)
        GTEST_SKIP() << "no French patterns (scripts/setup installs hyphen-fr)";
    ASSERT_TRUE(window->words().saySyllables(word("éléphant")));
    QStringList litInTurn;
    for (const auto &[played, shown] : playNotingTheLight())
        if (!shown.isEmpty() && (litInTurn.isEmpty() || litInTurn.last() != shown))
            litInTurn << shown;
    ASSERT_FALSE(stops->isEmpty()) << "the word was never said";
    EXPECT_EQ(litInTurn, parts);
    EXPECT_EQ(stretches(soundCard->given, WordSpeaker::gapMs * 2 / 3).size(), size_t(parts.size()));
}

TEST_F(WordSpeakerTest, SayThisWordSaysTheWordAloneWithTheChosenVoice)
{
    type(QStringLiteral("Owls fly at night."));
    window->lstVoice->setCurrentRow(2); // Sam
    ASSERT_TRUE(window->words().sayWord(word("night")));
    EXPECT_EQ(window->engine()->CurrentMode(), 3);
    EXPECT_EQ(window->engine()->Speed(), window->scrSpeed->Value());
    EXPECT_EQ(window->engine()->Pitch(), window->scrPitch->Value());
    const auto seen = playNotingTheLight();
    ASSERT_FALSE(stops->isEmpty());
    EXPECT_EQ(stretches(soundCard->given, 150).size(), 1u) << "one word, said once";
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const auto &s) { return s.second == "night"; }));
}

TEST_F(WordSpeakerTest, RefusedWhileReadingWhichGoesOnUntouched)
{
    type(QStringLiteral("One two three four five six seven eight nine ten."));
    window->cmdSpkText_Click();
    const qint32 reading = window->engine()->LastReading();
    QMenu menu;
    window->words().addTo(&menu, word("seven"));
    for (QAction *action : menu.actions())
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        }
    EXPECT_FALSE(window->words().sayWord(word("seven")));
    EXPECT_FALSE(window->words().saySyllables(word("seven")));
    EXPECT_EQ(window->engine()->LastReading(), reading) << "nothing was handed to the engine";
    EXPECT_TRUE(window->engine()->isSpeaking());
    EXPECT_EQ(row(), speaking);

    window->cmdPauseText_Click();
    EXPECT_FALSE(window->words().sayWord(word("seven"))) << "a paused reading is still a reading";
    window->cmdStopText_Click();
    EXPECT_TRUE(window->words().sayWord(word("seven")));
}

TEST_F(WordSpeakerTest, CtrlClickSaysTheWordUnderThePointerAndNothingBesideTheText)
{
    type(QStringLiteral("Apples are sweet."));
    window->show();
    QTextEdit &editor = *window->RichTextBox1;
    QTextCursor at(editor.document());
    at.setPosition(2);
    const QPoint onApples = editor.cursorRect(at).center();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ControlModifier, onApples);
    EXPECT_EQ(window->engine()->LastReading(), 1);
    EXPECT_EQ(editor.textCursor().position(), 0) << "the caret stays where it was";
    playNotingTheLight();

    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(editor.viewport()->width() - 5, editor.viewport()->height() - 5));
    EXPECT_EQ(window->engine()->LastReading(), 1) << "no word there";
}

TEST(WordAt, LettersDigitsAndInnerApostrophes)
{
    QTextDocument document(QStringLiteral("\"Don't\" say 42nd-street, 'twas élan."));
    const auto at = [&](int position) { return WordSpeaker::wordAt(&document, position).selectedText(); };
    EXPECT_EQ(at(1), "Don't");
    EXPECT_EQ(at(6), "Don't") << "just after the word";
    EXPECT_EQ(at(13), "42nd");
    EXPECT_EQ(at(18), "street");
    EXPECT_EQ(at(27), "twas") << "a leading apostrophe is a quote";
    EXPECT_EQ(at(33), "élan");
    EXPECT_TRUE(WordSpeaker::wordAt(&document, 0).isNull()) << "on the quote before a word";
}
