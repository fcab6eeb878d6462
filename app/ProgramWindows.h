#pragma once
// The program's answer to what session control asks of the other windows: each call goes to the work
// window or the station data window through their one instances. A window that has not been created
// yet (or has gone at the end) is skipped.

#include "session/SessionWindows.h"

namespace kalver::app {

class ProgramWindows : public session::SessionWindows {
public:
    void setDeveloperItems(bool developer) override;
    void refillStateFilter() override;
    void enterWorkSession() override;
    void showSessionWindow() override;
    void destroyRackWidgets(int cluster) override;
    void refreshSelectionSummary() override;
    void repaintRack(int cluster) override;
    void setSyncLabel(int cluster, const QString& text) override;
    bool stationDataVisible() const override;
    void hideTrayIcon() override;
};

} // namespace kalver::app
