#include "app/SingleInstance.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, SecondCopyIsRefusedWhileTheFirstRuns)
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    SingleInstance second(dir.path());
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire()); // asking again keeps it
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(first.held());
}

TEST(SingleInstance, LockIsFreeAgainWhenTheFirstEnds)
{
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path());
        ASSERT_TRUE(first.acquire());
    }
    SingleInstance next(dir.path());
    EXPECT_TRUE(next.acquire());
}

TEST(SingleInstance, LockLeftByACrashedCopyIsTakenOver)
{
    QTemporaryDir dir;
    SingleInstance probe(dir.path());
    QFile stale(probe.lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // A process number no live process has (above the kernel's pid limit).
    stale.write("99999999\nvocalino\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    EXPECT_TRUE(probe.acquire());
}
