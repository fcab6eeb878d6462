#include "demo/Frame.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

namespace kalver::demo {

void RequestSplitter::append(QByteArrayView bytes) {
    if (m_failed)
        return;
    if (m_offset > 0 && m_offset >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
    m_buffer.append(bytes);
}

std::optional<Request> RequestSplitter::next() {
    if (m_failed || buffered() < kHeaderSize)
        return std::nullopt;
    const char* header = m_buffer.constData() + m_offset;
    const quint32 length = loadLE<quint32>(header, 4);
    if (length > kMaxRequestPayload) {
        m_failed = true;
        m_buffer.clear();
        m_offset = 0;
        return std::nullopt;
    }
    if (buffered() < kHeaderSize + static_cast<qsizetype>(length))
        return std::nullopt;
    Request request;
    request.magicOk = loadLE<quint16>(header, 0) == kRequestMagic;
    request.wireCode = loadLE<quint32>(header, 8);
    request.payload = QByteArray(header + kHeaderSize, length);
    m_offset += kHeaderSize + length;
    if (m_offset == m_buffer.size()) {
        m_buffer.clear();
        m_offset = 0;
    }
    return request;
}

QByteArray replyFrame(quint32 wireCode, QByteArrayView payload, Malformation malformation) {
    ByteWriter w(kHeaderSize + payload.size());
    if (malformation == Malformation::ShortLength)
        return w.putU16(kReplyMagic).putU16(0).putU32(2).putU32(wireCode).take();
    w.putU16(malformation == Malformation::WrongMagic ? kRequestMagic : kReplyMagic);
    w.putU16(0);
    w.putU32(static_cast<quint32>(payload.size()) + 3);
    w.putU32(malformation == Malformation::UnknownCode ? kUnknownWireCode : wireCode);
    w.putBytes(payload.data(), payload.size());
    return w.take();
}

QByteArray requestFrame(int messageCode, QByteArrayView payload) {
    ByteWriter w(kHeaderSize + payload.size());
    w.putU16(kRequestMagic).putU16(0).putU32(static_cast<quint32>(payload.size()));
    w.putU32(static_cast<quint32>(messageCode + 100));
    w.putBytes(payload.data(), payload.size());
    return w.take();
}

} // namespace kalver::demo
