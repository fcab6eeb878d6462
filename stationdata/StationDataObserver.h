#pragma once
// The station data window's part of the cluster link's observer: the work window's observer passes
// these calls on to it (TForm_Work::setStationDataObserver).
//
// - the parameter grid being read and the selected subsystem: the subsystems page;
// - the small table: the program's small parameter table window; a decoded subsystem shows the grid's
//   new values and the small table's contents;
// - the download progress: `pb_StartStop`;
// - a cluster notice: the tray balloon for 10 s with the notice's title and text, the icon's hint the
//   title, a line feed and the text.

#include "link/LinkObserver.h"

#include <functional>

class QProgressBar;

namespace kalver::stationdata {

class SubsystemPage;
class TrayBalloon;

class StationDataObserver : public link::LinkObserver {
public:
    StationDataObserver(SubsystemPage& subsystems, QProgressBar& progress, TrayBalloon& tray);

    link::ParameterGrid* parameterGrid() override;
    link::SmallTable* smallTable() override;
    QString selectedSubsystem() const override;
    void parametersDecoded(int cluster) override;
    int downloadProgressMaximum() const override;
    void setDownloadProgress(int position) override;
    void showClusterNotice(int cluster, const QString& title, const QString& text) override;

private:
    SubsystemPage& m_subsystems;
    QProgressBar& m_progress;
    TrayBalloon& m_tray;
};

} // namespace kalver::stationdata
