#pragma once
// A station's file catalogue as the cluster sends it: whole 256-byte entries, one per catalogue slot,
// in the layout of the station's type, cut into chunk messages (wire code 105).
//
// "qm7  521" (valid flag at 124): one entry per slot, oldest first; an erased file stays as an entry
// whose valid flag is 0.
// Other types (empty mark at 0): the live files first, in slots 0 … files-1 (the client reads only
// that many), then one empty slot (-1 at offset 0) for every erased file.

#include "demo/Station.h"

#include <QByteArray>
#include <QList>

namespace kalver::demo {

inline constexpr int kCatalogueEntrySize = 256;
// Data bytes per chunk: not a multiple of the entry size, so entries straddle chunks.
inline constexpr int kCatalogueChunkBytes = 700;

QByteArray writeFileCatalogue(const Station& station);

// Chunk payloads: station number, chunk count, chunk index, then the chunk's data. An empty catalogue
// is one chunk without data.
QList<QByteArray> catalogueChunks(qint32 station, QByteArrayView catalogue, int chunkBytes = kCatalogueChunkBytes);

} // namespace kalver::demo
