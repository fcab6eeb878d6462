#pragma once
// The bodies of the client's requests. Every decoder checks the sizes first; a body it cannot read is
// nothing, and the request is then dropped or refused by its handler.

#include "demo/Station.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace kalver::demo {

// A station list: the station numbers, 4 bytes each; a trailing partial number is ignored.
QList<qint32> decodeStationList(QByteArrayView body);

struct StartRequest {
    StartOrder order;        // its code is left for the caller to set
    QList<qint32> stations;
};
inline constexpr int kStartBodyFixedSize = 108;
// n, frequency, 16 channel entries of 5 bytes, inclinometer period, begin, end, inclinometer start,
// inclinometer use, 3 zero bytes, then n station numbers.
std::optional<StartRequest> decodeStartRequest(QByteArrayView body);

// Two time fields, then the station list.
std::optional<QList<qint32>> decodeDownloadRequest(QByteArrayView body);

// The first 4 bytes as a signed number: the access level of a permission request, the station of a
// file catalogue request.
std::optional<qint32> decodeLeadingNumber(QByteArrayView body);

struct SubsystemRequest {
    qint32 station = 0;
    QString key;        // station type key + "\" + file name
    QByteArray values;  // what follows the key (the entries of a write request)
};
// The longest subsystem key accepted, in characters.
inline constexpr quint32 kMaxSubsystemKeyChars = 1024;
// Station number, character size (2), key length n, n UTF-16 characters, then the values.
std::optional<SubsystemRequest> decodeSubsystemRequest(QByteArrayView body);

} // namespace kalver::demo
