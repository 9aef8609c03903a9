#include "app/SentenceSteps.h"
#include "app/ReadingRuler.h"
#include "app/WordHighlighter.h"

#include <gtest/gtest.h>

namespace {
constexpr int rate = 22050;
using Step = SentenceSteps::Step;
const QString text = QStringLiteral("One two. Three four five. Six.");
} // namespace

TEST(SentenceSteps, TheWordAtTheCaretStartsTheReading)
{
    const QString line = QStringLiteral("Hi there, it's me.  ");
    EXPECT_EQ(SentenceSteps::wordStart(line, 0), 0);
    EXPECT_EQ(SentenceSteps::wordStart(line, 6), 3);   // inside "there"
    EXPECT_EQ(SentenceSteps::wordStart(line, 8), 3);   // touching its end
    EXPECT_EQ(SentenceSteps::wordStart(line, 13), 10); // "it's" is one word
    EXPECT_EQ(SentenceSteps::wordStart(line, 9), 9);   // on the blank after the comma
    EXPECT_EQ(SentenceSteps::wordStart(line, 20), 15) << "past the last word: the last word";
    EXPECT_EQ(SentenceSteps::wordStart(line, 99), 15);
    EXPECT_EQ(SentenceSteps::wordStart(QString(), 3), 0);
}

TEST(SentenceSteps, StepsStayInsideTheStretchRead)
{
    SentenceSteps steps;
    steps.begin(text, {4, 24}); // "two. Three four fiv"
    ASSERT_EQ(steps.sentences().size(), 2);
    EXPECT_EQ(steps.sentences().at(0), (Sentences::Span{4, 8}));
    EXPECT_EQ(steps.sentences().at(1), (Sentences::Span{9, 24}));
    EXPECT_EQ(steps.target(Step::Back, 0, rate), std::nullopt);
    EXPECT_EQ(steps.target(Step::Next, 0, rate), 1);
    steps.wordHeard(9, 100);
    EXPECT_EQ(steps.current(), 1);
    EXPECT_EQ(steps.target(Step::Next, 200, rate), std::nullopt) << "the last sentence of the stretch";
    EXPECT_EQ(steps.target(Step::Again, 200, rate), 1);
    steps.wordHeard(28, 300); // outside the stretch: ignored
    EXPECT_EQ(steps.current(), 1);
    EXPECT_EQ(steps.pieceFrom(0, false), (Sentences::Span{4, 24}));
    EXPECT_EQ(steps.pieceFrom(0, true), (Sentences::Span{4, 8}));
    EXPECT_EQ(steps.after(8), 1);
    EXPECT_EQ(steps.after(24), std::nullopt);
}

TEST(SentenceSteps, BackGoesToTheSentenceStartOnlyAfterASecondOfIt)
{
    SentenceSteps steps;
    steps.begin(text, {0, text.size()});
    steps.wordHeard(0, 0);
    steps.wordHeard(9, 10 * rate);             // "Three" heard ten seconds in
    steps.wordHeard(15, 10 * rate + rate / 2); // later words of it keep its start
    EXPECT_EQ(steps.target(Step::Back, 10 * rate + rate, rate), 0) << "exactly a second: the one before";
    EXPECT_EQ(steps.target(Step::Back, 10 * rate + rate + 1, rate), 1) << "more than a second: its own start";
    // The first sentence, heard long: back to its start; hardly heard: nothing before it.
    steps.moveTo(0);
    EXPECT_EQ(steps.target(Step::Back, 0, rate), std::nullopt) << "nothing heard yet after a step";
    steps.wordHeard(0, 5);
    EXPECT_EQ(steps.target(Step::Back, 5 + 2 * rate, rate), 0);
    steps.begin(QStringLiteral("   "), {0, 3});
    EXPECT_EQ(steps.target(Step::Again, 0, rate), std::nullopt) << "blanks have no sentence";
}

TEST(ReadingMarkColours, BandAndWordReadOnTheSlatePageAndOnAWhitePage)
{
    const struct
    {
        QColor page, text;
    } pages[] = {{QColor(90, 106, 143), QColor(255, 255, 128)}, {Qt::white, Qt::black}};
    for (const auto &[page, ink] : pages) {
        const auto band = WordHighlighter::bandFor(page, ink);
        EXPECT_EQ(band.text, ink) << "the text keeps its colour on the band";
        EXPECT_GE(WordHighlighter::contrast(band.text, band.background), 4.5) << page.name().toStdString();
        EXPECT_GE(WordHighlighter::contrast(band.background, page), 1.2) << "the band is seen";
        const auto word = WordHighlighter::coloursFor(band.background, ink);
        EXPECT_GE(WordHighlighter::contrast(word.text, word.background), 4.5) << page.name().toStdString();
        EXPECT_GE(WordHighlighter::contrast(word.background, band.background), 2.9) << "the word stands out";
    }
    // Text that would not read on the band is shown in black or white on it.
    const auto grey = WordHighlighter::bandFor(QColor(128, 128, 128), QColor(110, 110, 110));
    EXPECT_GE(WordHighlighter::contrast(grey.text, grey.background), 4.5);
}

TEST(ReadingRulerVeil, CoversTheViewButTheClearLine)
{
    const QRect view(0, 0, 400, 200);
    EXPECT_EQ(ReadingRuler::veiled(view, QRect(0, 50, 400, 20)),
              QList<QRect>({QRect(0, 0, 400, 50), QRect(0, 70, 400, 130)}));
    EXPECT_EQ(ReadingRuler::veiled(view, QRect(0, -10, 400, 20)), QList<QRect>({QRect(0, 10, 400, 190)}));
    EXPECT_EQ(ReadingRuler::veiled(view, QRect(0, 300, 400, 20)), QList<QRect>({view}))
        << "line out of sight";
    EXPECT_EQ(ReadingRuler::veilColour(Qt::white).alpha(), 200);
}
