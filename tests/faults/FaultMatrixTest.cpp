// The fault matrix: the client's link, poll tick and sync link against the real demonstration cluster
// with its fault switches set over the control socket, rack 1 misbehaving and rack 2 healthy. Each row
// checks what the operator is shown (alarms on the tiles, the sync label), that the healthy rack goes
// on unaffected, and that no message box comes up for a link fault.

#include "core/ByteWriter.h"
#include "core/ProgramValues.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "session/PollTick.h"
#include "session/SyncLabel.h"
#include "session/SyncLink.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include "DemoProcess.h"
#include "SessionTestSupport.h"
#include "WireClient.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <memory>

namespace kalver {
namespace {

using demo::test::waitUntil;

constexpr int kStationsPerRack = 6;

class FaultMatrixTest : public ::testing::Test {
protected:
    void SetUp() override {
        program().accessLevel = AccessOperator;
        ASSERT_TRUE(demo.start());
        control = std::make_unique<demo::test::ControlClient>(demo.controlPort());
        observer.keepAlarms = true;
        for (int rack = 1; rack <= 2; ++rack) {
            const int c = list.create(QStringLiteral("127.0.0.1"), demo.rackPort(rack), demo.syncPort());
            auto* box = new QCheckBox;
            box->setChecked(true);
            list.at(c).connectionCheckBox = box;
            list.at(c).clusterConnection()->open();
            list.at(c).syncConnection()->open();
        }
        ASSERT_TRUE(waitUntil([this] {
            return list.at(0).clusterConnection()->isConnected() && list.at(1).clusterConnection()->isConnected() &&
                   list.at(0).syncConnection()->isConnected() && list.at(1).syncConnection()->isConnected();
        }));
        for (int c = 0; c < 2; ++c) {
            link::SendServerMessage(list, c, true, 1, true, ByteWriter().putI32(AccessOperator).take());
            // The status poll, kept and written at every poll tick.
            link::SendServerMessage(list, c, false, 2, false);
        }
        ASSERT_TRUE(tickUntil([this] { return stations(0) == kStationsPerRack && stations(1) == kStationsPerRack; }));
    }

    void TearDown() override {
        list.clear();
        program().accessLevel = AccessNone;
    }

    int stations(int c) { return c < list.count() ? static_cast<int>(list.at(c).stations.size()) : -1; }

    // Poll ticks, each followed by the wait for both racks' answers (or a short while), until `done`.
    bool tickUntil(const std::function<bool()>& done) {
        return waitUntil([&] {
            session::runPollTick(list);
            return waitUntil(done, 300);
        }, 20000);
    }

    // One poll tick whose answer from the healthy rack 2 is awaited: rack 1 had the same chance.
    bool tickAndWaitForRack2() {
        session::runPollTick(list);
        return waitUntil([this] { return list.at(1).reportFlag; });
    }

    bool allHaveAlarm(int c, link::TErrorType code) {
        for (const link::TKlvStation& s : list.at(c).stations)
            if (!s.alarms.contains(code))
                return false;
        return !list.at(c).stations.empty();
    }
    bool noneHasAlarm(int c, link::TErrorType code) {
        for (const link::TKlvStation& s : list.at(c).stations)
            if (s.alarms.contains(code))
                return false;
        return true;
    }

    void fault(const QString& command) { ASSERT_EQ(control->command(QStringLiteral("rack 1 ") + command).last(), QStringLiteral("ok")); }

    test::ScratchFolder folder;
    test::MessageRecorder messages;
    demo::test::DemoProcess demo;
    std::unique_ptr<demo::test::ControlClient> control;
    link::ClusterList list;
    test::RecordingObserver observer{list};
};

TEST_F(FaultMatrixTest, SilentRackShowsAlarm9OnItsTilesUntilItsReportsResume) {
    ASSERT_TRUE(tickAndWaitForRack2());
    fault(QStringLiteral("fault silent"));
    ASSERT_TRUE(tickAndWaitForRack2()); // the tick that clears the report flags
    ASSERT_TRUE(tickAndWaitForRack2()); // rack 1 sent nothing since
    session::runPollTick(list);
    EXPECT_TRUE(allHaveAlarm(0, 9));
    EXPECT_TRUE(noneHasAlarm(1, 9));
    EXPECT_EQ(stations(0), kStationsPerRack) << "a silent rack keeps its stations";

    fault(QStringLiteral("clear"));
    ASSERT_TRUE(tickUntil([this] { return list.at(0).reportFlag; }));
    session::runPollTick(list);
    EXPECT_TRUE(noneHasAlarm(0, 9));
    EXPECT_TRUE(messages.shown().isEmpty());
}

// Every frame of rack 1 broken in one way; what becomes of its connection.
struct Malformed {
    const char* value;
    bool closesConnection;
};

TEST_F(FaultMatrixTest, MalformedFramesAffectOnlyTheirRack) {
    const Malformed cases[] = {
        {"short", true},  // length field 2, below the 3 every frame counts: the stream is rejected
        {"magic", false}, // the client's own magic: every frame dropped
        {"code", false},  // wire code 199: every frame ignored
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.value);
        if (!list.at(0).clusterConnection()->isConnected()) {
            list.at(0).clusterConnection()->open();
            ASSERT_TRUE(waitUntil([this] { return list.at(0).clusterConnection()->isConnected(); }));
        }
        fault(QStringLiteral("fault malformed=") + QLatin1String(c.value));
        ASSERT_TRUE(tickAndWaitForRack2());
        ASSERT_TRUE(tickAndWaitForRack2());
        ASSERT_TRUE(tickAndWaitForRack2());
        EXPECT_FALSE(list.at(0).reportFlag) << "no broken frame counts as a report";
        EXPECT_EQ(!list.at(0).clusterConnection()->isConnected(), c.closesConnection);
        EXPECT_EQ(stations(1), kStationsPerRack);
        session::runPollTick(list);
        EXPECT_TRUE(allHaveAlarm(0, 9));
        fault(QStringLiteral("fault malformed=off"));
        if (list.at(0).clusterConnection()->isConnected()) {
            ASSERT_TRUE(tickUntil([this] { return list.at(0).reportFlag; }));
        }
    }
    EXPECT_TRUE(messages.shown().isEmpty()) << "link faults are logged, never shown as dialogs";
}

TEST_F(FaultMatrixTest, ResetInTheMiddleOfTheExchangeDropsOnlyThatConnection) {
    fault(QStringLiteral("fault reset-after=2"));
    ASSERT_TRUE(waitUntil([this] {
        session::runPollTick(list);
        return waitUntil([this] { return !list.at(0).clusterConnection()->isConnected(); }, 300);
    }, 20000));
    ASSERT_TRUE(tickAndWaitForRack2());
    EXPECT_EQ(stations(1), kStationsPerRack);
    EXPECT_TRUE(messages.shown().isEmpty());

    // Reopened, the rack reports again.
    fault(QStringLiteral("clear"));
    list.at(0).clusterConnection()->open();
    ASSERT_TRUE(waitUntil([this] { return list.at(0).clusterConnection()->isConnected(); }));
    EXPECT_TRUE(tickUntil([this] { return list.at(0).reportFlag; }));
}

// The sync label of rack 1 for the sync server's answers.
struct SyncCase {
    const char* fault;
    const char16_t* label;
};

TEST_F(FaultMatrixTest, SyncServerFaultsShowInTheSyncLabel) {
    test::RecordingSessionWindows windows;
    session::SyncLink sync(list);
    sync.attach(0);
    sync.attach(1);
    const SyncCase cases[] = {
        {"fault sync-error", session::sync_label::kLinkError},
        {"clear", nullptr}, // a time: the label shows it
        {"fault sync-unknown", session::sync_label::kTimeUnknown},
        {"clear", nullptr},
    };
    for (const SyncCase& c : cases) {
        SCOPED_TRACE(c.fault);
        fault(QString::fromLatin1(c.fault));
        windows.syncLabels.clear();
        ASSERT_TRUE(waitUntil([&] {
            sync.tick();
            return waitUntil([&] { return windows.syncLabels.contains(0) && windows.syncLabels[0] != QString::fromUtf16(session::sync_label::kNotConnected); }, 300);
        }, 20000));
        if (c.label) {
            EXPECT_EQ(windows.syncLabels[0], QString::fromUtf16(c.label));
        } else {
            EXPECT_TRUE(windows.syncLabels[0].contains(QLatin1Char(':'))) << qPrintable(windows.syncLabels[0]);
        }
    }
    EXPECT_TRUE(messages.shown().isEmpty());
}

} // namespace
} // namespace kalver
