#pragma once
// Catalogue entries and stored chunks, byte for byte, for the tests of the file catalogue.

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <QByteArray>

#include <cstdint>

namespace kalver::test {

// An entry of a "qm7  521" station: samples at 16/24, frequency at 44, start at 48, valid flag at 124.
inline QByteArray validFlagEntry(quint64 first, quint64 last, quint32 frequency, quint32 start, qint32 valid) {
    QByteArray e(256, '\x5A');
    storeLE(e.data(), 16, first);
    storeLE(e.data(), 24, last);
    storeLE(e.data(), 44, frequency);
    storeLE(e.data(), 48, start);
    storeLE(e.data(), 124, valid);
    return e;
}

// An entry of any other station type: -1 at 0 marks an empty slot; samples 32/40, start 76, frequency 80.
inline QByteArray emptyMarkEntry(bool empty, quint64 first, quint64 last, quint32 start, quint32 frequency) {
    QByteArray e(256, '\x5A');
    storeLE(e.data(), 0, empty ? qint32(-1) : qint32(0));
    storeLE(e.data(), 32, first);
    storeLE(e.data(), 40, last);
    storeLE(e.data(), 76, start);
    storeLE(e.data(), 80, frequency);
    return e;
}

// A chunk as the link stores it: station number, data length, chunk index, data.
inline QByteArray storedChunk(std::int32_t station, std::int32_t index, const QByteArray& data) {
    return ByteWriter().putI32(station).putI32(static_cast<std::int32_t>(data.size())).putI32(index).putBytes(data).take();
}

inline const QByteArray kType521("qm7  521", 8);
inline const QByteArray kType52("qm7  52\0", 8);

} // namespace kalver::test
