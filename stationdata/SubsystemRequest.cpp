#include "stationdata/SubsystemRequest.h"

#include "core/ByteWriter.h"

namespace kalver::stationdata {

QByteArray subsystemRequestBody(std::int32_t station, const QString& key) {
    ByteWriter w(12 + 2 * key.size());
    w.putI32(station).putI32(2).putI32(static_cast<std::int32_t>(key.size()));
    for (const QChar c : key)
        w.putU16(c.unicode());
    return w.take();
}

} // namespace kalver::stationdata
