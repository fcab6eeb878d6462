#pragma once
// What the demonstration cluster serves: one rack per cluster row of the client's settings whose
// address is on this machine, at the TCP port the client will connect to (the low 16 bits of the row's
// port field), with the settings' stations per cluster; and one sync server per distinct address, at
// the sync port of settings row 1 (the client reaches every cluster's sync server at the cluster's
// address and that one port). Command-line options override addresses, ports, racks and stations.
//
// Rows that share an address and port are served by one rack: the client's two clusters then talk to
// the same rack. Rows on another machine, or whose port field is not a number, are skipped.

#include "demo/DemoOptions.h"
#include "config/SettingsFile.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kalver::demo {

struct RackEndpoint {
    int cluster = 1;          // the first cluster number (settings row - 1) it serves
    QHostAddress address;
    quint16 port = 0;         // 0 = a free port
    int stations = 48;
};

struct SyncEndpoint {
    QHostAddress address;
    quint16 port = 0;
    QList<int> racks;         // positions in ServicePlan::racks
};

struct ServicePlan {
    QList<RackEndpoint> racks;
    QList<SyncEndpoint> syncs;
    QStringList notes;        // rows skipped or shared, for the console
};

// The TCP port of a port field: the decimal number's low 16 bits ("151500" → 20428).
std::optional<quint16> tcpPortOfField(const QString& field);

// Whether an address text names this machine: any loopback address, "localhost", or an address of one
// of its interfaces.
using IsLocalAddress = std::function<bool(const QHostAddress&)>;
bool isAddressOfThisMachine(const QHostAddress& address);
std::optional<QHostAddress> localAddressOf(const QString& text, const IsLocalAddress& isLocal);

// `settings` is nothing when there is no readable settings file: the defaults hold then.
ServicePlan planService(const std::optional<settings::SettingsValues>& settings, const DemoOptions& options,
                        const IsLocalAddress& isLocal = isAddressOfThisMachine);

} // namespace kalver::demo
