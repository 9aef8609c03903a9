#include "app/import/RtfReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString plain(const QByteArray &rtf)
{
    const std::optional<QString> text = RtfReader::toPlainText(rtf);
    EXPECT_TRUE(text.has_value()) << rtf.constData();
    return text.value_or(QStringLiteral("<not rich text>"));
}

TEST(RtfReader, RefusesWhatIsNotRichText)
{
    EXPECT_FALSE(RtfReader::toPlainText("Hello world"));
    EXPECT_FALSE(RtfReader::toPlainText(""));
    EXPECT_FALSE(RtfReader::toPlainText("{\\rt"));
    EXPECT_FALSE(RtfReader::toPlainText("{\\pard hello}"));
    EXPECT_FALSE(RtfReader::readFile(QStringLiteral("/nonexistent/file.rtf")));
}

TEST(RtfReader, TextParagraphsLinesAndTabs)
{
    EXPECT_EQ(plain("{\\rtf1 Hello}"), "Hello");
    EXPECT_EQ(plain("\r\n {\\rtf1\\ansi Hello\\par World\\par}"), "Hello\nWorld");
    EXPECT_EQ(plain("{\\rtf1 a\\line b\\tab c\\par\\par d}"), "a\nb\tc\n\nd");
    // Line ends in the file are not text; a backslash before one is a paragraph mark.
    EXPECT_EQ(plain("{\\rtf1 one\r\ntwo\\\nthree}"), "onetwo\nthree");
    // The space after a control word is its delimiter; a second one is text.
    EXPECT_EQ(plain("{\\rtf1 \\b  bold\\b0 x}"), " boldx");
}

TEST(RtfReader, EscapesAndSymbols)
{
    EXPECT_EQ(plain("{\\rtf1 \\{a\\}\\\\b}"), "{a}\\b");
    EXPECT_EQ(plain("{\\rtf1 a\\~b\\-c\\_d}"), QStringLiteral("a\u00A0bc\u2011d"));
    EXPECT_EQ(plain("{\\rtf1 \\lquote x\\rquote \\ldblquote y\\rdblquote \\emdash\\endash\\bullet}"),
              QStringLiteral("‘x’“y”—–•"));
}

TEST(RtfReader, NestedGroupsKeepTheirText)
{
    EXPECT_EQ(plain("{\\rtf1 a{\\b b{\\i c}d}e{{{f}}}}"), "abcdef");
    // Text after the document's closing brace is not part of it.
    EXPECT_EQ(plain("{\\rtf1 in} out"), "in");
    // A document cut short still gives what it holds.
    EXPECT_EQ(plain("{\\rtf1 cut {\\b short"), "cut short");
}

TEST(RtfReader, UnicodeWithItsFallback)
{
    EXPECT_EQ(plain("{\\rtf1 caf\\u233?}"), QStringLiteral("café"));
    EXPECT_EQ(plain("{\\rtf1 caf\\u233\\'e9!}"), QStringLiteral("café!"));
    EXPECT_EQ(plain("{\\rtf1\\uc2 \\u1055\\'cf\\'cf\\u1088 ab}"), QStringLiteral("Пр"));
    EXPECT_EQ(plain("{\\rtf1\\uc0 \\u1055 x}"), QStringLiteral("Пx"));
    // Negative values stand for code units above 32767.
    EXPECT_EQ(plain("{\\rtf1 \\u-3937?}"), QStringLiteral("\uF09F"));
    // \uc is scoped to its group.
    EXPECT_EQ(plain("{\\rtf1 {\\uc3 \\u65 xyz}\\u66 q}"), "AB");
    // A fallback cut short by the group's end skips no further.
    EXPECT_EQ(plain("{\\rtf1\\uc4 {\\u67 x}yz}"), "Cyz");
    // A control word in the fallback counts as one character.
    EXPECT_EQ(plain("{\\rtf1 \\u68\\emdash z}"), "Dz");
}

TEST(RtfReader, SurrogatePairsAndBrokenHalves)
{
    EXPECT_EQ(plain("{\\rtf1 \\u-10179?\\u-8704?}"), QStringLiteral("😀"));
    EXPECT_EQ(plain("{\\rtf1 a\\u-10179?b}"), QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(plain("{\\rtf1 \\u0?x\\u70000?y}"), "xy");
}

TEST(RtfReader, HexBytesInTheDocumentsCodePage)
{
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80}"), QStringLiteral("café €"));
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}"), QStringLiteral("Привет"));
    EXPECT_EQ(plain("{\\rtf1\\ansi caf\\'E9}"), QStringLiteral("café"));
    EXPECT_EQ(plain("{\\rtf1\\mac \\'8e}"), QStringLiteral("é"));
    // Broken escapes show nothing and do not eat the text after them.
    EXPECT_EQ(plain("{\\rtf1 a\\'zzb\\'4}"), "azzb4");
}

TEST(RtfReader, HexBytesInTheFontsCharset)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                           "{\\f1\\fnil\\fcharset204 Arial Cyr;}{\\f2\\fcharset161{\\*\\falt x} Greek;}}"
                           "\\f0 \\'e9 {\\f1 \\'cf\\'f0} {\\f2 \\'e1} \\f1 \\'e0\\plain \\'e0}";
    EXPECT_EQ(plain(rtf), QStringLiteral("é Пр α аà"));
}

TEST(RtfReader, DoubleByteCodePageSpansTwoEscapes)
{
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}"), QStringLiteral("日本"));
}

TEST(RtfReader, TablesAndInformationAreSkipped)
{
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;}"
                           "{\\stylesheet{\\s0 Normal;}}"
                           "{\\info{\\title The title}{\\author Me}}"
                           "{\\*\\generator Writer 1.0;}"
                           "{\\header Page header}"
                           "Body}";
    EXPECT_EQ(plain(rtf), "Body");
}

TEST(RtfReader, PicturesAndBinaryDataAreSkipped)
{
    EXPECT_EQ(plain("{\\rtf1 a{\\pict\\pngblip\\picw10 89504e470d0a1a0a{\\*\\blipuid 0123}}b}"), "ab");
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\shppict{\\pict\\wmetafile8 0100ff}}{\\nonshppict{\\pict 00}}b}"), "ab");
    // Binary data may hold braces and backslashes.
    QByteArray bin("{\\rtf1 a{\\pict\\bin6 ", 20);
    bin.append(QByteArray("}{\\\0x}", 6)).append("}b}");
    EXPECT_EQ(plain(bin), "ab");
    // A length beyond the end of the file ends the document.
    EXPECT_EQ(plain("{\\rtf1 a{\\pict\\bin999999999 xyz}}"), "a");
    EXPECT_EQ(plain("{\\rtf1 a\\bin-5 b}"), "ab");
}

TEST(RtfReader, FieldsKeepTheirResultNotTheirInstruction)
{
    EXPECT_EQ(
        plain(
            "{\\rtf1 See {\\field{\\*\\fldinst {HYPERLINK \"http://x.org\"}}{\\fldrslt {\\ul the site}}}.}"),
        "See the site.");
    EXPECT_EQ(plain("{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 3}}}"), "3");
}

TEST(RtfReader, UnknownStarDestinationsAreSkippedUnknownWordsIgnored)
{
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\madeup stuff {nested}}b\\madeupword c}"), "abc");
    EXPECT_EQ(plain("{\\rtf1 {\\*\\bkmkstart mark}x{\\*\\bkmkend mark}}"), "x");
}

TEST(RtfReader, HostileInputIsBounded)
{
    // Nesting far beyond the limit neither overflows nor loses the balance of groups.
    QByteArray deep = "{\\rtf1 ";
    const int depth = RtfReader::maxGroupDepth * 3;
    deep += QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "y}";
    EXPECT_EQ(plain(deep), "xy");
    // Huge numbers saturate instead of overflowing.
    EXPECT_EQ(plain("{\\rtf1\\uc99999999999999999999 \\u99999999999999999999 a\\ansicpg-99999999999 b}"), "");
    EXPECT_EQ(plain("{\\rtf1 \\fs-99999999999999 x}"), "x");
    // A control word of endless letters.
    EXPECT_EQ(plain("{\\rtf1 " + QByteArray(100000, 'a').prepend('\\') + " z}"), "z");
    // A backslash as the last byte.
    EXPECT_EQ(plain("{\\rtf1 x\\"), "x");
}

TEST(RtfReader, ReadsAFile)
{
    QTemporaryDir folder;
    QFile file(folder.filePath("doc.rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 file text\\par}");
    file.close();
    EXPECT_EQ(RtfReader::readFile(file.fileName()), QStringLiteral("file text"));
}
} // namespace
