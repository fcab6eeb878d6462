#pragma once
// Racks on loopback for the station command tests: each rack is a fake cluster and a fake sync server
// that the program's own sockets connect to, in work (its connection check box checked), with the
// stations its first status report carried. The journal is a fresh "arch.res" in a scratch folder,
// the message boxes are answered by a recorder, and the wait steps are shortened.

#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "fakes/FakeCluster.h"
#include "fakes/FakeSyncServer.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include "StationBlocks.h"

#include <QCheckBox>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kalver::test {

class CommandFixture : public ::testing::Test {
protected:
    CommandFixture() { journal::startNewFile(program().journalFilePath); }

    void SetUp() override { setWaitStepMs(5); }
    void TearDown() override { setWaitStepMs(kWaitStepMs); }

    struct Rack {
        std::unique_ptr<FakeCluster> cluster;
        std::unique_ptr<FakeSyncServer> sync;
        int position = -1;
    };

    // A rack in work whose first report carries `blocks`; without `syncConnected` its sync-server
    // connection stays closed.
    Rack& addRack(const QList<link::StatusBlock>& blocks, bool syncConnected = true) {
        auto rack = std::make_unique<Rack>();
        rack->cluster = std::make_unique<FakeCluster>();
        rack->sync = std::make_unique<FakeSyncServer>();
        rack->position = list.create(QStringLiteral("127.0.0.1"), rack->cluster->port(), rack->sync->port());
        link::TKlvRack& record = list.at(rack->position);
        auto* box = new QCheckBox;
        box->setChecked(true);
        record.connectionCheckBox = box;
        record.clusterConnection()->open();
        EXPECT_TRUE(rack->cluster->waitForClient());
        EXPECT_TRUE(QTest::qWaitFor([&record] { return record.clusterConnection()->isConnected(); }, kFakeWaitMs));
        if (syncConnected) {
            record.syncConnection()->open();
            EXPECT_TRUE(rack->sync->waitForClient());
            EXPECT_TRUE(QTest::qWaitFor([&record] { return record.syncConnection()->isConnected(); }, kFakeWaitMs));
        }
        report(*rack, blocks);
        racks.push_back(std::move(rack));
        return *racks.back();
    }

    // The rack's cluster sends a status report and the client has taken it in.
    void report(Rack& rack, const QList<link::StatusBlock>& blocks) {
        const int before = observer.tableRefreshes;
        rack.cluster->send(frames::statusReport(blocks));
        EXPECT_TRUE(QTest::qWaitFor([&] { return observer.tableRefreshes > before; }, kFakeWaitMs));
    }

    // Every command `code` is acknowledged with a report of `blocks`.
    static void acknowledge(Rack& rack, int code, const QList<link::StatusBlock>& blocks) {
        rack.cluster->answer(code, frames::acknowledgement(code, blocks));
    }

    // The journal entries written after its first line, without their time stamps.
    QStringList journalEntries() const {
        QFile file(program().journalFilePath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
        QStringList entries;
        const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < lines.size(); ++i)
            entries.append(lines.at(i).section(QLatin1Char('|'), 1));
        return entries;
    }

    ScratchFolder scratch;
    std::vector<std::unique_ptr<Rack>> racks; // outlive the list: its sockets close first
    link::ClusterList list;
    RecordingObserver observer{list};
    MessageRecorder messages{MessageAnswer::No};
};

} // namespace kalver::test
