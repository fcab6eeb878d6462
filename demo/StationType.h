#pragma once
// The station types the demonstration racks hold. A type decides the 8-byte type text of the status
// block, the channels and preamplifiers a station carries, and the layout of its file catalogue
// entries. Both types share the first seven bytes of their text, hence one subsystem folder.

#include <QByteArray>
#include <QString>

namespace kalver::demo {

enum class StationKind { Qm7_521, Qm7_52 };

enum class CatalogueLayout {
    ValidFlagAt124, // "qm7  521": samples at 16/24, frequency 44, start 48, valid flag 124
    EmptyMarkAt0,   // every other type: -1 at 0 marks an empty slot; samples 32/40, start 76, frequency 80
};

struct StationType {
    StationKind kind;
    QByteArray text;       // exactly 8 bytes, as in the status block
    int channels;          // channels 0 … channels-1 are present
    int preampChannels;    // channels 0 … preampChannels-1 carry a preamplifier
    int maxPreampGainIndex; // preamplifier gains 2^0 … 2^max are available
    bool inclinometer;
    CatalogueLayout layout;
};

const StationType& stationType(StationKind kind);

// The station type key: the 16 upper-case hexadecimal digits of the little-endian number made of
// bytes 0…6 of the type text with a zero top byte. It names the type's subsystem folder.
QString stationTypeKey(QByteArrayView typeText);

} // namespace kalver::demo
