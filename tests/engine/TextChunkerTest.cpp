#include "engine/synth/TextChunker.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
QStringList pieces(const QString &text, qsizetype limit = TextChunker::maxLength)
{
    QStringList out;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype to = TextChunker::nextEnd(text, from, limit);
        EXPECT_GT(to, from);
        if (to <= from)
            break;
        out << text.mid(from, to - from);
        from = to;
    }
    return out;
}
} // namespace

TEST(TextChunker, CutsAtTheLastSentenceEndWithinTheLimit)
{
    EXPECT_EQ(pieces("Hello, I am Mary. How are you? Fine!", 32),
              QStringList({"Hello, I am Mary. How are you?", " Fine!"}));
    EXPECT_EQ(pieces("Hello, I am Mary. How are you? Fine!"),
              QStringList({"Hello, I am Mary. How are you? Fine!"}));
}

TEST(TextChunker, KeepsDecimalPointsInsideTheSentence)
{
    EXPECT_EQ(pieces("It costs 3.50 now. Yes it does", 22),
              QStringList({"It costs 3.50 now.", " Yes it does"}));
}

TEST(TextChunker, LongSentenceIsCutAtABlankWithinTheLimit)
{
    const QString text = QString("word ").repeated(100);
    const QStringList parts = pieces(text, 42);
    EXPECT_EQ(parts.join(QString()), text);
    for (const QString &p : parts) {
        EXPECT_LE(p.size(), 42);
        EXPECT_TRUE(p.endsWith(' '));
    }
}

TEST(TextChunker, TextWithoutBlanksIsCutHardButNeverInsideASurrogatePair)
{
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QString::fromUtf8("a\xF0\x9F\x98\x80"); // 'a' and an emoji (two UTF-16 units)
    const QStringList parts = pieces(text, 10);
    EXPECT_EQ(parts.join(QString()), text);
    for (const QString &p : parts) {
        EXPECT_LE(p.size(), 10);
        EXPECT_FALSE(p.back().isHighSurrogate());
        EXPECT_FALSE(p.front().isLowSurrogate());
    }
}

TEST(TextChunker, EmptyAndSingleCharacterTexts)
{
    EXPECT_TRUE(pieces("").isEmpty());
    EXPECT_EQ(pieces("."), QStringList({"."}));
    EXPECT_EQ(TextChunker::nextEnd("abc", 3), 3);
}
