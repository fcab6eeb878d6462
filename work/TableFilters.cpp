#include "work/TableFilters.h"

#include "core/ProgramValues.h"
#include "work/QuantityBuckets.h"

#include <cstdlib>

namespace kalver::work {

const QStringList& tableStateItemTexts() {
    static const QStringList texts = {
        QStringLiteral("ЗАРЯЖАЮЩИЕСЯ"),     QStringLiteral("НЕ ЗАРЯЖАЮЩИЕСЯ"),
        QStringLiteral("РЕГИСТРАЦИЯ идет"), QStringLiteral("РЕГИСТРАЦИИ нет"),
        QStringLiteral("СКАЧИВАНИЕ идет"),  QStringLiteral("СКАЧИВАНИЯ нет"),
        QStringLiteral("ТЕСТ запущен"),     QStringLiteral("ТЕСТ не запущен"),
        QStringLiteral("ПОДСТРОЙКА ГЕН. идет"), QStringLiteral("ПОДСТРОЙКА ГЕН. не запущена"),
    };
    return texts;
}

bool TableFilters::rackShown(int cluster) const {
    if (cluster < 0 || static_cast<std::size_t>(cluster) >= racks.size())
        return true;
    return racks[static_cast<std::size_t>(cluster)];
}

namespace {

// Bucket item index of a value: item 0 = bucket 2, item 1 = bucket 1, item 2 = bucket 0.
bool bucketShown(const std::array<bool, 3>& items, Quantity q, std::int32_t value) {
    return items[static_cast<std::size_t>(2 - bucketOf(q, value))];
}

} // namespace

bool TableFilters::passes(const link::StatusBlock& s, int cluster) const {
    if (s.number() < stationStart || s.number() > stationEnd)
        return false;
    if (!rackShown(cluster))
        return false;
    if (!bucketShown(charge, Quantity::Charge, s.chargeLevel()))
        return false;
    if (!bucketShown(pressure, Quantity::Pressure, s.pressure()))
        return false;
    const qint64 drift = std::llabs(static_cast<qint64>(s.clockDrift()));
    if (drift < driftMin || drift > driftMax)
        return false;
    if (!bucketShown(freeMemory, Quantity::FreeMemory, s.freeMemory()))
        return false;

    const auto off = [this](int item) { return !states[static_cast<std::size_t>(item)]; };
    if (off(0) && s.charging())
        return false;
    if (off(1) && !s.charging())
        return false;
    const int reg = s.registrationState();
    if (off(2) && ((reg >= 1 && reg <= 3) || reg >= 5))
        return false;
    if (off(3) && (reg == 0 || reg == 4))
        return false;
    if (off(4) && s.downloading())
        return false;
    if (off(5) && !s.downloading())
        return false;
    if (accessLevel == AccessDeveloper) {
        if (off(6) && s.isTesting())
            return false;
        if (off(7) && !s.isTesting())
            return false;
        if (off(8) && s.isGeneratorTuning())
            return false;
        if (off(9) && !s.isGeneratorTuning())
            return false;
    }
    return true;
}

} // namespace kalver::work
