#include "link/FileTransfer.h"

#include "core/ByteReader.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"

#include <cmath>

namespace kalver::link {

bool isRefusal(QByteArrayView payload) {
    return payload.size() == 1 && static_cast<std::uint8_t>(payload[0]) == 0xFF;
}

std::optional<ChunkHeader> readChunkHeader(QByteArrayView payload) {
    ByteReader r(payload.data(), static_cast<std::size_t>(payload.size()));
    ChunkHeader h;
    if (!r.read(h.station) || !r.read(h.count) || !r.read(h.index))
        return std::nullopt;
    return h;
}

namespace {
qsizetype storedBytes(const TKlvRack& rack) {
    qsizetype total = 0;
    for (const QByteArray& chunk : rack.receivedChunks)
        total += chunk.size();
    return total;
}
} // namespace

std::int32_t handleFileCatalogueChunk(TKlvRack& rack, QByteArrayView payload) {
    if (isRefusal(payload))
        return ack::Refused;
    const std::optional<ChunkHeader> header = readChunkHeader(payload);
    if (!header)
        return ack::Refused;
    if (storedBytes(rack) + payload.size() > kMaxStoredChunkBytes)
        return ack::Refused;
    QByteArray stored = payload.toByteArray();
    storeLE(stored.data(), 4, static_cast<std::int32_t>(payload.size() - kChunkHeaderSize));
    rack.receivedChunks.append(std::move(stored));
    return rack.receivedChunks.size() < header->count ? ack::Accepted : ack::Complete;
}

int downloadProgressPosition(int maximum, std::int32_t index, std::int32_t count) {
    if (count == 0)
        return 0;
    const float position = static_cast<float>(maximum) * static_cast<float>(index) / static_cast<float>(count);
    if (!std::isfinite(position) || std::fabs(position) > 2.0e9f)
        return 0;
    return static_cast<int>(std::nearbyint(position));
}

std::int32_t handleDownloadChunk(ClusterRef& cluster, QByteArrayView payload) {
    if (isRefusal(payload))
        return ack::Refused;
    const std::optional<ChunkHeader> header = readChunkHeader(payload);
    if (!header)
        return ack::Refused;
    QIODevice* target = cluster.rack()->downloadTarget.data();
    if (!target) {
        showMessage({program().applicationTitle, QString::fromUtf16(kNoDownloadTargetText), MessageIcon::None,
                     MessageButtons::Ok, QString()});
        return ack::Complete;
    }
    target->write(payload.data() + kChunkHeaderSize, payload.size() - kChunkHeaderSize);
    if (static_cast<qint64>(header->index) < static_cast<qint64>(header->count) - 1) {
        LinkObserver& observer = cluster.observer();
        observer.setDownloadProgress(
            downloadProgressPosition(observer.downloadProgressMaximum(), header->index, header->count));
        return ack::Accepted;
    }
    return ack::Complete;
}

} // namespace kalver::link
