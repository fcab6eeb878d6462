#include "link/TcpClientSocket.h"

#include <QTcpSocket>

namespace kalver::link {

int systemErrorCode(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return kErrorConnectionRefused;
    case QAbstractSocket::SocketTimeoutError: return kErrorTimedOut;
    case QAbstractSocket::HostNotFoundError: return kErrorHostNotFound;
    default: return kErrorConnectionAborted;
    }
}

TcpClientSocket::TcpClientSocket(QObject* parent) : ClientSocket(parent), m_socket(new QTcpSocket(this)) {
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        inbox().clear();
        emit connected();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this] { emit disconnected(); });
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { emit readyRead(); });
    connect(m_socket, &QTcpSocket::errorOccurred, this, &TcpClientSocket::onError);
}

TcpClientSocket::TcpClientSocket(const QString& address, int port, QObject* parent) : TcpClientSocket(parent) {
    setAddress(address);
    setPort(port);
}

TcpClientSocket::~TcpClientSocket() {
    // No events from a socket that is going away.
    m_socket->disconnect(this);
    m_socket->abort();
}

bool TcpClientSocket::open() {
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        return true;
    if (address().trimmed().isEmpty())
        return false;
    inbox().clear();
    m_socket->connectToHost(address(), tcpPort());
    return true;
}

void TcpClientSocket::close() {
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        return;
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->flush();
    m_socket->abort();
}

bool TcpClientSocket::isConnected() const { return m_socket->state() == QAbstractSocket::ConnectedState; }

qint64 TcpClientSocket::write(const char* data, qint64 size) {
    if (!isConnected())
        return 0;
    const qint64 taken = m_socket->write(data, size);
    if (taken < 0)
        return -1;
    // Hand the bytes to the system now rather than at the next turn of the event loop. Qt queues
    // whatever it is given; when the system then refuses the bytes (the peer has reset the
    // connection, a network failure), the socket reports its error or disconnection right here and is
    // closed: the write failed.
    m_socket->flush();
    if (!isConnected())
        return -1;
    return taken;
}

qint64 TcpClientSocket::bytesWaiting() const { return m_socket->bytesAvailable(); }

qint64 TcpClientSocket::read(char* data, qint64 maxSize) {
    const qint64 n = m_socket->read(data, maxSize);
    return n < 0 ? 0 : n;
}

void TcpClientSocket::onError(QAbstractSocket::SocketError error) {
    // A peer's close or reset: Qt follows it with disconnected(), which is the event for it.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    raiseError(systemErrorCode(error));
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort();
}

} // namespace kalver::link
