#include "stationdata/CommandBodies.h"

#include "core/ByteWriter.h"

namespace kalver::stationdata {

namespace {

void putStations(ByteWriter& w, const QList<std::int32_t>& stations) {
    for (std::int32_t n : stations)
        w.putI32(n);
}

std::uint8_t powerOfTwo(std::uint8_t index) {
    return index < 8 ? static_cast<std::uint8_t>(1u << index) : 0;
}

} // namespace

std::int32_t enteredSeconds(TDateTime value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value.toUnixSeconds())));
}

QByteArray stationListBody(const QList<std::int32_t>& stations) {
    ByteWriter w(stations.size() * 4);
    putStations(w, stations);
    return w.take();
}

QByteArray startBody(const StartSettings& s, const QList<std::int32_t>& stations) {
    ByteWriter w(kStartBodyFixedSize + stations.size() * 4);
    w.putI32(static_cast<std::int32_t>(stations.size())).putI32(s.frequencyHz);
    for (const auto& channel : s.channels) {
        if (!channel) {
            w.putBytes(QByteArray(kChannelEntrySize, '\0'));
            continue;
        }
        w.putU8(channel->use ? 1 : 0)
            .putU8(powerOfTwo(channel->gain))
            .putU8(powerOfTwo(channel->preampGain))
            .putU8(channel->mode)
            .putU8(channel->preampOn ? 1 : 0);
    }
    w.putI32(s.inclinometerOnce ? 0 : s.inclinometerStep)
        .putI32(s.beginNow ? -1 : enteredSeconds(s.begin))
        .putI32(s.endByCommand ? -1 : enteredSeconds(s.end))
        .putI32(s.inclinometerNow ? 0 : enteredSeconds(s.inclinometerStart))
        .putU8(s.useInclinometer ? 1 : 0)
        .putBytes(QByteArray(3, '\0'));
    putStations(w, stations);
    return w.take();
}

std::int32_t downloadTimeField() { return enteredSeconds(TDateTime(0.0)); }

QByteArray downloadBody(const QList<std::int32_t>& stations) {
    ByteWriter w(8 + stations.size() * 4);
    w.putI32(downloadTimeField()).putI32(downloadTimeField());
    putStations(w, stations);
    return w.take();
}

} // namespace kalver::stationdata
