#pragma once
// One station of a rack: its last status block exactly as the cluster sent it, followed by the
// client's bookkeeping: the seen-in-report mark of the status report being merged, the station's
// alarm list, and the state of its tile in the rack view.
//
// The tile is drawn by the rack view (one widget per rack paints all of its tiles), so the station
// record keeps the tile's state, not widgets: the frame last shown, the background colour (white or the
// colour of the highest alarm), the check box's checked state (the station is selected) and the hover
// mark (the mouse is over the tile).

#include "link/StatusBlock.h"
#include "link/TErrorType.h"

#include <QColor>
#include <QList>

namespace kalver::link {

struct TileState {
    int frame = 0;                // frame index 1...3150 last shown; 0 before the first blink
    QColor colour = Qt::white;    // background: white, or the colour of the highest alarm
    bool checked = false;         // the tile's check box: the station is selected
    bool hover = false;           // the mouse is over the tile (the check box's Tag 1)
};

struct TKlvStation {
    TKlvStation() = default;
    // A new station: the block copied, seen in report, no alarms, an unchecked white tile.
    explicit TKlvStation(const StatusBlock& block) : status(block) {}

    StatusBlock status;           // the station's last status block, as received
    bool seenInReport = true;     // found in the status report being merged
    QList<TErrorType> alarms;     // raised and not acknowledged, each code at most once
    TileState tile;

    std::int32_t number() const { return status.number(); }

    // Predicates read by the tiles, the selection filters, the table and the command rules.
    bool isRegistering() const { return status.isRegistering(); }
    bool isTesting() const { return status.isTesting(); }
    bool isGeneratorTuning() const { return status.isGeneratorTuning(); }

    // --- alarm list
    bool hasAlarm(TErrorType code) const { return alarms.contains(code); }
    // Adds the code unless the list holds it already; returns whether it was added.
    bool addAlarm(TErrorType code);
    // Removes the code; returns whether the list held it.
    bool removeAlarm(TErrorType code) { return alarms.removeAll(code) > 0; }
    void clearAlarms() { alarms.clear(); }
    // The highest code in the list, 0 when the list is empty.
    TErrorType highestAlarm() const;
};

} // namespace kalver::link
