#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

namespace {
struct SayRun
{
    int code = -1;
    QString err;
    QString out;
};

SayRun say(const QStringList &args, const QString &pulseServer = {}, const QByteArray &input = {})
{
    QProcess p;
    if (!pulseServer.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", pulseServer);
        p.setProcessEnvironment(env);
    }
    // CTest says where the tool is; run by hand it sits beside this binary.
    const QString tool =
        qEnvironmentVariable("VOCALINO_SAY", QCoreApplication::applicationDirPath() + "/vocalino-say");
    p.start(tool, args);
    if (!p.waitForStarted(5000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError()),
            QString::fromLocal8Bit(p.readAllStandardOutput())};
}

// Zero frames and format when libsndfile cannot read the file.
SF_INFO soundInfo(const QString &path)
{
    SF_INFO info{};
    if (SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info))
        sf_close(file);
    else
        info = {};
    return info;
}

// The last line, without Qt's own start-up chatter.
QString lastLine(const QString &text)
{
    const QStringList lines = text.trimmed().split('\n');
    return lines.isEmpty() ? QString() : lines.last();
}
} // namespace

TEST(SayTool, ListsTheVoices)
{
    const SayRun r = say({"--list-voices"});
    EXPECT_EQ(r.code, 0);
    const QStringList voices = r.out.trimmed().split('\n');
    ASSERT_GT(voices.size(), 19);
    EXPECT_EQ(voices.first(), "Mary");
    EXPECT_EQ(voices.at(18), "Mike in Space");
    EXPECT_TRUE(voices.contains("Deutsch")) << "the languages of espeak-ng follow the catalogue";
}

TEST(SayTool, SpeaksALanguageVoiceByItsName)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("deutsch.wav");
    const SayRun r = say({"--voice", "Deutsch", "--wav", out, "Guten", "Morgen."});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(out).constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_GT(info.frames, info.samplerate / 2);
}

TEST(SayTool, RecordsAWaveFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("mike.wav");
    const SayRun r = say({"--voice", "Mike", "--speed", "200", "--wav", out, "Good", "morning."});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const SF_INFO info = soundInfo(out);
    EXPECT_GT(info.frames, info.samplerate / 2);
}

TEST(SayTool, ClearOneLineErrorsAndNonZeroExit)
{
    QTemporaryDir dir;
    SayRun r = say({"--voice", "Nobody", "hi"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(lastLine(r.err).contains("unknown voice \"Nobody\"")) << r.err.toStdString();

    r = say({"-f", dir.filePath("absent.txt")});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(lastLine(r.err).contains("cannot read")) << r.err.toStdString();

    const QString unwritable = dir.filePath("no/folder/x.wav");
    r = say({"--wav", unwritable, "hi"});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(lastLine(r.err).contains(unwritable)) << r.err.toStdString();

    r = say({"--speed", "fast", "hi"});
    EXPECT_NE(r.code, 0);
    r = say({});
    EXPECT_NE(r.code, 0);
}

TEST(SayTool, UnusablePitchStillSpeaksAndSaysSo)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("high.wav");
    const SayRun r = say({"--voice", "Mike", "--pitch", "300", "--wav", out, "Hello."});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains("not usable with Mike")) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(out));
}

// Speaking into no sound server would only pass the time: it says so at once, points to
// --wav, and exits 1 (0 means spoken); a recording needs no server.
TEST(SayTool, WithoutASoundServerItRefusesAtOnceAndExitsOne)
{
    const QString story =
        QStringLiteral("Hello, I am Mary, and this story goes on for a long time. ").repeated(10);
    QElapsedTimer timer;
    timer.start();
    const SayRun r = say({story}, "unix:/nonexistent/socket");
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_LT(timer.elapsed(), 15000) << "it spoke the text into the silence first";
    EXPECT_TRUE(lastLine(r.err).contains("no sound server")) << r.err.toStdString();
    EXPECT_TRUE(lastLine(r.err).contains("--wav FILE")) << r.err.toStdString();

    QTemporaryDir dir;
    const QString out = dir.filePath("quiet.wav");
    const SayRun recorded = say({"--wav", out, "Hello."}, "unix:/nonexistent/socket");
    EXPECT_EQ(recorded.code, 0) << recorded.err.toStdString();
    EXPECT_GT(soundInfo(out).frames, 0);
}

// A voice that cannot speak (Flite's voice libraries gone): exit 1 with the reason, and no
// empty recording left behind; the voice is loaded on the engine's worker, after SPEAK returned.
TEST(SayTool, AVoiceThatCannotSpeakExitsOneAndSavesNothing)
{
    QTemporaryDir empty;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VOCALINO_FLITE_VOICES", empty.path());
    p.setProcessEnvironment(env);
    const QString out = empty.filePath("mary.wav");
    p.start(qEnvironmentVariable("VOCALINO_SAY", QCoreApplication::applicationDirPath() + "/vocalino-say"),
            {"--voice", "Mary", "--wav", out, "Hello."});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_EQ(p.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(lastLine(err).contains("cmu_us_slt")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST(SayTool, HelpExplainsEveryOptionWithAnExampleAndVersionSaysWhichOne)
{
    const SayRun help = say({"--help"});
    EXPECT_EQ(help.code, 0);
    // Each option starts its line, and its example follows it.
    const QStringList lines = help.out.split('\n');
    for (const char *option :
         {"--voice", "--speed", "--pitch", "--wav", "-f", "--list-voices", "--version", "--help", "--"}) {
        const auto at = std::find_if(lines.cbegin(), lines.cend(), [&](const QString &line) {
            return line.startsWith(QStringLiteral("  ") + option + ' ') ||
                   line.startsWith(QStringLiteral("  -h, ") + option);
        });
        ASSERT_NE(at, lines.cend()) << option;
        const auto example =
            std::find_if(at, lines.cend(), [](const QString &line) { return line.contains("example: "); });
        ASSERT_NE(example, lines.cend()) << option;
        EXPECT_TRUE(example->contains(option)) << option << ": " << example->toStdString();
    }
    EXPECT_TRUE(help.out.contains(".wav, .flac, .ogg")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("standard input"));

    const SayRun version = say({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.trimmed(), "vocalino-say 5.0");
}

TEST(SayTool, ReadsTheTextFromStandardInputWhenNoneIsGiven)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("piped.wav");
    SayRun r = say({"--wav", out}, {}, "Read me from the pipe.\n");
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const SF_INFO info = soundInfo(out);
    EXPECT_GT(info.frames, info.samplerate / 2);

    r = say({"--wav", dir.filePath("nothing.wav")}, {}, "  \n");
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(lastLine(r.err).contains("nothing to say")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("nothing.wav")));
}

TEST(SayTool, TheExtensionChoosesTheFormatAndAnUnknownOneIsRefusedFirst)
{
    QTemporaryDir dir;
    const std::pair<const char *, int> kinds[] = {{"s.flac", SF_FORMAT_FLAC}, {"s.ogg", SF_FORMAT_OGG}};
    for (const auto &[name, major] : kinds) {
        const SayRun r = say({"--wav", dir.filePath(name), "Hello."});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(soundInfo(dir.filePath(name)).format & SF_FORMAT_TYPEMASK, major) << name;
    }
    const SayRun r = say({"--wav", dir.filePath("s.xyz"), "Hello."});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(lastLine(r.err).contains(".xyz is not a sound file format")) << r.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"s.flac", "s.ogg"}));
}
