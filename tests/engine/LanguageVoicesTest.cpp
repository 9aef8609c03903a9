#include "SpeechMeasure.h"
#include "SpeechRecording.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/EspeakLanguages.h"
#include "engine/synth/EspeakSynthesis.h"
#include "engine/synth/Synthesis.h"

#include <QCollator>
#include <QSet>

#include <gtest/gtest.h>

namespace {
constexpr int catalogueSize = 19;

QList<VoiceEntry> languageVoices()
{
    return VoiceCatalogue::voices().mid(catalogueSize);
}

const VoiceEntry *languageVoice(const QString &name)
{
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        if (voice.name == name)
            return &voice;
    return nullptr;
}
} // namespace

TEST(LanguageVoices, EachLanguageOnceByItsOwnNameAfterTheCatalogue)
{
    const QList<VoiceEntry> languages = languageVoices();
    ASSERT_GT(languages.size(), 80) << "espeak-ng speaks over a hundred languages";
    for (const char *name : {"Français", "Deutsch", "Español", "Русский", "日本語", "Ελληνικά", "Italiano",
                             "Nederlands", "ქართული"})
        EXPECT_NE(languageVoice(QString::fromUtf8(name)), nullptr) << name;
    // Qt knows no name of its own for Latin: espeak-ng's is taken.
    EXPECT_NE(languageVoice(QStringLiteral("Latin")), nullptr);

    QSet<QString> names;
    QSet<QByteArray> files;
    for (const VoiceEntry &voice : VoiceCatalogue::voices())
        names.insert(voice.name);
    EXPECT_EQ(names.size(), VoiceCatalogue::voices().size()) << "two voices share a name";
    for (const VoiceEntry &voice : languages) {
        files.insert(voice.voice);
        EXPECT_FALSE(voice.voice.contains("/en")) << voice.name.toStdString() << " repeats English";
        EXPECT_EQ(voice.effect, VoiceEffect::None);
        EXPECT_FALSE(voice.name.isEmpty());
        if (voice.name.at(0).script() != QChar::Script_Georgian) { // which has no capitals by custom
            EXPECT_FALSE(voice.name.at(0).isLower()) << voice.name.toStdString();
        }
    }
    EXPECT_EQ(files.size(), languages.size());
    EXPECT_TRUE(files.contains("roa/fr")) << "French of France, not of Belgium or Switzerland";
}

TEST(LanguageVoices, SortedAlphabeticallyForTheReader)
{
    const QList<VoiceEntry> languages = languageVoices();
    QCollator collator;
    for (qsizetype i = 1; i < languages.size(); ++i)
        EXPECT_LE(collator.compare(languages[i - 1].name, languages[i].name), 0)
            << languages[i - 1].name.toStdString() << " before " << languages[i].name.toStdString();
}

TEST(LanguageVoices, NativeNamesDropTheCountryAndFallBackToNothing)
{
    EXPECT_EQ(EspeakLanguages::nativeName("es"), QString::fromUtf8("Español"));
    EXPECT_EQ(EspeakLanguages::nativeName("fr-fr"), QString::fromUtf8("Français"));
    EXPECT_EQ(EspeakLanguages::nativeName("nl"), QString::fromUtf8("Nederlands")) << "not Flemish";
    EXPECT_EQ(EspeakLanguages::nativeName("ka"), QString::fromUtf8("ქართული")) << "Georgian has no capitals";
    EXPECT_EQ(EspeakLanguages::nativeName("qya"), QString()); // Quenya: Qt has none
}

TEST(LanguageVoices, UsableSpeedsAndPitchesFollowTheCommonRules)
{
    const VoiceEntry *german = languageVoice("Deutsch");
    ASSERT_NE(german, nullptr);
    for (int speed = 50; speed <= 270; speed += 10)
        EXPECT_FALSE(VoiceCatalogue::resolve(*german, speed, 150).outOfRange) << speed;
    EXPECT_EQ(
        EspeakSynthesis::controls(*german, VoiceCatalogue::resolve(*german, 150, EspeakLanguages::basePitch))
            .pitch,
        50);
    EXPECT_FALSE(VoiceCatalogue::resolve(*german, 150, 100).outOfRange);
    EXPECT_TRUE(VoiceCatalogue::resolve(*german, 150, 300).outOfRange);
}

// The slider's speed is words a minute in the language's own words, from 50 (slowed by the
// pipeline below espeak-ng's slowest) to 270: first to last sound of each sentence, summed over
// two sentences that the rates were not fitted on (one sentence alone varies with its words).
TEST(LanguageVoices, WordsComeAtTheSlidersSpeedInTheLanguagesOwnWords)
{
    const std::pair<const char *, std::vector<const char *>> texts[] = {
        {"Français",
         {"Les enfants jouent dans le jardin pendant que leur grand-mère prépare un gâteau au chocolat.",
          "Le soir nous lisons ensemble un livre sur un petit ours qui vit dans la forêt."}},
        {"Suomi",
         {"Lapset leikkivät puutarhassa sillä aikaa kun isoäiti leipoo suklaakakkua.",
          "Illalla luemme yhdessä kirjaa pienestä karhusta joka asuu metsässä."}},
        {"Русский",
         {"Дети играют в саду пока бабушка печёт шоколадный торт к вечернему чаю.",
          "Вечером мы вместе читаем книгу о маленьком медвежонке который живёт в лесу."}},
        {"Deutsch",
         {"Die Kinder spielen im Garten während die Großmutter einen Kuchen backt.",
          "Am Abend lesen wir zusammen ein Buch über einen kleinen Bären im Wald."}},
        {"Español",
         {"Los niños juegan en el jardín mientras la abuela prepara un pastel de chocolate.",
          "Por la noche leemos juntos un libro sobre un osito que vive en el bosque."}},
    };
    for (const auto &[name, sentences] : texts) {
        const VoiceEntry *voice = languageVoice(QString::fromUtf8(name));
        ASSERT_NE(voice, nullptr) << name;
        for (int speed : {50, 150, 270}) {
            double seconds = 0, words = 0;
            for (const char *sentence : sentences) {
                const QString text = QString::fromUtf8(sentence);
                words += double(text.split(u' ', Qt::SkipEmptyParts).size());
                seconds += SpeechMeasure::speechSeconds(
                    SpeechRecording::record(*voice, text, speed, EspeakLanguages::basePitch),
                    Synthesis::sampleRate);
            }
            ASSERT_GT(seconds, 0) << name << " at " << speed;
            EXPECT_NEAR(60.0 * words / seconds, speed, 0.12 * speed) << name << " at " << speed;
        }
    }
}
