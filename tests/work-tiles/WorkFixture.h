#pragma once
// A work window over a cluster list of its own whose clusters have in-memory connections: status
// reports are run through the link's handler, and the window's calls to other windows are recorded.

#include "SampleRacks.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "work/Unit_Work.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace kalver::test {

class WorkFixture : public ::testing::Test {
protected:
    WorkFixture() : racks(list) {
        program().accessLevel = AccessOperator;
        program().mnemonicMode = false;
        setWaitStepMs(1);
    }

    ~WorkFixture() override {
        list.setObserver(nullptr);
        window.reset();
        setWaitStepMs(kWaitStepMs);
        program().accessLevel = AccessNone;
        program().mnemonicMode = false;
    }

    // The window, installed as the list's observer, with recording hooks.
    TForm_Work& makeWindow() {
        window = std::make_unique<TForm_Work>(list);
        list.setObserver(&window->observer());
        WorkWindowHooks hooks;
        hooks.stopConnectionTimers = [this] { events << QStringLiteral("stop timers"); };
        hooks.showLogin = [this] { events << QStringLiteral("show login"); };
        hooks.closeConnection = [this] { events << QStringLiteral("close connection"); };
        hooks.openSettings = [this] { events << QStringLiteral("open settings"); };
        hooks.stationDataVisible = [this] { return stationDataShown; };
        window->setHooks(hooks);
        return *window;
    }

    // Clusters, a window and a session entered with the window shown.
    TForm_Work& session(int clusters) {
        for (int i = 0; i < clusters; ++i)
            racks.addCluster();
        makeWindow();
        window->enterWorkSession();
        window->show();
        settle();
        return *window;
    }

    void report(int cluster, const QList<link::StatusBlock>& blocks) { racks.report(cluster, blocks); }
    link::TKlvStation& station(int cluster, int position) { return list.at(cluster).station(position); }
    int positionOf(int cluster, int number) const { return list.at(cluster).findStation(number); }
    work::RackView& rack(int cluster) { return *window->rackView(cluster); }
    QRect tileOf(int cluster, int number) { return rack(cluster).tileRect(positionOf(cluster, number)); }

    // Lets posted events (layouts, deferred deletions) run.
    static void settle() {
        QDeadlineTimer deadline(50);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScratchFolder folder;
    MessageRecorder messages{MessageAnswer::No};
    link::ClusterList list;
    SampleRacks racks;
    std::unique_ptr<TForm_Work> window;
    QStringList events;
    bool stationDataShown = false;
};

} // namespace kalver::test
