// vocalino-say killed at random moments while it records over an existing file.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sndfile.h>

namespace {
QString sayTool()
{
    return qEnvironmentVariable("VOCALINO_SAY", QCoreApplication::applicationDirPath() + "/vocalino-say");
}

// Frames of a 16-bit wave file libsndfile reads; -1 for anything else.
sf_count_t waveFrames(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    return info.format == (SF_FORMAT_WAV | SF_FORMAT_PCM_16) ? info.frames : -1;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(KilledRecording, LeavesTheOldFileOrACompleteOneAndNothingElse)
{
    QTemporaryDir textDir, outDir;
    const QString text = textDir.filePath("story.txt");
    QFile story(text);
    ASSERT_TRUE(story.open(QIODevice::WriteOnly));
    for (int i = 0; i < 12; ++i)
        story.write("Once upon a time a small clown read stories out loud to every child in the town. ");
    story.close();
    const QString target = outDir.filePath("story.wav");
    const QStringList args{"--voice", "Mike", "--wav", target, "-f", text};

    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(QProcess::execute(sayTool(), args), 0);
    const qint64 fullRunMs = clock.elapsed();
    const sf_count_t fullFrames = waveFrames(target);
    const qint64 fullBytes = QFileInfo(target).size();
    ASSERT_GT(fullFrames, 22050 * 10);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int keptOld = 0;
    for (int round = 0; round < 50; ++round) {
        // The old file differs from what a finished run writes, so either can be told apart.
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("the old recording");
        old.close();
        const QByteArray before = bytesOf(target);

        QProcess say;
        say.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        say.start(sayTool(), args);
        ASSERT_TRUE(say.waitForStarted());
        QThread::msleep(random.bounded(quint32(fullRunMs + 1)));
        ::kill(pid_t(say.processId()), SIGKILL);
        say.waitForFinished();

        SCOPED_TRACE(QStringLiteral("round %1, seed %2").arg(round).arg(seed).toStdString());
        EXPECT_EQ(QDir(outDir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList({"story.wav"}));
        const QByteArray after = bytesOf(target);
        if (after == before)
            ++keptOld;
        else {
            EXPECT_EQ(waveFrames(target), fullFrames);
            EXPECT_EQ(QFileInfo(target).size(), fullBytes);
        }
    }
    std::printf("kept the old file %d times of 50, a complete new one otherwise\n", keptOld);
}
