#pragma once
// The work window's side of the station data window: the selection as the work window holds it and the
// work session that stands still while the station data window is open.
//
// - The table page is shown when pc_ShowMode is on it; its selected rows come from the table's rows
//   (cluster position and station number), top to bottom, never from the cells' texts.
// - Otherwise the listing walks the checked tiles of the clusters in work (the work window's own
//   rule) whose rack panels are visible.
// - Pausing stops the blink timer Timer_StationAnim and the connection window's poll timer
//   Timer_NotCriticalMsgs (reached through the work window's hooks) and disables the work window;
//   resuming starts again the timers that were running when it paused (the blink timer does not run
//   on the table page, the poll timer not after every cluster left work) and enables the window.

#include "stationdata/WorkWindowBridge.h"

namespace kalver {
class TForm_Work;
}

namespace kalver::work {

class StationDataBridge : public stationdata::WorkWindowBridge {
public:
    explicit StationDataBridge(TForm_Work& work);

    bool tableShown() const override;
    QList<stationdata::SelectedStation> selectedTableRows() const override;
    bool clusterInWork(const link::TKlvRack& rack) const override;

    void suspendWorkSession() override;
    void resumeWorkSession() override;

private:
    TForm_Work& m_work;
    bool m_paused = false;
    bool m_blinkWasRunning = false;
    bool m_pollWasRunning = false;
};

} // namespace kalver::work
