#include "LittleEndian.h"
#include "help/ChmCompression.h"
#include "help/ChmDirectory.h"
#include "help/ChmFile.h"
#include "help/HelpSystem.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QString testData(const char *name)
{
    return QStringLiteral(VOCALINO_HELP_TEST_DATA "/") + QLatin1String(name);
}

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM"); -1 when it cannot be read.
qint64 statusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Starts the peak of resident memory afresh from what is resident now.
bool resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}
} // namespace

TEST(HostileHelpFile, ADirectoryThatNeverEndsIsRefusedWithTheFileMessageWithinBoundedMemory)
{
    const QString chm = testData("help-file-exhausts-memory.chm");
    ASSERT_TRUE(QFile::exists(chm));
    ASSERT_TRUE(resetPeak());
    const qint64 before = statusKb("VmRSS");
    QString error;
    EXPECT_FALSE(ChmFile::open(chm, &error));
    const qint64 grown = statusKb("VmHWM") - before;
    EXPECT_EQ(error, "The file " + chm + " is not a readable compiled help file.");
    EXPECT_LT(grown, 64 * 1024) << "kilobytes more at the peak: " << grown;

    ScriptedMessageBoxes boxes;
    EXPECT_EQ(HtmlHelp(0, chm + QStringLiteral(">Main"), HH::HELP_CONTEXT, qint32(1)), 0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, error);
    EXPECT_TRUE(HelpSystem::instance().viewers().isEmpty());
}

namespace {
QByteArray control(quint32 version, quint32 resetInterval, quint32 window)
{
    return u32(6) + "LZXC" + u32(version) + u32(resetInterval) + u32(window) + u32(1) + u32(0);
}
QByteArray resetTable(quint32 blocks, quint64 uncompressed, quint64 compressed, quint64 blockLength,
                      quint32 entriesAt = 0x28)
{
    QByteArray table = u32(2) + u32(blocks) + u32(8) + u32(entriesAt) + u64(uncompressed) + u64(compressed) +
                       u64(blockLength);
    for (quint32 block = 0; block < blocks && table.size() < 0x1000; ++block)
        table += u64(block * 0x4000);
    return table;
}
} // namespace

TEST(HostileHelpFile, CompressionTablesThatLieAreRefusedBeforeChmlibTrustsThem)
{
    const QByteArray table = resetTable(3, 0x14000, 0x9000, 0x8000);
    EXPECT_TRUE(ChmCompression::tablesAgree(control(2, 2, 2), table, 0x9000));
    EXPECT_TRUE(ChmCompression::tablesAgree(control(1, 0x10000, 0x10000), table, 0x9000));
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 2, 3), table, 0x9000)); // window not a power of two
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 0, 2), table, 0x9000));
    EXPECT_FALSE(ChmCompression::tablesAgree(control(3, 2, 2), table, 0x9000));
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 2, 2), table, 0x8FFF)); // more than the section holds
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 2, 2), resetTable(3, 0x14000, 0x9000, 0x800000000000),
                                             0x9000));
    EXPECT_FALSE(
        ChmCompression::tablesAgree(control(2, 2, 2), resetTable(3, 0x30000, 0x9000, 0x8000), 0x9000));
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 2, 2),
                                             resetTable(0xFFFFFF04, 0x14000, 0x9000, 0x8000), 0x9000));
    EXPECT_FALSE(
        ChmCompression::tablesAgree(control(2, 2, 2), resetTable(3, 0x14000, 0x9000, 0x8000, 8), 0x9000));
    EXPECT_FALSE(ChmCompression::tablesAgree(control(2, 2, 2), table.left(0x30), 0x9000));

    QString error;
    const QString lying = testData("reset-table-with-a-huge-block-length.chm");
    EXPECT_FALSE(ChmFile::open(lying, &error));
    EXPECT_EQ(error, "The file " + lying + " is not a readable compiled help file.");
}

TEST(HostileHelpFile, AListingChainThatComesBackOnItselfIsRefusedBeforeChmlibWalksIt)
{
    for (const char *name : {"directory-chunk-that-follows-itself.chm", "help-file-exhausts-memory.chm"}) {
        QFile file(testData(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(ChmDirectory::listingEnds(file.readAll())) << name;
        QString error;
        EXPECT_FALSE(ChmFile::open(testData(name), &error));
        EXPECT_EQ(error, "The file " + testData(name) + " is not a readable compiled help file.");
    }
    EXPECT_FALSE(ChmDirectory::listingEnds(QByteArray("ITSF")));
}
