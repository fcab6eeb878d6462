#pragma once
// A client socket without a network, for tests and fuzz targets that drive the link directly: bytes
// given to feed() wait to be read and raise the data-readable event; writes are collected; the
// connection state, write failures and errors are set by the test.

#include "link/ClientSocket.h"

#include <QByteArray>

namespace kalver::test {

class MemoryClientSocket final : public link::ClientSocket {
    Q_OBJECT
public:
    explicit MemoryClientSocket(bool connected = true, QObject* parent = nullptr);

    bool open() override;
    void close() override;
    bool isConnected() const override { return m_connected; }
    qint64 write(const char* data, qint64 size) override;
    using ClientSocket::write;
    qint64 bytesWaiting() const override { return m_incoming.size() - m_readPos; }
    qint64 read(char* data, qint64 maxSize) override;

    // Makes `bytes` wait to be read and raises the data-readable event (unless `signal` is false).
    void feed(QByteArrayView bytes, bool signal = true);
    // Everything written so far.
    const QByteArray& written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    // The number of write calls so far.
    int writeCount() const { return m_writes; }
    // The number of read calls that returned bytes so far.
    int readCount() const { return m_reads; }
    // While set, writes on a connected socket fail with -1.
    void setWriteFails(bool fails) { m_writeFails = fails; }
    // Connects (raising the connected event) or drops the connection (raising disconnected).
    void setConnected(bool connected);
    int closeCount() const { return m_closes; }

private:
    bool m_connected;
    bool m_writeFails = false;
    QByteArray m_incoming;
    qsizetype m_readPos = 0;
    QByteArray m_written;
    int m_writes = 0;
    int m_reads = 0;
    int m_closes = 0;
};

} // namespace kalver::test
