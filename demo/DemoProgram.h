#pragma once
// The demonstration cluster as a whole: a rack and a cluster server per planned cluster, a sync server
// per address, the control socket, and the one-second tick that moves the racks forward and sends the
// notices they gathered.

#include "demo/ClusterServer.h"
#include "demo/ControlCommands.h"
#include "demo/ControlServer.h"
#include "demo/DemoOptions.h"
#include "demo/Rack.h"
#include "demo/ServicePlan.h"
#include "demo/SubsystemLibrary.h"
#include "demo/SyncServer.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

namespace kalver::demo {

class DemoProgram : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 1000;

    DemoProgram(const ServicePlan& plan, const DemoOptions& options, const QString& subsystemsFolder,
                QObject* parent = nullptr);
    ~DemoProgram() override;

    // Opens every listener and prints where each listens. False when no rack could listen.
    bool start();

private:
    void tick();
    void sendNotices();

    ServicePlan m_plan;
    DemoOptions m_options;
    SubsystemLibrary m_library;
    std::vector<std::unique_ptr<Rack>> m_racks;              // one per planned rack
    std::vector<std::unique_ptr<ClusterServer>> m_clusters;  // parallel to m_racks
    std::vector<std::unique_ptr<SyncServer>> m_syncs;
    std::unique_ptr<ControlCommands> m_commands;
    std::unique_ptr<ControlServer> m_control;
    QTimer m_tick;
};

} // namespace kalver::demo
