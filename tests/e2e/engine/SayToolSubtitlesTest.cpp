// vocalino-say's subtitles, held against the sound of the recording they time.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr qint64 toleranceMs = 50;

// Exit code and standard error of one run of the tool.
std::pair<int, QString> runSay(const QStringList &args)
{
    QProcess tool;
    tool.start(qEnvironmentVariable("VOCALINO_SAY", QCoreApplication::applicationDirPath() + "/vocalino-say"),
               args);
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
        return {-1, "did not finish"};
    }
    return {tool.exitCode(), QString::fromLocal8Bit(tool.readAllStandardError())};
}

struct Sound
{
    std::vector<qint16> samples;
    int rate = 0;
};

Sound readSound(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    Sound sound{std::vector<qint16>(size_t(info.frames)), info.samplerate};
    sf_read_short(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

// Where each sentence's sound begins, in milliseconds: the sound's first onset and the onsets
// after its `sentences - 1` longest silences (a sentence's pause is longer than a word's).
std::vector<qint64> sentenceOnsets(const Sound &sound, int sentences)
{
    const size_t frame = size_t(sound.rate / 200); // 5 ms
    std::vector<double> levels;
    for (size_t at = 0; at + frame <= sound.samples.size(); at += frame) {
        double sum = 0;
        for (size_t i = at; i < at + frame; ++i)
            sum += double(sound.samples[i]) * sound.samples[i];
        levels.push_back(std::sqrt(sum / double(frame)));
    }
    if (levels.empty())
        return {};
    // Low enough for a soft /s/ to count as the first sound: the pauses are silent.
    const double loud = *std::max_element(levels.begin(), levels.end()) * 0.02;
    struct Onset
    {
        size_t frame, silenceBefore;
    };
    std::vector<Onset> onsets;
    size_t lastLoud = 0;
    bool heard = false;
    for (size_t f = 0; f < levels.size(); ++f) {
        if (levels[f] < loud)
            continue;
        if (!heard || f > lastLoud + 1)
            onsets.push_back({f, heard ? f - lastLoud : f});
        heard = true;
        lastLoud = f;
    }
    if (onsets.size() < size_t(sentences))
        return {};
    std::vector<Onset> starts{onsets.front()};
    std::vector<Onset> rest(onsets.begin() + 1, onsets.end());
    std::sort(rest.begin(), rest.end(),
              [](const Onset &a, const Onset &b) { return a.silenceBefore > b.silenceBefore; });
    starts.insert(starts.end(), rest.begin(), rest.begin() + sentences - 1);
    std::vector<qint64> ms;
    for (const Onset &onset : starts)
        ms.push_back(qint64(onset.frame) * 5);
    std::sort(ms.begin(), ms.end());
    return ms;
}

qint64 clockMs(const QRegularExpressionMatch &m, int first)
{
    const auto n = [&](int i) { return m.captured(first + i).toLongLong(); };
    return ((n(0) * 60 + n(1)) * 60 + n(2)) * 1000 + n(3);
}

// Start and end of every cue of a SubRip or WebVTT file.
std::vector<std::pair<qint64, qint64>> cueTimes(const QString &text)
{
    static const QRegularExpression arrow(
        R"((\d\d):(\d\d):(\d\d)[,.](\d\d\d) --> (\d\d):(\d\d):(\d\d)[,.](\d\d\d))");
    std::vector<std::pair<qint64, qint64>> times;
    for (auto it = arrow.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        times.emplace_back(clockMs(m, 1), clockMs(m, 5));
    }
    return times;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Story
{
    const char *voice;
    const char *text;
};
} // namespace

class SubtitlesMatchTheSound : public ::testing::TestWithParam<Story>
{
};

TEST_P(SubtitlesMatchTheSound, EachSentenceStartsWithinFiftyMillisecondsOfItsFirstSound)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("story.wav"), srt = dir.filePath("story.srt");
    const auto [code, err] =
        runSay({"--voice", GetParam().voice, "--wav", wav, "--subtitles", srt, GetParam().text});
    ASSERT_EQ(code, 0) << err.toStdString();
    const Sound sound = readSound(wav);
    ASSERT_GT(sound.rate, 0);
    const auto cues = cueTimes(readText(srt));
    ASSERT_EQ(cues.size(), 3u) << readText(srt).toStdString();
    const std::vector<qint64> onsets = sentenceOnsets(sound, 3);
    ASSERT_EQ(onsets.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(cues[i].first, onsets[i], toleranceMs) << "sentence " << i + 1;
        EXPECT_GT(cues[i].second, cues[i].first);
    }
    const qint64 lengthMs = qint64(sound.samples.size()) * 1000 / sound.rate;
    EXPECT_NEAR(cues.back().second, lengthMs, 2) << "the last sentence lasts to the recording's end";
}

// No sentence opens with a stop, whose silent closure would hide where it begins.
INSTANTIATE_TEST_SUITE_P(
    Voices, SubtitlesMatchTheSound,
    ::testing::Values(Story{"Mary", "Apples are sweet. My sister sings songs! Owls fly at night."},
                      Story{"Sam", "Lemons are sour. Seven swans swim. We love summer."},
                      Story{"Español", "Hola amigos. Mi casa es azul. Los niños leen."}),
    [](const auto &info) { return std::string(info.index == 2 ? "Spanish" : info.param.voice); });

TEST(SayToolSubtitles, WebVttAndLyricsCarryEveryWordsTime)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("story.wav");
    for (const char *ending : {"vtt", "lrc"}) {
        const QString out = dir.filePath(QStringLiteral("story.") + ending);
        const auto [code, err] = runSay({"--wav", wav, "--subtitles", out, "Owls fly at night. Mice hide."});
        ASSERT_EQ(code, 0) << err.toStdString();
        const QString text = readText(out);
        if (QLatin1String(ending) == "vtt") {
            EXPECT_TRUE(text.startsWith("WEBVTT\n\n")) << text.toStdString();
            // The first word starts its cue; the other three of the sentence carry their own time.
            EXPECT_TRUE(QRegularExpression(
                            R"(\n[0-9:.]+ --> [0-9:.]+\nOwls <[0-9:.]+>fly <[0-9:.]+>at <[0-9:.]+>night\.\n)")
                            .match(text)
                            .hasMatch())
                << text.toStdString();
        } else {
            EXPECT_TRUE(QRegularExpression(R"(^\[00:00\.\d\d\]<00:00\.\d\d>Owls <00:0\d\.\d\d>fly )")
                            .match(text)
                            .hasMatch())
                << text.toStdString();
            EXPECT_EQ(text.count('\n'), 3) << "two sentences and the line that ends the last";
        }
    }
}

TEST(SayToolSubtitles, AWrongEndingOrNoRecordingIsRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString wav = dir.filePath("story.wav");
    auto [code, err] = runSay({"--wav", wav, "--subtitles", dir.filePath("story.txt"), "Hello."});
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(err.contains(".srt, .vtt or .lrc")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(wav));
    std::tie(code, err) = runSay({"--subtitles", dir.filePath("story.srt"), "Hello."});
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(err.contains("--subtitles needs --wav")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("story.srt")));
}

TEST(SayToolSubtitles, HelpShowsTheOptionWithAnExample)
{
    QProcess tool;
    tool.start(qEnvironmentVariable("VOCALINO_SAY", QCoreApplication::applicationDirPath() + "/vocalino-say"),
               {"--help"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    const QString help = QString::fromLocal8Bit(tool.readAllStandardOutput());
    EXPECT_TRUE(help.contains("  --subtitles FILE ")) << help.toStdString();
    EXPECT_TRUE(help.contains("example: vocalino-say --wav story.wav --subtitles story.srt"))
        << help.toStdString();
}
