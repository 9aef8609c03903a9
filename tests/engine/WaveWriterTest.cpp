#include "engine/DirectSS.h"
#include "engine/audio/WaveWriter.h"
#include "platform/AppError.h"

#include <QDir>
#include <QFile>
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

TEST(WaveWriter, WritesUnderATemporaryNameAndRenamesWhenComplete)
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
    EXPECT_TRUE(QFile::exists(writer->temporaryPath()));
    EXPECT_EQ(QFileInfo(writer->temporaryPath()).absolutePath(), QFileInfo(target).absolutePath());

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
