#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeLock(const QString &path, const QByteArray &contents)
{
    QFile lock(path);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(contents);
}

QByteArray lockNaming(qint64 pid, const QString &host = QSysInfo::machineHostName())
{
    // As a copy of this program writes it: its number, its name, its host.
    return QByteArray::number(pid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
           host.toUtf8() + "\n";
}

// A process number no live process has (above the kernel's pid limit).
constexpr qint64 deadPid = 99999999;

const auto alwaysRunning = [](qint64) { return SingleInstance::Owner::Running; };
const auto alwaysGone = [](qint64) { return SingleInstance::Owner::Gone; };
} // namespace

TEST(SingleInstance, SecondCopyIsRefusedWhileTheFirstRuns)
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    SingleInstance second(dir.path());
    ASSERT_TRUE(first.acquire());
    EXPECT_TRUE(first.acquire()); // asking again keeps it
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(second.acquire()); // nor does asking again take it over
    EXPECT_TRUE(first.held());
    EXPECT_TRUE(QFile::exists(first.lockPath()));
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

TEST(SingleInstance, LocksThatNoRunningCopyHoldsAreTakenOver)
{
    static const char garbage[] = "\x7f\x45\x4c\x46\x02\x01\x01\x00 not a lock at all";
    const struct
    {
        const char *what;
        QByteArray contents;
    } abandoned[] = {
        {"left by a crashed copy", lockNaming(deadPid)},
        {"empty", QByteArray()},
        {"garbage", QByteArray(garbage, sizeof garbage - 1)}, // with a NUL inside
        {"a number and nothing else", "12"},
        {"a negative process", lockNaming(-5)},
        {"a process number too large for any", lockNaming(Q_INT64_C(1) << 40)},
        {"far too long", QByteArray(10000, '7')},
    };
    for (const auto &[what, contents] : abandoned) {
        QTemporaryDir dir;
        SingleInstance probe(dir.path());
        writeLock(probe.lockPath(), contents);
        EXPECT_TRUE(probe.acquire()) << what;
        // The lock is ours now: it names this process, and a later copy is refused.
        QFile taken(probe.lockPath());
        ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
        EXPECT_EQ(taken.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid()) << what;
        SingleInstance later(dir.path());
        EXPECT_FALSE(later.acquire()) << what;
    }
}

TEST(SingleInstance, ALockHeldByThisProgramInAnotherProcessIsRespected)
{
    // Another running copy of this program: a waiting program under this program's file name.
    QTemporaryDir dir;
    const QString copyPath = dir.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!QFile::copy(QStringLiteral("/bin/sleep"), copyPath))
        GTEST_SKIP() << "no sleep program to stand in for a running copy";
    QFile::setPermissions(copyPath, QFile::ReadOwner | QFile::ExeOwner);
    QProcess copy;
    copy.start(copyPath, {QStringLiteral("30")});
    ASSERT_TRUE(copy.waitForStarted());

    SingleInstance probe(dir.path());
    writeLock(probe.lockPath(), lockNaming(copy.processId()));
    EXPECT_FALSE(probe.acquire());
    EXPECT_FALSE(probe.acquire());
    copy.kill();
    copy.waitForFinished();
    EXPECT_TRUE(probe.acquire()); // its owner gone, the lock is free
}

TEST(SingleInstance, AProcessNumberTakenOverByAnotherProgramDoesNotHoldTheLock)
{
    QProcess other;
    other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    if (!other.waitForStarted())
        GTEST_SKIP() << "no sleep program to stand in for another program";
    EXPECT_EQ(SingleInstance::ownerOnThisMachine(other.processId()), SingleInstance::Owner::Gone);
    EXPECT_EQ(SingleInstance::ownerOnThisMachine(QCoreApplication::applicationPid()),
              SingleInstance::Owner::Running);
    other.kill();
    other.waitForFinished();
}

TEST(SingleInstance, TheOwnerIsOnlyAskedAboutOnAWellFormedLockOfThisHost)
{
    const QString here = QStringLiteral("here");
    int asked = 0;
    const auto counting = [&](qint64 pid) {
        ++asked;
        EXPECT_EQ(pid, 4321);
        return SingleInstance::Owner::Running;
    };
    EXPECT_FALSE(SingleInstance::isAbandoned(lockNaming(4321, here), here, counting));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(SingleInstance::isAbandoned(lockNaming(4321, here), here, alwaysGone));
    // Another host's copy cannot be seen from here: its lock stands.
    EXPECT_FALSE(SingleInstance::isAbandoned(lockNaming(4321, QStringLiteral("there")), here, alwaysGone));
    // An older lock without a host line is judged as this host's.
    EXPECT_TRUE(SingleInstance::isAbandoned("4321\nvocalino\n\n", here, alwaysGone));
    EXPECT_FALSE(SingleInstance::isAbandoned("4321\nvocalino\n\n", here, alwaysRunning));
    EXPECT_TRUE(SingleInstance::isAbandoned("", here, alwaysRunning));
    EXPECT_TRUE(SingleInstance::isAbandoned("abc\nvocalino\nhere\n", here, alwaysRunning));
    EXPECT_EQ(asked, 1);
}
