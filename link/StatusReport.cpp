#include "link/StatusReport.h"

#include "core/ByteReader.h"
#include "core/ProgramValues.h"
#include "link/ChargeTrend.h"
#include "link/TrafficCounter.h"

#include <QCoreApplication>

namespace kalver::link {

QList<TErrorType> statusAlarms(const StatusBlock& previous, const StatusBlock& current) {
    return statusAlarms(AlarmBasis::of(previous), current);
}

QList<TErrorType> statusAlarms(const AlarmBasis& previous, const StatusBlock& current) {
    const RaisedAlarms raised = raisedAlarms(previous, current);
    return QList<TErrorType>(raised.begin(), raised.end());
}

namespace {
// The fields the alarms read from a block as received, straight from the report's bytes: the report
// handler checks a block before it copies it into the station record, so nothing waits for the copy.
class ReceivedBlock {
public:
    explicit ReceivedBlock(const char* bytes) : m_bytes(bytes) {}
    std::int8_t registrationState() const {
        return static_cast<std::int8_t>(m_bytes[status_offset::RegistrationState]);
    }
    std::int32_t stationTime() const { return loadLE<std::int32_t>(m_bytes, status_offset::StationTime); }
    std::int32_t samplesLow() const { return loadLE<std::int32_t>(m_bytes, status_offset::SamplesLow); }
    std::int32_t samplesHigh() const { return loadLE<std::int32_t>(m_bytes, status_offset::SamplesHigh); }
    bool charging() const { return m_bytes[status_offset::Charging] != 0; }
    std::int32_t chargeLevel() const { return loadLE<std::int32_t>(m_bytes, status_offset::Charge); }
    std::uint8_t generatorState() const {
        return static_cast<std::uint8_t>(m_bytes[status_offset::GeneratorState]);
    }
    std::uint32_t recorderErrors() const { return loadLE<std::uint32_t>(m_bytes, status_offset::RecorderErrors); }
    std::uint32_t interfaceErrors() const {
        return loadLE<std::uint32_t>(m_bytes, status_offset::InterfaceErrors);
    }

private:
    const char* m_bytes;
};

// Inline in the report handler, which runs it for every block it merges. `Block` is a StatusBlock or
// a ReceivedBlock.
template <typename Block>
inline RaisedAlarms collectAlarms(const AlarmBasis& previous, const Block& current) {
    RaisedAlarms alarms;
    const auto raise = [&alarms](TErrorType code) { alarms.codes[static_cast<std::size_t>(alarms.count++)] = code; };
    if (previous.registrationState == kRegistrationRunning && current.registrationState() == kRegistrationRunning &&
        previous.stationTime != current.stationTime() && previous.samplesLow == current.samplesLow() &&
        previous.samplesHigh == current.samplesHigh())
        raise(alarm::SamplesNotCounting);
    if (!current.charging() && static_cast<double>(current.chargeLevel()) <= 99.0)
        raise(alarm::NotCharging);
    if (previous.generatorState == kGeneratorTuningRunning) {
        const std::uint8_t tuning = current.generatorState();
        if (tuning == 3 || tuning == 0xA0)
            raise(alarm::NoPpsTuningLeft);
        else if (tuning == 0x80 || tuning == 0x70)
            raise(alarm::FaultTuningLeft);
    }
    if (current.recorderErrors() != 0 || (current.interfaceErrors() & kCriticalInterfaceErrors) != 0)
        raise(alarm::CriticalErrors);
    else if (current.interfaceErrors() != 0)
        raise(alarm::NonCriticalErrors);
    return alarms;
}
} // namespace

RaisedAlarms raisedAlarms(const AlarmBasis& previous, const StatusBlock& current) {
    return collectAlarms(previous, current);
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
    // The record and the access level, read again whenever events have run (a new station).
    TKlvRack* rack = cluster.rack();
    bool developer = program().accessLevel == AccessDeveloper;
    rack->reportFlag = true;
    for (TKlvStation& station : rack->stations)
        station.seenInReport = false;
    bool changed = false;
    const qsizetype blocks = payload.size() / static_cast<qsizetype>(kStatusBlockSize);
    int expected = 0;
    for (qsizetype b = 0; b < blocks; ++b) {
        const char* bytes = payload.data() + b * static_cast<qsizetype>(kStatusBlockSize);
        const std::int32_t number = loadLE<std::int32_t>(bytes, status_offset::Number);
        int s = findStation(*rack, number, expected);
        const bool known = s >= 0;
        const ReceivedBlock received(bytes);
        std::int32_t previousCharge = 0;
        if (known) {
            TKlvStation& station = rack->stations[static_cast<std::size_t>(s)];
            const AlarmBasis previous = AlarmBasis::of(station.status);
            previousCharge = station.status.chargeLevel();
            const RaisedAlarms alarms = collectAlarms(previous, received);
            station.status.assignRaw(bytes);
            station.seenInReport = true;
            for (TErrorType code : alarms)
                observer.raiseAlarm(cluster.position(), s, code, true);
        } else {
            s = rack->appendStation(StatusBlock::fromRaw(bytes));
            changed = true;
            observer.stationCreated(cluster.position(), s);
            observer.logLine(QStringLiteral("Обнаружена Станция ") + stationClusterText(number, cluster.number()),
                             false, QColor(Qt::black));
            QCoreApplication::processEvents();
            // Events ran: the cluster or its stations may have changed meanwhile.
            if (!cluster.refresh())
                return;
            rack = cluster.rack();
            developer = program().accessLevel == AccessDeveloper;
            s = rack->findStation(number);
            if (s < 0)
                continue;
        }
        observer.fillDetailPanel(cluster.position(), s);
        if (known && developer) {
            const std::int32_t charge = received.chargeLevel();
            if (static_cast<double>(charge) != static_cast<double>(previousCharge)) {
                // A file that cannot be written loses this record only.
                appendChargeTrend(chargeTrendPath(observer.chargeTrendFolder(), number), TDateTime::nowLocal(),
                                  static_cast<double>(charge));
            }
        }
        expected = s + 1;
    }

    for (int s = rack->stationCount() - 1; s >= 0; --s) {
        if (rack->station(s).seenInReport)
            continue;
        observer.logLine(QStringLiteral("Отсоединена Станция ") +
                             stationClusterText(rack->station(s).number(), cluster.number()),
                         false, QColor(Qt::black));
        observer.stationRemoving(cluster.position(), s);
        rack->stations.erase(rack->stations.begin() + s);
        changed = true;
    }
    if (changed)
        observer.layOutRack(cluster.position());
    if (!program().mnemonicMode)
        observer.refreshTable();
}

} // namespace kalver::link
