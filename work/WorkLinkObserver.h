#pragma once
// The work window's side of the cluster link: status reports, log lines and alarms reach the window
// through these calls (link/LinkObserver.h). The calls meant for the station data window (its parameter
// grid, small table, download progress and cluster notices) are passed on to the observer that window
// installs here.

#include "link/LinkObserver.h"

#include <QPointer>

namespace kalver {
class TForm_Work;
}

namespace kalver::work {

class WorkLinkObserver : public link::LinkObserver {
public:
    explicit WorkLinkObserver(TForm_Work& window);

    // The station data window's observer (not owned); nullptr: those calls do nothing.
    void setStationDataObserver(link::LinkObserver* observer) { m_stationData = observer; }

    void logLine(const QString& text, bool bold, const QColor& colour) override;
    void raiseAlarm(int cluster, int station, link::TErrorType code, bool journal) override;
    void stationCreated(int cluster, int station) override;
    void stationRemoving(int cluster, int station) override;
    void layOutRack(int cluster) override;
    void fillDetailPanel(int cluster, int station) override;
    void refreshTable() override;
    void clusterDestroying(int cluster) override;
    QString chargeTrendFolder() const override;

    link::ParameterGrid* parameterGrid() override;
    link::SmallTable* smallTable() override;
    QString selectedSubsystem() const override;
    void parametersDecoded(int cluster) override;
    int downloadProgressMaximum() const override;
    void setDownloadProgress(int position) override;
    void showClusterNotice(int cluster, const QString& title, const QString& text) override;

private:
    link::LinkObserver& stationData() const;

    TForm_Work& m_window;
    link::LinkObserver* m_stationData = nullptr;
};

} // namespace kalver::work
