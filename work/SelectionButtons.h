#pragma once
// Category 0 "Выделение" of the work window's button bar: its 22 items, each mirroring an item of the
// menu "Выбор", with its hint and its image (active while the item's filter is on, inactive otherwise).
// TForm_Work builds the bar's buttons from these descriptions and, whenever SelectionController
// reports a change, sets each button's image to `selectionItemImage`. A click on item i goes to
// SelectionController::clickSelectionItem(i).

#include "work/QuantityBuckets.h"
#include "work/SelectionFilters.h"

#include <QString>

namespace kalver::work {

inline constexpr int kSelectionItemCount = 22;

// What an item acts as.
struct SelectionItemAction {
    enum Kind { Reset, DriftRange, Bucket, NumberRange, State } kind;
    Quantity quantity = Quantity::Charge; // Bucket
    int bucket = 0;                       // Bucket: 2, 1 or 0
    StateItem state = StateItem::Charging; // State
};
SelectionItemAction selectionItemAction(int item);

// "Сбросить фильтры", "Выделить по уходу часов", "Выделить по заряду " + bucket caption, ...
QString selectionItemHint(int item);

// The active image of an item (0 ... 21) and its inactive one (22 ... 42; item 0 has 0 for both).
int selectionItemActiveImage(int item);
int selectionItemInactiveImage(int item);
// The image the item shows for `filters`.
int selectionItemImage(int item, const SelectionFilters& filters);

} // namespace kalver::work
