#include "work/QuantityBuckets.h"

namespace kalver::work {

Thresholds thresholds(Quantity q) {
    switch (q) {
    case Quantity::Charge: return {50, 20};
    case Quantity::Pressure: return {101000, 99000};
    case Quantity::FreeMemory: return {60, 30};
    }
    return {0, 0};
}

int bucketOf(Quantity q, std::int32_t value) {
    const Thresholds t = thresholds(q);
    if (value > t.upper)
        return 2;
    if (value > t.lower)
        return 1;
    return 0;
}

QString bucketCaption(Quantity q, int bucket) {
    const Thresholds t = thresholds(q);
    const QString upper = QString::number(t.upper);
    const QString lower = QString::number(t.lower);
    if (q == Quantity::Pressure) {
        switch (bucket) {
        case 2: return upper + QStringLiteral(" Па < x");
        case 1: return lower + QStringLiteral(" Па < x ≤ ") + upper + QStringLiteral(" Па");
        default: return QStringLiteral("x ≤ ") + lower + QStringLiteral(" Па");
        }
    }
    switch (bucket) {
    case 2: return upper + QStringLiteral("% < x ≤ 100%");
    case 1: return lower + QStringLiteral("% < x ≤ ") + upper + QStringLiteral("%");
    default: return QStringLiteral("0% < x ≤ ") + lower + QStringLiteral("%");
    }
}

} // namespace kalver::work
