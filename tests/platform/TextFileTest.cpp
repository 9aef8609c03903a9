#include "platform/TextFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
class TextFileTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};

TEST_F(TextFileTest, SpecialFilesAreRefusedWithoutWaiting)
{
    const QString fifo = folder.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // No writer ever comes: a blocking open would never return.
    TextFile::Opened opened = TextFile::openRegular(fifo);
    EXPECT_EQ(opened.file, nullptr);
    EXPECT_EQ(opened.reason, "it is a pipe, not a file");
    opened = TextFile::openRegular("/dev/null");
    EXPECT_EQ(opened.reason, "it is a device, not a file");
    opened = TextFile::openRegular(folder.path());
    EXPECT_EQ(opened.reason, "it is a folder, not a file");
    opened = TextFile::openRegular(write("story.txt", "Once"));
    ASSERT_NE(opened.file, nullptr);
    EXPECT_EQ(opened.file->readAll(), "Once");
}

TEST_F(TextFileTest, AFileWithoutReadPermissionGivesThatReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "needs an ordinary user: root reads every file";
    const QString path = write("secret.txt", "x");
    QFile::setPermissions(path, QFile::WriteOwner);
    EXPECT_EQ(TextFile::openRegular(path).reason, "you are not allowed to read it");
    EXPECT_EQ(TextFile::openAny(path).reason, "you are not allowed to read it");
}

TEST_F(TextFileTest, TheLimitIsExactAndNamedInTheReason)
{
    const QByteArray bytes(1024, 'a');
    for (bool sequential : {false, true}) {
        QBuffer atLimit;
        atLimit.setData(bytes);
        QFile over(write("over.txt", bytes + 'b'));
        QFile onePast(write("onepast.txt", bytes + 'b'));
        atLimit.open(QIODevice::ReadOnly);
        EXPECT_EQ(TextFile::readAll(atLimit, 1024).bytes, bytes);
        if (sequential) {
            // A pipe has no size up front: the limit holds while reading.
            TextFile::Opened fifoLike = TextFile::openAny("/dev/zero");
            ASSERT_NE(fifoLike.file, nullptr);
            const TextFile::Read read = TextFile::readAll(*fifoLike.file, 1024 * 1024);
            EXPECT_EQ(read.bytes, std::nullopt);
            EXPECT_EQ(read.reason, "it is larger than 1 MiB, the most that is read");
        } else {
            over.open(QIODevice::ReadOnly);
            const TextFile::Read read = TextFile::readAll(over, 1024);
            EXPECT_EQ(read.bytes, std::nullopt);
            EXPECT_EQ(read.reason, "it is larger than 1 KiB, the most that is read");
        }
    }
    EXPECT_EQ(TextFile::sizeText(TextFile::maxBytes), "64 MiB");
    EXPECT_EQ(TextFile::sizeText(1000), "1000 bytes");
}

TEST_F(TextFileTest, ProgressFollowsTheBytesRead)
{
    QFile file(write("long.txt", QByteArray(300000, 'x')));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::atomic<qint64> progress{-1};
    EXPECT_EQ(TextFile::readAll(file, TextFile::maxBytes, &progress).bytes->size(), 300000);
    EXPECT_EQ(progress.load(), 300000);
}

TEST_F(TextFileTest, DecodesUtf8OnlyWhenValidElseWindows1252)
{
    EXPECT_EQ(TextFile::decode("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9"), QStringLiteral("été"));
    EXPECT_EQ(TextFile::decode("\xE9t\xE9 \x80"), QStringLiteral("été €"));
}
} // namespace
