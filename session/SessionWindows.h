#pragma once
// What session control asks of the windows it moves between: the work window (its rack widgets, the
// developer items, the state filter, entering a work session), the mnemonic diagram window and the
// station data window. The log-in and connection windows call these; the program installs the real
// windows at start (app/), tests install their own. Every call has a do-nothing default, so the
// session's windows run and are tested without the others.
//
// Log lines and station alarms do not go through here: they go to the cluster list's observer
// (link/LinkObserver.h), which the work window implements.

#include <QString>

namespace kalver::session {

class SessionWindows {
public:
    virtual ~SessionWindows();

    // --- the log-in window's SetAccessControls, steps 3 to 5
    // The developer-only items: the work window's menu items pm_ShowChargeCurves, mi_ShowChargeCurves,
    // miSettings, pm_Subsystem, mi_Subsystem, the images of items 9 and 15 of the button bar's category
    // "Управление" (68 and 74, or none), and the station data window's page ts_StationParam (its page
    // ts_ChargeData shows at every level, with an empty chart below level 3).
    virtual void setDeveloperItems(bool developer);
    // Refills the work window's state filter clb_FilterState from its full list, every item checked.
    virtual void refillStateFilter();

    // --- the connection window
    // The work-window side of "К работе": rack widgets for the clusters in work (none for the others),
    // their order, the table's filters, the tile timer, the controls of the access level.
    virtual void enterWorkSession();
    // The end of "К работе": the work window maximized, or the mnemonic diagram window in mnemonic mode;
    // the selection reset.
    virtual void showSessionWindow();
    // Destroys the cluster's rack widgets (its connection closed).
    virtual void destroyRackWidgets(int cluster);
    // Refreshes the selection summary.
    virtual void refreshSelectionSummary();
    // The tiles of the cluster changed colour outside a status report: redraw them.
    virtual void repaintRack(int cluster);

    // --- the sync-server link
    // Writes the sync label of the cluster's rack header; does nothing when the cluster has no rack
    // widgets.
    virtual void setSyncLabel(int cluster, const QString& text);
    // Whether the station data window is shown (no sync requests meanwhile).
    virtual bool stationDataVisible() const;

    // --- program end
    // Hides the station data window's notification-area icon.
    virtual void hideTrayIcon();
};

// The windows of the program; a do-nothing instance until the program installs its own.
SessionWindows& sessionWindows();
// Installs `windows` (not owned); nullptr restores the do-nothing instance.
void setSessionWindows(SessionWindows* windows);

} // namespace kalver::session
