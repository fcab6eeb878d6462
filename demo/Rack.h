#pragma once
// One simulated rack: the stations behind one cluster, and the cluster's answers to the client's
// requests. Plain and socket-free: the cluster server hands it each request of a connection and sends
// what it answers; the program's tick moves it forward in time.

#include "demo/Faults.h"
#include "demo/Frame.h"
#include "demo/Station.h"
#include "demo/SubsystemData.h"
#include "demo/SubsystemLibrary.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <map>

namespace kalver::demo {

struct Reply {
    quint32 wireCode = 0;
    QByteArray payload;
    bool late = false; // an answer the slow-ack fault delays (everything but permission and poll)
};

class Rack {
public:
    using Clock = std::function<qint64()>; // real time, Unix milliseconds

    // A rack of stations with the given numbers, their types and histories drawn from `seed`.
    Rack(int number, const QList<qint32>& stationNumbers, quint32 seed, SubsystemLibrary* library,
         Clock clock = {});

    int number() const { return m_number; }

    // Simulated time runs `speed` times faster than the clock for charging, downloads, tests and
    // tuning; clocks and sample counts follow the real clock.
    void setSpeed(double speed) { m_speed = speed; }
    // Random interface and recorder errors and rack notices.
    void setIncidents(bool on) { m_incidents = on; }

    // Moves every station forward to the clock's present time.
    void advance();

    // The answers to one request of a connection (nothing for a request that is dropped).
    QList<Reply> answer(const Request& request);

    // The status report: the blocks of every station that is powered on, in rack order.
    QByteArray statusReport() const;
    // Notices (wire code 114 payloads) gathered since the last call.
    QList<QByteArray> takeNotices();
    // A notice payload: flags (bit 0 show, bit 1 journal), text length, character size 2, UTF-16 text.
    static QByteArray noticePayload(quint32 flags, const QString& text);
    void queueNotice(quint32 flags, const QString& text);

    // A station is tuning its generator: the rack's sync server has no time then.
    bool anyStationTuning() const;

    QList<Station>& stations() { return m_stations; }
    const QList<Station>& stations() const { return m_stations; }
    Station* findStation(qint32 number);           // powered on or off
    Faults faults;

private:
    qint64 nowSeconds() const { return m_clock() / 1000; }
    Station* presentStation(qint32 number);       // powered on only
    QList<Reply> command(int code, QByteArrayView body);
    QList<Reply> fileCatalogue(QByteArrayView body);
    QList<Reply> subsystemRead(QByteArrayView body);
    QList<Reply> subsystemWrite(QByteArrayView body);
    Reply report(quint32 wireCode, bool late) const;
    SubsystemData* subsystemData(const Station& station, const QString& key, const SubsystemFile** file);

    int m_number;
    QList<Station> m_stations;
    Random m_rng;
    SubsystemLibrary* m_library;
    Clock m_clock;
    qint64 m_lastMs;
    double m_speed = 1.0;
    bool m_incidents = true;
    double m_nextRackNotice = 0; // simulated seconds until the next random rack notice
    QList<QByteArray> m_notices;
    std::map<std::pair<qint32, QString>, SubsystemData> m_subsystems;
};

} // namespace kalver::demo
