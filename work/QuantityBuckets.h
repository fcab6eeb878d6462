#pragma once
// The charge, pressure and free-memory buckets shared by the selection filters of the container and
// the filters of the station table. Each quantity has two fixed thresholds (constants, not settings)
// and three buckets: 2 above the upper threshold, 1 above the lower up to the upper, 0 up to the lower.
// An unknown value (-1) lies in bucket 0.
//
// The captions, built from the thresholds, name the menu items miCharge2 ... miFreeMem0, complete the
// hints of the category-0 items 2 ... 10 and are the items of the table's bucket filters.

#include <QString>

#include <array>
#include <cstdint>

namespace kalver::work {

enum class Quantity { Charge, Pressure, FreeMemory };

struct Thresholds {
    std::int32_t upper;
    std::int32_t lower;
};

Thresholds thresholds(Quantity q);

// 2, 1 or 0.
int bucketOf(Quantity q, std::int32_t value);

// The caption of bucket 2, 1 or 0: "50% < x ≤ 100%", "20% < x ≤ 50%", "0% < x ≤ 20%";
// "101000 Па < x", "99000 Па < x ≤ 101000 Па", "x ≤ 99000 Па".
QString bucketCaption(Quantity q, int bucket);

// The buckets in the order the menus and the table list them: 2, 1, 0.
inline constexpr std::array<int, 3> kBucketsInListOrder{2, 1, 0};

} // namespace kalver::work
