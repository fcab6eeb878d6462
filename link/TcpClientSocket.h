#pragma once
// The client socket over QTcpSocket (see ClientSocket.h for the operations and events).

#include "link/ClientSocket.h"

#include <QAbstractSocket>

class QTcpSocket;

namespace kalver::link {

// The system error code of a Qt socket error: refused 10061, timed out 10060, host not found 11001,
// any other 10053. (A peer's close is the disconnection event and never reaches this mapping.)
int systemErrorCode(QAbstractSocket::SocketError error);

class TcpClientSocket final : public ClientSocket {
    Q_OBJECT
public:
    explicit TcpClientSocket(QObject* parent = nullptr);
    TcpClientSocket(const QString& address, int port, QObject* parent = nullptr);
    ~TcpClientSocket() override;

    bool open() override;
    void close() override;
    bool isConnected() const override;
    qint64 write(const char* data, qint64 size) override;
    using ClientSocket::write;
    qint64 bytesWaiting() const override;
    qint64 read(char* data, qint64 maxSize) override;

    // The underlying socket, for diagnostics and tests.
    QTcpSocket* socket() const { return m_socket; }

private:
    void onError(QAbstractSocket::SocketError error);

    QTcpSocket* m_socket;
};

} // namespace kalver::link
