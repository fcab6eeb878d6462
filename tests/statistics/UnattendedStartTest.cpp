// The unattended run (--login, --work, --quit-after) on the program's own windows over two fake
// clusters: it logs in through the log-in window's check, enters the work session once both clusters
// granted permission, and ends the program; a wrong password or a level without the connection window
// leads nowhere. At access level 3 the end answers the charge-file question as told; the start-up
// times are taken.

#include "session/SessionTestSupport.h"

#include "app/Program.h"
#include "app/UnattendedStart.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "config/Unit_Settings.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "fakes/FakeCluster.h"
#include "link/ClusterList.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"
#include "work/Unit_Work.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace kalver;
using test::FakeCluster;
namespace frames = test::frames;

namespace {

class Unattended : public ::testing::Test {
protected:
    Unattended() : m_oldLevel(program().accessLevel) {
        journal::startNewFile(program().journalFilePath);
        users::writeFile(folder.file("users.dat"), {{"oper", "op", 1, {}}, {"adm", "ad", 2, {}}});
        QList<test::ClusterAddress> addresses;
        for (FakeCluster* fake : {&a, &b}) {
            addresses.append({QStringLiteral("127.0.0.1"), test::portField(fake->port())});
            fake->answer(1, frames::permissionAnswer(AccessOperator));
            fake->answer(2, frames::statusReport({frames::quietStation(fake == &a ? 11 : 21)}));
        }
        test::TestSettings written(addresses, QStringLiteral("13001"));
    }
    ~Unattended() override { program().accessLevel = m_oldLevel; }

    static app::StartOptions options(const char* login, bool work, std::optional<int> quitAfter = std::nullopt) {
        app::StartOptions o;
        o.login = QString::fromLatin1(login);
        o.work = work;
        o.quitAfterSeconds = quitAfter;
        return o;
    }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    FakeCluster a, b;

private:
    int m_oldLevel;
};

} // namespace

TEST_F(Unattended, LogsInEntersTheSessionAndEndsTheProgram) {
    app::Program windows{QStringList()};
    ASSERT_FALSE(windows.startupFailed());
    QSignalSpy ended(Form_Login, &TForm_Login::programEnded);

    app::UnattendedStart run(options("oper", true, 1), QStringLiteral("op"));
    run.begin();
    EXPECT_EQ(program().accessLevel, AccessOperator);
    ASSERT_TRUE(QTest::qWaitFor([] { return Form_Work->isVisible() && Form_Work->sessionActive(); }, 10000));
    EXPECT_EQ(a.framesWithCode(1).size(), 1) << "permission asked once, at the operator's level";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b.framesWithCode(2).isEmpty(); }, 10000)) << "polled";

    ASSERT_TRUE(ended.wait(10000)) << "the program ends after the given time";
    EXPECT_FALSE(Form_Work->sessionActive());
    EXPECT_EQ(link::clusters().count(), 0);
}

TEST_F(Unattended, TimesThePermissionsAndTheTilesOfEveryConfiguredStation) {
    app::Program windows{QStringList()};
    ASSERT_FALSE(windows.startupFailed());
    ASSERT_NE(Form_Settings, nullptr);
    Form_Settings->se_Stations->setValue(2); // each fake cluster reports only one
    app::UnattendedStart run(options("oper", true), QStringLiteral("op"));
    run.begin();
    ASSERT_TRUE(QTest::qWaitFor([] { return Form_Work->isVisible() && Form_Work->sessionActive(); }, 10000));
    ASSERT_TRUE(run.startupTimes().permissionMs().has_value()) << "both clusters were permitted before the session";
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.framesWithCode(2).size() >= 2 && b.framesWithCode(2).size() >= 2; },
                                15000));
    ASSERT_TRUE(QTest::qWaitFor([] { return link::clusters().count() == 2 && link::clusters().at(1).stationCount() == 1; },
                                10000));
    EXPECT_FALSE(app::StartupTimes::everyStationPresent());
    for (int p = 0; p < 2; ++p)
        if (work::RackView* rack = Form_Work->rackView(p))
            rack->grab();
    QCoreApplication::processEvents();
    EXPECT_FALSE(run.startupTimes().tilesMs().has_value()) << "a configured station is still missing";

    Form_Settings->se_Stations->setValue(1);
    // The rack panels are drawn (grabbed: the test window is on no screen) until the time is taken.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int p = 0; p < 2; ++p)
                if (work::RackView* rack = Form_Work->rackView(p))
                    rack->grab();
            return run.startupTimes().tilesMs().has_value();
        },
        10000))
        << "every tile drawn once the rack panels paint again";
    EXPECT_TRUE(app::StartupTimes::everyStationPresent());
    Form_Work->close();
}

TEST_F(Unattended, AtLevelThreeTheEndAnswersTheChargeFileQuestionAsTold) {
    users::writeFile(folder.file("users.dat"), {{"dev", "dv", AccessDeveloper, {}}});
    for (const bool remove : {false, true}) {
        app::Program windows{QStringList()};
        ASSERT_FALSE(windows.startupFailed());
        const QString charge = settings::chargeFolder();
        ASSERT_TRUE(QDir().mkpath(charge));
        const QString file = charge + QStringLiteral("17.crg");
        {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(16, '\0'));
        }
        messages.clear();
        app::StartOptions o = options("dev", false, 1);
        o.deleteChargeFiles = remove;
        app::UnattendedStart run(o, QStringLiteral("dv"));
        QSignalSpy ended(Form_Login, &TForm_Login::programEnded);
        run.begin();
        ASSERT_EQ(program().accessLevel, AccessDeveloper);
        ASSERT_TRUE(ended.wait(10000)) << remove;
        EXPECT_EQ(QFile::exists(file), !remove) << remove;
        EXPECT_FALSE(messages.codes().contains(QStringLiteral("e040"))) << "answered by the run, not passed on";

        // Once the run has ended, a question reaches whoever answered before.
        showMessage({QStringLiteral("t"), QStringLiteral("x"), MessageIcon::Question, MessageButtons::YesNo,
                     QStringLiteral("e040")});
        EXPECT_TRUE(messages.codes().contains(QStringLiteral("e040")));
    }
}

TEST_F(Unattended, GoesNoFurtherThanTheAccountAllows) {
    struct Case {
        const char* login;
        const char* password;
        int level;
        const char* message; // shown at the log-in, if any
    };
    const Case cases[] = {
        {"oper", "wrong", AccessNone, "e002"},
        {"adm", "ad", AccessAdmin, nullptr}, // no connection window at level 2
    };
    app::Program windows{QStringList()};
    ASSERT_FALSE(windows.startupFailed());
    for (const Case& c : cases) {
        messages.clear();
        app::UnattendedStart run(options(c.login, true), QString::fromLatin1(c.password));
        run.begin();
        EXPECT_EQ(program().accessLevel, c.level) << c.login;
        EXPECT_EQ(messages.codes().contains(QString::fromLatin1(c.message ? c.message : "-")), c.message != nullptr)
            << c.login;
        EXPECT_FALSE(Form_Connection->isVisible()) << c.login;
        EXPECT_TRUE(Form_Login->isVisible()) << c.login;
        EXPECT_EQ(a.connectionCount(), 0) << c.login;
    }
}
