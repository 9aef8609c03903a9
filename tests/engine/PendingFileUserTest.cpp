#include "engine/audio/PendingFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

// Without CAP_DAC_READ_SEARCH, kernels before 6.10 refuse to link a descriptor by its empty
// path, so an ordinary user's unnamed file gets its name through /proc/self/fd. These cases take
// that path as an ordinary user on any kernel; as root they skip, and scripts/test runs them
// again as nobody.
namespace {
bool writeAll(int fd, const QByteArray &bytes)
{
    return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class PendingFileAsUser : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() == 0)
            GTEST_SKIP() << "needs an ordinary user: the /proc link is checked against their rights";
        ASSERT_TRUE(dir.isValid());
    }

    void TearDown() override { PendingFile::setEmptyPathLinkAllowed(true); }

    std::unique_ptr<PendingFile> createUnnamed(const QString &target)
    {
        PendingFile::setEmptyPathLinkAllowed(false);
        int error = 0;
        auto file = PendingFile::create(target, &error);
        EXPECT_TRUE(file) << "errno " << error;
        if (file) {
            EXPECT_TRUE(file->temporaryPath().isEmpty()) << "the folder refused an unnamed file";
        }
        return file;
    }

    QStringList everything() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir dir;
};
} // namespace

TEST_F(PendingFileAsUser, ANewFileGetsItsNameThroughProc)
{
    const QString target = dir.filePath("story.wav");
    auto file = createUnnamed(target);
    ASSERT_TRUE(file);
    ASSERT_TRUE(writeAll(file->descriptor(), "RIFF and the rest"));
    EXPECT_FALSE(QFile::exists(target)) << "visible before it is complete";
    QString error;
    ASSERT_TRUE(file->publish(&error)) << error.toStdString();
    EXPECT_EQ(contents(target), "RIFF and the rest");
    file.reset();
    EXPECT_EQ(everything(), QStringList{"story.wav"});
}

TEST_F(PendingFileAsUser, AnOldFileIsReplacedWholeAndNothingHiddenStays)
{
    const QString target = dir.filePath("story.wav");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old recording");
    }
    auto file = createUnnamed(target);
    ASSERT_TRUE(file);
    ASSERT_TRUE(writeAll(file->descriptor(), "the new one"));
    EXPECT_EQ(contents(target), "the old recording") << "touched before publish";
    QString error;
    ASSERT_TRUE(file->publish(&error)) << error.toStdString();
    EXPECT_EQ(contents(target), "the new one");
    file.reset();
    EXPECT_EQ(everything(), QStringList{"story.wav"});
}
