#include "app/Syllables.h"
#include "engine/VoiceCatalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString patterns(const char *language)
{
    return Syllables::patternFile(QString::fromLatin1(language));
}
} // namespace

TEST(Syllables, EnglishWordsSplitWhereLibhyphenSplitsThem)
{
    const QString file = patterns("en-us");
    if (file.isEmpty())
        GTEST_SKIP() << "hyphen-en-us is not installed (scripts/setup installs it)";
    const Syllables english(file);
    ASSERT_TRUE(english.hasPatterns());
    EXPECT_EQ(english.split("elephant"), QStringList({"ele", "phant"}));
    EXPECT_EQ(english.split("Butterfly"), QStringList({"But", "ter", "fly"})) << "capitals are kept";
    EXPECT_EQ(english.split("syllable"), QStringList({"syl", "la", "ble"}));
    EXPECT_EQ(english.split("cat"), QStringList({"cat"}));
    EXPECT_EQ(english.split("don't"), QStringList({"don't"}));
    EXPECT_EQ(english.split(QString(200, u'a')), QStringList({QString(200, u'a')})) << "too long: whole";
}

TEST(Syllables, PatternsInOtherEncodingsSplitWordsThatJoinBackAsWritten)
{
    for (const auto &[language, word] : {std::pair{"ru", "молоко"},
                                         {"de", "Schifffahrtsgesellschaft"},
                                         {"pl", "języki"},
                                         {"fr", "éléphant"},
                                         {"el", "θάλασσα"}}) {
        const QString file = patterns(language);
        if (file.isEmpty()) {
            ADD_FAILURE() << "no patterns for " << language << " (scripts/setup installs them)";
            continue;
        }
        const QStringList parts = Syllables(file).split(QString::fromUtf8(word));
        EXPECT_GT(parts.size(), 1) << language;
        EXPECT_EQ(parts.join(QString()), QString::fromUtf8(word)) << language;
    }
    // A word the patterns cannot spell (Cyrillic with English patterns) is said whole.
    if (!patterns("en-us").isEmpty()) {
        EXPECT_EQ(Syllables(patterns("de")).split("молоко"), QStringList({"молоко"}));
    }
}

TEST(Syllables, EachLanguageFindsItsOwnPatternsAndOneWithoutStaysWhole)
{
    QTemporaryDir dir;
    for (const char *name : {"hyph_en_US.dic", "hyph_en_GB.dic", "hyph_de.dic", "hyph_de_AT.dic",
                             "hyph_pt_BR.dic", "hyph_pt_PT.dic", "hyph_hi_IN.dic"}) {
        QFile file(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto found = [&](const char *language) {
        return QFileInfo(Syllables::patternFile(language, dir.path())).fileName();
    };
    EXPECT_EQ(found("en-us"), "hyph_en_US.dic");
    EXPECT_EQ(found("en-gb"), "hyph_en_GB.dic");
    EXPECT_EQ(found("de"), "hyph_de.dic");
    EXPECT_EQ(found("pt"), "hyph_pt_PT.dic");
    EXPECT_EQ(found("pt-br"), "hyph_pt_BR.dic");
    EXPECT_EQ(found("hi"), "hyph_hi_IN.dic");
    EXPECT_EQ(found("eo"), "") << "Esperanto has no patterns";
    EXPECT_EQ(found(""), "");

    const Syllables none(Syllables::patternFile("eo", dir.path()));
    EXPECT_FALSE(none.hasPatterns());
    EXPECT_EQ(none.split("elefanto"), QStringList({"elefanto"}));
}

TEST(Syllables, EveryVoiceSaysWhichLanguageItSpeaks)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices()) {
        const QString language = Syllables::languageOf(voice);
        EXPECT_FALSE(language.isEmpty()) << voice.name.toStdString();
        EXPECT_FALSE(language.contains(u'/') || language.contains(u'+')) << voice.name.toStdString();
    }
    EXPECT_EQ(Syllables::languageOf(VoiceCatalogue::voices().first()), "en-us") << "Mary";
}
