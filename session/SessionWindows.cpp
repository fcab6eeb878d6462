#include "session/SessionWindows.h"

namespace kalver::session {

SessionWindows::~SessionWindows() = default;

void SessionWindows::setDeveloperItems(bool) {}
void SessionWindows::refillStateFilter() {}
void SessionWindows::enterWorkSession() {}
void SessionWindows::showSessionWindow() {}
void SessionWindows::destroyRackWidgets(int) {}
void SessionWindows::refreshSelectionSummary() {}
void SessionWindows::repaintRack(int) {}
void SessionWindows::setSyncLabel(int, const QString&) {}
bool SessionWindows::stationDataVisible() const { return false; }
void SessionWindows::hideTrayIcon() {}

namespace {
SessionWindows*& installed() {
    static SessionWindows* windows = nullptr;
    return windows;
}
} // namespace

SessionWindows& sessionWindows() {
    static SessionWindows nothing;
    return installed() ? *installed() : nothing;
}

void setSessionWindows(SessionWindows* windows) { installed() = windows; }

} // namespace kalver::session
