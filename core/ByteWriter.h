#pragma once
// Little-endian building of message bodies and binary files.

#include <QByteArray>
#include <cstdint>
#include <type_traits>

namespace kalver {

class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(qsizetype reserve) { m_bytes.reserve(reserve); }

    template <typename T>
    ByteWriter& put(T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
        return *this;
    }
    ByteWriter& putU8(std::uint8_t v) { return put(v); }
    ByteWriter& putU16(std::uint16_t v) { return put(v); }
    ByteWriter& putI32(std::int32_t v) { return put(v); }
    ByteWriter& putU32(std::uint32_t v) { return put(v); }
    ByteWriter& putBytes(const QByteArray& b) { m_bytes.append(b); return *this; }
    ByteWriter& putBytes(const void* data, qsizetype n) {
        m_bytes.append(static_cast<const char*>(data), n);
        return *this;
    }

    const QByteArray& bytes() const { return m_bytes; }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

} // namespace kalver
