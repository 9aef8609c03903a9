// A thousand speak and stop cycles through the main window leave nothing behind:
// no descriptor and no memory that grows with the count.
#include "tests/app/MainWindowFixture.h"

#include <QDir>

#include <unistd.h>

namespace {
int openDescriptors()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();

// The sanitizers' allocator keeps each size class at its highest use for good, so one stop
// that comes late steps resident memory up by megabytes once; the live heap is what is held.
qint64 heldBytes()
{
    return qint64(__sanitizer_get_current_allocated_bytes());
}
#else
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

qint64 heldBytes()
{
    return residentBytes();
}
#endif

class SpeakStopCycles : public MainWindowFixture
{
protected:
    void cycles(int count)
    {
        for (int i = 0; i < count; ++i) {
            window->cmdSpkText_Click();
            QCoreApplication::processEvents(); // the engine takes its first piece of sound
            soundCard->advance(2205);
            window->cmdStopText_Click();
            QCoreApplication::processEvents();
        }
    }
};
} // namespace

TEST_F(SpeakStopCycles, LeaveDescriptorsAndMemoryFlat)
{
    type("Hello, this is a sentence that will be stopped before it ends.");
    cycles(100); // caches, thread stacks and the voice data settle first
    const int descriptors = openDescriptors();
    const qint64 held = heldBytes();
    cycles(1000);
    QTest::qWait(100); // the last stop's end of audio arrives
    EXPECT_EQ(openDescriptors(), descriptors);
    const qint64 growth = heldBytes() - held;
    std::printf("after 1000 cycles: descriptors %d -> %d, memory held grew by %.2f MB\n", descriptors,
                openDescriptors(), double(growth) / (1 << 20));
    EXPECT_LE(growth, 5 << 20);
    EXPECT_EQ(row(), stopped);
    EXPECT_TRUE(boxes.shown.isEmpty());
}
