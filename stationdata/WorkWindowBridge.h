#pragma once
// What the station data window needs from the work window and the connection window, behind one
// small interface so that the window is tested without them:
//
// - the selection: the selected rows of the station table while the work window shows its table page,
//   otherwise the checked tiles of every cluster in work whose rack panel is visible;
// - which clusters are in work (the generator-tuning refusal looks at all of them);
// - pausing the work session while the window is open: the blink timer `Timer_StationAnim` and the
//   poll timer `Timer_NotCriticalMsgs` stop and the work window is disabled; closing restores them.
//
// The default bridge finds the other windows' controls by their names: the top-level windows
// "Form_Work" (with `pc_ShowMode`, its page `ts_Table`, the table view `sg_StationData` whose column 0
// is the station number and column 1 the cluster number, and the timer `Timer_StationAnim`) and
// "Form_Connection" (with the timer `Timer_NotCriticalMsgs`); a cluster is in work when its connection
// check box is checked, its rack panel is visible unless it was hidden, and a station is selected when
// its tile's check box is checked. A window that keeps these differently installs its own bridge.

#include "link/TKlvRack.h"

#include <QList>

#include <cstdint>

namespace kalver::stationdata {

struct SelectedTableRow {
    int clusterNumber = 0;
    std::int32_t stationNumber = 0;
};

class WorkWindowBridge {
public:
    virtual ~WorkWindowBridge();

    // --- the selection
    virtual bool tableShown() const;
    // The selected rows of the station table, from the first to the last.
    virtual QList<SelectedTableRow> selectedTableRows() const;
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
