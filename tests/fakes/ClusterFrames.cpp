#include "fakes/ClusterFrames.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <cstring>

namespace kalver::test {

namespace frames {

QByteArray clusterFrame(std::uint32_t wireCode, QByteArrayView payload, std::optional<std::uint32_t> lengthField,
                        std::uint16_t magic) {
    ByteWriter w(12 + payload.size());
    w.putU16(magic)
        .putU16(0)
        .putU32(lengthField.value_or(static_cast<std::uint32_t>(payload.size()) + 3))
        .putU32(wireCode)
        .putBytes(payload.data(), payload.size());
    return w.take();
}

QByteArray statusPayload(const QList<link::StatusBlock>& blocks) {
    QByteArray out;
    out.reserve(blocks.size() * static_cast<qsizetype>(link::kStatusBlockSize));
    for (const link::StatusBlock& b : blocks)
        out.append(reinterpret_cast<const char*>(b.bytes().data()), static_cast<qsizetype>(link::kStatusBlockSize));
    return out;
}

QByteArray statusReport(const QList<link::StatusBlock>& blocks) { return clusterFrame(102, statusPayload(blocks)); }

QByteArray acknowledgement(int code, const QList<link::StatusBlock>& blocks) {
    return clusterFrame(static_cast<std::uint32_t>(code + 100), statusPayload(blocks));
}

QByteArray chunkPayload(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data) {
    ByteWriter w(12 + data.size());
    w.putI32(station).putI32(count).putI32(index).putBytes(data.data(), data.size());
    return w.take();
}

QByteArray catalogueChunk(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data) {
    return clusterFrame(105, chunkPayload(station, count, index, data));
}

QByteArray downloadChunk(std::int32_t station, std::int32_t count, std::int32_t index, QByteArrayView data) {
    return clusterFrame(106, chunkPayload(station, count, index, data));
}

QByteArray refusal(std::uint32_t wireCode) { return clusterFrame(wireCode, QByteArray(1, '\xFF')); }

QByteArray subsystemData(QByteArrayView values) { return clusterFrame(112, values); }

QByteArray saveResult(std::int32_t word) {
    ByteWriter w;
    w.putI32(word);
    return clusterFrame(113, w.bytes());
}

QByteArray noticePayload(std::uint32_t flags, const QString& text, std::uint32_t charSize) {
    const auto bytes = static_cast<std::uint32_t>(text.size() * 2);
    ByteWriter w;
    w.putU32(flags).putU32(bytes).putU32(charSize);
    for (QChar c : text)
        w.putU16(c.unicode());
    return w.take();
}

QByteArray notice(std::uint32_t flags, const QString& text) { return clusterFrame(114, noticePayload(flags, text)); }

QByteArray permissionAnswer(std::int32_t word) {
    ByteWriter w;
    w.putI32(word);
    return clusterFrame(101, w.bytes());
}

link::StatusBlock quietStation(std::int32_t number) {
    link::StatusBlock b;
    b.setNumber(number)
        .setChargeLevel(100)
        .setPressure(101325)
        .setStationTime(1700000000)
        .setSamplesRecorded(0)
        .setFreeMemory(90)
        .setFileCount(0)
        .setGeneratorError(-1.0)
        .setGeneratorFrequency(-1.0)
        .setGeneratorTime(-1);
    return b;
}

} // namespace frames

namespace sync {

QByteArray timeRequest() {
    QByteArray r(24, '\0');
    r[0] = '\xAA';
    r[1] = '\x55';
    r[2] = 22;
    r[7] = 1;
    const unsigned char body[16] = {0x00, 0xFF, 0x0C, 0x00, 0x0D, 0x00, 0x00, 0x00,
                                    0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::memcpy(r.data() + 8, body, sizeof body);
    unsigned char check = 0;
    for (int i = 5; i < 24; ++i)
        check ^= static_cast<unsigned char>(r[i]);
    r[4] = static_cast<char>(check);
    return r;
}

QByteArray timeAnswer(std::int32_t seconds, bool error, int size) {
    QByteArray a(qMax(size, 20), '\0');
    a[0] = '\xAA';
    a[1] = '\x55';
    a[11] = error ? 1 : 0;
    storeLE(a.data(), 16, seconds);
    a.truncate(size);
    return a;
}

} // namespace sync

std::optional<ClientFrame> ClientFrameReader::next() {
    if (m_bytes.size() < 12)
        return std::nullopt;
    ClientFrame f;
    f.magic = loadLE<std::uint16_t>(m_bytes.constData(), 0);
    f.reserved = loadLE<std::uint16_t>(m_bytes.constData(), 2);
    f.payloadLength = loadLE<std::uint32_t>(m_bytes.constData(), 4);
    f.wireCode = loadLE<std::uint32_t>(m_bytes.constData(), 8);
    const qint64 total = 12 + static_cast<qint64>(f.payloadLength);
    if (m_bytes.size() < total)
        return std::nullopt;
    f.payload = m_bytes.mid(12, static_cast<qsizetype>(f.payloadLength));
    f.raw = m_bytes.left(static_cast<qsizetype>(total));
    m_bytes.remove(0, static_cast<qsizetype>(total));
    return f;
}

QList<ClientFrame> readClientFrames(QByteArrayView bytes) {
    ClientFrameReader reader;
    reader.append(bytes);
    QList<ClientFrame> out;
    while (std::optional<ClientFrame> f = reader.next())
        out.append(*f);
    return out;
}

} // namespace kalver::test
