#pragma once
// A LinkObserver that records every call, for tests of the link without windows. It can also keep
// the station alarm lists the way the work window does (keepAlarms), and hands out a parameter grid
// and a small table that the test fills and reads.

#include "link/ClusterList.h"
#include "link/LinkObserver.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kalver::test {

struct LoggedLine {
    QString text;
    bool bold = false;
    QColor colour;
};

struct RaisedAlarm {
    int cluster = -1;
    int station = -1;
    link::TErrorType code = -1;
    bool journal = false;
    bool operator==(const RaisedAlarm&) const = default;
};

struct ShownNotice {
    int cluster = -1;
    QString title;
    QString text;
};

class RecordingObserver : public link::LinkObserver {
public:
    // Installs itself on `list` for its lifetime.
    explicit RecordingObserver(link::ClusterList& list);
    ~RecordingObserver() override;

    void logLine(const QString& text, bool bold, const QColor& colour) override;
    void raiseAlarm(int cluster, int station, link::TErrorType code, bool journal) override;
    void stationCreated(int cluster, int station) override;
    void stationRemoving(int cluster, int station) override;
    void layOutRack(int cluster) override;
    void fillDetailPanel(int cluster, int station) override;
    void refreshTable() override;
    void clusterDestroying(int cluster) override;
    QString chargeTrendFolder() const override { return chargeFolder; }
    link::ParameterGrid* parameterGrid() override { return &grid; }
    link::SmallTable* smallTable() override { return &table; }
    QString selectedSubsystem() const override { return subsystem; }
    void parametersDecoded(int cluster) override;
    int downloadProgressMaximum() const override { return progressMaximum; }
    void setDownloadProgress(int position) override;
    void showClusterNotice(int cluster, const QString& title, const QString& text) override;

    QStringList logTexts() const;
    void clear();

    // Values handed to the link.
    QString chargeFolder;
    QString subsystem;
    int progressMaximum = 100;
    link::ParameterGrid grid;
    link::SmallTable table;
    // When set, raiseAlarm also adds the code to the station's alarm list (as the work window does).
    bool keepAlarms = false;
    // Called inside stationCreated, e.g. to run something while the report processes events.
    std::function<void(int cluster, int station)> onStationCreated;

    // What the link asked for.
    QList<LoggedLine> lines;
    QList<RaisedAlarm> alarms;
    QList<QPair<int, int>> created;
    QList<QPair<int, int>> removed;
    QList<int> layouts;
    QList<QPair<int, int>> detailFills;
    int tableRefreshes = 0;
    QList<int> destroyed;
    QList<int> decoded;
    QList<int> progress;
    QList<ShownNotice> notices;

private:
    link::ClusterList& m_list;
};

} // namespace kalver::test
