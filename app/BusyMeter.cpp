#include "app/BusyMeter.h"

#include "app/ThreadCpuTime.h"

#include <QAbstractEventDispatcher>

#include <algorithm>
#include <chrono>
#include <utility>

namespace kalver::app {

BusyMeter::Clock BusyMeter::steadyClock() {
    return [] {
        return static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
    };
}

BusyMeter::Clock BusyMeter::threadCpuClock() {
    return [] { return threadCpuNs(); };
}

BusyMeter::Clock BusyMeter::threadWaitClock() {
    return [] { return threadRunDelayNs(); };
}

BusyMeter::BusyMeter(Clock clock, Clock cpuClock, Clock waitClock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)), m_intervalStart(m_clock()), m_busySince(m_intervalStart),
      m_cpuClock(std::move(cpuClock)), m_waitClock(std::move(waitClock)) {
    startStretch(m_intervalStart);
}

void BusyMeter::startStretch(std::int64_t now) {
    m_stretchStart = now;
    m_stretchCpuStart = m_cpuClock();
    m_stretchWaitStart = m_waitClock();
}

void BusyMeter::attach(QAbstractEventDispatcher* dispatcher, QObject* application) {
    if (dispatcher) {
        // Each round of the loop starts with awake, also the rounds run by a handler that processes
        // pending events: the thread is back at its events there.
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &BusyMeter::deliveryStarting);
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &BusyMeter::aboutToBlock);
    }
    if (application)
        application->installEventFilter(this);
}

bool BusyMeter::eventFilter(QObject*, QEvent*) {
    awake();
    return false;
}

void BusyMeter::awake() {
    if (m_awake)
        return;
    m_awake = true;
    m_busySince = m_clock();
    startStretch(m_busySince);
}

void BusyMeter::aboutToBlock() {
    if (!m_awake)
        return;
    m_awake = false;
    const std::int64_t now = m_clock();
    m_busy += now - m_busySince;
    finishStretch(now);
}

void BusyMeter::deliveryStarting() {
    if (!m_awake) {
        awake();
        return;
    }
    const std::int64_t now = m_clock();
    finishStretch(now);
    startStretch(now);
}

void BusyMeter::finishStretch(std::int64_t now) {
    const Stretch s{now - m_stretchStart, m_cpuClock() - m_stretchCpuStart, m_waitClock() - m_stretchWaitStart};
    if (s.wallNs > m_longest.wallNs)
        m_longest = s;
    if (s.wallNs > m_longestEver.wallNs)
        m_longestEver = s;
    if (m_watchRunning) {
        // A stretch that began before the watch counts from the watch's start.
        const Stretch w = m_stretchStart >= m_watchStart ? s : Stretch{now - m_watchStart, s.cpuNs, s.waitNs};
        if (w.wallNs > m_watched.wallNs)
            m_watched = w;
    }
}

void BusyMeter::startWatch() {
    m_watchRunning = true;
    m_watchStart = m_clock();
    m_watched = {};
}

BusyMeter::Stretch BusyMeter::watchedLongest() const {
    Stretch longest = m_watched;
    if (m_watchRunning && m_awake) {
        const std::int64_t now = m_clock();
        const std::int64_t wall = now - std::max(m_stretchStart, m_watchStart);
        if (wall > longest.wallNs)
            longest = Stretch{wall, m_cpuClock() - m_stretchCpuStart, m_waitClock() - m_stretchWaitStart};
    }
    return longest;
}

BusyMeter::Stretch BusyMeter::takeLongest() {
    if (m_awake)
        finishStretch(m_clock());
    return std::exchange(m_longest, {});
}

double BusyMeter::takeShare() {
    const std::int64_t now = m_clock();
    std::int64_t busy = m_busy;
    if (m_awake) {
        busy += now - m_busySince;
        m_busySince = now;
    }
    const std::int64_t span = now - m_intervalStart;
    m_intervalStart = now;
    m_busy = 0;
    if (span <= 0)
        return 0.0;
    return std::clamp(static_cast<double>(busy) / static_cast<double>(span), 0.0, 1.0);
}

} // namespace kalver::app
