// The real demonstration cluster, started on free loopback ports and spoken to over the wire.

#include "DemoProcess.h"
#include "WireClient.h"

#include "config/SettingsFile.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "demo/DemoLock.h"
#include "demo/Frame.h"
#include "demo/SyncProtocol.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::demo;
using namespace kalver::demo::test;

namespace {

constexpr int kStations = 6;
const QString kTypeKey = QStringLiteral("0032352020376D71");

struct Block {
    qint32 number;
    int charge;
    qint64 samples;
    int registration;
    int files;
    bool downloading;
    quint8 tuning;
};

QList<Block> blocks(const QByteArray& report) {
    QList<Block> result;
    for (qsizetype at = 0; at + 456 <= report.size(); at += 456) {
        const char* b = report.constData() + at;
        result.append({loadLE<qint32>(b, 16), loadLE<qint32>(b, 20), loadLE<qint64>(b, 40), static_cast<qint8>(b[409]),
                       loadLE<qint32>(b, 52), b[410] != 0, static_cast<quint8>(b[376])});
    }
    return result;
}

std::optional<Block> find(const QList<Block>& list, qint32 number) {
    for (const Block& b : list)
        if (b.number == number)
            return b;
    return std::nullopt;
}

QByteArray stationList(const QList<qint32>& stations) {
    ByteWriter w;
    for (qint32 n : stations)
        w.putI32(n);
    return w.take();
}

QByteArray startBody(const QList<qint32>& stations, qint32 begin = -1) {
    QByteArray body(108, '\0');
    storeLE<qint32>(body.data(), 0, static_cast<qint32>(stations.size()));
    storeLE<quint32>(body.data(), 4, 500);
    for (int j = 0; j < 4; ++j)
        body[8 + 5 * j] = 1;
    storeLE<qint32>(body.data(), 92, begin);
    storeLE<qint32>(body.data(), 96, -1);
    return body + stationList(stations);
}

QByteArray subsystemRequest(qint32 station, const QString& file, const QByteArray& values = {}) {
    const QString key = kTypeKey + u'\\' + file;
    ByteWriter w;
    w.putI32(station).putU32(2).putU32(static_cast<quint32>(key.size()));
    for (QChar c : key)
        w.putU16(c.unicode());
    return w.take() + values;
}

class DemoProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.start()) << demo.lines().join('\n').toStdString();
        ASSERT_NE(demo.rackPort(1), 0);
        ASSERT_NE(demo.rackPort(2), 0);
        ASSERT_NE(demo.controlPort(), 0);
        control = std::make_unique<ControlClient>(demo.controlPort());
    }

    // The rack's report as a fresh poll gives it.
    QList<Block> poll(WireClient& client) {
        client.send(2);
        const std::optional<AnswerFrame> frame = client.next(102);
        return frame ? blocks(frame->payload) : QList<Block>();
    }

    // Frames rack 1 has taken so far, as its status line tells.
    qint64 framesTaken() {
        static const QRegularExpression frames(QStringLiteral(" frames (\\d+) "));
        return frames.match(control->info("rack 1 status").value(0)).captured(1).toLongLong();
    }

    DemoProcess demo;
    std::unique_ptr<ControlClient> control;
};

} // namespace

TEST_F(DemoProgramTest, PermissionIsGrantedAtTheLevelAskedForUnlessRefused) {
    WireClient client(demo.rackPort(1));
    for (qint32 level : {0, 3}) {
        client.send(1, stationList({level}));
        const std::optional<AnswerFrame> answer = client.next(101);
        ASSERT_TRUE(answer);
        ASSERT_GE(answer->payload.size(), 4);
        EXPECT_EQ(loadLE<qint32>(answer->payload.constData(), 0), level);
    }
    ASSERT_EQ(control->command("rack 1 fault refuse-permission on"), QStringList{"ok"});
    client.send(1, stationList({3}));
    const std::optional<AnswerFrame> refused = client.next(101);
    ASSERT_TRUE(refused);
    EXPECT_NE(loadLE<qint32>(refused->payload.constData(), 0), 3);
}

TEST_F(DemoProgramTest, PollIsAnsweredWithTheConfiguredNumberOfBlocksOfDistinctStations) {
    QSet<qint32> numbers;
    for (int rack : {1, 2}) {
        WireClient client(demo.rackPort(rack));
        client.send(2);
        const std::optional<AnswerFrame> report = client.next();
        ASSERT_TRUE(report);
        EXPECT_EQ(report->magic, 0x55AA);
        EXPECT_EQ(report->wireCode, 102u);
        EXPECT_EQ(report->length, static_cast<quint32>(kStations * 456 + 3)) << "the length counts 3 bytes more";
        ASSERT_EQ(report->payload.size(), kStations * 456);
        for (const Block& b : blocks(report->payload)) {
            numbers.insert(b.number);
            EXPECT_GE(b.charge, 0);
            EXPECT_LE(b.charge, 100);
        }
    }
    EXPECT_EQ(numbers.size(), 2 * kStations) << "station numbers are distinct across the container";
}

TEST_F(DemoProgramTest, StartIsAcknowledgedAndRegistrationShowsInLaterReports) {
    WireClient client(demo.rackPort(1));
    const QList<Block> before = poll(client);
    ASSERT_EQ(before.size(), kStations);
    const qint32 now = before.first().number;
    const qint32 deferred = before.last().number;
    for (qint32 n : {now, deferred})
        ASSERT_EQ(control->command(QStringLiteral("set %1 charge 80").arg(n)), QStringList{"ok"});

    client.send(3, startBody({now}));
    const std::optional<AnswerFrame> ack = client.next();
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->wireCode, 103u);
    ASSERT_EQ(ack->payload.size(), kStations * 456) << "the acknowledgement carries the status report";
    EXPECT_EQ(find(blocks(ack->payload), now)->registration, 1);
    EXPECT_EQ(find(blocks(ack->payload), now)->files, find(before, now)->files + 1);

    const qint32 begin = static_cast<qint32>(QDateTime::currentSecsSinceEpoch() + 4);
    client.send(3, startBody({deferred}, begin));
    const std::optional<AnswerFrame> deferredAck = client.next(103);
    ASSERT_TRUE(deferredAck);
    EXPECT_EQ(find(blocks(deferredAck->payload), deferred)->registration, 2) << "deferred until its begin time";

    const qint64 samplesAtStart = find(blocks(ack->payload), now)->samples;
    QElapsedTimer pace; // a poll every 100 ms, as a retrying check would
    pace.start();
    EXPECT_TRUE(waitUntil([&] {
        if (pace.elapsed() < 100)
            return false;
        pace.restart();
        const QList<Block> report = poll(client);
        const std::optional<Block> a = find(report, now);
        const std::optional<Block> b = find(report, deferred);
        return a && b && a->registration == 1 && a->samples > samplesAtStart && b->registration == 1;
    }, 20000)) << "samples grow and the deferred registration begins";

    client.send(4, stationList({now, deferred}));
    const std::optional<AnswerFrame> stopAck = client.next(104);
    ASSERT_TRUE(stopAck);
    EXPECT_EQ(find(blocks(stopAck->payload), now)->registration, 0);
    EXPECT_EQ(find(blocks(stopAck->payload), deferred)->registration, 0);
}

TEST_F(DemoProgramTest, CatalogueChunksReassembleIntoWholeEntries) {
    WireClient client(demo.rackPort(1));
    const QList<Block> stations = poll(client);
    ASSERT_FALSE(stations.isEmpty());
    // Three recordings give every station at least three files: more than one chunk holds.
    for (int round = 0; round < 3; ++round) {
        QList<qint32> all;
        for (const Block& b : stations) {
            all.append(b.number);
            control->command(QStringLiteral("set %1 charge 80").arg(b.number));
        }
        client.send(3, startBody(all));
        ASSERT_TRUE(client.next(103));
        client.send(4, stationList(all));
        ASSERT_TRUE(client.next(104));
    }
    const QList<Block> withFiles = poll(client);

    for (const char* order : {"off", "on"}) {
        control->command(QStringLiteral("rack 1 fault shuffle-chunks %1").arg(order));
        for (const Block& station : withFiles) {
            SCOPED_TRACE(QStringLiteral("station %1, shuffled %2").arg(station.number).arg(order).toStdString());
            client.send(5, stationList({station.number}));
            const std::optional<AnswerFrame> first = client.next(105);
            ASSERT_TRUE(first);
            ASSERT_GE(first->payload.size(), 12);
            const quint32 count = loadLE<quint32>(first->payload.constData(), 4);
            ASSERT_GE(count, 1u);
            QMap<quint32, QByteArray> chunks;
            chunks.insert(loadLE<quint32>(first->payload.constData(), 8), first->payload.mid(12));
            while (chunks.size() < static_cast<qsizetype>(count)) {
                const std::optional<AnswerFrame> chunk = client.next(105);
                ASSERT_TRUE(chunk);
                EXPECT_EQ(loadLE<qint32>(chunk->payload.constData(), 0), station.number);
                EXPECT_EQ(loadLE<quint32>(chunk->payload.constData(), 4), count);
                chunks.insert(loadLE<quint32>(chunk->payload.constData(), 8), chunk->payload.mid(12));
            }
            EXPECT_EQ(chunks.lastKey(), count - 1);
            QByteArray catalogue;
            for (const QByteArray& data : chunks)
                catalogue += data;
            ASSERT_EQ(catalogue.size() % 256, 0);
            EXPECT_GE(catalogue.size() / 256, station.files);
            EXPECT_GE(station.files, 3);
            EXPECT_GE(count, 2u) << "several chunks";
        }
    }
}

TEST_F(DemoProgramTest, SyncServerAnswersWithTheTimeItsErrorFlagAndMinusOneWhileTuning) {
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    std::optional<QByteArray> answer = askSyncServer(demo.syncPort());
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->size(), 24);
    const qint32 seconds = loadLE<qint32>(answer->constData(), 16);
    EXPECT_GE(seconds, before - 1);
    EXPECT_LE(seconds, QDateTime::currentSecsSinceEpoch() + 1);
    EXPECT_EQ(answer->at(11), 0);

    WireClient client(demo.rackPort(2));
    const qint32 station = poll(client).first().number;
    ASSERT_EQ(control->command(QStringLiteral("set %1 tuning-state 2").arg(station)), QStringList{"ok"});
    answer = askSyncServer(demo.syncPort());
    ASSERT_TRUE(answer);
    EXPECT_EQ(loadLE<qint32>(answer->constData(), 16), -1) << "a station of a rack behind it tunes its generator";
    client.send(22, stationList({station}));
    ASSERT_TRUE(client.next(122));
    answer = askSyncServer(demo.syncPort());
    EXPECT_NE(loadLE<qint32>(answer->constData(), 16), -1);

    ASSERT_EQ(control->command("rack 2 fault sync-error on"), QStringList{"ok"});
    answer = askSyncServer(demo.syncPort());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->at(11), 1);

    ASSERT_EQ(control->command("clear"), QStringList{"ok"});
    ASSERT_EQ(control->command("rack 1 fault sync-unknown on"), QStringList{"ok"});
    answer = askSyncServer(demo.syncPort());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->at(11), 0);
    EXPECT_EQ(loadLE<qint32>(answer->constData(), 16), -1);
}

TEST_F(DemoProgramTest, SilentRackSendsNothing) {
    WireClient client(demo.rackPort(1));
    ASSERT_EQ(control->command("rack 1 fault silent on"), QStringList{"ok"});
    const qint64 taken = framesTaken();
    client.send(1, stationList({3}));
    ASSERT_TRUE(waitUntil([&] { return framesTaken() > taken; })) << "the rack took the request";
    ASSERT_EQ(control->command("rack 1 fault silent off"), QStringList{"ok"});
    client.send(2);
    const std::optional<AnswerFrame> first = client.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->wireCode, 102u) << "the permission request asked while silent was never answered";
}

TEST_F(DemoProgramTest, SlowAcknowledgementsArriveAfterLaterAnswers) {
    WireClient client(demo.rackPort(1));
    const qint32 station = poll(client).first().number;
    ASSERT_EQ(control->command("rack 1 fault slow-ack 2"), QStringList{"ok"});
    QElapsedTimer timer;
    timer.start();
    client.send(4, stationList({station}));
    client.send(2);
    const std::optional<AnswerFrame> first = client.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->wireCode, 102u) << "the poll is answered at once";
    const std::optional<AnswerFrame> second = client.next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->wireCode, 104u);
    EXPECT_GE(timer.elapsed(), 1500);
}

TEST_F(DemoProgramTest, RefusalsOfCatalogueAndSubsystemRequests) {
    WireClient client(demo.rackPort(1));
    const qint32 station = poll(client).first().number;
    control->command("rack 1 fault refuse-catalogue on");
    control->command("rack 1 fault refuse-subsystem on");

    client.send(5, stationList({station}));
    std::optional<AnswerFrame> answer = client.next(105);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, QByteArray(1, '\xFF'));
    client.send(12, subsystemRequest(station, QStringLiteral("питания.sub")));
    answer = client.next(112);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, QByteArray(1, '\xFF'));
    client.send(13, subsystemRequest(station, QStringLiteral("питания.sub"), QByteArray(5, '\0')));
    answer = client.next(113);
    ASSERT_TRUE(answer);
    EXPECT_EQ(loadLE<qint32>(answer->payload.constData(), 0), 0);
}

TEST_F(DemoProgramTest, SubsystemValuesAreReadAndWrittenOverTheWire) {
    WireClient client(demo.rackPort(1));
    const Block station = poll(client).first();
    client.send(12, subsystemRequest(station.number, QStringLiteral("питания.sub")));
    std::optional<AnswerFrame> answer = client.next(112);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->payload.size(), 28);
    EXPECT_NEAR(loadLE<qint32>(answer->payload.constData(), 0), station.charge, 1);

    QByteArray entry(1, '\x01');
    entry += ByteWriter().put<float>(6.5f).take();
    client.send(13, subsystemRequest(station.number, QStringLiteral("питания.sub"), entry));
    answer = client.next(113);
    ASSERT_TRUE(answer);
    EXPECT_EQ(loadLE<qint32>(answer->payload.constData(), 0), 1);
    client.send(12, subsystemRequest(station.number, QStringLiteral("питания.sub")));
    answer = client.next(112);
    ASSERT_TRUE(answer);
    EXPECT_FLOAT_EQ(loadLE<float>(answer->payload.constData(), 16), 6.5f);
}

TEST_F(DemoProgramTest, StubbornStationsAreAcknowledgedButDoNotFollow) {
    WireClient client(demo.rackPort(1));
    const QList<Block> report = poll(client);
    const qint32 stubborn = report[0].number;
    const qint32 willing = report[1].number;
    for (qint32 n : {stubborn, willing})
        control->command(QStringLiteral("set %1 charge 80").arg(n));
    ASSERT_EQ(control->command(QStringLiteral("rack 1 fault stubborn %1").arg(stubborn)), QStringList{"ok"});
    client.send(3, startBody({stubborn, willing}));
    const std::optional<AnswerFrame> ack = client.next(103);
    ASSERT_TRUE(ack);
    EXPECT_NE(find(blocks(ack->payload), stubborn)->registration, 1);
    EXPECT_EQ(find(blocks(ack->payload), willing)->registration, 1);
}

TEST_F(DemoProgramTest, MalformedFramesBreakWhatTheySay) {
    struct Case { const char* mode; std::function<void(const AnswerFrame&)> check; };
    const Case cases[] = {
        {"magic", [](const AnswerFrame& f) { EXPECT_EQ(f.magic, 0xAA55); EXPECT_EQ(f.wireCode, 102u); }},
        {"code", [](const AnswerFrame& f) { EXPECT_EQ(f.magic, 0x55AA); EXPECT_EQ(f.wireCode, 199u); }},
        {"short", [](const AnswerFrame& f) { EXPECT_EQ(f.length, 2u); EXPECT_TRUE(f.payload.isEmpty()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_EQ(control->command(QStringLiteral("rack 1 fault malformed %1").arg(c.mode)), QStringList{"ok"});
        WireClient client(demo.rackPort(1));
        client.send(2);
        const std::optional<AnswerFrame> frame = client.next();
        ASSERT_TRUE(frame);
        c.check(*frame);
    }
    control->command("rack 1 fault malformed off");
    WireClient client(demo.rackPort(1));
    EXPECT_EQ(poll(client).size(), kStations);
}

TEST_F(DemoProgramTest, ConnectionsAreResetOnDemandAndAfterSomeFrames) {
    WireClient client(demo.rackPort(1));
    WireClient other(demo.rackPort(2));
    ASSERT_TRUE(client.isConnected());
    ASSERT_EQ(control->command("rack 1 reset"), QStringList{"ok"});
    EXPECT_TRUE(client.waitForDisconnected());
    EXPECT_TRUE(other.isConnected()) << "only rack 1 was reset";

    ASSERT_EQ(control->command("rack 1 fault reset-after 2"), QStringList{"ok"});
    WireClient counted(demo.rackPort(1));
    counted.send(2);
    EXPECT_TRUE(counted.next(102));
    counted.send(2);
    EXPECT_TRUE(counted.waitForDisconnected());
    EXPECT_TRUE(counted.takeAll().isEmpty()) << "the second frame was not answered";
}

TEST_F(DemoProgramTest, BadInputIsDroppedAndEveryOtherConnectionKeepsBeingServed) {
    WireClient client(demo.rackPort(1));
    QByteArray foreignMagic = requestFrame(2, "xyz");
    foreignMagic[0] = '\xAA';
    foreignMagic[1] = '\x55';
    client.sendRaw(foreignMagic);
    client.send(99, "junk");
    client.send(6);
    client.send(3, QByteArray(10, '\x01'));   // a start body far too short
    client.send(11, QByteArray(3, '\x01'));   // a download body without its time fields
    client.send(12, QByteArray(5, '\x01'));   // a subsystem request without its key
    client.send(2);
    std::optional<AnswerFrame> answer = client.next();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->wireCode, 112u) << "the short subsystem request is refused";
    EXPECT_EQ(answer->payload, QByteArray(1, '\xFF'));
    answer = client.next();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->wireCode, 102u) << "everything else before the poll was dropped";

    WireClient hostile(demo.rackPort(1));
    QByteArray huge = requestFrame(2, {});
    storeLE<quint32>(huge.data(), 4, 0x7FFFFFFF);
    hostile.sendRaw(huge);
    EXPECT_TRUE(hostile.waitForDisconnected()) << "a length beyond any request closes that connection";

    EXPECT_EQ(poll(client).size(), kStations);
    EXPECT_EQ(demo.process().state(), QProcess::Running);
}

TEST_F(DemoProgramTest, NoticesReachEveryConnectionOfTheRack) {
    WireClient a(demo.rackPort(2));
    WireClient b(demo.rackPort(2));
    ASSERT_TRUE(waitUntil([&] { return control->info("rack 2 status").value(0).contains(" connections 2 "); }));
    ASSERT_EQ(control->command(QStringLiteral("rack 2 notice 3 Проверка связи")), QStringList{"ok"});
    for (WireClient* client : {&a, &b}) {
        const std::optional<AnswerFrame> notice = client->next(114);
        ASSERT_TRUE(notice);
        const QString text = QStringLiteral("Проверка связи");
        ASSERT_EQ(notice->payload.size(), 12 + 2 * text.size());
        EXPECT_EQ(loadLE<quint32>(notice->payload.constData(), 0), 3u);
        EXPECT_EQ(loadLE<quint32>(notice->payload.constData(), 4), static_cast<quint32>(2 * text.size()));
        EXPECT_EQ(loadLE<quint32>(notice->payload.constData(), 8), 2u);
        EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(notice->payload.constData() + 12), text.size()), text);
    }
}

TEST_F(DemoProgramTest, PowerOffLeavesTheReportAndSearchBringsItBack) {
    WireClient client(demo.rackPort(1));
    const qint32 station = poll(client).at(2).number;
    client.send(24, stationList({station}));
    const std::optional<AnswerFrame> ack = client.next(124);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload.size(), (kStations - 1) * 456);
    EXPECT_FALSE(find(blocks(ack->payload), station));
    EXPECT_FALSE(find(poll(client), station));

    client.send(7, stationList({}));
    const std::optional<AnswerFrame> found = client.next(107);
    ASSERT_TRUE(found);
    EXPECT_TRUE(find(blocks(found->payload), station));
}

TEST(DemoProgram, HoldsItsLockSoThatASecondCopyDoesNotStartAndEndsCleanlyOnSigterm) {
    DemoProcess first;
    ASSERT_TRUE(first.start());
    EXPECT_TRUE(demoServerLockHeld(first.lockPath()));

    DemoProcess second;
    second.startRaw({"--port", "0", "--sync-port", "0", "--lock", first.lockPath(), "--settings",
                     second.scratchFile("none.ini")});
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(second.process().exitCode(), 2);
    EXPECT_TRUE(second.process().readAllStandardError().contains("Another demonstration cluster is running"));

    WireClient client(first.rackPort(1));
    ASSERT_TRUE(client.isConnected());
    EXPECT_EQ(first.terminate(), 0) << first.lines().join('\n').toStdString() << " status " << first.process().exitStatus()
                                    << " code " << first.process().exitCode() << " state " << first.process().state();
    EXPECT_TRUE(first.lines().contains("stopped"));
    EXPECT_FALSE(demoServerLockHeld(first.lockPath())) << "the lock is released";
    EXPECT_TRUE(client.waitForDisconnected());
}

TEST(DemoProgram, FaultsGivenOnTheCommandLineHoldFromTheStart) {
    DemoProcess demo;
    ASSERT_TRUE(demo.start({"--fault", "refuse-permission", "--fault", "malformed=code"}));
    for (int rack : {1, 2}) {
        WireClient client(demo.rackPort(rack));
        client.send(1, stationList({1}));
        const std::optional<AnswerFrame> answer = client.next();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->wireCode, 199u);
        EXPECT_NE(loadLE<qint32>(answer->payload.constData(), 0), 1);
    }
    ControlClient control(demo.controlPort());
    EXPECT_TRUE(control.info("rack 2 status").value(0).endsWith("faults refuse-permission malformed=code"));

    DemoProcess wrong;
    wrong.startRaw({"--fault", "loud", "--lock", wrong.lockPath()});
    ASSERT_TRUE(wrong.waitForExit());
    EXPECT_EQ(wrong.process().exitCode(), 1);
    EXPECT_TRUE(wrong.process().readAllStandardError().contains("no fault called"));
}

TEST(DemoProgram, ServesTheClustersOfTheSettingsFile) {
    // Free ports for two clusters and the sync server, found by the system.
    QList<quint16> ports;
    {
        QTcpServer probes[3];
        for (QTcpServer& probe : probes) {
            ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
            ports.append(probe.serverPort());
        }
    }
    settings::SettingsValues values = settings::defaults(3, QString());
    values.stationsPerCluster = 5;
    values.grid[1][2] = QString::number(ports[2]);
    values.grid[2][2] = QString::number(ports[0] + 65536); // the port is the field's low 16 bits
    values.grid[3][2] = QString::number(ports[1]);
    values.grid[4][1] = QStringLiteral("192.0.2.1");        // another machine: not served

    DemoProcess demo;
    QFile file(demo.scratchFile("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(settings::toBytes(values));
    file.close();
    demo.startRaw({"--settings", demo.scratchFile("settings.ini"), "--lock", demo.lockPath(), "--calm"});
    ASSERT_TRUE(demo.waitForLine("ready")) << demo.lines().join('\n').toStdString();

    EXPECT_TRUE(demo.lines().contains(QStringLiteral("rack 1 cluster 1 listening 127.0.0.1:%1 stations 5").arg(ports[0])));
    EXPECT_TRUE(demo.lines().contains(QStringLiteral("rack 2 cluster 2 listening 127.0.0.1:%1 stations 5").arg(ports[1])));
    EXPECT_TRUE(demo.lines().contains(QStringLiteral("sync listening 127.0.0.1:%1 racks 1,2").arg(ports[2])));
    const QStringList lines = demo.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const QString& l) { return l.startsWith("note: cluster 3: 192.0.2.1"); }));

    WireClient client(ports[1]);
    client.send(2);
    const std::optional<AnswerFrame> report = client.next(102);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->payload.size(), 5 * 456);
    EXPECT_TRUE(askSyncServer(ports[2]).has_value());
}

// The installed program's shared folder holds "DemoServer/Kalver DemoServer" as a link to the installed
// executable: started by that path, the program uses the folder of the link (its settings, its lock, the
// lock the client looks at), not the folder of the executable.
TEST(DemoProgramFolder, IsTheFolderOfThePathItWasStartedBy) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString folder = scratch.path() + QStringLiteral("/shared/");
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("DemoServer")));
    const QString link = folder + QStringLiteral("DemoServer/Kalver DemoServer");
    ASSERT_TRUE(QFile::link(QStringLiteral(KALVER_DEMO_EXECUTABLE), link));
    ASSERT_TRUE(QFile::link(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE), folder + QStringLiteral("Subsystems")));

    DemoProcess demo;
    demo.startAs(link, {"--port", "0", "--sync-port", "0", "--control-port", "0", "--racks", "1", "--stations", "2",
                        "--calm"});
    ASSERT_TRUE(demo.waitForLine("ready")) << demo.lines().join('\n').toStdString();
    EXPECT_TRUE(demoServerRunning(folder)) << "the lock lies in the link's folder";
    EXPECT_TRUE(demo.lines().contains(
        QStringLiteral("note: no settings file %1settings.ini: the default settings hold").arg(folder)))
        << demo.lines().join('\n').toStdString();
    EXPECT_EQ(demo.terminate(), 0);
    EXPECT_FALSE(demoServerRunning(folder));
}
