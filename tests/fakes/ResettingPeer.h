#pragma once
// A loopback listener whose one accepted connection can be reset on demand (the peer goes away with a
// TCP reset, as a rack controller that crashes or drops the link does), so that a client's next write
// is refused by the system while the client has not yet seen any event about it.

#include <QTcpServer>

class QTcpSocket;

namespace kalver::test {

class ResettingPeer {
public:
    ResettingPeer();
    ~ResettingPeer();
    ResettingPeer(const ResettingPeer&) = delete;
    ResettingPeer& operator=(const ResettingPeer&) = delete;

    quint16 port() const { return m_server.serverPort(); }
    // Waits (processing events) until a client has connected.
    bool waitForClient(int timeoutMs = 10000);
    // Resets the accepted connection, then waits, without processing any event of the client's, until
    // the system has delivered the reset to the client's socket `clientDescriptor`.
    bool resetAndWait(qintptr clientDescriptor, int timeoutMs = 10000);

private:
    QTcpServer m_server;
    QTcpSocket* m_accepted = nullptr;
};

} // namespace kalver::test
