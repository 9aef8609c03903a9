#include "engine/Subtitles.h"

#include <gtest/gtest.h>

namespace {
constexpr int rate = 1000; // a sample a millisecond keeps the figures readable

// The words of `text` that `starts` names, at the given milliseconds.
std::vector<RecordedWord> wordsAt(const QString &text, const std::vector<std::pair<QString, qint64>> &heard)
{
    std::vector<RecordedWord> words;
    qsizetype from = 0;
    for (const auto &[word, ms] : heard) {
        from = text.indexOf(word, from);
        words.push_back({ms, int(from), int(word.size())});
        from += word.size();
    }
    return words;
}
} // namespace

TEST(Subtitles, OneCueASentenceFromItsFirstWordToTheNextSentence)
{
    const QString text = QStringLiteral("\"Hi,\" said Ann.\n...\nWe  ran\tfast!");
    const auto cues = Subtitles::cues(
        text,
        wordsAt(text,
                {{"Hi", 250}, {"said", 700}, {"Ann", 900}, {"We", 2100}, {"ran", 2300}, {"fast", 2600}}),
        3500, rate);
    ASSERT_EQ(cues.size(), 2) << "the dots alone are heard as nothing";
    EXPECT_EQ(Subtitles::write(cues, Subtitles::Format::SubRip),
              "1\n00:00:00,250 --> 00:00:02,100\n\"Hi,\" said Ann.\n\n"
              "2\n00:00:02,100 --> 00:00:03,500\nWe ran fast!\n\n");
}

TEST(Subtitles, WebVttTimesEveryWordAfterTheFirstAndEscapesItsMarkup)
{
    const QString text = QStringLiteral("Tom & Jo <3 it.");
    auto words = wordsAt(text, {{"Tom", 100}, {"Jo", 400}, {"3", 600}, {"it", 900}});
    words.push_back({1200, words[1].start, words[1].length}); // a word reported twice keeps its first time
    const QString vtt = Subtitles::write(Subtitles::cues(text, words, 1500, rate), Subtitles::Format::WebVtt);
    EXPECT_EQ(vtt, "WEBVTT\n\n00:00:00.100 --> 00:00:01.500\n"
                   "Tom &amp; <00:00:00.400>Jo &lt;<00:00:00.600>3 <00:00:00.900>it.\n\n");
}

TEST(Subtitles, LyricsCarryEveryWordAndEndWithAnEmptyLine)
{
    const QString text = QStringLiteral("One two. Three.");
    const auto cues = Subtitles::cues(text, wordsAt(text, {{"One", 40}, {"two", 61234}, {"Three", 3725005}}),
                                      3726000, rate);
    EXPECT_EQ(Subtitles::write(cues, Subtitles::Format::Lyrics),
              "[00:00.04]<00:00.04>One <01:01.23>two.\n[62:05.01]<62:05.01>Three.\n[62:06.00]\n");
    EXPECT_EQ(Subtitles::write(cues, Subtitles::Format::SubRip).section('\n', 5, 5),
              "01:02:05,005 --> 01:02:06,000");
}

TEST(Subtitles, FormatComesFromTheEndingAndNothingElse)
{
    EXPECT_EQ(Subtitles::formatFor("a/story.SRT"), Subtitles::Format::SubRip);
    EXPECT_EQ(Subtitles::formatFor("story.vtt"), Subtitles::Format::WebVtt);
    EXPECT_EQ(Subtitles::formatFor("story.lrc"), Subtitles::Format::Lyrics);
    EXPECT_EQ(Subtitles::formatFor("story.srt.txt"), std::nullopt);
    EXPECT_EQ(Subtitles::formatFor("srt"), std::nullopt);
    EXPECT_TRUE(Subtitles::cues("Hello.", {}, 1000, rate).isEmpty()) << "no word heard, no cue";
}
