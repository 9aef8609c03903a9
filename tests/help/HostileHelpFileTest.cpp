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
