#pragma once
// The control socket: a loopback TCP port that takes the text commands of ControlCommands, one per
// line, so that a test or an operator can make the racks misbehave while they run.

#include "demo/ControlCommands.h"

#include <QObject>
#include <QTcpServer>

#include <map>

class QTcpSocket;

namespace kalver::demo {

class ControlServer : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLineBytes = 4096;

    // `afterCommand` runs after every command (the program sends queued notices then).
    ControlServer(ControlCommands& commands, std::function<void()> afterCommand, QObject* parent = nullptr);
    ~ControlServer() override;

    bool listen(quint16 port);
    QString errorString() const { return m_server.errorString(); }
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();
    void receive(QTcpSocket* socket);

    ControlCommands& m_commands;
    std::function<void()> m_afterCommand;
    QTcpServer m_server;
    std::map<QTcpSocket*, QByteArray> m_partialLines;
};

} // namespace kalver::demo
