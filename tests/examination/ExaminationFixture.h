#pragma once
// A cluster on loopback (the scriptable fake cluster) in a cluster list of the test's own, a scratch
// program folder with a journal, recorded message boxes answered "No" unless scripted, short wait
// steps, and the link's observer handing the decoding the subsystem page's grid and the small table.

#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "fakes/FakeCluster.h"
#include "link/ClusterList.h"
#include "stationdata/SubsystemPage.h"
#include "stationdata/Unit_SmallTable.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace kalver::test {

// What the station data window's observer does for the examination pages.
class PageObserver : public link::LinkObserver {
public:
    stationdata::SubsystemPage* page = nullptr;
    stationdata::TForm_SmallTable* table = nullptr;

    link::ParameterGrid* parameterGrid() override { return page ? page->parameterGrid() : nullptr; }
    link::SmallTable* smallTable() override { return table ? table->contents() : nullptr; }
    QString selectedSubsystem() const override { return page ? page->selectedSubsystem() : QString(); }
    void parametersDecoded(int) override {
        if (page)
            page->showDecodedValues();
        if (table)
            table->showContents();
    }
};

// Runs the event loop until `condition` holds or 10 s pass.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class ExaminationFixture : public ::testing::Test {
protected:
    ExaminationFixture() : messages(MessageAnswer::No) {
        program().accessLevel = AccessDeveloper;
        setWaitStepMs(5);
        journal::startNewFile(program().journalFilePath);
        list.setObserver(&observer);
        cluster = list.create(QStringLiteral("127.0.0.1"), fake.port(), 1);
        list.at(cluster).clusterConnection()->open();
    }
    ~ExaminationFixture() override {
        list.setObserver(nullptr);
        setWaitStepMs(kWaitStepMs);
    }

    void SetUp() override {
        ASSERT_TRUE(fake.waitForClient());
        ASSERT_TRUE(waitUntil([this] { return list.at(cluster).clusterConnection()->isConnected(); }));
    }

    // A station appended to the cluster as a status report would append it.
    link::TKlvStation& addStation(const link::StatusBlock& block) {
        link::TKlvRack& rack = list.at(cluster);
        return rack.station(rack.appendStation(block));
    }

    // The journal's entries after its first line, without their time stamps.
    QStringList journalEntries() const {
        QFile file(program().journalFilePath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
        QStringList entries;
        const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (qsizetype i = 1; i < lines.size(); ++i)
            entries << lines[i].section(QLatin1Char('|'), 1);
        return entries;
    }

    ScratchFolder folder;
    MessageRecorder messages;
    PageObserver observer;
    link::ClusterList list;
    FakeCluster fake;
    int cluster = -1;
};

} // namespace kalver::test
