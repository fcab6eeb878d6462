#include "work/StationDataBridge.h"

#include "work/PageSwitch.h"
#include "work/Unit_Work.h"

#include <QTabWidget>
#include <QTimer>

namespace kalver::work {

StationDataBridge::StationDataBridge(TForm_Work& work) : m_work(work) {}

bool StationDataBridge::tableShown() const { return m_work.pc_ShowMode->currentIndex() == kTablePage; }

QList<stationdata::SelectedStation> StationDataBridge::selectedTableRows() const {
    QList<stationdata::SelectedStation> rows;
    for (const TableRow& row : m_work.table->selectedStations())
        rows.append({row.cluster, row.number});
    return rows;
}

bool StationDataBridge::clusterInWork(const link::TKlvRack& rack) const { return m_work.inWork(rack); }

void StationDataBridge::suspendWorkSession() {
    QTimer* poll = m_work.pollTimer();
    if (!m_paused) {
        m_blinkWasRunning = m_work.Timer_StationAnim->isActive();
        m_pollWasRunning = poll && poll->isActive();
        m_paused = true;
    }
    m_work.Timer_StationAnim->stop();
    if (poll)
        poll->stop();
    m_work.setEnabled(false);
}

void StationDataBridge::resumeWorkSession() {
    if (m_paused) {
        if (m_blinkWasRunning && m_work.sessionActive())
            m_work.Timer_StationAnim->start();
        QTimer* poll = m_work.pollTimer();
        if (m_pollWasRunning && poll)
            poll->start();
        m_paused = false;
    }
    m_work.setEnabled(true);
}

} // namespace kalver::work
