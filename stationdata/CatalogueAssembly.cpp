#include "stationdata/CatalogueAssembly.h"

#include "core/ByteReader.h"

#include <algorithm>
#include <vector>

namespace kalver::stationdata {

namespace {

struct StoredChunk {
    std::int32_t station = 0;
    std::int32_t index = 0;
    QByteArrayView data;
};

// The stored header and the data it announces, cut to what the chunk holds.
std::optional<StoredChunk> readStoredChunk(const QByteArray& chunk) {
    ByteReader r(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    std::int32_t station = 0, length = 0, index = 0;
    if (!r.read(station) || !r.read(length) || !r.read(index))
        return std::nullopt;
    const qsizetype available = static_cast<qsizetype>(r.remaining());
    const qsizetype size = std::clamp<qsizetype>(length, 0, available);
    return StoredChunk{station, index, QByteArrayView(chunk.constData() + 12, size)};
}

} // namespace

AssembledCatalogue assembleCatalogue(const QList<QByteArray>& chunks, std::int32_t requestedStation) {
    std::vector<StoredChunk> ordered;
    ordered.reserve(static_cast<std::size_t>(chunks.size()));
    qsizetype total = 0;
    for (const QByteArray& chunk : chunks) {
        const std::optional<StoredChunk> stored = readStoredChunk(chunk);
        if (!stored)
            continue;
        if (stored->station != requestedStation)
            return {{}, stored->station};
        if (stored->index < 0 || stored->index >= chunks.size())
            continue;
        ordered.push_back(*stored);
        total += stored->data.size();
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const StoredChunk& a, const StoredChunk& b) { return a.index < b.index; });
    AssembledCatalogue result;
    result.bytes.reserve(total);
    for (const StoredChunk& chunk : ordered)
        result.bytes.append(chunk.data);
    return result;
}

} // namespace kalver::stationdata
