#pragma once
// Bounds-checked little-endian reading of bytes that came from a cluster, a sync server or a file.
// Every read checks the remaining length first; a read past the end fails and leaves the reader
// at its position, so a decoder turns short input into its result code instead of reading garbage.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>

namespace kalver {

class ByteReader {
public:
    ByteReader(const void* data, std::size_t size)
        : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}

    std::size_t size() const { return m_size; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos >= m_size; }
    const std::uint8_t* current() const { return m_data + m_pos; }

    // Reads a trivially copyable value (integers, float, double) stored little-endian.
    template <typename T>
    bool read(T& out) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (remaining() < sizeof(T))
            return false;
        std::memcpy(&out, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return true;
    }

    template <typename T>
    std::optional<T> read() {
        T value{};
        if (!read(value))
            return std::nullopt;
        return value;
    }

    bool readBytes(void* out, std::size_t n) {
        if (remaining() < n)
            return false;
        std::memcpy(out, m_data + m_pos, n);
        m_pos += n;
        return true;
    }

    bool skip(std::size_t n) {
        if (remaining() < n)
            return false;
        m_pos += n;
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Reads a little-endian value at a fixed offset of a block whose size is known to be large enough.
template <typename T>
T loadLE(const void* base, std::size_t offset) {
    static_assert(std::is_trivially_copyable_v<T>);
    T value;
    std::memcpy(&value, static_cast<const std::uint8_t*>(base) + offset, sizeof(T));
    return value;
}

template <typename T>
void storeLE(void* base, std::size_t offset, T value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(static_cast<std::uint8_t*>(base) + offset, &value, sizeof(T));
}

} // namespace kalver
