#pragma once
// The sync-server link: the second connection of every cluster, to the rack's time source. The link
// asks every sync server for its date and time at each sync tick of a work session and shows the
// answer in the sync label of the cluster's rack header; the cluster record keeps the last time
// (sync time, sync time valid), which the start and stop commands check.
//
// Events of a cluster's sync-server connection, attached once per record:
//   connected      log "Установлено соединение с Синхросервером Кластера №N"; valid := false; ask the time
//   disconnected   log "Разорвано соединение …"; valid := false; time := −1; label " [не подключен]"
//   error e        close; label " [не подключен]"; valid := false; time := −1; log the broken link with
//                  " Причина: ошибка e" unless e is 10053, 10054 or 10061; the error is cleared
//   data readable  the time answer (fewer than 24 bytes: wait for more)
//
// Sync tick (every 5 s, not while the station data window is shown), for every cluster in work:
// a station tuning its generator shows " [настр.ген.]" and skips the cluster; otherwise, without a
// usable answer since the last tick the label shows " [не подключен]" and an answer already waiting
// is taken; then a new request goes out and valid := false.

#include "link/ClusterList.h"

#include <QObject>

namespace kalver::session {

namespace sync_text {
inline constexpr auto kConnected = u"Установлено соединение с Синхросервером Кластера №";
inline constexpr auto kBroken = u"Разорвано соединение с Синхросервером Кластера №";
inline constexpr auto kReason = u" Причина: ошибка ";
inline constexpr auto kLinkErrorReason = u"связи.";
inline constexpr auto kCannotSend = u"Не могу отправить запрос времени Синхросерверу Кластера №";
} // namespace sync_text

class SyncLink : public QObject {
    Q_OBJECT
public:
    explicit SyncLink(link::ClusterList& list, QObject* parent = nullptr);

    // Attaches the events of the sync-server connection of cluster `cluster`.
    void attach(int cluster);

    // Sends the 24-byte time request when the connection is up; a short write is logged.
    void sendTimeRequest(int cluster);
    // The time answer handler: takes everything waiting as one answer once 24 bytes are there.
    void takeTimeAnswer(int cluster);
    // One sync tick over the clusters in work.
    void tick();

private:
    void onConnected(QObject* socket);
    void onDisconnected(QObject* socket);
    void onError(QObject* socket, int& errorCode);
    void markNotConnected(int cluster);
    void log(const QString& text, bool bold, const QColor& colour);

    link::ClusterList& m_list;
};

} // namespace kalver::session
