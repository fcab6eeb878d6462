#pragma once
// The TCP side of one rack: listens where the client's settings put the cluster, keeps a reassembly
// buffer per connection, hands every whole request to the rack and sends its answers, with the rack's
// fault switches applied (silence, delays, broken frames, resets). Bad input never ends the program:
// a frame with a wrong magic or an unknown code is dropped, a length field beyond any request closes
// that connection only.

#include "demo/Frame.h"
#include "demo/Rack.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <map>

class QTcpSocket;

namespace kalver::demo {

class ClusterServer : public QObject {
    Q_OBJECT
public:
    ClusterServer(Rack& rack, QObject* parent = nullptr);
    ~ClusterServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const { return m_server.errorString(); }
    QHostAddress address() const { return m_server.serverAddress(); }
    quint16 port() const { return m_server.serverPort(); }
    Rack& rack() { return m_rack; }

    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // Whole frames taken from all connections since the start.
    qint64 framesReceived() const { return m_framesReceived; }
    // Sends a notice (wire code 114 payload) on every connection.
    void broadcastNotice(const QByteArray& payload);
    // Resets every connection (TCP RST), as a cluster whose controller restarts would.
    void resetConnections();

private:
    struct Connection {
        RequestSplitter splitter;
        int frames = 0;
    };

    void accept();
    void receive(QTcpSocket* socket);
    void send(QTcpSocket* socket, const Reply& reply);
    void reset(QTcpSocket* socket);
    QString peer(QTcpSocket* socket) const;

    Rack& m_rack;
    QTcpServer m_server;
    std::map<QTcpSocket*, Connection> m_connections;
    qint64 m_framesReceived = 0;
};

} // namespace kalver::demo
