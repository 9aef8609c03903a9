#include "engine/synth/Sentences.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
QStringList texts(const QString &text)
{
    QStringList out;
    for (const Sentences::Span &s : Sentences::split(text))
        out << text.mid(s.start, s.end - s.start);
    return out;
}
} // namespace

TEST(Sentences, EndAtPunctuationBeforeABlankAndAtLineBreaks)
{
    EXPECT_EQ(texts("Hello, I am Mary.  How are you? Fine!"),
              QStringList({"Hello, I am Mary.", "How are you?", "Fine!"}));
    EXPECT_EQ(texts("A title\nThe story begins; it ends.\r\n\r\nThe end"),
              QStringList({"A title", "The story begins;", "it ends.", "The end"}));
}

TEST(Sentences, KeepDecimalsAbbreviatedDotsAndClosingQuotesInside)
{
    EXPECT_EQ(texts("It costs 3.50 today. \"Really?!\" she asked..."),
              QStringList({"It costs 3.50 today.", "\"Really?!\"", "she asked..."}));
    EXPECT_EQ(texts(QString::fromUtf8("\u201CYes.\u201D (Done.) Next")),
              QStringList({QString::fromUtf8("\u201CYes.\u201D"), "(Done.)", "Next"}));
}

TEST(Sentences, BlankTextsHaveNoneAndPositionsFindTheirSentence)
{
    EXPECT_TRUE(Sentences::split("").isEmpty());
    EXPECT_TRUE(Sentences::split(" \n\t ").isEmpty());
    const auto spans = Sentences::split("One. Two. Three.");
    ASSERT_EQ(spans.size(), 3);
    EXPECT_EQ(Sentences::indexAt(spans, 0), 0);
    EXPECT_EQ(Sentences::indexAt(spans, 4), 1); // the blank after "One." goes with the next
    EXPECT_EQ(Sentences::indexAt(spans, 6), 1);
    EXPECT_EQ(Sentences::indexAt(spans, 15), 2);
    EXPECT_EQ(Sentences::indexAt(spans, 16), 3);
    EXPECT_EQ(Sentences::indexAt({}, 0), -1);
}
