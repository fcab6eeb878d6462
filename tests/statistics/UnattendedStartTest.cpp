// The unattended run (--login, --work, --quit-after) on the program's own windows over two fake
// clusters: it logs in through the log-in window's check, enters the work session once both clusters
// granted permission, and ends the program; a wrong password or a level without the connection window
// leads nowhere.

#include "session/SessionTestSupport.h"

#include "app/Program.h"
#include "app/UnattendedStart.h"
#include "config/Journal.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "fakes/FakeCluster.h"
#include "link/ClusterList.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"
#include "work/Unit_Work.h"

#include <QSignalSpy>
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
