#pragma once
// The file transfer messages. Both carry a chunk: station number (4), chunk count (4), chunk index (4),
// then the chunk's bytes. A payload of the single byte 0xFF is the cluster's refusal.
//
// File catalogue chunk (wire code 105): the chunk is stored in the cluster's received file chunks as a
// copy of the whole payload whose chunk count field is replaced by the data length (payload - 12), so
// the file catalogue page reads back station number, data length, chunk index and the data. Result:
// 1 while fewer chunks are stored than the chunk count, 2 when the count is reached, 5 for the
// refusal, a payload shorter than its 12-byte header, or a chunk that would take the stored chunks
// beyond kMaxStoredChunkBytes (a cluster sending without end).
//
// Download chunk (wire code 106): the data is written to the cluster's download target. Result 5 for
// the refusal or a short payload; without a target the plain box "Файловый поток не был
// создан!\nОбратитесь к разработчику!" and 2; otherwise 1 while chunk index < chunk count - 1 (the
// progress bar moves to maximum × index ÷ count, single precision, rounded) and 2 for the last chunk.

#include "link/ClusterRef.h"

#include <QByteArrayView>

namespace kalver::link {

inline constexpr qsizetype kChunkHeaderSize = 12;
inline constexpr qsizetype kMaxStoredChunkBytes = 64 * 1024 * 1024;
inline constexpr auto kNoDownloadTargetText = u"Файловый поток не был создан!\nОбратитесь к разработчику!";

struct ChunkHeader {
    std::int32_t station = 0;
    std::int32_t count = 0;
    std::int32_t index = 0;
};

// The one-byte refusal 0xFF.
bool isRefusal(QByteArrayView payload);
// The header of a chunk payload of at least 12 bytes.
std::optional<ChunkHeader> readChunkHeader(QByteArrayView payload);

std::int32_t handleFileCatalogueChunk(TKlvRack& rack, QByteArrayView payload);
std::int32_t handleDownloadChunk(ClusterRef& cluster, QByteArrayView payload);

// The progress bar position for chunk `index` of `count` with the bar's `maximum`.
int downloadProgressPosition(int maximum, std::int32_t index, std::int32_t count);

} // namespace kalver::link
