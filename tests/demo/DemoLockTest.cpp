// Whether a demonstration cluster holds its lock, as the client sees it before starting one: only a
// live holder counts, and looking never takes the lock from under a cluster that is starting.

#include "demo/DemoLock.h"
#include "support/ScratchFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <gtest/gtest.h>

using namespace kalver;

namespace {

// The pid of a process that has ended.
qint64 endedProcess() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

QByteArray lockText(qint64 pid, const QString& application) {
    return QByteArray::number(pid) + '\n' + application.toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
}

TEST(DemoLock, OnlyALiveHolderOfTheProgramCounts) {
    test::ScratchFolder folder;
    const QString path = folder.file("held.lock");
    EXPECT_FALSE(demoServerLockHeld(path)) << "no lock file";

    struct Case {
        const char* what;
        QByteArray text;
        bool held;
    } const cases[] = {
        {"holder alive", lockText(QCoreApplication::applicationPid(), QCoreApplication::applicationName()), true},
        {"holder ended", lockText(endedProcess(), QStringLiteral("Kalver DemoServer")), false},
        {"number now given to another program", lockText(QCoreApplication::applicationPid(), QStringLiteral("Kalver DemoServer")), false},
        {"held on another machine", QByteArray::number(1) + "\nKalver DemoServer\nsome-other-host\n", true},
    };
    for (const Case& c : cases) {
        folder.write("held.lock", c.text);
        EXPECT_EQ(demoServerLockHeld(path), c.held) << c.what;
    }
}

TEST(DemoLock, LookingAtAHeldLockLeavesItToItsHolder) {
    test::ScratchFolder folder;
    const QString path = folder.file("held.lock");
    QLockFile holder(path);
    ASSERT_TRUE(holder.tryLock(0));
    EXPECT_TRUE(demoServerLockHeld(path));
    EXPECT_TRUE(demoServerLockHeld(path));
    holder.unlock();
    EXPECT_FALSE(demoServerLockHeld(path));
}

TEST(DemoLock, LookingAtAFreeLockLeavesItFree) {
    // A check that took the lock for a moment would leave a lock file behind or fail a cluster's own
    // attempt made at the same time; the check only reads.
    test::ScratchFolder folder;
    const QString path = folder.file("free.lock");
    EXPECT_FALSE(demoServerLockHeld(path));
    EXPECT_FALSE(QFile::exists(path));
    QLockFile cluster(path);
    EXPECT_TRUE(cluster.tryLock(0));
}

} // namespace
