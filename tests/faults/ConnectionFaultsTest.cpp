// The fault matrix through the connection window: clusters made from the settings, brought on line and
// polled by the window. What the operator is shown is the grid row of each cluster, its connection
// check box and the lines of the message log; a link fault never brings up a dialog, and the cluster
// that behaves goes on as before.
//
// - A rack of the demonstration cluster that answers the permission request with another level.
// - A cluster (the fake cluster, for byte-level control) that sends a frame header whose length field
//   cannot describe a frame, next to a healthy rack of the demonstration cluster.

#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "fakes/ClusterFrames.h"
#include "fakes/FakeCluster.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/Framing.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include "DemoProcess.h"
#include "SessionTestSupport.h"
#include "WireClient.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace kalver {
namespace {

using demo::test::waitUntil;
namespace frames = test::frames;

constexpr int kStationsPerRack = 6;
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

class ConnectionFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        program().accessLevel = AccessOperator;
        journal::startNewFile(program().journalFilePath);
        observer.keepAlarms = true;
        ASSERT_TRUE(demo.start());
        control = std::make_unique<demo::test::ControlClient>(demo.controlPort());
    }

    void TearDown() override {
        if (window)
            window->stopSessionTimers();
        window.reset();
        clusters.clear();
        settings.reset();
        program().accessLevel = AccessNone;
    }

    // Settings with one cluster per port (all on 127.0.0.1) and the demonstration cluster's sync
    // server, then the connection window, shown to the operator: every cluster is opened and asked.
    void openWindow(const QList<quint16>& ports) {
        QList<test::ClusterAddress> addresses;
        for (quint16 port : ports)
            addresses.append({QStringLiteral("127.0.0.1"), test::portField(port)});
        settings = std::make_unique<test::TestSettings>(addresses, test::portField(demo.syncPort()));
        window = std::make_unique<TForm_Connection>(clusters, nullptr, QStringList());
        window->becomeActive();
    }

    // "К работе" with the session's timers stopped: the test runs the poll ticks itself.
    void enterWorkSession() {
        ASSERT_TRUE(window->tb_ToWork->isEnabled());
        window->tb_ToWork->click();
        EXPECT_EQ(windows.sessionsEntered, 1);
        window->stopSessionTimers();
    }

    // One poll tick, then the wait for a report of `cluster` (the tick cleared its report flag).
    bool tickAndWaitForReport(int cluster) {
        window->pollTick();
        return waitUntil([&] { return clusters.at(cluster).reportFlag; });
    }

    QString cell(int row, int column) const {
        const QTableWidgetItem* item = window->sg_Connection->item(row, column);
        return item ? item->text() : QString();
    }
    // "Связь", "Доступ", "В работе" of a cluster.
    QStringList state(int cluster) const { return {cell(cluster + 2, 2), cell(cluster + 2, 3), cell(cluster + 2, 4)}; }
    QCheckBox* box(int cluster) const { return session::connectionCheckBox(clusters.at(cluster)); }

    bool logged(const QString& text, bool bold, const QColor& colour) const {
        for (const test::LoggedLine& line : observer.lines)
            if (line.text == text && line.bold == bold && line.colour == colour)
                return true;
        return false;
    }

    bool anyHasAlarm(int cluster, link::TErrorType code) const {
        for (const link::TKlvStation& s : clusters.at(cluster).stations)
            if (s.alarms.contains(code))
                return true;
        return false;
    }

    void fault(int rack, const QString& command) {
        ASSERT_EQ(control->command(QStringLiteral("rack %1 ").arg(rack) + command).last(), QStringLiteral("ok"));
    }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    demo::test::DemoProcess demo;
    std::unique_ptr<demo::test::ControlClient> control;
    link::ClusterList clusters;
    test::RecordingObserver observer{clusters};
    test::RecordingSessionWindows windows;
    std::unique_ptr<test::TestSettings> settings;
    std::unique_ptr<TForm_Connection> window;
};

TEST_F(ConnectionFaultsTest, RefusedPermissionKeepsTheClusterOutOfWorkUntilItGrantsTheLevel) {
    fault(1, QStringLiteral("fault refuse-permission"));
    openWindow({demo.rackPort(1), demo.rackPort(2)});
    ASSERT_TRUE(waitUntil([this] { return !cell(2, 3).isEmpty() && !cell(3, 3).isEmpty(); }));

    EXPECT_EQ(state(0), (QStringList{"Есть", "Запрещен", ""}));
    EXPECT_TRUE(box(0)->isHidden());
    EXPECT_FALSE(box(0)->isChecked());
    EXPECT_TRUE(logged(QStringLiteral("Получен отказ на работу с Кластером 1"), false, kRed));
    EXPECT_FALSE(logged(QStringLiteral("Получено разрешение работы от Кластера 1"), false, kGreen));
    EXPECT_EQ(state(1), (QStringList{"Есть", "Разрешен", "Да"}));
    EXPECT_TRUE(box(1)->isChecked());

    // The session takes only the cluster that granted the level: the refusing one is never polled.
    enterWorkSession();
    ASSERT_TRUE(tickAndWaitForReport(1));
    EXPECT_EQ(clusters.at(1).stationCount(), kStationsPerRack);
    EXPECT_TRUE(clusters.at(0).pending.isEmpty());
    EXPECT_EQ(clusters.at(0).stationCount(), 0);
    EXPECT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();

    // The rack grants the level again: the refresh asks again and the cluster may join.
    fault(1, QStringLiteral("clear"));
    window->sp_UpdateServerState->click();
    ASSERT_TRUE(waitUntil([this] { return cell(2, 3) == QStringLiteral("Разрешен"); }));
    EXPECT_EQ(state(0), (QStringList{"Есть", "Разрешен", "Да"}));
    EXPECT_FALSE(box(0)->isHidden());
    EXPECT_TRUE(box(0)->isChecked());
    EXPECT_TRUE(logged(QStringLiteral("Получено разрешение работы от Кластера 1"), false, kGreen));
    EXPECT_TRUE(messages.shown().isEmpty());
}

// A frame header from cluster 1 whose length field no frame can have.
struct BrokenLength {
    const char* name;
    std::uint32_t lengthField;
};

TEST_F(ConnectionFaultsTest, LengthFieldsThatCannotBeFramesCloseOnlyThatConnection) {
    const BrokenLength cases[] = {
        {"zero", 0},
        {"two, below the 3 bytes every frame counts", 2},
        {"one byte beyond the frame limit", link::kMaxIncomingPayload + link::kIncomingLengthExcess + 1},
        {"the largest field", 0xFFFFFFFFu},
    };
    test::FakeCluster fake;
    fake.answer(1, frames::permissionAnswer(AccessOperator));
    fake.answer(2, frames::statusReport({frames::quietStation(11), frames::quietStation(12)}));
    openWindow({fake.port(), demo.rackPort(1)});
    ASSERT_TRUE(waitUntil([this] { return session::clusterInWork(clusters.at(0)) && session::clusterInWork(clusters.at(1)); }));
    enterWorkSession();
    ASSERT_TRUE(waitUntil([this] { return clusters.at(0).stationCount() == 2 && clusters.at(1).stationCount() == kStationsPerRack; }));

    for (const BrokenLength& c : cases) {
        SCOPED_TRACE(c.name);
        observer.lines.clear();
        const int connections = fake.connectionCount();
        // Only the header comes: a loop that trusted the field would wait for the payload forever.
        fake.send(frames::clusterFrame(102, {}, c.lengthField));
        ASSERT_TRUE(waitUntil([this] { return cell(2, 2) == QStringLiteral("Нет"); }));
        EXPECT_TRUE(logged(QStringLiteral("Ошибка обмена с Кластером 1 №%1").arg(link::kExchangeErrorCode), true, kRed));
        EXPECT_TRUE(logged(QStringLiteral("Отсоединение от Кластера 1"), true, kBlue));
        EXPECT_EQ(state(0), (QStringList{"Нет", "", ""}));
        EXPECT_TRUE(box(0)->isHidden());
        EXPECT_FALSE(clusters.at(0).clusterConnection()->isConnected());
        EXPECT_TRUE(fake.waitForClientGone());

        // The other cluster is not touched: still on line, in work, reporting, without alarm 9.
        EXPECT_EQ(state(1), (QStringList{"Есть", "Разрешен", "Да"}));
        ASSERT_TRUE(tickAndWaitForReport(1));
        ASSERT_TRUE(tickAndWaitForReport(1));
        EXPECT_EQ(clusters.at(1).stationCount(), kStationsPerRack);
        EXPECT_FALSE(anyHasAlarm(1, link::alarm::LostServer));
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.codes().join(u',').toStdString();

        // The operator's refresh brings cluster 1 back for the next case.
        window->sp_UpdateServerState->click();
        ASSERT_TRUE(waitUntil([&] { return fake.connectionCount() > connections && cell(2, 3) == QStringLiteral("Разрешен"); }));
        EXPECT_TRUE(box(0)->isChecked());
    }
}

} // namespace
} // namespace kalver
