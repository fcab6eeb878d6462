// Merging status reports: the alarm conditions as one table, new and departed stations, duplicate
// numbers, an empty report, and the charge-trend records written at access level 3.

#include "LinkFixture.h"

#include "core/ProgramValues.h"
#include "link/ChargeTrend.h"
#include "link/StatusReport.h"
#include "support/ScratchFolder.h"

#include <QFile>
#include <QTimer>

#include <cstring>
#include <vector>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

using Change = std::function<void(StatusBlock&)>;

struct AlarmCase {
    const char* name;
    Change before;
    Change after;
    QList<TErrorType> alarms;
};

StatusBlock quiet(Change change) {
    StatusBlock b = frames::quietStation(10);
    if (change)
        change(b);
    return b;
}

Change registering(std::int32_t time, std::int64_t samples) {
    return [=](StatusBlock& b) { b.setRegistrationState(1).setStationTime(time).setSamplesRecorded(samples); };
}
Change tuning(std::uint8_t state) {
    return [=](StatusBlock& b) { b.setGeneratorState(state); };
}
Change charge(std::int32_t level, bool charging) {
    return [=](StatusBlock& b) { b.setChargeLevel(level).setCharging(charging); };
}
Change errors(std::uint32_t interfaceBits, std::uint32_t recorderBits) {
    return [=](StatusBlock& b) { b.setInterfaceErrors(interfaceBits).setRecorderErrors(recorderBits); };
}

class StatusReportTest : public LinkFixture {
protected:
    ~StatusReportTest() override { program().accessLevel = savedLevel; program().mnemonicMode = savedMnemonic; }
    int savedLevel = program().accessLevel;
    bool savedMnemonic = program().mnemonicMode;
};

} // namespace

namespace {
// The alarm conditions, each as a block before and after and the codes raised, in their order.
const std::vector<AlarmCase>& alarmCases() {
    static const std::vector<AlarmCase> cases = {
        {"nothing changes", {}, {}, {}},
        {"registering, time advances, samples stand", registering(100, 5000), registering(105, 5000), {5}},
        {"registering, same time twice", registering(100, 5000), registering(100, 5000), {}},
        {"registering, samples advance", registering(100, 5000), registering(105, 5500), {}},
        {"samples: high half changes", registering(100, 0x100000000LL), registering(105, 0x200000000LL), {}},
        {"registration started only now", {}, registering(105, 0), {}},
        {"registration state 2 is not running", [](StatusBlock& b) { b.setRegistrationState(2).setStationTime(1); },
         [](StatusBlock& b) { b.setRegistrationState(2).setStationTime(2); }, {}},
        {"not charging at 99 %", {}, charge(99, false), {2}},
        {"not charging at 100 %", {}, charge(100, false), {}},
        {"charging at 20 %", {}, charge(20, true), {}},
        {"charge unknown, not charging", {}, charge(-1, false), {2}},
        {"tuning 2 -> 0xA0", tuning(2), tuning(0xA0), {3}},
        {"tuning 2 -> 3", tuning(2), tuning(3), {3}},
        {"tuning 1 -> 0xA0", tuning(1), tuning(0xA0), {}},
        {"tuning 2 -> 0x80", tuning(2), tuning(0x80), {4}},
        {"tuning 2 -> 0x70", tuning(2), tuning(0x70), {4}},
        {"tuning 0x80 -> 0x80", tuning(0x80), tuning(0x80), {}},
        {"interface bit 9", {}, errors(0x200, 0), {8}},
        {"interface bit 15", {}, errors(0x8000, 0), {8}},
        {"interface bit 0", {}, errors(0x1, 0), {7}},
        {"recorder 1 and interface 1", {}, errors(0x1, 0x1), {8}},
        {"recorder only", {}, errors(0, 0x80000000u), {8}},
        {"all at once, in order",
         [](StatusBlock& b) { registering(100, 7)(b); tuning(2)(b); },
         [](StatusBlock& b) { registering(101, 7)(b); charge(50, false)(b); tuning(0xA0)(b); errors(0x3, 0)(b); },
         {5, 2, 3, 7}},
        {"5, 2, 4, 8",
         [](StatusBlock& b) { registering(100, 7)(b); tuning(2)(b); },
         [](StatusBlock& b) { registering(101, 7)(b); charge(0, false)(b); tuning(0x70)(b); errors(0, 4)(b); },
         {5, 2, 4, 8}},
    };
    return cases;
}
} // namespace

TEST(StatusAlarms, ConditionsInTheirOrder) {
    for (const AlarmCase& c : alarmCases())
        EXPECT_EQ(statusAlarms(quiet(c.before), quiet(c.after)), c.alarms) << c.name;
}

// The report handler checks the received bytes of each block, not the record it fills: the same
// conditions through two merged reports raise the same codes on the station.
TEST_F(StatusReportTest, MergedReportsRaiseTheConditionsInTheirOrder) {
    for (const AlarmCase& c : alarmCases()) {
        report({quiet(c.before)});
        observer.alarms.clear();
        report({quiet(c.after)});
        QList<TErrorType> raised;
        for (const RaisedAlarm& a : observer.alarms) {
            EXPECT_EQ(a.cluster, cluster) << c.name;
            EXPECT_EQ(a.station, 0) << c.name;
            EXPECT_TRUE(a.journal) << c.name;
            raised.append(a.code);
        }
        EXPECT_EQ(raised, c.alarms) << c.name;
        EXPECT_EQ(rack().station(0).status, quiet(c.after)) << c.name;
    }
}

TEST_F(StatusReportTest, AlarmsAreRaisedWithTheJournalFlagForKnownStationsOnly) {
    StatusBlock first = quiet(charge(40, false));
    report({first});
    EXPECT_TRUE(observer.alarms.isEmpty()) << "a new station raises no alarm";
    report({first});
    EXPECT_EQ(observer.alarms, QList<RaisedAlarm>({{cluster, 0, 2, true}}));
}

TEST_F(StatusReportTest, NewStationsAreLoggedOnceAndDepartedOnesRemoved) {
    report({frames::quietStation(5), frames::quietStation(3)});
    EXPECT_EQ(observer.logTexts(), QStringList({QStringLiteral("Обнаружена Станция 5, Кластер 1"),
                                                QStringLiteral("Обнаружена Станция 3, Кластер 1")}));
    EXPECT_FALSE(observer.lines[0].bold);
    EXPECT_EQ(observer.lines[0].colour, QColor(Qt::black));
    EXPECT_EQ(observer.created, (QList<QPair<int, int>>{{0, 0}, {0, 1}}));
    EXPECT_EQ(observer.layouts, QList<int>({0}));
    EXPECT_EQ(observer.detailFills, (QList<QPair<int, int>>{{0, 0}, {0, 1}}));
    EXPECT_EQ(observer.tableRefreshes, 1);
    EXPECT_TRUE(rack().reportFlag);

    // The same stations again: nothing new, no layout.
    observer.clear();
    report({frames::quietStation(3), frames::quietStation(5)});
    EXPECT_TRUE(observer.lines.isEmpty());
    EXPECT_TRUE(observer.layouts.isEmpty());
    EXPECT_EQ(observer.detailFills, (QList<QPair<int, int>>{{0, 1}, {0, 0}}));
    EXPECT_EQ(rack().station(0).number(), 5) << "stations keep the order of their first appearance";

    // Station 5 leaves, 8 arrives.
    observer.clear();
    report({frames::quietStation(3), frames::quietStation(8)});
    EXPECT_EQ(observer.logTexts(), QStringList({QStringLiteral("Обнаружена Станция 8, Кластер 1"),
                                                QStringLiteral("Отсоединена Станция 5, Кластер 1")}));
    EXPECT_EQ(observer.removed, (QList<QPair<int, int>>{{0, 0}}));
    ASSERT_EQ(rack().stationCount(), 2);
    EXPECT_EQ(rack().station(0).number(), 3);
    EXPECT_EQ(rack().station(1).number(), 8);
    EXPECT_EQ(observer.layouts, QList<int>({0}));
}

TEST_F(StatusReportTest, EmptyReportRemovesEveryStationFromTheLast) {
    const int second = addCluster();
    report({frames::quietStation(1), frames::quietStation(2), frames::quietStation(3)}, second);
    observer.clear();
    report({}, second);
    EXPECT_EQ(rack(second).stationCount(), 0);
    EXPECT_EQ(observer.logTexts(), QStringList({QStringLiteral("Отсоединена Станция 3, Кластер 2"),
                                                QStringLiteral("Отсоединена Станция 2, Кластер 2"),
                                                QStringLiteral("Отсоединена Станция 1, Кластер 2")}));
    EXPECT_EQ(observer.layouts, QList<int>({second}));
}

TEST_F(StatusReportTest, SecondBlockOfTheSameNumberWins) {
    report({frames::quietStation(4)});
    observer.clear();
    StatusBlock a = frames::quietStation(4);
    a.setFreeMemory(11);
    StatusBlock b = frames::quietStation(4);
    b.setFreeMemory(22);
    report({a, b});
    ASSERT_EQ(rack().stationCount(), 1);
    EXPECT_EQ(rack().station(0).status.freeMemory(), 22);
    EXPECT_EQ(observer.detailFills.size(), 2);

    // Two blocks of a number not yet there: one station, created once.
    observer.clear();
    StatusBlock c = frames::quietStation(6);
    c.setFreeMemory(33);
    report({frames::quietStation(4), frames::quietStation(6), c});
    EXPECT_EQ(observer.created.size(), 1);
    ASSERT_EQ(rack().stationCount(), 2);
    EXPECT_EQ(rack().station(1).status.freeMemory(), 33);
}

TEST_F(StatusReportTest, PartialBlockIsIgnoredAndMnemonicModeSkipsTheTable) {
    program().mnemonicMode = true;
    QByteArray payload = frames::statusPayload({frames::quietStation(1)}) + QByteArray(455, '\x01');
    ClusterRef ref(list, cluster);
    handleStatusReport(ref, payload);
    EXPECT_EQ(rack().stationCount(), 1);
    EXPECT_EQ(observer.tableRefreshes, 0);
}

TEST_F(StatusReportTest, ChargeTrendRecordsAtLevelThreeOnChange) {
    ScratchFolder folder;
    observer.chargeFolder = folder.path();
    const QString file = folder.file(QStringLiteral("7.crg"));
    auto records = [&] {
        const QByteArray bytes = folder.read(QStringLiteral("7.crg"));
        QList<double> charges;
        for (qsizetype at = 0; at + 16 <= bytes.size(); at += 16) {
            double v;
            std::memcpy(&v, bytes.constData() + at + 8, 8);
            charges.append(v);
        }
        return std::make_pair(bytes.size(), charges);
    };

    program().accessLevel = AccessAdmin;
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(50); })});
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(60); })});
    EXPECT_FALSE(QFile::exists(file)) << "below level 3 nothing is written";

    program().accessLevel = AccessDeveloper;
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(60); })});
    EXPECT_FALSE(QFile::exists(file)) << "no change, no record";
    const TDateTime before = TDateTime::nowLocal();
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(61); })});
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(-1); })});
    report({quiet([](StatusBlock& b) { b.setNumber(7).setChargeLevel(-1); })});
    const TDateTime after = TDateTime::nowLocal();

    const auto [size, charges] = records();
    EXPECT_EQ(size, 32);
    EXPECT_EQ(charges, QList<double>({61.0, -1.0}));
    double stamp;
    std::memcpy(&stamp, folder.read(QStringLiteral("7.crg")).constData(), 8);
    EXPECT_GE(stamp, before.days() - 1e-9);
    EXPECT_LE(stamp, after.days() + 1e-9);
}

TEST_F(StatusReportTest, UnwritableChargeTrendFileIsSkipped) {
    program().accessLevel = AccessDeveloper;
    observer.chargeFolder = QStringLiteral("/nonexistent-folder/for/charge/");
    report({frames::quietStation(1), frames::quietStation(2)});
    StatusBlock one = frames::quietStation(1);
    one.setChargeLevel(40);
    StatusBlock two = frames::quietStation(2);
    two.setFreeMemory(5);
    report({one, two, frames::quietStation(3)});
    ASSERT_EQ(rack().stationCount(), 3) << "the rest of the report is processed";
    EXPECT_EQ(rack().station(0).status.chargeLevel(), 40);
    EXPECT_EQ(rack().station(1).status.freeMemory(), 5);
    EXPECT_EQ(observer.tableRefreshes, 2);
}

TEST_F(StatusReportTest, ClusterDestroyedWhileANewStationIsCreated) {
    // Creating a station processes pending events; a cluster destroyed meanwhile ends the report.
    observer.onStationCreated = [this](int, int) {
        QTimer::singleShot(0, [this] { list.destroyLast(); });
    };
    report({frames::quietStation(1), frames::quietStation(2)});
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(observer.created.size(), 1);
    EXPECT_EQ(observer.tableRefreshes, 0);
}

TEST(ChargeTrend, RecordLayoutAndPath) {
    EXPECT_EQ(chargeTrendPath(QStringLiteral("/data/charge/"), 12), QStringLiteral("/data/charge/12.crg"));
    const QByteArray record = chargeTrendRecord(TDateTime(45000.5), 87.0);
    ASSERT_EQ(record.size(), 16);
    double day, level;
    std::memcpy(&day, record.constData(), 8);
    std::memcpy(&level, record.constData() + 8, 8);
    EXPECT_EQ(day, 45000.5);
    EXPECT_EQ(level, 87.0);
}
