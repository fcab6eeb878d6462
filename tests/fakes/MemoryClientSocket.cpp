#include "fakes/MemoryClientSocket.h"

#include <cstring>

namespace kalver::test {

MemoryClientSocket::MemoryClientSocket(bool connected, QObject* parent)
    : ClientSocket(parent), m_connected(connected) {}

bool MemoryClientSocket::open() {
    if (!m_connected)
        setConnected(true);
    return true;
}

void MemoryClientSocket::close() {
    ++m_closes;
    if (m_connected)
        setConnected(false);
}

qint64 MemoryClientSocket::write(const char* data, qint64 size) {
    if (!m_connected)
        return 0;
    ++m_writes;
    if (m_writeFails)
        return -1;
    m_written.append(data, static_cast<qsizetype>(size));
    return size;
}

qint64 MemoryClientSocket::read(char* data, qint64 maxSize) {
    const qint64 n = qMin(maxSize, bytesWaiting());
    if (n <= 0)
        return 0;
    std::memcpy(data, m_incoming.constData() + m_readPos, static_cast<std::size_t>(n));
    m_readPos += static_cast<qsizetype>(n);
    ++m_reads;
    if (m_readPos == m_incoming.size()) {
        m_incoming.clear();
        m_readPos = 0;
    }
    return n;
}

void MemoryClientSocket::feed(QByteArrayView bytes, bool signal) {
    m_incoming.append(bytes.data(), bytes.size());
    if (signal)
        emit readyRead();
}

void MemoryClientSocket::setConnected(bool connected) {
    if (connected == m_connected)
        return;
    m_connected = connected;
    if (connected) {
        inbox().clear();
        emit this->connected();
    } else {
        m_incoming.clear();
        m_readPos = 0;
        emit disconnected();
    }
}

} // namespace kalver::test
