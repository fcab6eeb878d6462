#pragma once
// The station status report: the payload of wire code 102 (and of every command acknowledgement) is
// the rack's station status blocks, 456 bytes each, back to back (a shorter remainder is ignored).
// The handler merges them into the cluster's stations:
//
// 1. The cluster's report flag is set; every station loses its seen-in-report mark.
// 2. For each block in order, the first station with the block's number is looked up.
//    - Found: the block is copied over the station's, the station is marked seen, and the alarms of
//      statusAlarms(old, new) are raised (journal flag set). (Raising an alarm reads only the station's
//      number and alarm list, so the station already holds the new block then.)
//    - Not found: a station is appended, logged "Обнаружена Станция <n>, Кластер <c>" (not bold,
//      black) and pending events are processed once; a new station raises no alarm.
//    - The detail panel is filled for the station (it acts only for the hovered one).
//    - At access level 3, when a known station's charge level changed, a record is appended to its
//      charge-trend file; a file that cannot be written is skipped and the report goes on.
// 3. Stations left unmarked, from the last to the first, are logged "Отсоединена Станция <n>, Кластер
//    <c>" (not bold, black) and removed.
// 4. When stations were added or removed, the rack's tiles are laid out again.
// 5. Outside the mnemonic mode, the station table is refreshed.
//
// Station numbers are unique within a cluster (a station is created only for a number not yet there),
// so two blocks of one number in one report update the same station twice: the second wins.

#include "link/ClusterRef.h"
#include "link/StatusBlock.h"
#include "link/TErrorType.h"

#include <QByteArrayView>
#include <QList>

#include <array>

namespace kalver::link {

// The alarms that a known station's new block raises against its previous one, in the order they are
// raised:
//   5  registration running in both, the station time changed, the 64-bit sample count did not
//   2  not charging and the charge level <= 99 (an unknown -1 counts)
//   3  generator tuning was running (2) and the new state is 3 or 0xA0
//   4  generator tuning was running (2) and the new state is 0x80 or 0x70
//   8  recorder error bits, or interface error bit 9 or 15
//   7  otherwise (no 8), any interface error bit
QList<TErrorType> statusAlarms(const StatusBlock& previous, const StatusBlock& current);

// The values of a station's previous block that the alarms compare with the new one.
struct AlarmBasis {
    std::int8_t registrationState = 0;
    std::int32_t stationTime = 0;
    std::int32_t samplesLow = 0;
    std::int32_t samplesHigh = 0;
    std::uint8_t generatorState = 0;

    static AlarmBasis of(const StatusBlock& block) {
        return {block.registrationState(), block.stationTime(), block.samplesLow(), block.samplesHigh(),
                block.generatorState()};
    }
};
QList<TErrorType> statusAlarms(const AlarmBasis& previous, const StatusBlock& current);

// The same alarms without a list (the status report raises them for every block it merges).
struct RaisedAlarms {
    std::array<TErrorType, 4> codes{};
    int count = 0;

    const TErrorType* begin() const { return codes.data(); }
    const TErrorType* end() const { return codes.data() + count; }
};
RaisedAlarms raisedAlarms(const AlarmBasis& previous, const StatusBlock& current);

// The status report handler of `cluster`.
void handleStatusReport(ClusterRef& cluster, QByteArrayView payload);

} // namespace kalver::link
