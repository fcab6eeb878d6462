#include "WireClient.h"

#include "DemoProcess.h"
#include "demo/Frame.h"
#include "demo/SyncProtocol.h"
#include "core/ByteReader.h"

namespace kalver::demo::test {

WireClient::WireClient(quint16 port) {
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    waitUntil([&] { return isConnected() || m_socket.state() == QAbstractSocket::UnconnectedState; });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] {
        m_buffer += m_socket.readAll();
        cut();
    });
}

bool WireClient::waitForDisconnected(int timeoutMs) {
    return waitUntil([&] { return m_socket.state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
}

void WireClient::send(int messageCode, const QByteArray& payload) { sendRaw(requestFrame(messageCode, payload)); }

void WireClient::sendRaw(const QByteArray& bytes) {
    m_socket.write(bytes);
    m_socket.flush();
}

void WireClient::cut() {
    for (;;) {
        if (m_buffer.size() < 12)
            return;
        AnswerFrame f;
        f.magic = loadLE<quint16>(m_buffer.constData(), 0);
        f.length = loadLE<quint32>(m_buffer.constData(), 4);
        f.wireCode = loadLE<quint32>(m_buffer.constData(), 8);
        const qsizetype payload = f.length < 3 ? 0 : static_cast<qsizetype>(f.length) - 3;
        if (m_buffer.size() < 12 + payload)
            return;
        f.payload = m_buffer.mid(12, payload);
        m_buffer.remove(0, 12 + payload);
        m_frames.append(f);
    }
}

std::optional<AnswerFrame> WireClient::next(int timeoutMs) {
    if (!waitUntil([&] { return !m_frames.isEmpty(); }, timeoutMs))
        return std::nullopt;
    return m_frames.takeFirst();
}

std::optional<AnswerFrame> WireClient::next(quint32 wireCode, int timeoutMs) {
    auto find = [&] {
        return std::find_if(m_frames.begin(), m_frames.end(), [&](const AnswerFrame& f) { return f.wireCode == wireCode; });
    };
    if (!waitUntil([&] { return find() != m_frames.end(); }, timeoutMs))
        return std::nullopt;
    const auto it = find();
    AnswerFrame f = *it;
    m_frames.erase(it);
    return f;
}

QList<AnswerFrame> WireClient::takeAll() { return std::exchange(m_frames, {}); }

ControlClient::ControlClient(quint16 port) {
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    waitUntil([&] { return m_socket.state() == QAbstractSocket::ConnectedState; });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { m_buffer += m_socket.readAll(); });
}

QStringList ControlClient::command(const QString& line) {
    m_socket.write((line + u'\n').toUtf8());
    m_socket.flush();
    QStringList answer;
    waitUntil([&] {
        qsizetype end;
        while ((end = m_buffer.indexOf('\n')) >= 0) {
            answer << QString::fromUtf8(m_buffer.left(end));
            m_buffer.remove(0, end + 1);
        }
        return !answer.isEmpty() && (answer.last() == u"ok" || answer.last().startsWith(u"error"));
    });
    return answer;
}

QStringList ControlClient::info(const QString& line) {
    QStringList answer = command(line);
    if (answer.isEmpty() || answer.last() != u"ok")
        return {};
    answer.removeLast();
    return answer;
}

std::optional<QByteArray> askSyncServer(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!waitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }))
        return std::nullopt;
    socket.write(syncTimeRequest());
    QByteArray answer;
    if (!waitUntil([&] {
            answer += socket.readAll();
            return answer.size() >= kSyncFrameSize;
        }))
        return std::nullopt;
    return answer;
}

} // namespace kalver::demo::test
