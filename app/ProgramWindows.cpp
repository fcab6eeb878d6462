#include "app/ProgramWindows.h"

#include "stationdata/Unit_StationData.h"
#include "work/Unit_Work.h"

namespace kalver::app {

void ProgramWindows::setDeveloperItems(bool developer) {
    if (Form_Work)
        Form_Work->setDeveloperItems(developer);
    if (stationdata::Form_StationData)
        stationdata::Form_StationData->setDeveloperPages(developer);
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
    return stationdata::Form_StationData && stationdata::Form_StationData->isVisible();
}

void ProgramWindows::hideTrayIcon() {
    if (stationdata::Form_StationData)
        stationdata::Form_StationData->hideTrayIcon();
}

} // namespace kalver::app
