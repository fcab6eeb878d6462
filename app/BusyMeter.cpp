#include "app/BusyMeter.h"

#include <QAbstractEventDispatcher>

#include <algorithm>
#include <chrono>

namespace kalver::app {

BusyMeter::Clock BusyMeter::steadyClock() {
    return [] {
        return static_cast<std::int64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count());
    };
}

BusyMeter::BusyMeter(Clock clock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)), m_intervalStart(m_clock()), m_busySince(m_intervalStart) {}

void BusyMeter::attach(QAbstractEventDispatcher* dispatcher, QObject* application) {
    if (dispatcher) {
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &BusyMeter::awake);
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
}

void BusyMeter::aboutToBlock() {
    if (!m_awake)
        return;
    m_awake = false;
    m_busy += m_clock() - m_busySince;
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
