#pragma once
// Framing on a cluster connection. The client sends magic 0xAA55 (bytes 55 AA), a reserved word, the
// payload length and the wire code (message code + 100), then the payload. The cluster answers with
// magic 0x55AA (bytes AA 55) and a length field that counts 3 bytes more than the payload it carries.

#include <QByteArray>

#include <optional>

namespace kalver::demo {

inline constexpr quint16 kRequestMagic = 0xAA55;
inline constexpr quint16 kReplyMagic = 0x55AA;
inline constexpr int kHeaderSize = 12;
// No request of the client comes near this; a larger length field means the stream is not ours.
inline constexpr quint32 kMaxRequestPayload = 64 * 1024;

struct Request {
    bool magicOk = false;
    quint32 wireCode = 0;
    QByteArray payload;
    int messageCode() const { return static_cast<int>(wireCode) - 100; }
};

// Cuts a connection's incoming bytes into whole frames, keeping what is not complete yet.
class RequestSplitter {
public:
    void append(QByteArrayView bytes);
    // The next complete frame, or nothing while more bytes are due. After a length field above
    // kMaxRequestPayload the splitter has failed and gives nothing more: the connection is closed.
    std::optional<Request> next();
    bool failed() const { return m_failed; }
    qsizetype buffered() const { return m_buffer.size() - m_offset; }

private:
    QByteArray m_buffer;
    qsizetype m_offset = 0;
    bool m_failed = false;
};

// Ways to break an answer on purpose (fault switches).
enum class Malformation {
    None,
    WrongMagic,  // the client's own magic 0xAA55 instead of 0x55AA
    UnknownCode, // wire code 199
    ShortLength, // a bare header whose length field is 2, below the 3 every frame counts
};

inline constexpr quint32 kUnknownWireCode = 199;

// A whole answer frame carrying `payload` under `wireCode`.
QByteArray replyFrame(quint32 wireCode, QByteArrayView payload, Malformation malformation = Malformation::None);

// A whole request frame, as the client builds it (used by the tests' own client).
QByteArray requestFrame(int messageCode, QByteArrayView payload);

} // namespace kalver::demo
