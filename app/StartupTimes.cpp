#include "app/StartupTimes.h"

#include "app/BusyMeter.h"

#include "config/SettingsAccess.h"
#include "link/ClusterList.h"
#include "session/ClusterInWork.h"
#include "work/RackView.h"
#include "work/Unit_Work.h"

#include <QCoreApplication>
#include <QEvent>

namespace kalver::app {

StartupTimes::StartupTimes(Report report, QObject* parent) : QObject(parent), m_report(std::move(report)) {
    m_clock.start();
}

bool StartupTimes::everyClusterPermitted() {
    link::ClusterList& list = link::clusters();
    int inWork = 0;
    for (int p = 0; p < list.count(); ++p)
        inWork += session::clusterInWork(list.at(p)) ? 1 : 0;
    return inWork >= settings::clusterCount();
}

bool StartupTimes::everyStationPresent() {
    link::ClusterList& list = link::clusters();
    const int stations = settings::stationsPerCluster();
    int inWork = 0;
    for (int p = 0; p < list.count(); ++p) {
        const link::TKlvRack& rack = list.at(p);
        if (!session::clusterInWork(rack))
            continue;
        ++inWork;
        if (rack.stationCount() < stations)
            return false;
    }
    return inWork > 0;
}

void StartupTimes::connectionShowing() {
    if (!m_connectionStart) {
        m_connectionStart = m_clock.elapsed();
        if (m_meter)
            m_meter->startWatch();
    }
    watch();
}

void StartupTimes::sessionStarting() {
    if (!m_sessionStart)
        m_sessionStart = m_clock.elapsed();
    watch();
}

void StartupTimes::watch() {
    m_lastMarkMs = m_clock.elapsed();
    if (m_watching)
        return;
    m_watching = true;
    QCoreApplication::instance()->installEventFilter(this);
}

bool StartupTimes::eventFilter(QObject* watched, QEvent* event) {
    // The paint of a rack panel after every station exists: the time is taken at the next event that is
    // not a paint, when that paint of the window has ended.
    if (m_stationsPresent && !m_tilesMs) {
        const bool rackPaint = event->type() == QEvent::Paint && qobject_cast<work::RackView*>(watched);
        if (rackPaint) {
            m_racksPainted = true;
        } else if (m_racksPainted && event->type() != QEvent::Paint) {
            m_tilesMs = m_clock.elapsed() - *m_sessionStart;
            m_report(QStringLiteral("work session start to every tile drawn"), *m_tilesMs);
            finishIfDone();
            return false;
        }
    }
    const std::int64_t now = m_clock.nsecsElapsed();
    if (now - m_lastCheckNs < 1'000'000)
        return false;
    m_lastCheckNs = now;
    if (now / 1'000'000 - m_lastMarkMs > kGiveUpMs) {
        QCoreApplication::instance()->removeEventFilter(this);
        m_watching = false;
        return false;
    }
    if (m_connectionStart && !m_permissionMs && everyClusterPermitted()) {
        m_permissionMs = m_clock.elapsed() - *m_connectionStart;
        m_report(QStringLiteral("connection window shown to every cluster permitted"), *m_permissionMs);
        finishIfDone();
    }
    if (m_sessionStart && !m_stationsPresent && Form_Work && Form_Work->sessionActive() && everyStationPresent())
        m_stationsPresent = true;
    return false;
}

void StartupTimes::finishIfDone() {
    if (m_permissionMs && m_tilesMs && m_watching) {
        if (m_meter)
            m_report(QStringLiteral("longest stall from the connection window's showing to every tile drawn"),
                     (m_meter->watchedLongest().wallNs + 500'000) / 1'000'000);
        QCoreApplication::instance()->removeEventFilter(this);
        m_watching = false;
    }
}

} // namespace kalver::app
