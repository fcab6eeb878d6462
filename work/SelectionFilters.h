#pragma once
// The filter state of the menu "Выбор" and the rule that decides, from it, whether a station of a
// visible rack is selected. The menu's check items, the two ranges and the captions of the range items
// are held here as plain values; SelectionController shows them as the menu and as the category-0
// items of the button bar.
//
// A parent item (по заряду, по давлению, по свободной памяти, по состоянию) is checked exactly while
// at least one of its children is. A number or drift range is active exactly while its menu item is
// checked (choosing the item opens the range dialog; only OK sets a range, only a reset clears it).

#include "link/StatusBlock.h"
#include "work/QuantityBuckets.h"

#include <QString>

#include <array>
#include <optional>

namespace kalver::work {

// The ten state items of "по состоянию", in menu order.
enum class StateItem {
    Charging,         // miStateCharging "заряжающиеся"
    NotCharging,      // miStateNotCharging "не заряжающиеся"
    Regging,          // miStateRegging "РЕГИСТРАЦИЯ идет"
    NotRegging,       // miStateNotRegging "РЕГИСТРАЦИИ нет"
    Downloading,      // miStateDownloading "СКАЧИВАНИЕ идет"
    NotDownloading,   // miStateNotDownloading "СКАЧИВАНИЯ нет"
    Testing,          // miStateTesting "ТЕСТ запущен"
    NotTesting,       // miStateNotTesting "ТЕСТ не запущен"
    GenCorrection,    // miStateGenCorrection "НАСТРОЙКА ГЕН. идет"
    NotGenCorrection, // miStateNotGenCorrection "НАСТРОЙКА ГЕН. не запущена"
};
inline constexpr int kStateItemCount = 10;

// An inclusive range [from, to].
struct Range {
    int from = 0;
    int to = 0;
    bool operator==(const Range&) const = default;
};

// The lower limit of the drift range boxes; an inactive drift range reads this minus one.
inline constexpr int kDriftRangeLowest = -100000;

class SelectionFilters {
public:
    // --- bucket items: bucket 2, 1 or 0 of a quantity
    bool bucketChecked(Quantity q, int bucket) const { return buckets(q)[static_cast<std::size_t>(bucket)]; }
    void toggleBucket(Quantity q, int bucket);
    // The parent item (miSelectByCharge, miSelectByPressure, miSelectByFreeMem).
    bool quantityChecked(Quantity q) const;

    // --- state items
    bool stateChecked(StateItem item) const { return m_states[static_cast<std::size_t>(item)]; }
    void toggleState(StateItem item);
    bool byStateChecked() const; // miSelectByState

    // --- ranges (miSelectByNumber, miSelectByFreqErr)
    const std::optional<Range>& numberRange() const { return m_number; }
    const std::optional<Range>& driftRange() const { return m_drift; }
    void setNumberRange(Range r) { m_number = r; }
    void setDriftRange(Range r) { m_drift = r; }
    // The A of an inactive range as the described state holds it: 0 for numbers, -100001 for drift.
    int numberFrom() const { return m_number ? m_number->from : 0; }
    int driftFrom() const { return m_drift ? m_drift->from : kDriftRangeLowest - 1; }
    // "по номеру" or "по номеру: A/B"; "по уходу часов" or "по уходу часов: A/B".
    QString numberCaption() const;
    QString driftCaption() const;

    // At least one item of the menu "Выбор" is checked.
    bool anyChecked() const;

    // Everything unchecked, both ranges inactive.
    void reset() { *this = SelectionFilters(); }

    // Steps 3 ... 9 of the recomputation for a station of a visible rack whose select-all box is not
    // checked: whether it ends up selected.
    bool selects(const link::StatusBlock& station) const;

private:
    const std::array<bool, 3>& buckets(Quantity q) const;
    std::array<bool, 3>& buckets(Quantity q);

    std::array<bool, 3> m_charge{};
    std::array<bool, 3> m_pressure{};
    std::array<bool, 3> m_freeMemory{};
    std::array<bool, kStateItemCount> m_states{};
    std::optional<Range> m_number;
    std::optional<Range> m_drift;
};

// The testing of the state filter: some present channel's mode byte, read as a signed byte, is above 0.
bool testingForFilter(const link::StatusBlock& station);

} // namespace kalver::work
