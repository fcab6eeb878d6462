#pragma once
// The sync server's own small protocol. A time request is 24 bytes: AA 55, the frame size − 2 (22) as
// a 16-bit number, a check byte (exclusive-or of bytes 5…23), 00 00 01 and a constant 16-byte body.
// The answer has the same 8-byte head, the error flag at byte 11 and the UTC time in Unix seconds at
// byte 16 (-1 = not determined).

#include <QByteArray>

#include <optional>

namespace kalver::demo {

inline constexpr int kSyncFrameSize = 24;
inline constexpr int kSyncErrorFlagOffset = 11;
inline constexpr int kSyncSecondsOffset = 16;

// Exclusive-or of bytes 5…23 of a 24-byte frame.
quint8 syncCheckByte(const char* frame);

QByteArray syncTimeRequest();
QByteArray syncTimeAnswer(qint32 seconds, bool error);

// Finds whole, well-formed time requests in a connection's bytes. Bytes that do not start a request
// are skipped until the next AA 55; at most a few kilobytes are kept.
class SyncRequestScanner {
public:
    static constexpr qsizetype kMaxBuffered = 4096;

    void append(QByteArrayView bytes);
    // True once for every complete request found.
    bool next();

private:
    QByteArray m_buffer;
};

} // namespace kalver::demo
