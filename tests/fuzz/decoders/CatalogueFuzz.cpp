// Arbitrary stored catalogue chunks put together into a station's file catalogue and read as its
// entries, as the file catalogue page does with what the cluster sent.
//
// Input: byte 0 bit 0 chooses the station type ("qm7  521" or another), bits 1-5 the station's number
// of files; the rest is a sequence of stored chunks, each a 16-bit little-endian size and that many
// bytes (fewer at the end of the input). The catalogue is asked for station 7.

#include "stationdata/CatalogueAssembly.h"
#include "stationdata/CatalogueEntries.h"

#include <QDateTime>

#include <cstddef>
#include <cstdint>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const QByteArray typeText = (data[0] & 1) ? QByteArray("qm7  521", 8) : QByteArray("qm7  52\0", 8);
    const std::int32_t fileCount = (data[0] >> 1) & 31;
    QList<QByteArray> chunks;
    std::size_t at = 1;
    while (at + 2 <= size) {
        const std::size_t n = std::min<std::size_t>(data[at] | (std::size_t(data[at + 1]) << 8), size - at - 2);
        at += 2;
        chunks.append(QByteArray(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(n)));
        at += n;
    }
    const stationdata::AssembledCatalogue catalogue = stationdata::assembleCatalogue(chunks, 7);
    qsizetype stored = 0;
    for (const QByteArray& c : chunks)
        stored += c.size();
    if (catalogue.bytes.size() > stored) // every chunk's data is joined once at most
        __builtin_trap();
    if (catalogue.foreignStation && !catalogue.bytes.isEmpty())
        __builtin_trap();
    const auto entries = stationdata::readCatalogueEntries(catalogue.bytes, typeText, fileCount);
    if (entries.size() > 16 || entries.size() > catalogue.bytes.size() / stationdata::kCatalogueEntrySize)
        __builtin_trap();
    for (const link::FileViewEntry& entry : entries) {
        const QDateTime begin = stationdata::fileBegin(entry);
        const QDateTime end = stationdata::fileEnd(entry);
        if (begin.isValid() && end.isValid() && end < begin)
            __builtin_trap();
    }
    return 0;
}
