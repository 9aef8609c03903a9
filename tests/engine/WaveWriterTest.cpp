#include "engine/audio/WaveWriter.h"
#include "engine/DirectSS.h"
#include "engine/audio/PendingFile.h"
#include "engine/audio/SoundFormat.h"
#include "platform/AppError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>
#include <unistd.h>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint32 openError(const QString &path, QString *description = nullptr)
{
    try {
        WaveWriter::open(path, 22050);
    } catch (const AppError &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}

const std::vector<qint16> tone(4410, 1000);
} // namespace

TEST(WaveWriter, WritesUnnamedAndTakesTheNameOnlyWhenComplete)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("speech.wav");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old recording");
    old.close();

    auto writer = WaveWriter::open(target, 22050);
    ASSERT_TRUE(writer->write(tone.data(), qint64(tone.size())));
    EXPECT_EQ(contents(target), QByteArray("the old recording"));
    EXPECT_TRUE(writer->temporaryPath().isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"speech.wav"}));

    ASSERT_TRUE(writer->commit());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"speech.wav"}));
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(target).constData(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.frames, 4410);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

TEST(WaveWriter, AbandonedWriterLeavesTheTargetAsItWasAndNoLitter)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("keep.wav");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("precious");
    old.close();
    {
        auto writer = WaveWriter::open(target, 22050);
        writer->write(tone.data(), 100);
    }
    EXPECT_EQ(contents(target), QByteArray("precious"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"keep.wav"}));
}

TEST(WaveWriter, UnwritablePathsFailNamingThePathAndTheReason)
{
    QTemporaryDir dir;
    QString description;
    const QString missing = dir.filePath("no/such/folder/x.wav");
    EXPECT_EQ(openError(missing, &description), DirectSS::PathNotFound);
    EXPECT_TRUE(description.contains(missing));
    EXPECT_TRUE(description.contains("folder does not exist"));

    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.wav"));
    EXPECT_EQ(openError(dir.filePath("taken.wav"), &description), DirectSS::AccessDenied);
    EXPECT_TRUE(description.contains("is a folder"));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.wav")).isDir());

    EXPECT_EQ(openError(QString()), DirectSS::InvalidArgument);
    // A file standing where a folder should be.
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(openError(dir.filePath("plain/x.wav")), DirectSS::PathNotFound);
}

TEST(WaveWriter, ReadOnlyFolderIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString description;
    EXPECT_EQ(openError(dir.filePath("x.wav"), &description), DirectSS::AccessDenied);
    EXPECT_TRUE(description.contains(dir.filePath("x.wav")));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

namespace {
SF_INFO readBack(const QString &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<qint16> samples(size_t(info.frames));
    info.frames = sf_read_short(file, samples.data(), info.frames);
    sf_close(file);
    return info;
}

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Nothing of ours may be taken for stale: a file last changed before the program started.
void age(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    ASSERT_TRUE(file.setFileTime(yesterday, QFileDevice::FileModificationTime));
}
} // namespace

TEST(WaveWriter, TheExtensionChoosesTheFormat)
{
    QTemporaryDir dir;
    const std::pair<const char *, int> formats[] = {{"plain", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                                    {"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                                    {"b.FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                                                    {"c.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                                                    {"d.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16}};
    for (const auto &[name, format] : formats) {
        auto writer = WaveWriter::open(dir.filePath(name), 22050);
        ASSERT_TRUE(writer->write(tone.data(), qint64(tone.size())));
        ASSERT_TRUE(writer->commit()) << writer->error().toStdString();
        const SF_INFO info = readBack(dir.filePath(name));
        EXPECT_EQ(info.format, format) << name;
        EXPECT_EQ(info.frames, 4410) << name;
    }
    // MP3 where the installed library writes it.
    if (SoundFormat::writableExtensions().contains("mp3")) {
        auto writer = WaveWriter::open(dir.filePath("e.mp3"), 22050);
        ASSERT_TRUE(writer->write(tone.data(), qint64(tone.size())));
        ASSERT_TRUE(writer->commit());
        EXPECT_EQ(readBack(dir.filePath("e.mp3")).format & SF_FORMAT_TYPEMASK, SF_FORMAT_MPEG);
    }
}

TEST(WaveWriter, AnUnknownExtensionIsRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    QString description;
    EXPECT_EQ(openError(dir.filePath("story.txt"), &description), DirectSS::InvalidArgument);
    EXPECT_TRUE(description.contains(dir.filePath("story.txt")));
    EXPECT_TRUE(description.contains(".txt is not a sound file format")) << description.toStdString();
    EXPECT_TRUE(description.contains(".wav, .flac, .ogg")) << description.toStdString();
    EXPECT_TRUE(everything(dir.path()).isEmpty());
    EXPECT_EQ(SoundFormat::forPath(".hidden", &description), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

TEST(WaveWriter, WithoutUnnamedFilesAHiddenNameIsUsedAndStaleOnesAreSwept)
{
    PendingFile::setUnnamedAllowed(false);
    auto restore = qScopeGuard([] { PendingFile::setUnnamedAllowed(true); });
    QTemporaryDir dir;
    const QString stale = dir.filePath(".old.wav.vocalino-Ab12Cd");
    const QString someoneElses = dir.filePath(".old.wav.Ab12Cd");
    const QString live = dir.filePath(".other.wav.vocalino-Zz99Zz");
    for (const QString &path : {stale, someoneElses, live}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    age(stale);
    age(someoneElses);

    auto writer = WaveWriter::open(dir.filePath("new.wav"), 22050);
    const QString hidden = writer->temporaryPath();
    EXPECT_TRUE(QFileInfo(hidden).fileName().startsWith(".new.wav.vocalino-")) << hidden.toStdString();
    EXPECT_TRUE(QFile::exists(hidden));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(someoneElses)); // not ours
    EXPECT_TRUE(QFile::exists(live));         // changed since this program started
    ASSERT_TRUE(writer->write(tone.data(), qint64(tone.size())));
    ASSERT_TRUE(writer->commit());
    EXPECT_FALSE(QFile::exists(hidden));
    EXPECT_EQ(readBack(dir.filePath("new.wav")).frames, 4410);
}

TEST(WaveWriter, ReplacingKeepsTheOldFileUntilTheNewOneIsWhole)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("again.wav");
    for (int round = 1; round <= 3; ++round) {
        auto writer = WaveWriter::open(target, 22050);
        ASSERT_TRUE(writer->write(tone.data(), round * 1000));
        ASSERT_TRUE(writer->commit()) << writer->error().toStdString();
        EXPECT_EQ(readBack(target).frames, round * 1000);
        EXPECT_EQ(everything(dir.path()), QStringList({"again.wav"}));
    }
    EXPECT_EQ(QFileInfo(target).permissions() & QFile::WriteOwner, QFile::WriteOwner);
}
