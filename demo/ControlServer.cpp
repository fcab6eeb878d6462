#include "demo/ControlServer.h"

#include <QTcpSocket>

namespace kalver::demo {

ControlServer::ControlServer(ControlCommands& commands, std::function<void()> afterCommand, QObject* parent)
    : QObject(parent), m_commands(commands), m_afterCommand(std::move(afterCommand)) {
    connect(&m_server, &QTcpServer::newConnection, this, &ControlServer::accept);
}

ControlServer::~ControlServer() {
    for (const auto& [socket, line] : m_partialLines)
        socket->disconnect(this);
}

bool ControlServer::listen(quint16 port) { return m_server.listen(QHostAddress::LocalHost, port); }

void ControlServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_partialLines.emplace(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_partialLines.erase(socket);
            socket->deleteLater();
        });
    }
}

void ControlServer::receive(QTcpSocket* socket) {
    const auto it = m_partialLines.find(socket);
    if (it == m_partialLines.end())
        return;
    QByteArray& pending = it->second;
    pending += socket->readAll();
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending.left(end)).trimmed();
        pending.remove(0, end + 1);
        if (line.isEmpty())
            continue;
        const QStringList answer = m_commands.execute(line);
        socket->write((answer.join(u'\n') + u'\n').toUtf8());
        socket->flush(); // out before a "quit" ends the event loop
        if (m_afterCommand)
            m_afterCommand();
    }
    if (pending.size() > kMaxLineBytes) {
        socket->write("error: line too long\n");
        pending.clear();
    }
}

} // namespace kalver::demo
