#include "app/BusyMeter.h"
#include "app/ResidentMemory.h"
#include "app/StartOptions.h"
#include "app/StatisticsLine.h"
#include "app/StatisticsLog.h"
#include "app/TrafficTally.h"
#include "core/ProgramValues.h"
#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "link/TrafficCounter.h"
#include "session/PollTick.h"
#include "support/ScratchFolder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>

using namespace kalver;
using namespace kalver::app;
using kalver::test::MemoryClientSocket;
namespace frames = kalver::test::frames;

namespace {

// Installs a tally for one test.
class InstalledTally {
public:
    InstalledTally() { link::setTrafficCounter(&tally); }
    ~InstalledTally() { link::setTrafficCounter(nullptr); }
    TrafficTally tally;
};

// Clusters in work over in-memory sockets, polled by the session's own poll tick.
class PolledClusters : public ::testing::Test {
protected:
    PolledClusters() : observer(list) {
        for (int p = 0; p < 3; ++p) {
            auto connection = std::make_unique<MemoryClientSocket>();
            connections.append(connection.get());
            list.append(std::make_unique<link::TKlvRack>(std::move(connection), std::make_unique<MemoryClientSocket>()));
            auto* box = new QCheckBox;
            box->setChecked(true);
            list.at(p).connectionCheckBox = box;
            // The status poll, kept as a periodic message, beside a one-shot message of another code.
            link::SendServerMessage(list, p, false, link::kStatusPollCode, false);
            link::SendServerMessage(list, p, false, 5, true);
        }
    }

    link::ClusterList list;
    test::RecordingObserver observer;
    QList<MemoryClientSocket*> connections;
    InstalledTally counter;
};

} // namespace

TEST_F(PolledClusters, TallyCountsPollsSentAndReportsMergedPerCluster) {
    qobject_cast<QCheckBox*>(list.at(2).connectionCheckBox.data())->setChecked(false); // not in work

    session::runPollTick(list);
    // Cluster 1 answers with a status report, cluster 2 (not in work) with one too; the permission
    // answer of cluster 1 is no status report.
    connections[0]->feed(frames::statusReport({frames::quietStation(11)}), false);
    connections[1]->feed(frames::permissionAnswer(1) + frames::acknowledgement(3, {frames::quietStation(21)}), false);
    session::runPollTick(list);
    connections[0]->feed(frames::statusReport({frames::quietStation(11)}), false);
    session::runPollTick(list);

    const TrafficTally& t = counter.tally;
    EXPECT_EQ(t.polls(0), 3);
    EXPECT_EQ(t.polls(1), 3);
    EXPECT_EQ(t.polls(2), 0);
    EXPECT_EQ(t.merged(0), 2);
    EXPECT_EQ(t.merged(1), 1) << "an acknowledgement carries a status report; a permission answer does not";
    EXPECT_EQ(t.merged(2), 0);

    const TrafficSummary s = t.summary();
    EXPECT_EQ(s.clusters, 2) << "cluster 3 was never polled nor merged";
    EXPECT_EQ(s.pollsTotal, 6);
    EXPECT_EQ(s.pollsMin, 3);
    EXPECT_EQ(s.pollsMax, 3);
    EXPECT_EQ(s.mergedTotal, 3);
    EXPECT_EQ(s.mergedMin, 1);
    EXPECT_EQ(s.mergedMax, 2);
    EXPECT_EQ(s.unansweredMax, 2);
    EXPECT_EQ(s.unansweredCluster, 2);

    // Every poll counted was really written: three status polls (and the one one-shot) per cluster.
    const QList<test::ClientFrame> written = test::readClientFrames(connections[0]->written());
    const auto polls = std::count_if(written.cbegin(), written.cend(),
                                     [](const test::ClientFrame& f) { return f.code() == link::kStatusPollCode; });
    EXPECT_EQ(polls, 3);
}

TEST_F(PolledClusters, NothingIsCountedWithoutACounter) {
    link::setTrafficCounter(nullptr);
    connections[0]->feed(frames::statusReport({frames::quietStation(11)}), false);
    session::runPollTick(list);
    EXPECT_EQ(counter.tally.summary().pollsTotal, 0);
    EXPECT_EQ(counter.tally.summary().mergedTotal, 0);
    EXPECT_EQ(list.at(0).stationCount(), 1) << "the report was merged all the same";
}

TEST(TrafficTally, IgnoresPositionsOutsideTheBoundAndSummarisesNothingAsZeros) {
    TrafficTally tally;
    EXPECT_EQ(tally.summary().clusters, 0);
    EXPECT_EQ(tally.summary().pollsMin, 0);
    tally.pollSent(-1);
    tally.reportMerged(TrafficTally::kMaxClusters);
    EXPECT_EQ(tally.summary().clusters, 0);
    tally.reportMerged(4);
    const TrafficSummary s = tally.summary();
    EXPECT_EQ(s.clusters, 5);
    EXPECT_EQ(s.mergedMax, 1);
    EXPECT_EQ(s.unansweredMax, 0) << "a report without a poll is no unanswered poll";
    EXPECT_EQ(s.unansweredCluster, 0);
}

TEST(ResidentMemory, ParsesTheVmRssLine) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> kb;
    };
    const Case cases[] = {
        {"Name:\tKalverClient\nVmPeak:\t  300 kB\nVmRSS:\t  183220 kB\nRssAnon:\t 1 kB\n", 183220},
        {"VmRSS: 5 kB", 5},
        {"VmRSS:\t0 kB\n", 0},
        {"Name:\tx\nVmHWM:\t 9 kB\n", std::nullopt},              // no VmRSS line
        {"XVmRSS:\t 7 kB\n", std::nullopt},                        // not at the start of a line
        {"XVmRSS:\t 7 kB\nVmRSS:\t 8 kB\n", 8},                    // the real one follows
        {"VmRSS:\t kB\n", std::nullopt},                           // no number
        {"VmRSS:\t 12 MB\n", std::nullopt},                        // another unit
        {"VmRSS:\t 12", std::nullopt},                             // cut short
        {"VmRSS:\t 9999999999999999999999 kB\n", std::nullopt},    // absurdly long
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseResidentKb(QByteArrayView(c.text)), c.kb) << c.text;

    const std::optional<std::int64_t> own = residentKb();
    ASSERT_TRUE(own.has_value());
    EXPECT_GT(*own, 0);
}

TEST(BusyMeter, SharesTheTimeBetweenAwakeAndAboutToBlock) {
    std::int64_t now = 1000;
    BusyMeter meter([&now] { return now; });
    // Busy from the start for 10, blocked 30, busy 20, blocked 40: 30 of 100.
    now += 10;
    meter.aboutToBlock();
    now += 30;
    meter.awake();
    now += 20;
    meter.aboutToBlock();
    meter.aboutToBlock(); // repeated signals change nothing
    now += 40;
    EXPECT_DOUBLE_EQ(meter.takeShare(), 0.3);

    // Awake across the end of an interval: the part before it counts there, the rest in the next.
    now += 50;
    meter.awake();
    now += 25;
    meter.awake();
    now += 25;
    EXPECT_DOUBLE_EQ(meter.takeShare(), 0.5);
    now += 60;
    meter.aboutToBlock();
    now += 40;
    EXPECT_DOUBLE_EQ(meter.takeShare(), 0.6);

    EXPECT_DOUBLE_EQ(meter.takeShare(), 0.0) << "an empty interval";
}

TEST(BusyMeter, KeepsTheLongestStretchPerIntervalAndSinceTheStart) {
    std::int64_t now = 0;
    std::int64_t cpu = 0;
    std::int64_t waited = 0;
    BusyMeter meter([&now] { return now; }, [&cpu] { return cpu; }, [&waited] { return waited; });
    auto busy = [&](std::int64_t wall, std::int64_t used) {
        meter.awake();
        now += wall;
        cpu += used;
        waited += (wall - used) / 2; // half of the rest without a processor
        meter.aboutToBlock();
        now += 100; // blocked
    };
    meter.aboutToBlock(); // the constructor's stretch: nothing
    busy(30, 30);
    busy(80, 10); // long, but mostly not running
    busy(50, 50);
    BusyMeter::Stretch s = meter.takeLongest();
    EXPECT_EQ(s.wallNs, 80);
    EXPECT_EQ(s.cpuNs, 10);
    EXPECT_EQ(s.waitNs, 35);

    // Many short stretches whose sum is larger do not make a long one.
    for (int i = 0; i < 10; ++i)
        busy(20, 20);
    s = meter.takeLongest();
    EXPECT_EQ(s.wallNs, 20);
    EXPECT_EQ(meter.longestSinceStart().wallNs, 80);

    // A stretch still running at the end of an interval counts up to then, and whole (from its start)
    // in the next interval when it ends there.
    meter.awake();
    now += 60;
    cpu += 60;
    s = meter.takeLongest();
    EXPECT_EQ(s.wallNs, 60);
    now += 90;
    cpu += 90;
    meter.aboutToBlock();
    s = meter.takeLongest();
    EXPECT_EQ(s.wallNs, 150);
    EXPECT_EQ(s.cpuNs, 150);
    EXPECT_EQ(meter.longestSinceStart().wallNs, 150);

    now += 500; // blocked throughout
    EXPECT_EQ(meter.takeLongest().wallNs, 0) << "an interval without work has no stall";
    EXPECT_EQ(meter.longestSinceStart().wallNs, 150);
}

TEST(BusyMeter, EachEventDeliveredFromTheLoopStartsAStretchOfItsOwn) {
    std::int64_t now = 0;
    BusyMeter meter([&now] { return now; }, [] { return std::int64_t{0}; }, [] { return std::int64_t{0}; });
    meter.aboutToBlock();
    now += 100;
    // A steady stream of events keeps the loop from waiting for 1000, but no event takes over 40.
    meter.deliveryStarting(); // wakes the thread
    for (const int length : {10, 40, 25, 5, 30, 20})
    {
        now += length;
        meter.deliveryStarting();
    }
    now += 15;
    EXPECT_EQ(meter.takeLongest().wallNs, 40) << "the running delivery is 15 so far";
    now += 60;
    meter.aboutToBlock();
    EXPECT_EQ(meter.takeLongest().wallNs, 75) << "the last delivery, from its start to the block";
    EXPECT_DOUBLE_EQ(meter.takeShare(), 1.0 * (130 + 15 + 60) / (100 + 130 + 15 + 60));
}

// The watch of the start of a session: only what lies after its start counts, a stretch running when it
// starts from that moment on, and the intervals of the statistics log do not reset it.
TEST(BusyMeter, WatchKeepsTheLongestStretchFromItsStartAcrossIntervals) {
    std::int64_t now = 0;
    BusyMeter meter([&now] { return now; }, [] { return std::int64_t{0}; }, [] { return std::int64_t{0}; });
    now += 500; // the program's launch (busy from the meter's construction), before the watch
    meter.startWatch();
    now += 40; // the launch's stretch goes on for 40 inside the watch
    meter.aboutToBlock();
    EXPECT_EQ(meter.watchedLongest().wallNs, 40);
    EXPECT_EQ(meter.longestSinceStart().wallNs, 540);

    now += 100;
    meter.awake();
    now += 70;
    meter.deliveryStarting();
    EXPECT_EQ(meter.takeLongest().wallNs, 540) << "the interval still holds the launch";
    now += 20;
    meter.aboutToBlock();
    EXPECT_EQ(meter.watchedLongest().wallNs, 70);

    meter.awake();
    now += 90; // still running
    EXPECT_EQ(meter.watchedLongest().wallNs, 90) << "the running stretch, up to now";
    EXPECT_EQ(meter.takeLongest().wallNs, 90);
    EXPECT_EQ(meter.watchedLongest().wallNs, 90);
}

TEST(BusyMeter, AnEventDeliveredAfterTheBlockEndsIt) {
    std::int64_t now = 0;
    BusyMeter meter([&now] { return now; });
    QObject target;
    meter.attach(nullptr, QCoreApplication::instance());
    now += 10;
    meter.aboutToBlock();
    now += 70;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event); // a timer or socket event, say
    now += 20;
    EXPECT_DOUBLE_EQ(meter.takeShare(), 0.3);
}

TEST(StatisticsLine, WritesEveryFieldInOrder) {
    StatisticsSample sample;
    sample.time = QDateTime(QDate(2026, 12, 10), QTime(5, 0, 10), Qt::UTC);
    sample.uptimeMs = 70'400;
    sample.intervalMs = 9'960;
    sample.traffic = {100, 1300, 13, 13, 1299, 12, 13, 1, 42};
    sample.busyShare = 0.1234;
    sample.cpuShare = 0.0951;
    sample.stallNs = 14'249'000;
    sample.stallCpuNs = 2'000'000;
    sample.stallWaitNs = 11'960'000;
    sample.stallMaxNs = 412'000'000;
    sample.residentKb = 183220;
    EXPECT_EQ(statisticsLine(sample),
              QStringLiteral("time=2026-12-10T05:00:10Z uptime_s=70 clusters=100 polls_total=1300 polls_min=13 "
                             "polls_max=13 merged_total=1299 merged_min=12 merged_max=13 unanswered_max=1 "
                             "unanswered_cluster=42 interval_s=10.0 busy_pct=12.3 cpu_pct=9.5 stall_ms=14.2 stall_cpu_ms=2.0 "
                             "stall_wait_ms=12.0 stall_max_ms=412.0 rss_kb=183220"));
    sample.residentKb.reset();
    EXPECT_TRUE(statisticsLine(sample).endsWith(QStringLiteral(" rss_kb=-")));
}

TEST(StatisticsLog, AppendsALineAtTheStartOnRequestAndAtTheEnd) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("statistics.log"));
    {
        StatisticsLog log(path, 3600);
        EXPECT_EQ(link::trafficCounter(), &log.tally());
        link::countPollSent(0);
        link::countPollSent(1);
        link::countReportMerged(0);
        log.appendLine();
        link::countReportMerged(1);
    }
    EXPECT_EQ(link::trafficCounter(), nullptr) << "the counter leaves with the log";

    const QList<QByteArray> lines = folder.read(QStringLiteral("statistics.log")).split('\n');
    ASSERT_EQ(lines.size(), 4) << "three whole lines";
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_TRUE(lines[0].contains(" polls_total=0 ")) << lines[0].constData();
    EXPECT_TRUE(lines[1].contains(" polls_total=2 ") && lines[1].contains(" merged_total=1 ") &&
                lines[1].contains(" unanswered_max=1 unanswered_cluster=2 "))
        << lines[1].constData();
    EXPECT_TRUE(lines[2].contains(" merged_total=2 ") && lines[2].contains(" unanswered_max=0 "))
        << lines[2].constData();
    for (const QByteArray& line : lines.first(3)) {
        EXPECT_TRUE(line.startsWith("time=")) << line.constData();
        EXPECT_FALSE(line.endsWith("rss_kb=-")) << "resident memory is read on Linux";
    }
}

TEST(StartOptions, TakesItsOptionsOutOfTheCommandLine) {
    const StartOptions o = parseStartOptions({QStringLiteral("KalverClient"), QStringLiteral("--statistics"),
                                              QStringLiteral("/tmp/s.log"), QStringLiteral("-mnemo"),
                                              QStringLiteral("--statistics-interval"), QStringLiteral("5"),
                                              QStringLiteral("-1"), QStringLiteral("--login"),
                                              QStringLiteral("operator"), QStringLiteral("--work"),
                                              QStringLiteral("--quit-after"), QStringLiteral("600"),
                                              QStringLiteral("--charge-files"), QStringLiteral("delete"),
                                              QStringLiteral("-3")});
    EXPECT_TRUE(o.error.isEmpty()) << qPrintable(o.error);
    EXPECT_EQ(o.statisticsFile, QStringLiteral("/tmp/s.log"));
    EXPECT_EQ(o.statisticsIntervalSeconds, 5);
    EXPECT_EQ(o.login, QStringLiteral("operator"));
    EXPECT_TRUE(o.work);
    EXPECT_EQ(o.quitAfterSeconds, 600);
    EXPECT_TRUE(o.deleteChargeFiles);
    EXPECT_EQ(o.remainingCommandLine, QStringLiteral("KalverClient -mnemo -1 -3"));

    const StartOptions plain = parseStartOptions({QStringLiteral("KalverClient")});
    EXPECT_TRUE(plain.error.isEmpty());
    EXPECT_TRUE(plain.statisticsFile.isEmpty());
    EXPECT_EQ(plain.statisticsIntervalSeconds, StatisticsLog::kDefaultIntervalSeconds);
    EXPECT_FALSE(plain.login || plain.work || plain.quitAfterSeconds);
    EXPECT_FALSE(plain.deleteChargeFiles) << "the charge-trend files are kept unless told";
}

TEST(StartOptions, RefusesWhatItCannotUse) {
    const QStringList bad[] = {
        {QStringLiteral("c"), QStringLiteral("--statistics")},
        {QStringLiteral("c"), QStringLiteral("--quit-after"), QStringLiteral("soon")},
        {QStringLiteral("c"), QStringLiteral("--quit-after"), QStringLiteral("0")},
        {QStringLiteral("c"), QStringLiteral("--statistics"), QStringLiteral("f"), QStringLiteral("--statistics-interval"),
         QStringLiteral("-5")},
        {QStringLiteral("c"), QStringLiteral("--statistics-interval"), QStringLiteral("5")},
        {QStringLiteral("c"), QStringLiteral("--work")},
        {QStringLiteral("c"), QStringLiteral("--charge-files"), QStringLiteral("yes")},
        {QStringLiteral("c"), QStringLiteral("--program-folder")},
        {QStringLiteral("c"), QStringLiteral("--program-folder"), QString()},
    };
    for (const QStringList& arguments : bad)
        EXPECT_FALSE(parseStartOptions(arguments).error.isEmpty()) << qPrintable(arguments.join(u' '));
}

// The installed program's launcher passes the shared folder: the program's files and the settings'
// relative folders are taken from there, not from the executable's folder or the folder it was started in.
TEST(StartOptions, ProgramFolderBecomesTheFolderOfItsFilesAndTheCurrentFolder) {
    const test::ScratchFolder scratch;
    const QString started = QDir::currentPath();
    const QString shared = scratch.path() + QStringLiteral("shared");
    ASSERT_TRUE(QDir().mkpath(shared));

    StartOptions o = parseStartOptions({QStringLiteral("/opt/kalver-client/KalverClient"),
                                        QStringLiteral("--program-folder"), shared,
                                        QStringLiteral("--statistics"), QStringLiteral("s.log"),
                                        QStringLiteral("-mnemo")});
    ASSERT_TRUE(o.error.isEmpty()) << qPrintable(o.error);
    EXPECT_EQ(o.programFolder, shared);
    EXPECT_EQ(o.remainingCommandLine, QStringLiteral("/opt/kalver-client/KalverClient -mnemo"));

    EXPECT_EQ(useProgramFolder(o), QString());
    EXPECT_EQ(program().programFolder, shared + u'/');
    EXPECT_EQ(program().journalFilePath, shared + QStringLiteral("/arch.res"));
    EXPECT_EQ(QDir::currentPath(), QFileInfo(shared).canonicalFilePath());
    EXPECT_EQ(o.statisticsFile, started + QStringLiteral("/s.log")) << "relative to where the program was started";
    ASSERT_TRUE(QDir::setCurrent(started));

    // A folder that is not there changes nothing.
    StartOptions missing = parseStartOptions({QStringLiteral("c"), QStringLiteral("--program-folder"),
                                              shared + QStringLiteral("/absent")});
    const QString before = program().programFolder;
    EXPECT_FALSE(useProgramFolder(missing).isEmpty());
    EXPECT_EQ(program().programFolder, before);
    EXPECT_EQ(QDir::currentPath(), started);

    // Without the option the executable's folder stays.
    StartOptions plain = parseStartOptions({QStringLiteral("c")});
    EXPECT_EQ(useProgramFolder(plain), QString());
    EXPECT_EQ(program().programFolder, before);
}
