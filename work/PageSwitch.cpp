#include "work/PageSwitch.h"

#include "work/EntryPoints.h"
#include "work/SelectionController.h"
#include "work/TablePage.h"

#include <QMenu>
#include <QTimer>

namespace kalver::work {

void switchPage(int page, const PageSwitchTargets& t) {
    const bool container = page == kContainerPage;
    if (t.blinkTimer) {
        if (container)
            t.blinkTimer->start();
        else
            t.blinkTimer->stop();
    }
    if (t.selectMenu)
        t.selectMenu->menuAction()->setEnabled(container);

    if (page == kTablePage) {
        if (t.table)
            t.table->pageShown();
    } else if (container) {
        if (t.entryPoints)
            t.entryPoints->disableSelected();
        if (t.anyStations && t.selection)
            t.selection->refreshSummary();
    }
}

} // namespace kalver::work
