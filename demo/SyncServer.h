#pragma once
// A sync server: answers every time request with the present UTC time. The client reaches the sync
// server of a cluster at the cluster's address and the one sync port of its settings, so the racks
// served on one address share one sync server: it answers with the time -1 while a station of any of
// them tunes its generator, and sets its error flag while one of them has the sync-error fault on.

#include "demo/Rack.h"
#include "demo/SyncProtocol.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include <functional>
#include <map>

class QTcpSocket;

namespace kalver::demo {

class SyncServer : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // Unix milliseconds

    SyncServer(QList<Rack*> racks, Clock clock = {}, QObject* parent = nullptr);
    ~SyncServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const { return m_server.errorString(); }
    QHostAddress address() const { return m_server.serverAddress(); }
    quint16 port() const { return m_server.serverPort(); }
    const QList<Rack*>& racks() const { return m_racks; }

    // The answer to a time request at this moment.
    QByteArray answer() const;

private:
    void accept();
    void receive(QTcpSocket* socket);

    QList<Rack*> m_racks;
    Clock m_clock;
    QTcpServer m_server;
    std::map<QTcpSocket*, SyncRequestScanner> m_scanners;
};

} // namespace kalver::demo
