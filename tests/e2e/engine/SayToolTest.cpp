#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
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
    const SayRun r = say({"--voice", "Français", "--pitch", "300", "--wav", out, "Bonjour."});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains("not usable with Français")) << r.err.toStdString();
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
    const QStringList versionLines = version.out.trimmed().split(u'\n');
    EXPECT_EQ(versionLines.value(0), "vocalino-say 5.0");
    EXPECT_TRUE(versionLines.value(1).startsWith("License GPL-3.0-or-later")) << version.out.toStdString();
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

TEST(SayTool, EmptyFileNamesAreRefusedNotTakenForNone)
{
    QTemporaryDir dir;
    SayRun r = say({"--wav", "", "Hello."}, "unix:/nonexistent/socket");
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("--wav needs a file name, not an empty one")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("No audio output device")) << "it went on to speak aloud";
    // Not standard input instead: the text there would be spoken.
    r = say({"--wav", dir.filePath("piped.wav"), "-f", ""}, {}, "Read me from the pipe.\n");
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains("-f needs a file name, not an empty one")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("piped.wav")));
}

TEST(SayTool, NoMoreThan64MiBIsRead)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("never.wav");
    // An endless file: without a limit it eats the memory.
    SayRun r = say({"--wav", out, "-f", "/dev/zero"});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(lastLine(r.err).contains("cannot read \"/dev/zero\": it is larger than 64 MiB"))
        << r.err.toStdString();
    r = say({"--wav", out}, {}, QByteArray(64 * 1024 * 1024 + 1, 'a'));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(lastLine(r.err).contains("cannot read standard input: it is larger than 64 MiB"))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    r = say({"--wav", out, "-f", dir.path()});
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(lastLine(r.err).contains("it is a folder")) << r.err.toStdString();
}

// The same words as UTF-8, as Windows-1252 and as UTF-16 make the same recording.
TEST(SayTool, ReadsTextAsTheWindowDoes)
{
    QTemporaryDir dir;
    const QString words = QStringLiteral("Grüße aus München, schöne Tage.");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : words)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    const std::pair<const char *, QByteArray> files[] = {{"utf8", words.toUtf8()},
                                                         {"cp1252", words.toLatin1()},
                                                         {"utf16", utf16},
                                                         {"question", "Gr??e aus M?nchen, sch?ne Tage."}};
    QMap<QString, QByteArray> recordings;
    for (const auto &[name, bytes] : files) {
        QFile text(dir.filePath(QString::fromLatin1(name) + ".txt"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(bytes);
        text.close();
        const QString out = dir.filePath(QString::fromLatin1(name) + ".wav");
        const SayRun r = say({"--voice", "Deutsch", "--wav", out, "-f", text.fileName()});
        ASSERT_EQ(r.code, 0) << name << r.err.toStdString();
        QFile sound(out);
        ASSERT_TRUE(sound.open(QIODevice::ReadOnly));
        recordings[name] = sound.readAll();
    }
    EXPECT_EQ(recordings["cp1252"], recordings["utf8"]);
    EXPECT_EQ(recordings["utf16"], recordings["utf8"]);
    // The letters matter: lost ones would be heard.
    EXPECT_NE(recordings["question"], recordings["utf8"]);
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
