#pragma once
// What the station data window needs from the work window and the connection window, behind one
// small interface:
//
// - the selection: the selected rows of the station table while the work window shows its table page
//   (each a station given by its cluster position and station number), otherwise the checked tiles of
//   every cluster in work whose rack panel is visible;
// - which clusters are in work (the generator-tuning refusal looks at all of them);
// - pausing the work session while the window is open: the blink timer `Timer_StationAnim` and the
//   poll timer `Timer_NotCriticalMsgs` stop and the work window is disabled; closing restores them.
//
// The work window installs its own bridge (work/StationDataBridge.h), which reads its table page and
// its timers directly. Without it (no work window) nothing is paused, the table is not shown, a
// cluster is in work when its connection check box is checked, its rack panel is visible unless it
// was hidden, and a station is selected when its tile's check box is checked.

#include "link/TKlvRack.h"

#include <QList>

#include <cstdint>

namespace kalver::stationdata {

// A selected row of the station table: the station's cluster position (0-based) and its number.
struct SelectedStation {
    int clusterPosition = 0;
    std::int32_t stationNumber = 0;
    bool operator==(const SelectedStation&) const = default;
};

class WorkWindowBridge {
public:
    virtual ~WorkWindowBridge();

    // --- the selection
    virtual bool tableShown() const;
    // The selected rows of the station table, from the first to the last.
    virtual QList<SelectedStation> selectedTableRows() const;
    virtual bool clusterInWork(const link::TKlvRack& rack) const;
    virtual bool rackVisible(const link::TKlvRack& rack) const;
    virtual bool stationSelected(const link::TKlvStation& station) const;

    // --- the work session while the window is open
    virtual void suspendWorkSession();
    virtual void resumeWorkSession();
};

// The bridge in use: the installed one, or the default.
WorkWindowBridge& workWindowBridge();
// Installs `bridge` (not owned); nullptr restores the default.
void setWorkWindowBridge(WorkWindowBridge* bridge);

} // namespace kalver::stationdata
