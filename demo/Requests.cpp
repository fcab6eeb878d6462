#include "demo/Requests.h"

#include "core/ByteReader.h"

namespace kalver::demo {

QList<qint32> decodeStationList(QByteArrayView body) {
    QList<qint32> stations;
    ByteReader r(body.data(), static_cast<std::size_t>(body.size()));
    stations.reserve(body.size() / 4);
    qint32 number;
    while (r.read(number))
        stations.append(number);
    return stations;
}

std::optional<StartRequest> decodeStartRequest(QByteArrayView body) {
    if (body.size() < kStartBodyFixedSize)
        return std::nullopt;
    const char* b = body.data();
    const qint32 n = loadLE<qint32>(b, 0);
    if (n < 0 || n > (body.size() - kStartBodyFixedSize) / 4)
        return std::nullopt;
    StartRequest request;
    request.order.frequency = loadLE<quint32>(b, 4);
    for (int j = 0; j < 16; ++j) {
        const int entry = 8 + 5 * j;
        const bool used = b[entry] != 0;
        request.order.channelModes[j] = used ? static_cast<quint8>(b[entry + 3]) : 0;
    }
    request.order.begin = loadLE<qint32>(b, 92);
    request.order.end = loadLE<qint32>(b, 96);
    request.order.useInclinometer = b[104] != 0;
    request.stations = decodeStationList(body.sliced(kStartBodyFixedSize, 4 * n));
    return request;
}

std::optional<QList<qint32>> decodeDownloadRequest(QByteArrayView body) {
    if (body.size() < 8)
        return std::nullopt;
    return decodeStationList(body.sliced(8));
}

std::optional<qint32> decodeLeadingNumber(QByteArrayView body) {
    if (body.size() < 4)
        return std::nullopt;
    return loadLE<qint32>(body.data(), 0);
}

std::optional<SubsystemRequest> decodeSubsystemRequest(QByteArrayView body) {
    if (body.size() < 12)
        return std::nullopt;
    const char* b = body.data();
    const quint32 charSize = loadLE<quint32>(b, 4);
    const quint32 n = loadLE<quint32>(b, 8);
    if (charSize != 2 || n > kMaxSubsystemKeyChars || 12 + 2 * static_cast<qsizetype>(n) > body.size())
        return std::nullopt;
    SubsystemRequest request;
    request.station = loadLE<qint32>(b, 0);
    request.key.resize(n);
    for (quint32 i = 0; i < n; ++i)
        request.key[i] = QChar(loadLE<quint16>(b, 12 + 2 * i));
    request.values = body.sliced(12 + 2 * n).toByteArray();
    return request;
}

} // namespace kalver::demo
