// The demonstration cluster's launch and stop: the real program, copied into a scratch program folder
// whose settings give it free ports, is started by the first client only; a second client finds its
// lock, starts nothing and stops nothing; the first client stops it at its end. A program that ignores
// the request to end is killed.

#include "SessionTestSupport.h"

#include "config/Journal.h"
#include "config/SettingsFile.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "demo/DemoLock.h"
#include "link/ClusterList.h"
#include "session/DemoClusterLauncher.h"
#include "session/Unit_Login.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalver;
using session::DemoClusterLauncher;

namespace {

constexpr int kWaitMs = 10000;

class DemoClusterLaunch : public ::testing::Test {
protected:
    DemoClusterLaunch() {
        QDir().mkpath(folder.file("DemoServer"));
        journal::startNewFile(program().journalFilePath);
        users::writeFile(folder.file("users.dat"), {{"oper", "op", 1, {}}});
    }

    // The real demonstration cluster in DemoServer/, serving one rack on free ports.
    void installDemoCluster() {
        ASSERT_TRUE(QFile::copy(QStringLiteral(KALVER_DEMO_SERVER_PATH), folder.file("DemoServer/Kalver DemoServer")));
        settings::SettingsValues values = settings::defaults(1, folder.path());
        values.grid[1][2] = QString::number(test::freePort());
        values.grid[2][2] = QString::number(test::freePort());
        ASSERT_TRUE(settings::writeFile(folder.file("settings.ini"), values));
    }
    // A stand-in that ignores the request to end; it writes "ready" in its working folder once it
    // does.
    void installStubbornProgram() {
        QFile script(folder.file("DemoServer/Kalver DemoServer"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntrap '' TERM\n: > ready\nwhile :; do sleep 1; done\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    bool lockHeld() const { return demoServerRunning(folder.path()); }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
};

TEST_F(DemoClusterLaunch, FirstClientStartsAndStopsItTheSecondNeither) {
    installDemoCluster();
    ASSERT_FALSE(lockHeld());

    link::ClusterList firstClusters;
    auto first = std::make_unique<TForm_Login>(firstClusters);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_TRUE(first->demoCluster().started());
    ASSERT_TRUE(QTest::qWaitFor([&] { return lockHeld(); }, kWaitMs));

    link::ClusterList secondClusters;
    auto second = std::make_unique<TForm_Login>(secondClusters);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_FALSE(second->demoCluster().started());

    // The second client ends: the demonstration cluster runs on.
    second->close();
    EXPECT_TRUE(lockHeld());
    EXPECT_TRUE(first->demoCluster().started());

    // The first client ends: it stops the one it started.
    first->close();
    EXPECT_FALSE(first->demoCluster().started());
    EXPECT_FALSE(lockHeld());
}

TEST_F(DemoClusterLaunch, MissingProgramCannotStart) {
    DemoClusterLauncher launcher(folder.path());
    EXPECT_EQ(launcher.startUnlessRunning(), DemoClusterLauncher::Start::Failed);
    EXPECT_FALSE(launcher.started());
    EXPECT_EQ(launcher.stop(), DemoClusterLauncher::Stop::NotStarted);
}

TEST_F(DemoClusterLaunch, ProgramThatIgnoresTheRequestIsKilledAfterASecond) {
    installStubbornProgram();
    DemoClusterLauncher launcher(folder.path());
    ASSERT_EQ(launcher.startUnlessRunning(), DemoClusterLauncher::Start::Started);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(folder.file("DemoServer/ready")); }, kWaitMs));

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(launcher.stop(), DemoClusterLauncher::Stop::Killed);
    // It was given its second to end before it was killed.
    EXPECT_GE(elapsed.elapsed(), DemoClusterLauncher::kStopWaitMs);
    EXPECT_FALSE(launcher.started());
    EXPECT_EQ(launcher.stop(), DemoClusterLauncher::Stop::NotStarted);
}

} // namespace
