#include "demo/ServicePlan.h"

#include <QNetworkInterface>

namespace kalver::demo {

std::optional<quint16> tcpPortOfField(const QString& field) {
    bool ok = false;
    const qlonglong value = field.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<quint16>(static_cast<qulonglong>(value) & 0xFFFF);
}

bool isAddressOfThisMachine(const QHostAddress& address) {
    if (address.isLoopback())
        return true;
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return std::any_of(own.begin(), own.end(), [&](const QHostAddress& a) { return a.isEqual(address); });
}

std::optional<QHostAddress> localAddressOf(const QString& text, const IsLocalAddress& isLocal) {
    const QString t = text.trimmed();
    QHostAddress address;
    if (t.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        address = QHostAddress(QHostAddress::LocalHost);
    else if (!address.setAddress(t))
        return std::nullopt;
    if (!isLocal(address))
        return std::nullopt;
    return address;
}

ServicePlan planService(const std::optional<settings::SettingsValues>& given, const DemoOptions& options,
                        const IsLocalAddress& isLocal) {
    const settings::SettingsValues values = given ? *given : settings::defaults(1, QString());
    ServicePlan plan;

    // The cluster rows as (address text, port field), extended or cut to the number of racks asked for.
    struct Row { QString address; QString portField; };
    QList<Row> rows;
    for (int k = 1; k <= values.clusters && k + 1 < values.grid.size(); ++k) {
        const QStringList& cells = values.grid.at(k + 1);
        rows.append({cells.value(1), cells.value(2)});
    }
    if (rows.isEmpty())
        rows.append({QStringLiteral("127.0.0.1"), QStringLiteral("151500")});
    const int wanted = options.racks.value_or(static_cast<int>(rows.size()));
    while (rows.size() > wanted)
        rows.removeLast();
    while (rows.size() < wanted) {
        const std::optional<quint16> last = tcpPortOfField(rows.last().portField);
        rows.append({rows.last().address, QString::number(last ? *last + 1 : 0)});
    }

    const int stations = options.stations.value_or(values.stationsPerCluster);
    const QString syncField = values.grid.size() > 1 ? values.grid.at(1).value(2) : QStringLiteral("13001");
    std::optional<quint16> syncPort = options.syncPort ? std::optional<quint16>(*options.syncPort) : tcpPortOfField(syncField);
    if (!syncPort) {
        plan.notes << QStringLiteral("sync port field \"%1\" is not a number: sync servers on free ports").arg(syncField);
        syncPort = 0;
    }

    for (int i = 0; i < rows.size(); ++i) {
        const int cluster = i + 1;
        const QString addressText = options.address.value_or(rows.at(i).address);
        const std::optional<QHostAddress> address = localAddressOf(addressText, isLocal);
        if (!address) {
            plan.notes << QStringLiteral("cluster %1: %2 is not an address of this machine: not served").arg(cluster).arg(addressText);
            continue;
        }
        std::optional<quint16> port = options.port ? std::optional<quint16>(*options.port == 0 ? 0 : *options.port + i)
                                                   : tcpPortOfField(rows.at(i).portField);
        if (!port) {
            plan.notes << QStringLiteral("cluster %1: port field \"%2\" is not a number: not served").arg(cluster).arg(rows.at(i).portField);
            continue;
        }
        const auto same = std::find_if(plan.racks.begin(), plan.racks.end(), [&](const RackEndpoint& r) {
            return *port != 0 && r.port == *port && r.address.isEqual(*address);
        });
        if (same != plan.racks.end()) {
            plan.notes << QStringLiteral("cluster %1: same address and port as cluster %2: served by the same rack")
                              .arg(cluster).arg(same->cluster);
            continue;
        }
        plan.racks.append({cluster, *address, *port, stations});

        const auto sync = std::find_if(plan.syncs.begin(), plan.syncs.end(),
                                       [&](const SyncEndpoint& s) { return s.address.isEqual(*address); });
        if (sync != plan.syncs.end())
            sync->racks.append(static_cast<int>(plan.racks.size()) - 1);
        else
            plan.syncs.append({*address, *syncPort, {static_cast<int>(plan.racks.size()) - 1}});
    }
    return plan;
}

} // namespace kalver::demo
