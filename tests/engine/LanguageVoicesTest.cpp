#include "EngineFixture.h"

#include "engine/VoiceCatalogue.h"
#include "engine/synth/EspeakLanguages.h"
#include "engine/synth/EspeakSynthesis.h"

#include <QCollator>
#include <QProcess>
#include <QSet>

using Pace = ClockAudioOutput::Pace;

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

class LanguageRecordingTest : public EngineFixture
{
protected:
    qint64 recordedFrames(const QString &voiceName, const QString &text)
    {
        for (qint32 i = 1; i <= engine->CountEngines(); ++i)
            if (engine->ModeName(i) == voiceName)
                engine->Select(i);
        engine->setSpeed(rate);
        engine->setPitch(EspeakLanguages::basePitch);
        const QString target = dir.filePath(voiceName + ".wav");
        engine->setFileName(target);
        engine->Speak(text);
        if (!stops->wait(20000))
            return -1;
        engine->setFileName(QString());
        return waveFrames(target);
    }

    qint64 espeakFrames(const QByteArray &voice, const QString &text)
    {
        const QString target = dir.filePath("reference.wav");
        QProcess espeak;
        espeak.start("espeak-ng",
                     {"-v", QString::fromLatin1(voice), "-s", QString::number(rate), "-w", target, text});
        if (!espeak.waitForFinished(20000)) {
            espeak.kill();
            return -1;
        }
        return waveFrames(target);
    }

    static constexpr int rate = 150;
};

TEST_F(LanguageRecordingTest, FrenchAndGermanLastAsLongAsEspeakNgSaysThem)
{
    makeEngine(Pace::Manual);
    const std::pair<const char *, const char *> sentences[] = {
        {"Français", "Le petit chat dort sur le canapé. Demain, nous irons à la plage avec nos amis."},
        {"Deutsch", "Der kleine Hund spielt im Garten. Morgen fahren wir mit dem Zug nach Berlin."},
    };
    for (const auto &[name, sentence] : sentences) {
        const QString text = QString::fromUtf8(sentence);
        const VoiceEntry *voice = languageVoice(QString::fromUtf8(name));
        ASSERT_NE(voice, nullptr) << name;
        const qint64 ours = recordedFrames(QString::fromUtf8(name), text);
        const qint64 reference = espeakFrames(voice->voice, text);
        ASSERT_GT(reference, 0) << "espeak-ng -w failed";
        // The words come at espeak-ng's own rate; the pauses between sentences are the
        // engine's, by the punctuation, so the whole is a little shorter than espeak-ng's.
        EXPECT_NEAR(double(ours) / double(reference), 1.0, 0.10)
            << name << ": " << ours << " against " << reference;
    }
}
