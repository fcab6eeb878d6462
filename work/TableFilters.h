#pragma once
// The filters of the station table page (the left-hand panels of ts_Table) as plain values, and the
// rule that decides whether a station is listed. TablePage reads its controls into a TableFilters at
// every refresh; the tests build them directly.
//
// The bucket and state lists are indexed as the check lists show them: bucket item 0 is bucket 2
// (above the upper threshold), item 1 bucket 1, item 2 bucket 0. State items: 0 "ЗАРЯЖАЮЩИЕСЯ",
// 1 "НЕ ЗАРЯЖАЮЩИЕСЯ", 2 "РЕГИСТРАЦИЯ идет", 3 "РЕГИСТРАЦИИ нет", 4 "СКАЧИВАНИЕ идет", 5 "СКАЧИВАНИЯ нет",
// 6 "ТЕСТ запущен", 7 "ТЕСТ не запущен", 8 "ПОДСТРОЙКА ГЕН. идет", 9 "ПОДСТРОЙКА ГЕН. не запущена";
// items 6 ... 9 act only at access level 3.

#include "link/StatusBlock.h"

#include <QStringList>

#include <array>
#include <vector>

namespace kalver::work {

inline constexpr int kTableStateItemCount = 10;
// The item texts of clb_FilterState.
const QStringList& tableStateItemTexts();

struct TableFilters {
    int stationStart = 1;
    int stationEnd = 9999;
    // clb_FilterRacks by cluster position; a cluster beyond the list is shown.
    std::vector<bool> racks;
    std::array<bool, 3> charge{true, true, true};
    std::array<bool, 3> pressure{true, true, true};
    std::array<bool, 3> freeMemory{true, true, true};
    int driftMin = -100000;
    int driftMax = 100000;
    std::array<bool, kTableStateItemCount> states{true, true, true, true, true, true, true, true, true, true};
    int accessLevel = 3;

    bool rackShown(int cluster) const;
    // Whether the station of cluster position `cluster` is listed.
    bool passes(const link::StatusBlock& station, int cluster) const;
};

} // namespace kalver::work
