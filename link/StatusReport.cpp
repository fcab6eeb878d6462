#include "link/StatusReport.h"

#include "core/ByteReader.h"
#include "core/ProgramValues.h"
#include "link/ChargeTrend.h"
#include "link/TrafficCounter.h"

#include <QCoreApplication>

namespace kalver::link {

AlarmBasis AlarmBasis::of(const StatusBlock& block) {
    return {block.registrationState(), block.stationTime(), block.samplesLow(), block.samplesHigh(),
            block.generatorState()};
}

QList<TErrorType> statusAlarms(const StatusBlock& previous, const StatusBlock& current) {
    return statusAlarms(AlarmBasis::of(previous), current);
}

QList<TErrorType> statusAlarms(const AlarmBasis& previous, const StatusBlock& current) {
    QList<TErrorType> alarms;
    if (previous.registrationState == kRegistrationRunning && current.registrationState() == kRegistrationRunning &&
        previous.stationTime != current.stationTime() && previous.samplesLow == current.samplesLow() &&
        previous.samplesHigh == current.samplesHigh())
        alarms.append(alarm::SamplesNotCounting);
    if (!current.charging() && static_cast<double>(current.chargeLevel()) <= 99.0)
        alarms.append(alarm::NotCharging);
    const bool tuningWasRunning = previous.generatorState == kGeneratorTuningRunning;
    const std::uint8_t tuning = current.generatorState();
    if (tuningWasRunning && (tuning == 3 || tuning == 0xA0))
        alarms.append(alarm::NoPpsTuningLeft);
    if (tuningWasRunning && (tuning == 0x80 || tuning == 0x70))
        alarms.append(alarm::FaultTuningLeft);
    if (current.recorderErrors() != 0 || (current.interfaceErrors() & kCriticalInterfaceErrors) != 0)
        alarms.append(alarm::CriticalErrors);
    else if (current.interfaceErrors() != 0)
        alarms.append(alarm::NonCriticalErrors);
    return alarms;
}

namespace {

// The first station with `number`. Stations usually come in the order of the previous report, so the
// position after the previous block is tried first; numbers are unique, so this finds the same
// station as a search from the first.
int findStation(const TKlvRack& rack, std::int32_t number, int expected) {
    if (expected >= 0 && expected < rack.stationCount() && rack.station(expected).number() == number)
        return expected;
    return rack.findStation(number);
}

QString stationClusterText(std::int32_t station, int clusterNumber) {
    return QString::number(station) + QStringLiteral(", Кластер ") + QString::number(clusterNumber);
}

} // namespace

void handleStatusReport(ClusterRef& cluster, QByteArrayView payload) {
    if (!cluster.valid())
        return;
    countReportMerged(cluster.position());
    LinkObserver& observer = cluster.observer();
    {
        TKlvRack& rack = *cluster.rack();
        rack.reportFlag = true;
        for (TKlvStation& station : rack.stations)
            station.seenInReport = false;
    }
    bool changed = false;
    const qsizetype blocks = payload.size() / static_cast<qsizetype>(kStatusBlockSize);
    int expected = 0;
    for (qsizetype b = 0; b < blocks; ++b) {
        const char* bytes = payload.data() + b * static_cast<qsizetype>(kStatusBlockSize);
        const std::int32_t number = loadLE<std::int32_t>(bytes, status_offset::Number);
        int s = findStation(*cluster.rack(), number, expected);
        const bool known = s >= 0;
        std::int32_t previousCharge = 0;
        if (known) {
            TKlvStation& station = cluster.rack()->station(s);
            const AlarmBasis previous = AlarmBasis::of(station.status);
            previousCharge = station.status.chargeLevel();
            station.status.assignRaw(bytes);
            station.seenInReport = true;
            const QList<TErrorType> raised = statusAlarms(previous, station.status);
            for (TErrorType code : raised)
                observer.raiseAlarm(cluster.position(), s, code, true);
        } else {
            s = cluster.rack()->appendStation(StatusBlock::fromRaw(bytes));
            changed = true;
            observer.stationCreated(cluster.position(), s);
            observer.logLine(QStringLiteral("Обнаружена Станция ") + stationClusterText(number, cluster.number()),
                             false, QColor(Qt::black));
            QCoreApplication::processEvents();
            // Events ran: the cluster or its stations may have changed meanwhile.
            if (!cluster.refresh())
                return;
            s = cluster.rack()->findStation(number);
            if (s < 0)
                continue;
        }
        observer.fillDetailPanel(cluster.position(), s);
        const std::int32_t charge = cluster.rack()->station(s).status.chargeLevel();
        if (known && program().accessLevel == AccessDeveloper &&
            static_cast<double>(charge) != static_cast<double>(previousCharge)) {
            // A file that cannot be written loses this record only.
            appendChargeTrend(chargeTrendPath(observer.chargeTrendFolder(), number), TDateTime::nowLocal(),
                              static_cast<double>(charge));
        }
        expected = s + 1;
    }

    TKlvRack& rack = *cluster.rack();
    for (int s = rack.stationCount() - 1; s >= 0; --s) {
        if (rack.station(s).seenInReport)
            continue;
        observer.logLine(QStringLiteral("Отсоединена Станция ") +
                             stationClusterText(rack.station(s).number(), cluster.number()),
                         false, QColor(Qt::black));
        observer.stationRemoving(cluster.position(), s);
        rack.stations.erase(rack.stations.begin() + s);
        changed = true;
    }
    if (changed)
        observer.layOutRack(cluster.position());
    if (!program().mnemonicMode)
        observer.refreshTable();
}

} // namespace kalver::link
