#pragma once
// The selection summary: what the menu item miSelected ("Станции" → "Выбранные") and the hidden first
// item of PopupMenu_Station, pm_StationNoSettings, say about the current selection. On the container
// page the selection is the checked tiles (`containerSummary`); on the table page it is the selected
// rows (`tableSummary`). EntryPoints::showSummary applies a summary to the menus.

#include "link/ClusterList.h"

#include <QString>

#include <optional>

namespace kalver::work {

struct SelectionSummary {
    bool enabled = false;                     // miSelected enabled
    QString selectedCaption;                  // miSelected caption
    std::optional<QString> propertiesCaption; // pm_StationNoSettings caption; none: left as it is
    bool anySelected = false;                 // chooses the category-1 images

    bool operator==(const SelectionSummary&) const = default;
};

// "Выбранных нет" (disabled); "Выбранная N" / "Свойства Станции N"; "Выбранные L:H" /
// "Свойства Станций L:H" with the lowest and highest selected station numbers.
SelectionSummary summaryOfCount(int count, int lowest, int highest);

// Counts the checked tiles of every cluster.
SelectionSummary containerSummary(const link::ClusterList& clusters);

// The table's selection from its top row to its bottom row (station numbers T and B): one row gives
// "Выбранная T", several "Выбранные T:B". No selected row: "Выбранных нет", disabled.
SelectionSummary tableSummary(int selectedRows, int topNumber, int bottomNumber);

} // namespace kalver::work
