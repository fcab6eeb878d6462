#include "work/SelectionFilters.h"

#include <algorithm>
#include <cstdlib>

namespace kalver::work {

using link::StatusBlock;

const std::array<bool, 3>& SelectionFilters::buckets(Quantity q) const {
    switch (q) {
    case Quantity::Charge: return m_charge;
    case Quantity::Pressure: return m_pressure;
    case Quantity::FreeMemory: break;
    }
    return m_freeMemory;
}

std::array<bool, 3>& SelectionFilters::buckets(Quantity q) {
    return const_cast<std::array<bool, 3>&>(std::as_const(*this).buckets(q));
}

void SelectionFilters::toggleBucket(Quantity q, int bucket) {
    if (bucket < 0 || bucket > 2)
        return;
    auto& b = buckets(q)[static_cast<std::size_t>(bucket)];
    b = !b;
}

bool SelectionFilters::quantityChecked(Quantity q) const {
    const auto& b = buckets(q);
    return std::any_of(b.begin(), b.end(), [](bool c) { return c; });
}

void SelectionFilters::toggleState(StateItem item) {
    auto& s = m_states[static_cast<std::size_t>(item)];
    s = !s;
}

bool SelectionFilters::byStateChecked() const {
    return std::any_of(m_states.begin(), m_states.end(), [](bool c) { return c; });
}

QString SelectionFilters::numberCaption() const {
    if (!m_number)
        return QStringLiteral("по номеру");
    return QStringLiteral("по номеру: ") + QString::number(m_number->from) + QLatin1Char('/') +
           QString::number(m_number->to);
}

QString SelectionFilters::driftCaption() const {
    if (!m_drift)
        return QStringLiteral("по уходу часов");
    return QStringLiteral("по уходу часов: ") + QString::number(m_drift->from) + QLatin1Char('/') +
           QString::number(m_drift->to);
}

bool SelectionFilters::anyChecked() const {
    return m_number.has_value() || m_drift.has_value() || quantityChecked(Quantity::Charge) ||
           quantityChecked(Quantity::Pressure) || quantityChecked(Quantity::FreeMemory) || byStateChecked();
}

bool testingForFilter(const StatusBlock& station) {
    for (int k = 0; k < link::kChannelCount; ++k)
        if (station.channelPresent(k) && static_cast<std::int8_t>(station.channelModeByte(k)) > 0)
            return true;
    return false;
}

namespace {

bool stateHolds(StateItem item, const StatusBlock& s) {
    switch (item) {
    case StateItem::Charging: return s.charging();
    case StateItem::NotCharging: return !s.charging();
    case StateItem::Regging: return s.isRegistering();
    case StateItem::NotRegging: return !s.isRegistering();
    case StateItem::Downloading: return s.downloading();
    case StateItem::NotDownloading: return !s.downloading();
    case StateItem::Testing: return testingForFilter(s);
    case StateItem::NotTesting: return !testingForFilter(s);
    case StateItem::GenCorrection: return s.isGeneratorTuning();
    case StateItem::NotGenCorrection: return !s.isGeneratorTuning();
    }
    return false;
}

} // namespace

bool SelectionFilters::selects(const StatusBlock& s) const {
    // 3. number range
    if (m_number && (s.number() < m_number->from || s.number() > m_number->to))
        return false;
    // 4. charge, 5. pressure
    if (quantityChecked(Quantity::Charge) && !bucketChecked(Quantity::Charge, bucketOf(Quantity::Charge, s.chargeLevel())))
        return false;
    if (quantityChecked(Quantity::Pressure) &&
        !bucketChecked(Quantity::Pressure, bucketOf(Quantity::Pressure, s.pressure())))
        return false;
    // 6. drift range, on the absolute drift
    if (m_drift) {
        const qint64 drift = std::llabs(static_cast<qint64>(s.clockDrift()));
        if (drift < m_drift->from || drift > m_drift->to)
            return false;
    }
    // 7. free memory
    if (quantityChecked(Quantity::FreeMemory) &&
        !bucketChecked(Quantity::FreeMemory, bucketOf(Quantity::FreeMemory, s.freeMemory())))
        return false;
    // 8. every checked state item must hold
    if (byStateChecked()) {
        for (int i = 0; i < kStateItemCount; ++i)
            if (m_states[static_cast<std::size_t>(i)] && !stateHolds(static_cast<StateItem>(i), s))
                return false;
    }
    // 9. selected while some filter is on
    return anyChecked();
}

} // namespace kalver::work
