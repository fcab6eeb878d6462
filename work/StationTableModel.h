#pragma once
// The model of the station table sg_StationData: one row per listed station (TableRows.h), twelve
// columns, cell texts formatted on demand from the station records (StationTexts.h). TablePage owns
// the model and its view.
//
// A refresh replaces the rows and keeps the row count's change to the rows at the end, so the view's
// row selection stays on the same row numbers, as the grid's did, while the contents change.
// Between a change of the cluster list and the next refresh a row may point at a station that has
// moved or left: the row then finds its station again by number, or shows nothing.

#include "link/ClusterList.h"
#include "work/TableRows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace kalver::work {

inline constexpr int kTableColumnCount = 12;
// "№ Станции", "№ кластера", "Заряд, %", ... "Настройка генератора".
const QStringList& tableColumnTitles();
// The default widths: 70, 70, 60, 100, 130, 100, 100, 120, 100, 230, 400, 400.
int tableColumnWidth(int column);

// The text of `column` for a station of cluster number `clusterNumber`; unknown values read "--".
QString tableCellText(int column, const link::StatusBlock& station, int clusterNumber, int driftUnknown);

class StationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StationTableModel(link::ClusterList& clusters, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The rows to show from now on.
    void setRows(std::vector<TableRow> rows);
    const std::vector<TableRow>& rows() const { return m_rows; }
    // The drift value that reads as unknown (the lower drift bound minus one).
    void setDriftUnknown(int value);
    int driftUnknown() const { return m_driftUnknown; }

    // The station of a row, found again by number when the lists changed; nullptr when it has gone.
    const link::TKlvStation* stationAt(int row) const;
    // The station number of a row as the row shows it.
    int stationNumberAt(int row) const;
    // The cluster position of a row.
    int clusterAt(int row) const;

private:
    link::ClusterList& m_clusters;
    std::vector<TableRow> m_rows;
    int m_driftUnknown;
};

} // namespace kalver::work
