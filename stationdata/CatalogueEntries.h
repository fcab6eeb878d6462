#pragma once
// The entries of a station's file catalogue: whole 256-byte entries, entry j describing file j, in one
// of two layouts chosen by the station's 8-byte type text (little-endian numbers):
//
//   "qm7  521"                           every other type
//   16  8  first sample number           0   4  -1: empty slot, not valid; else valid
//   24  8  last sample number            32  8  first sample number
//   44  4  sampling frequency            40  8  last sample number
//   48  4  start time (s since 1970)     76  4  start time
//   124 4  valid flag (non-zero: valid)  80  4  sampling frequency
//
// With the second layout only the entries below the station's number of files are read; the others
// are not valid. A page shows at most 16 files, so only the first 16 entries are read; a remainder
// shorter than an entry is ignored.
//
// The time range of a file: it begins at its start time (read as a wall-clock reading, no zone
// conversion) and lasts (last - first sample number, unsigned) / sampling frequency seconds. A
// frequency of zero gives a file of no duration; an end beyond 31.12.9999 23:59:59 is held there.

#include "link/TKlvRack.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>

#include <cstdint>

namespace kalver::stationdata {

inline constexpr qsizetype kCatalogueEntrySize = 256;

enum class CatalogueLayout { ValidFlagAt124, EmptyMarkAt0 };

CatalogueLayout catalogueLayout(QByteArrayView typeText);

// The entries 0 ... min(entries in `catalogue`, 16) - 1.
QList<link::FileViewEntry> readCatalogueEntries(QByteArrayView catalogue, QByteArrayView typeText,
                                                std::int32_t fileCount);

// Wall-clock readings (Qt::UTC used as a plain clock, millisecond precision).
QDateTime fileBegin(const link::FileViewEntry& entry);
QDateTime fileEnd(const link::FileViewEntry& entry);

} // namespace kalver::stationdata
