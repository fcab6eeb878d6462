// The program's windows together, created in their order as the program creates them, over two fake
// clusters: log-in, the connection window, "К работе", the work window, the end of the session back at
// the log-in window, and the program's end; and the same session entered with "-mnemo" in the mnemonic
// diagram.

#include "SessionTestSupport.h"

#include "app/Program.h"
#include "config/Journal.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "fakes/FakeCluster.h"
#include "link/ClusterList.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "stationdata/Unit_StationData.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"
#include "work/Unit_Work.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kalver;
using test::FakeCluster;
namespace frames = test::frames;

namespace {

class WindowFlow : public ::testing::Test {
protected:
    WindowFlow() : m_oldLevel(program().accessLevel), m_oldMnemo(program().mnemonicMode) {
        journal::startNewFile(program().journalFilePath);
        users::writeFile(folder.file("users.dat"), {{"oper", "op", 1, {}}, {"dev", "dev", 3, {}}});
        QList<test::ClusterAddress> addresses;
        for (FakeCluster* fake : {&a, &b}) {
            addresses.append({QStringLiteral("127.0.0.1"), test::portField(fake->port())});
            fake->answer(2, frames::statusReport({frames::quietStation(fake == &a ? 11 : 21)}));
        }
        // The settings window of the program reads this file.
        test::TestSettings written(addresses, QStringLiteral("13001"));
        TForm_Connection::setCommandLinePauseMs(0);
    }
    ~WindowFlow() override {
        program().accessLevel = m_oldLevel;
        program().mnemonicMode = m_oldMnemo;
        TForm_Connection::setCommandLinePauseMs(1000);
    }

    void grantPermission(int level) {
        for (FakeCluster* fake : {&a, &b})
            fake->answer(1, frames::permissionAnswer(level));
    }
    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }
    bool bothInWork() const {
        link::ClusterList& list = link::clusters();
        return list.count() == 2 && session::clusterInWork(list.at(0)) && session::clusterInWork(list.at(1));
    }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    FakeCluster a, b;

private:
    int m_oldLevel;
    bool m_oldMnemo;
};

TEST_F(WindowFlow, SessionFromLogInToWorkAndBack) {
    grantPermission(AccessOperator);
    app::Program windows{QStringList()};
    ASSERT_FALSE(windows.startupFailed());
    ASSERT_TRUE(Form_Login && Form_Work && Form_Connection);
    EXPECT_TRUE(Form_Login->isVisible());
    EXPECT_FALSE(Form_Connection->isVisible());

    // A developer sees the subsystems page of the station data window; an operator does not. The
    // charge curves page shows to both (its chart is empty below level 3).
    QTabWidget* pages = stationdata::Form_StationData->pc_ControlMode;
    const int chargePage = pages->indexOf(stationdata::Form_StationData->ts_ChargeData);
    const int subsystemsPage = pages->indexOf(stationdata::Form_StationData->ts_StationParam);
    Form_Login->lbl_UserName->setText(QStringLiteral("dev"));
    Form_Login->lbl_Password->setText(QStringLiteral("dev"));
    Form_Login->sb_Autorize->click();
    EXPECT_TRUE(pages->isTabVisible(subsystemsPage));
    EXPECT_TRUE(pages->isTabVisible(chargePage));
    Form_Login->lbl_UserName->setText(QStringLiteral("oper"));
    Form_Login->lbl_Password->setText(QStringLiteral("op"));
    Form_Login->sb_Autorize->click();
    EXPECT_FALSE(pages->isTabVisible(subsystemsPage));
    EXPECT_TRUE(pages->isTabVisible(chargePage));
    Form_Login->sb_ShowWork->click();
    EXPECT_FALSE(program().mnemonicMode);
    EXPECT_FALSE(Form_Login->isVisible());
    EXPECT_TRUE(Form_Connection->isVisible());
    ASSERT_TRUE(waitFor([&] { return bothInWork(); }));

    Form_Connection->tb_ToWork->click();
    EXPECT_TRUE(Form_Work->isVisible());
    EXPECT_FALSE(Form_Connection->isVisible());
    EXPECT_TRUE(Form_Work->sessionActive());
    EXPECT_TRUE(Form_Connection->Timer_NotCriticalMsgs->isActive());
    EXPECT_TRUE(Form_Connection->Timer_SynchroQuant->isActive());
    ASSERT_NE(Form_Work->rackView(0), nullptr);
    ASSERT_NE(Form_Work->rackView(1), nullptr);
    ASSERT_TRUE(waitFor([&] { return link::clusters().at(1).stationCount() == 1; }));

    // Closing the work window ends the session: back at the log-in window.
    Form_Work->close();
    EXPECT_TRUE(Form_Login->isVisible());
    EXPECT_FALSE(Form_Connection->isVisible());
    EXPECT_FALSE(Form_Work->isVisible());
    EXPECT_EQ(Form_Work->rackView(0), nullptr);
    EXPECT_FALSE(Form_Connection->Timer_NotCriticalMsgs->isActive());
    EXPECT_FALSE(Form_Connection->Timer_SynchroQuant->isActive());

    // A second session opens nothing twice: the clusters are only asked again.
    const int requests = int(a.framesWithCode(1).size());
    Form_Login->sb_ShowWork->click();
    ASSERT_TRUE(waitFor([&] { return a.framesWithCode(1).size() > requests; }));
    EXPECT_EQ(a.connectionCount(), 1);
    Form_Connection->close();
    EXPECT_TRUE(Form_Login->isVisible());

    // Closing the log-in window ends the program.
    QSignalSpy ended(Form_Login, &TForm_Login::programEnded);
    Form_Login->close();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(link::clusters().count(), 0);
    EXPECT_TRUE(a.waitForClientGone());
}

TEST_F(WindowFlow, MnemoCommandLineGoesStraightToTheMnemonicDiagram) {
    grantPermission(AccessMnemo);
    app::Program windows{QStringList{"KalverClient", "-mnemo"}};
    ASSERT_TRUE(Form_Login && Form_Connection && Form_Mnemo);
    EXPECT_EQ(program().accessLevel, AccessMnemo);
    EXPECT_TRUE(program().mnemonicMode);
    EXPECT_FALSE(Form_Login->isVisible());
    EXPECT_TRUE(Form_Connection->isVisible());
    EXPECT_TRUE(Form_Connection->TimerMnemoProceed->isActive());
    ASSERT_TRUE(waitFor([&] { return bothInWork(); }));

    // The countdown's fifteen ticks, without waiting for them.
    Form_Connection->TimerMnemoProceed->stop();
    for (int tick = 0; tick < TForm_Connection::kMnemoCountdownSeconds; ++tick)
        Form_Connection->mnemoCountdownTick();
    EXPECT_TRUE(Form_Mnemo->isVisible());
    EXPECT_FALSE(Form_Work->isVisible());
    EXPECT_FALSE(Form_Connection->isVisible());
    EXPECT_EQ(Form_Mnemo->panelCount(), 2);

    // Closing the mnemonic diagram ends the session as the work window's close does.
    Form_Mnemo->close();
    EXPECT_TRUE(Form_Login->isVisible());
    EXPECT_FALSE(Form_Connection->isVisible());
    EXPECT_FALSE(Form_Mnemo->isVisible());
    EXPECT_EQ(Form_Work->rackView(0), nullptr);
    EXPECT_FALSE(Form_Connection->Timer_NotCriticalMsgs->isActive());
    // The rack panels go once the event loop has let them.
    EXPECT_TRUE(waitFor([&] { return Form_Mnemo->panelCount() == 0; }));
}

} // namespace
