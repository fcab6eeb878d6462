// The receive loop: complete frames only, several per read, split over reads, wrong magic and codes
// outside the table consumed, broken length fields close the connection without allocating, results
// stored, events processed between frames with the cluster looked up again.

#include "LinkFixture.h"

#include "core/ProgramValues.h"
#include "link/EventTurns.h"
#include "link/ReceiveLoop.h"

#include <QTest>
#include <chrono>
#include <optional>
#include <utility>
#include <QTimer>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

class ReceiveLoopTest : public LinkFixture {
protected:
    ReceiveLoopTest() {
        QObject::connect(&connection(), &ClientSocket::errorOccurred, [this](int& code) {
            errors.append(code);
            code = 0;
        });
    }
    ~ReceiveLoopTest() override { program().accessLevel = savedLevel; }

    QList<int> errors;
    int savedLevel = program().accessLevel;
};

const QByteArray kReportA = frames::statusReport({frames::quietStation(1)});
const QByteArray kReportB = frames::statusReport({frames::quietStation(2)});

} // namespace

TEST_F(ReceiveLoopTest, LengthThreeDispatchesAnEmptyPayload) {
    // A save result without its word: dispatched with payload length 0, which is a refusal (3).
    connection().feed(frames::clusterFrame(113, {}));
    EXPECT_EQ(rack().ackResult, ack::SizeMismatch);
    // A status report without blocks is a report all the same.
    connection().feed(frames::clusterFrame(102, {}));
    EXPECT_TRUE(rack().reportFlag);
    EXPECT_EQ(observer.tableRefreshes, 1);
    EXPECT_EQ(connection().inbox().pending(), 0);
}

TEST_F(ReceiveLoopTest, TwoFramesInOneReadAreBothDispatched) {
    connection().feed(kReportA + frames::saveResult(1));
    EXPECT_EQ(observer.tableRefreshes, 1);
    EXPECT_EQ(rack().ackResult, ack::Accepted);
    EXPECT_EQ(rack().stationCount(), 1);
}

TEST_F(ReceiveLoopTest, BurstTakesOneReadPerFrameAndHoldsOneFrameAndOneHeader) {
    // Each read takes the rest of a frame and the header of the next; the frames behind wait in the
    // socket, so the buffer never grows past its largest frame and one header.
    const QByteArray large = frames::statusReport({frames::quietStation(1), frames::quietStation(2)});
    const QByteArray burst = kReportA + large + kReportB + frames::saveResult(1);
    const int frameCount = 4;
    connection().feed(burst);
    EXPECT_EQ(observer.tableRefreshes, 3);
    EXPECT_EQ(rack().ackResult, ack::Accepted) << "the last frame is dispatched";
    EXPECT_EQ(rack().stationCount(), 1);
    EXPECT_EQ(rack().station(0).number(), 2);
    EXPECT_EQ(connection().readCount(), frameCount + 1) << "the first header is read alone";
    EXPECT_LE(connection().inbox().capacity(), large.size() + static_cast<qsizetype>(kFrameHeaderSize));
    EXPECT_EQ(connection().inbox().pending(), 0);
    EXPECT_EQ(connection().bytesWaiting(), 0);
}

TEST_F(ReceiveLoopTest, SplitFrameIsDispatchedOnceWhenComplete) {
    const QByteArray frame = kReportA;
    const QList<QList<int>> splits = {
        {1}, {11}, {12}, {13}, {static_cast<int>(frame.size()) - 1}, {2, 7, 12, 300}};
    for (const QList<int>& cuts : splits) {
        SCOPED_TRACE(testing::Message() << "cuts " << cuts.size() << " first " << cuts.first());
        observer.clear();
        int from = 0;
        for (int cut : cuts) {
            connection().feed(frame.mid(from, cut - from));
            from = cut;
            EXPECT_EQ(observer.tableRefreshes, 0);
        }
        connection().feed(frame.mid(from));
        EXPECT_EQ(observer.tableRefreshes, 1);
    }

    // One byte per read.
    observer.clear();
    for (char byte : frame + kReportB)
        connection().feed(QByteArray(1, byte));
    EXPECT_EQ(observer.tableRefreshes, 2);
    EXPECT_EQ(rack().station(0).number(), 2);
}

TEST_F(ReceiveLoopTest, WrongMagicAndCodesOutsideTheTableAreConsumed) {
    const QByteArray payload = frames::statusPayload({frames::quietStation(9)});
    const QByteArray ignored[] = {
        frames::clusterFrame(102, payload, std::nullopt, 0xAA55), // the client's own magic
        frames::clusterFrame(102, payload, std::nullopt, 0x1234),
        frames::clusterFrame(100, payload),
        frames::clusterFrame(123, payload),
        frames::clusterFrame(125, payload),
        frames::clusterFrame(99, payload),
        frames::clusterFrame(0xFFFFFFFFu, payload),
    };
    for (const QByteArray& frame : ignored) {
        rack().ackResult = ack::None;
        connection().feed(frame + frames::saveResult(1));
        EXPECT_EQ(observer.tableRefreshes, 0);
        EXPECT_EQ(rack().stationCount(), 0);
        EXPECT_EQ(rack().ackResult, ack::Accepted) << "the frame after it is read from its boundary";
    }
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(connection().closeCount(), 0);
}

TEST_F(ReceiveLoopTest, BrokenLengthClosesTheConnectionWithoutAllocating) {
    const std::uint32_t lengths[] = {0, 1, 2, kMaxIncomingPayload + 4, 0x7FFFFFFFu, 0xFFFFFFFFu};
    for (std::uint32_t length : lengths) {
        SCOPED_TRACE(length);
        errors.clear();
        connection().setConnected(true);
        const int closes = connection().closeCount();
        connection().feed(frames::clusterFrame(102, {}, length) + kReportA);
        EXPECT_EQ(errors, QList<int>({kExchangeErrorCode}));
        EXPECT_EQ(connection().closeCount(), closes + 1);
        EXPECT_FALSE(connection().isConnected());
        EXPECT_LE(connection().inbox().capacity(), 1024) << "nothing sized by the length field";
        EXPECT_EQ(observer.tableRefreshes, 0) << "the bytes behind a broken header are dropped";
    }
}

TEST_F(ReceiveLoopTest, LengthLimitIsInclusive) {
    // The largest payload the loop takes: 1 MiB of subsystem data (no grid rows: accepted).
    connection().feed(frames::clusterFrame(112, QByteArray(static_cast<qsizetype>(kMaxIncomingPayload), '\0')));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(rack().ackResult, ack::Accepted);
}

TEST_F(ReceiveLoopTest, AcknowledgementResultsByWireCode) {
    struct Case {
        QByteArray frame;
        std::int32_t result;
    };
    const QList<link::StatusBlock> blocks = {frames::quietStation(4)};
    const Case cases[] = {
        {frames::statusReport(blocks), ack::None},
        {frames::acknowledgement(3, blocks), ack::Accepted},
        {frames::acknowledgement(24, blocks), ack::Accepted},
        {frames::catalogueChunk(4, 2, 0, "ab"), ack::Accepted},
        {frames::refusal(105), ack::Refused},
        {frames::refusal(112), ack::Refused},
        {frames::saveResult(1), ack::Accepted},
        {frames::saveResult(0), ack::SizeMismatch},
        {frames::notice(0, QStringLiteral("x")), ack::None},
        {frames::permissionAnswer(1), ack::None},
    };
    for (const Case& c : cases) {
        rack().ackResult = ack::None;
        connection().feed(c.frame);
        EXPECT_EQ(rack().ackResult, c.result) << "wire code " << static_cast<int>(c.frame[8]);
    }
}

TEST_F(ReceiveLoopTest, PermissionAnswerGoesToTheInstalledHandler) {
    QList<QPair<int, QByteArray>> answers;
    list.setPermissionHandler([&](int c, QByteArrayView payload) { answers.append({c, payload.toByteArray()}); });
    connection().feed(frames::permissionAnswer(2));
    ASSERT_EQ(answers.size(), 1);
    EXPECT_EQ(answers[0].first, cluster);
    EXPECT_EQ(answers[0].second, QByteArray::fromHex("02000000"));
}

TEST_F(ReceiveLoopTest, ClusterDestroyedBetweenFramesEndsTheLoop) {
    // The first report's table refresh posts the destruction; the loop processes it between frames.
    struct Destroyer : RecordingObserver {
        using RecordingObserver::RecordingObserver;
        void refreshTable() override {
            RecordingObserver::refreshTable();
            QTimer::singleShot(0, [this] { list->destroyLast(); });
        }
        ClusterList* list = nullptr;
    } destroyer(list);
    destroyer.list = &list;
    connection().feed(kReportA + kReportB + kReportA);
    EXPECT_EQ(destroyer.tableRefreshes, 1);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ReceiveLoopTest, EventsRunBetweenFramesOnceTheIntervalHasPassed) {
    // The first notice's handler posts an event and works on for longer than the interval (a wait on
    // the clock: that time has to pass); the loop lets the event run before the second notice.
    program().accessLevel = AccessOperator;
    struct Slow : RecordingObserver {
        using RecordingObserver::RecordingObserver;
        void showClusterNotice(int cluster, const QString& title, const QString& text) override {
            RecordingObserver::showClusterNotice(cluster, title, text);
            postedRanBefore.append(posted);
            if (notices.size() == 1) {
                QTimer::singleShot(0, [this] { posted = true; });
                const auto until = std::chrono::steady_clock::now() + std::chrono::nanoseconds(EventTurns::kIntervalNs);
                while (std::chrono::steady_clock::now() < until) {
                }
            }
        }
        bool posted = false;
        QList<bool> postedRanBefore;
    } slow(list);
    connection().feed(frames::notice(1, QStringLiteral("A")) + frames::notice(1, QStringLiteral("B")));
    EXPECT_EQ(slow.postedRanBefore, QList<bool>({false, true}));
}

TEST_F(ReceiveLoopTest, BytesArrivingDuringDispatchAreTakenInOrder) {
    program().accessLevel = AccessOperator;
    bool fed = false;
    observer.onStationCreated = [&](int, int) {
        if (fed)
            return;
        fed = true;
        // New bytes and their data-readable event arrive while the loop is inside the report handler.
        QTimer::singleShot(0, [this] { connection().feed(frames::notice(1, QStringLiteral("C"))); });
    };
    connection().feed(kReportA + frames::notice(1, QStringLiteral("B")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return observer.notices.size() == 2; }, 10000));
    EXPECT_EQ(observer.notices[0].text, QStringLiteral("B"));
    EXPECT_EQ(observer.notices[1].text, QStringLiteral("C"));
}

TEST_F(ReceiveLoopTest, WaitNestedInTheLoopTakesItsAcknowledgement) {
    // A wait (an operation of the station data window, a box that a handler opens) starts while the
    // loop processes events: inside a handler, or between two frames. The cluster's answer arrives
    // during the wait; the frames behind the one being dispatched are taken once each, in order.
    program().accessLevel = AccessOperator;
    setWaitStepMs(25);
    struct Case {
        const char* where;
        QByteArray first; // the frame whose dispatch, or the gap after it, runs the wait
    };
    const Case cases[] = {
        {"inside the handler of a report that creates a station", kReportA},
        {"between frames", frames::saveResult(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        list.at(cluster).stations.clear();
        observer.clear();
        std::optional<bool> accepted;
        const auto wait = [&] {
            accepted = waitForAcknowledgement(list, cluster, [this] {
                // The cluster's answer comes in while the wait runs.
                QTimer::singleShot(0, [this] { connection().feed(frames::acknowledgement(3, {frames::quietStation(7)})); });
            });
        };
        if (c.first == kReportA)
            observer.onStationCreated = [&](int, int) { QTimer::singleShot(0, wait); };
        else
            QTimer::singleShot(0, wait); // runs at the loop's first processing of events
        connection().feed(c.first + frames::notice(1, QStringLiteral("B")));
        observer.onStationCreated = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return accepted.has_value(); }, 20000));
        EXPECT_TRUE(*accepted) << "the wait ends as accepted, not with a time-out";
        EXPECT_EQ(rack().ackResult, ack::Accepted);
        ASSERT_EQ(observer.notices.size(), 1) << "the frame behind is dispatched once";
        EXPECT_EQ(observer.notices[0].text, QStringLiteral("B"));
        EXPECT_EQ(rack().findStation(7), rack().stationCount() - 1) << "the answer's report is merged";
        EXPECT_EQ(connection().inbox().pending(), 0);
        EXPECT_EQ(connection().bytesWaiting(), 0);
    }
    setWaitStepMs(kWaitStepMs);
}

TEST_F(ReceiveLoopTest, ReportKeepsItsBytesWhileARunNestedInItReads) {
    // The report being merged stays intact while a run nested in its handler reads the next frames:
    // one that fits where the report lies (it must not be written over it) and one larger than
    // anything the buffer held (new memory; the report's must stay alive).
    program().accessLevel = AccessOperator;
    QList<StatusBlock> blocks;
    for (int n = 1; n <= 3; ++n)
        blocks.append(frames::quietStation(n).setChargeLevel(60 + n));
    const QByteArray report = frames::statusReport(blocks);
    for (const qsizetype payload : {report.size() - 100, qsizetype(64 * 1024)}) {
        SCOPED_TRACE(payload);
        list.at(cluster).stations.clear();
        observer.clear();
        const QByteArray next = frames::clusterFrame(112, QByteArray(payload, '\0')) + frames::notice(1, QStringLiteral("N"));
        bool fed = false;
        observer.onStationCreated = [&](int, int) {
            if (std::exchange(fed, true))
                return;
            QTimer::singleShot(0, [&] { connection().feed(next); });
        };
        connection().feed(report);
        observer.onStationCreated = nullptr;
        ASSERT_EQ(observer.notices.size(), 1);
        ASSERT_EQ(rack().stationCount(), 3);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(rack().station(s).status, blocks[s]) << "station " << s + 1;
    }
}

TEST_F(ReceiveLoopTest, SocketOfNoRecordIsIgnored) {
    MemoryClientSocket stray;
    stray.feed(kReportA, false);
    runReceiveLoop(list, &stray);
    EXPECT_EQ(stray.bytesWaiting(), kReportA.size());
    EXPECT_EQ(observer.tableRefreshes, 0);
}
