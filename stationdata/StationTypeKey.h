#pragma once
// The station type key: the name of a station type's subsystem folder "Subsystems/<key>/". It is the
// 16-digit upper-case hexadecimal form of the little-endian 64-bit number made of bytes 0 ... 6 of the
// station's 8-byte type text with a zero top byte: a type text starting 41 42 43 44 45 46 47 gives
// "0047464544434241". A shorter text counts as padded with zero bytes.

#include <QByteArrayView>
#include <QString>

namespace kalver::stationdata {

QString stationTypeKey(QByteArrayView typeText);

} // namespace kalver::stationdata
