#include <QCoreApplication>
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

SayRun say(const QStringList &args, const QString &pulseServer = {})
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
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError()),
            QString::fromLocal8Bit(p.readAllStandardOutput())};
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
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(out).constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
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

TEST(SayTool, WithoutAnAudioServerItSpeaksOnTheSilentClock)
{
    QElapsedTimer timer;
    timer.start();
    const SayRun r = say({"Hello, I am Mary."}, "unix:/nonexistent/socket");
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains("No audio output device")) << r.err.toStdString();
    // Real-time pace: the sentence takes its 2.6 seconds even unheard.
    EXPECT_GT(timer.elapsed(), 1700);
}
