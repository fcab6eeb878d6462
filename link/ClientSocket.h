#pragma once
// The non-blocking TCP client socket of a cluster connection or a sync-server connection, with the
// operations and events the link relies on. Everything happens on the user-interface thread: the
// events are Qt signals delivered by the event loop, and no operation blocks.
//
// Operations: open (asynchronous connect to address:port), close, connected?, write (the bytes taken;
// -1 when the write failed; 0 when not connected), bytes waiting, read up to n bytes.
// Events: connected, disconnected, error with a system error code that a handler may clear (set to 0)
// to suppress any further report, data readable.
//
// The system error codes: connection refused 10061, timed out 10060, host not found 11001, any other
// failure 10053. A peer's orderly close and a peer's reset are both the disconnection event, not an
// error. After an error the socket is closed (a disconnection event follows when it was connected).
//
// TcpClientSocket is the implementation over QTcpSocket; tests and fuzz targets may supply others.
// Each socket carries the reassembly buffer of the receive loop, which starts empty on every open.

#include "link/FrameBuffer.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>

namespace kalver::link {

inline constexpr int kErrorConnectionAborted = 10053;
inline constexpr int kErrorConnectionReset = 10054;
inline constexpr int kErrorTimedOut = 10060;
inline constexpr int kErrorConnectionRefused = 10061;
inline constexpr int kErrorHostNotFound = 11001;

class ClientSocket : public QObject {
    Q_OBJECT
public:
    explicit ClientSocket(QObject* parent = nullptr) : QObject(parent) {}
    ~ClientSocket() override = default;

    // The remote address text and the port as configured. The port is an integer read from the
    // settings; the connection uses its low 16 bits (151500 connects to 20428).
    QString address() const { return m_address; }
    void setAddress(const QString& address) { m_address = address; }
    int port() const { return m_port; }
    void setPort(int port) { m_port = port; }
    quint16 tcpPort() const { return static_cast<quint16>(static_cast<unsigned>(m_port) & 0xFFFFu); }

    // Starts connecting; the connected or error event tells the outcome. Returns false when the
    // connection cannot even be started. Opening an open or connecting socket does nothing.
    virtual bool open() = 0;
    // Closes the connection at once (a disconnection event follows when it was connected).
    virtual void close() = 0;
    virtual bool isConnected() const = 0;
    // Writes the whole buffer: returns its size, -1 when the write failed (the system refused it; the
    // socket has then reported the failure and closed), 0 when not connected.
    virtual qint64 write(const char* data, qint64 size) = 0;
    qint64 write(QByteArrayView bytes) { return write(bytes.data(), bytes.size()); }
    // Bytes received and not yet read.
    virtual qint64 bytesWaiting() const = 0;
    // Reads up to `maxSize` bytes; returns the bytes read (0 when none are waiting).
    virtual qint64 read(char* data, qint64 maxSize) = 0;

    // Raises the error event with `code`. A code that no handler cleared is written to the debug
    // output, the socket layer's own report.
    void raiseError(int code);

    // The receive loop's reassembly buffer (see ReceiveLoop.h).
    FrameBuffer& inbox() { return m_inbox; }

signals:
    void connected();
    void disconnected();
    // `errorCode` may be set to 0 by a handler: the error is then considered reported.
    void errorOccurred(int& errorCode);
    void readyRead();

private:
    QString m_address;
    int m_port = 0;
    FrameBuffer m_inbox;
};

} // namespace kalver::link
