#include "session/SyncLink.h"

#include "link/ClientSocket.h"
#include "session/ClusterInWork.h"
#include "session/SessionWindows.h"
#include "session/SyncLabel.h"
#include "session/TimeRequest.h"

#include <array>

namespace kalver::session {

namespace {
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

QString numbered(const char16_t* text, int number) { return QString::fromUtf16(text) + QString::number(number); }

// Socket errors that end the link without a reason worth naming.
bool reasonLess(int errorCode) {
    return errorCode == link::kErrorConnectionAborted || errorCode == link::kErrorConnectionReset ||
           errorCode == link::kErrorConnectionRefused;
}

void setLabel(int cluster, const char16_t* text) { sessionWindows().setSyncLabel(cluster, QString::fromUtf16(text)); }
} // namespace

SyncLink::SyncLink(link::ClusterList& list, QObject* parent) : QObject(parent), m_list(list) {}

void SyncLink::attach(int cluster) {
    link::TKlvRack* rack = m_list.find(cluster);
    if (!rack || !rack->syncConnection())
        return;
    link::ClientSocket* socket = rack->syncConnection();
    connect(socket, &link::ClientSocket::connected, this, [this, socket] { onConnected(socket); });
    connect(socket, &link::ClientSocket::disconnected, this, [this, socket] { onDisconnected(socket); });
    connect(socket, &link::ClientSocket::errorOccurred, this,
            [this, socket](int& errorCode) { onError(socket, errorCode); });
    connect(socket, &link::ClientSocket::readyRead, this, [this, socket] {
        const int p = m_list.findBySyncSocket(socket);
        if (p >= 0)
            takeTimeAnswer(p);
    });
}

void SyncLink::sendTimeRequest(int cluster) {
    link::TKlvRack* rack = m_list.find(cluster);
    if (!rack || !rack->syncConnection() || !rack->syncConnection()->isConnected())
        return;
    const QByteArray request = timeRequest();
    if (rack->syncConnection()->write(request) < request.size())
        log(numbered(sync_text::kCannotSend, cluster + 1), false, kRed);
}

void SyncLink::takeTimeAnswer(int cluster) {
    link::TKlvRack* rack = m_list.find(cluster);
    if (!rack || !rack->syncConnection())
        return;
    link::ClientSocket& socket = *rack->syncConnection();
    if (socket.bytesWaiting() < kTimeAnswerMinSize)
        return;

    // Everything waiting is one answer: its first bytes are kept, the rest is read and dropped.
    QByteArray answerBytes(kTimeAnswerMinSize, '\0');
    qint64 kept = socket.read(answerBytes.data(), kTimeAnswerMinSize);
    std::array<char, 4096> discard{};
    while (socket.bytesWaiting() > 0 && socket.read(discard.data(), qint64(discard.size())) > 0) {
    }
    const std::optional<TimeAnswer> answer = readTimeAnswer(QByteArrayView(answerBytes.constData(), kept));
    if (!answer)
        return;

    if (answer->error) {
        setLabel(cluster, sync_label::kLinkError);
        rack->syncTimeValid = false;
        log(numbered(sync_text::kBroken, cluster + 1) + QString::fromUtf16(sync_text::kReason) +
                QString::fromUtf16(sync_text::kLinkErrorReason),
            false, kBlue);
        return;
    }
    rack->syncTime = TDateTime::fromUnixSeconds(answer->seconds);
    sessionWindows().setSyncLabel(cluster, sync_label::forSeconds(answer->seconds));
    rack->syncTimeValid = true;
}

void SyncLink::tick() {
    if (sessionWindows().stationDataVisible())
        return;
    for (int p = 0; p < m_list.count(); ++p) {
        link::TKlvRack& rack = m_list.at(p);
        if (!clusterInWork(rack))
            continue;
        bool tuning = false;
        for (const link::TKlvStation& station : rack.stations)
            tuning = tuning || station.isGeneratorTuning();
        if (tuning) {
            setLabel(p, sync_label::kGeneratorTuning);
            continue;
        }
        if (!rack.syncTimeValid) {
            setLabel(p, sync_label::kNotConnected);
            takeTimeAnswer(p);
        }
        sendTimeRequest(p);
        rack.syncTimeValid = false;
    }
}

void SyncLink::onConnected(QObject* socket) {
    const int p = m_list.findBySyncSocket(socket);
    if (p < 0)
        return;
    log(numbered(sync_text::kConnected, p + 1), false, kBlue);
    m_list.at(p).syncTimeValid = false;
    sendTimeRequest(p);
}

void SyncLink::onDisconnected(QObject* socket) {
    const int p = m_list.findBySyncSocket(socket);
    if (p < 0)
        return;
    log(numbered(sync_text::kBroken, p + 1), false, kBlue);
    markNotConnected(p);
}

void SyncLink::onError(QObject* socket, int& errorCode) {
    const int p = m_list.findBySyncSocket(socket);
    if (p < 0)
        return;
    const int code = errorCode;
    errorCode = 0;
    m_list.at(p).syncConnection()->close();
    // Closing may have raised the disconnection event; the record is looked up again.
    const int q = m_list.findBySyncSocket(socket);
    if (q < 0)
        return;
    markNotConnected(q);
    QString text = numbered(sync_text::kBroken, q + 1);
    if (!reasonLess(code))
        text += QString::fromUtf16(sync_text::kReason) + QString::number(code);
    log(text, true, kRed);
}

void SyncLink::markNotConnected(int cluster) {
    link::TKlvRack& rack = m_list.at(cluster);
    rack.syncTimeValid = false;
    rack.syncTime = TDateTime(-1.0);
    setLabel(cluster, sync_label::kNotConnected);
}

void SyncLink::log(const QString& text, bool bold, const QColor& colour) {
    m_list.observer().logLine(text, bold, colour);
}

} // namespace kalver::session
