#include "app/ProgramWindows.h"

#include "work/Unit_Work.h"

namespace kalver::app {

void ProgramWindows::setDeveloperItems(bool developer) {
    if (Form_Work)
        Form_Work->setDeveloperItems(developer);
    // The station data window's pages ts_ChargeData and ts_StationParam follow here once the window
    // is created by the program.
}

void ProgramWindows::refillStateFilter() {
    if (Form_Work)
        Form_Work->refillStateFilter();
}

void ProgramWindows::enterWorkSession() {
    if (Form_Work)
        Form_Work->enterWorkSession();
}

void ProgramWindows::showSessionWindow() {
    if (Form_Work)
        Form_Work->showSessionWindow();
}

void ProgramWindows::destroyRackWidgets(int cluster) {
    if (Form_Work)
        Form_Work->destroyRackWidgets(cluster);
}

void ProgramWindows::refreshSelectionSummary() {
    if (Form_Work)
        Form_Work->refreshSelectionSummary();
}

void ProgramWindows::repaintRack(int cluster) {
    if (Form_Work)
        Form_Work->repaintRack(cluster);
}

void ProgramWindows::setSyncLabel(int cluster, const QString& text) {
    if (Form_Work)
        Form_Work->setSyncLabel(cluster, text);
}

bool ProgramWindows::stationDataVisible() const {
    // The station data window's visibility, once the program creates it.
    return false;
}

void ProgramWindows::hideTrayIcon() {
    // The station data window's notification-area icon, once the program creates it.
}

} // namespace kalver::app
