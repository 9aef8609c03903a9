#include "engine/audio/WaveWriter.h"
#include "engine/DirectSS.h"
#include "engine/audio/PendingFile.h"
#include "engine/audio/SoundFormat.h"
#include "platform/AppError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>
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
        GTEST_SKIP() << "needs an ordinary user: root may write into any folder";
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

namespace {
QFile::Permissions modeOf(const QString &path)
{
    return QFileInfo(path).permissions() &
           (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup |
            QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
}

void makeFile(const QString &path, QFile::Permissions mode)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the old recording");
    file.close();
    ASSERT_TRUE(QFile::setPermissions(path, mode));
}

bool record(const QString &target, qint64 frames = 1000)
{
    auto writer = WaveWriter::open(target, 22050);
    return writer->write(tone.data(), frames) && writer->commit();
}

// Both ways of writing a file: unnamed, and under a hidden name where that is refused.
class WaveWriterBothWays : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { PendingFile::setUnnamedAllowed(GetParam()); }
    void TearDown() override { PendingFile::setUnnamedAllowed(true); }
    QTemporaryDir dir;
};
} // namespace

TEST_P(WaveWriterBothWays, AReplacedFileKeepsItsPermissions)
{
    const QString privateFile = dir.filePath("private.wav");
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    makeFile(privateFile, ownerOnly);
    const QString shared = dir.filePath("shared.wav");
    const QFile::Permissions groupWrites =
        ownerOnly | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther;
    makeFile(shared, groupWrites);

    ASSERT_TRUE(record(privateFile));
    ASSERT_TRUE(record(shared));
    EXPECT_EQ(modeOf(privateFile), ownerOnly);
    EXPECT_EQ(modeOf(shared), groupWrites);
    EXPECT_EQ(readBack(privateFile).frames, 1000);
    EXPECT_EQ(everything(dir.path()), QStringList({"private.wav", "shared.wav"}));
}

TEST_P(WaveWriterBothWays, APrivateFileIsNeverReadableByOthersWhileItIsWritten)
{
    const QString target = dir.filePath("private.wav");
    makeFile(target, QFile::ReadOwner | QFile::WriteOwner);
    auto writer = WaveWriter::open(target, 22050);
    ASSERT_TRUE(writer->write(tone.data(), 100));
    // An unnamed file cannot be opened by anyone; a hidden one must not be readable.
    if (!GetParam()) {
        ASSERT_FALSE(writer->temporaryPath().isEmpty());
        EXPECT_EQ(modeOf(writer->temporaryPath()), QFile::ReadOwner | QFile::WriteOwner);
    }
    ASSERT_TRUE(writer->commit());
}

TEST_P(WaveWriterBothWays, ANewFileGetsTheUsualPermissionsAndTheUmaskStays)
{
    const mode_t before = umask(022);
    auto restore = qScopeGuard([before] { umask(before); });
    ASSERT_TRUE(record(dir.filePath("open.wav")));
    EXPECT_EQ(modeOf(dir.filePath("open.wav")),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    umask(077);
    ASSERT_TRUE(record(dir.filePath("closed.wav")));
    EXPECT_EQ(modeOf(dir.filePath("closed.wav")), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(umask(077), mode_t(077)); // writing never changed it
}

TEST_P(WaveWriterBothWays, ThroughASymbolicLinkTheFileItPointsToIsReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("keep/deeper"));
    const QString real = dir.filePath("keep/deeper/story.wav");
    makeFile(real, QFile::ReadOwner | QFile::WriteOwner);
    // A relative link, and a link to that link.
    const QString link = dir.filePath("keep/story-link.wav");
    ASSERT_EQ(symlink("deeper/story.wav", QFile::encodeName(link).constData()), 0);
    const QString linkToLink = dir.filePath("outer.wav");
    ASSERT_TRUE(QFile::link(link, linkToLink));

    ASSERT_TRUE(record(linkToLink, 1234));
    EXPECT_TRUE(QFileInfo(linkToLink).isSymLink());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(linkToLink).canonicalFilePath(), QFileInfo(real).canonicalFilePath());
    EXPECT_EQ(readBack(linkToLink).frames, 1234);
    EXPECT_EQ(readBack(real).frames, 1234);
    EXPECT_EQ(modeOf(real), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(everything(dir.filePath("keep/deeper")), QStringList({"story.wav"}));
    EXPECT_EQ(everything(dir.filePath("keep")), QStringList({"story-link.wav"}));
}

TEST_P(WaveWriterBothWays, ALinkToAFileNotYetThereMakesIt)
{
    const QString link = dir.filePath("link.wav");
    ASSERT_EQ(symlink("made.wav", QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(record(link, 321));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBack(dir.filePath("made.wav")).frames, 321);
    EXPECT_EQ(everything(dir.path()), QStringList({"link.wav", "made.wav"}));
}

TEST_P(WaveWriterBothWays, ALoopOfLinksIsRefusedAndLeftAsItWas)
{
    const QString a = dir.filePath("a.wav");
    ASSERT_EQ(symlink("b.wav", QFile::encodeName(a).constData()), 0);
    ASSERT_EQ(symlink("a.wav", QFile::encodeName(dir.filePath("b.wav")).constData()), 0);
    QString description;
    EXPECT_EQ(openError(a, &description), DirectSS::WriteFault);
    EXPECT_TRUE(description.contains(a)) << description.toStdString();
    EXPECT_TRUE(QFileInfo(a).isSymLink());
    EXPECT_EQ(everything(dir.path()), QStringList({"a.wav", "b.wav"}));
}

INSTANTIATE_TEST_SUITE_P(WaveWriter, WaveWriterBothWays, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Unnamed" : "HiddenName"; });
