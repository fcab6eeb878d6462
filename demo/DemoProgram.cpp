#include "demo/DemoProgram.h"

#include "demo/DemoLog.h"
#include "demo/StationNumbers.h"

#include <QCoreApplication>

namespace kalver::demo {

namespace {

QString endpoint(const QHostAddress& address, quint16 port) {
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

} // namespace

DemoProgram::DemoProgram(const ServicePlan& plan, const DemoOptions& options, const QString& subsystemsFolder,
                         QObject* parent)
    : QObject(parent), m_plan(plan), m_options(options), m_library(subsystemsFolder) {
    QList<int> sizes;
    for (const RackEndpoint& r : m_plan.racks)
        sizes.append(r.stations);
    const QList<QList<qint32>> numbers = assignStationNumbers(sizes, options.seed);
    for (int i = 0; i < m_plan.racks.size(); ++i) {
        auto rack = std::make_unique<Rack>(i + 1, numbers.at(i), options.seed * 1000003u + static_cast<quint32>(i), &m_library);
        rack->setSpeed(options.speed);
        rack->setIncidents(!options.calm);
        for (const QString& fault : options.faults)
            applyFault(rack->faults, fault);
        m_clusters.push_back(std::make_unique<ClusterServer>(*rack));
        m_racks.push_back(std::move(rack));
    }

    QList<Rack*> racks;
    for (const auto& r : m_racks)
        racks.append(r.get());
    ControlCommands::Hooks hooks;
    hooks.reset = [this](Rack& rack) { m_clusters.at(static_cast<std::size_t>(rack.number() - 1))->resetConnections(); };
    hooks.describeEndpoint = [this](Rack& rack) {
        const ClusterServer& server = *m_clusters.at(static_cast<std::size_t>(rack.number() - 1));
        return QStringLiteral("%1 connections %2 frames %3")
            .arg(endpoint(server.address(), server.port()))
            .arg(server.connectionCount())
            .arg(server.framesReceived());
    };
    hooks.quit = [] { QCoreApplication::quit(); };
    m_commands = std::make_unique<ControlCommands>(racks, hooks);

    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &DemoProgram::tick);
}

DemoProgram::~DemoProgram() = default;

bool DemoProgram::start() {
    for (const QString& note : m_plan.notes)
        logLine(QStringLiteral("note: ") + note);

    int listening = 0;
    for (std::size_t i = 0; i < m_racks.size(); ++i) {
        const RackEndpoint& where = m_plan.racks.at(static_cast<int>(i));
        ClusterServer& server = *m_clusters[i];
        if (server.listen(where.address, where.port)) {
            ++listening;
            logLine(QStringLiteral("rack %1 cluster %2 listening %3 stations %4")
                        .arg(i + 1).arg(where.cluster).arg(endpoint(server.address(), server.port()))
                        .arg(m_racks[i]->stations().size()));
        } else {
            logLine(QStringLiteral("rack %1 cluster %2 cannot listen on %3: %4")
                        .arg(i + 1).arg(where.cluster).arg(endpoint(where.address, where.port), server.errorString()));
        }
    }
    if (listening == 0)
        return false;

    for (const SyncEndpoint& where : m_plan.syncs) {
        QList<Rack*> racks;
        QStringList numbers;
        for (int index : where.racks) {
            racks.append(m_racks.at(static_cast<std::size_t>(index)).get());
            numbers << QString::number(index + 1);
        }
        auto sync = std::make_unique<SyncServer>(racks);
        if (sync->listen(where.address, where.port))
            logLine(QStringLiteral("sync listening %1 racks %2").arg(endpoint(sync->address(), sync->port()), numbers.join(u',')));
        else
            logLine(QStringLiteral("sync cannot listen on %1: %2").arg(endpoint(where.address, where.port), sync->errorString()));
        m_syncs.push_back(std::move(sync));
    }

    if (m_options.controlPort) {
        m_control = std::make_unique<ControlServer>(*m_commands, [this] { sendNotices(); });
        if (m_control->listen(static_cast<quint16>(*m_options.controlPort)))
            logLine(QStringLiteral("control listening 127.0.0.1:%1").arg(m_control->port()));
        else
            logLine(QStringLiteral("control cannot listen on 127.0.0.1:%1: %2").arg(*m_options.controlPort).arg(m_control->errorString()));
    }

    m_tick.start();
    logLine(QStringLiteral("ready"));
    return true;
}

void DemoProgram::tick() {
    for (const auto& rack : m_racks)
        rack->advance();
    sendNotices();
}

void DemoProgram::sendNotices() {
    for (std::size_t i = 0; i < m_racks.size(); ++i)
        for (const QByteArray& notice : m_racks[i]->takeNotices())
            m_clusters[i]->broadcastNotice(notice);
}

} // namespace kalver::demo
