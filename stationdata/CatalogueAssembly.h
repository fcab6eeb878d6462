#pragma once
// Putting a station's file catalogue together from the chunks its cluster sent (wire code 105, stored
// by the link as: station number, data length, chunk index, data). The data of the chunks are joined
// in chunk-index order whatever the order of arrival; chunks with the same index keep their arrival
// order (an index that came twice is joined twice); a chunk whose index is negative or not below the
// number of chunks received is left out. A chunk of any other station than the one asked for spoils
// the whole catalogue: the first such chunk's station number is reported instead.

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

namespace kalver::stationdata {

struct AssembledCatalogue {
    QByteArray bytes;
    std::optional<std::int32_t> foreignStation; // set: a chunk of this station came; bytes are empty
};

AssembledCatalogue assembleCatalogue(const QList<QByteArray>& chunks, std::int32_t requestedStation);

} // namespace kalver::stationdata
