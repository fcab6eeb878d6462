#include "stationdata/StationDataObserver.h"

#include "stationdata/SubsystemPage.h"
#include "stationdata/TrayBalloon.h"
#include "stationdata/Unit_SmallTable.h"

#include <QProgressBar>

namespace kalver::stationdata {

namespace {
constexpr int kNoticeBalloonMs = 10000;
}

StationDataObserver::StationDataObserver(SubsystemPage& subsystems, QProgressBar& progress, TrayBalloon& tray)
    : m_subsystems(subsystems), m_progress(progress), m_tray(tray) {}

link::ParameterGrid* StationDataObserver::parameterGrid() { return m_subsystems.parameterGrid(); }

link::SmallTable* StationDataObserver::smallTable() { return Form_SmallTable ? Form_SmallTable->contents() : nullptr; }

QString StationDataObserver::selectedSubsystem() const { return m_subsystems.selectedSubsystem(); }

void StationDataObserver::parametersDecoded(int) {
    m_subsystems.showDecodedValues();
    if (Form_SmallTable)
        Form_SmallTable->showContents();
}

int StationDataObserver::downloadProgressMaximum() const { return m_progress.maximum(); }

void StationDataObserver::setDownloadProgress(int position) { m_progress.setValue(position); }

void StationDataObserver::showClusterNotice(int, const QString& title, const QString& text) {
    // The link has logged the notice already.
    m_tray.show(title, text, title + QLatin1Char('\n') + text, kNoticeBalloonMs, true);
}

} // namespace kalver::stationdata
