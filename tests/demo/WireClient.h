#pragma once
// The tests' own client of the demonstration cluster: frames in the client's format out, answers cut
// by the answer format (length field − 3 bytes of payload; a length below 3 is a bare header), a line
// client for the control socket and a raw client for the sync server.

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTcpSocket>

#include <optional>

namespace kalver::demo::test {

struct AnswerFrame {
    quint16 magic = 0;
    quint32 length = 0;
    quint32 wireCode = 0;
    QByteArray payload;
};

class WireClient {
public:
    explicit WireClient(quint16 port);
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool waitForDisconnected(int timeoutMs = 10000);

    void send(int messageCode, const QByteArray& payload = {});
    void sendRaw(const QByteArray& bytes);

    // The first frame received (or with this wire code), removed from what was received; nothing
    // when none came within the time-out.
    std::optional<AnswerFrame> next(int timeoutMs = 10000);
    std::optional<AnswerFrame> next(quint32 wireCode, int timeoutMs = 10000);
    // Every frame received so far, removed.
    QList<AnswerFrame> takeAll();
    QTcpSocket& socket() { return m_socket; }

private:
    void cut();
    QTcpSocket m_socket;
    QByteArray m_buffer;
    QList<AnswerFrame> m_frames;
};

class ControlClient {
public:
    explicit ControlClient(quint16 port);
    // The answer lines up to and including "ok" or "error: …".
    QStringList command(const QString& line);
    // Runs `line` and gives its answer without the final "ok" (empty on an error).
    QStringList info(const QString& line);

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

// Sends one time request and gives the 24-byte answer.
std::optional<QByteArray> askSyncServer(quint16 port);

} // namespace kalver::demo::test
