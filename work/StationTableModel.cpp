#include "work/StationTableModel.h"

#include "work/StationTexts.h"

namespace kalver::work {

const QStringList& tableColumnTitles() {
    static const QStringList titles = {
        QStringLiteral("№ Станции"),        QStringLiteral("№ кластера"),     QStringLiteral("Заряд, %"),
        QStringLiteral("Давление, кПа"),    QStringLiteral("Время, UTC"),     QStringLiteral("Уход част., мкс"),
        QStringLiteral("Отсчетов"),         QStringLiteral("Свободно памяти, %"), QStringLiteral("Кол-во файлов"),
        QStringLiteral("Статус"),           QStringLiteral("Последнее состояние"),
        QStringLiteral("Настройка генератора"),
    };
    return titles;
}

int tableColumnWidth(int column) {
    static constexpr int kWidths[kTableColumnCount] = {70, 70, 60, 100, 130, 100, 100, 120, 100, 230, 400, 400};
    return column >= 0 && column < kTableColumnCount ? kWidths[column] : 0;
}

QString tableCellText(int column, const link::StatusBlock& s, int clusterNumber, int driftUnknown) {
    switch (column) {
    case 0: return QString::number(s.number());
    case 1: return QString::number(clusterNumber);
    case 2: return valueCharge(s).value_or(kTableUnknown);
    case 3: return valuePressureKpa(s).value_or(kTableUnknown);
    case 4: return s.stationTime() == link::kUnknown ? kTableUnknown : dateTimeText(s.stationTime());
    case 5: return valueClockDrift(s, driftUnknown).value_or(kTableUnknown);
    case 6: return valueSamples(s).value_or(kTableUnknown);
    case 7: return valueFreeMemory(s).value_or(kTableUnknown);
    case 8: return valueFileCount(s).value_or(kTableUnknown);
    case 9: return statusLine(s);
    case 10: return lastStateLine(s);
    case 11: return generatorLine(s);
    default: return QString();
    }
}

StationTableModel::StationTableModel(link::ClusterList& clusters, QObject* parent)
    : QAbstractTableModel(parent), m_clusters(clusters), m_driftUnknown(kInitialDriftUnknown) {}

int StationTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int StationTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kTableColumnCount;
}

const link::TKlvStation* StationTableModel::stationAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return nullptr;
    const TableRow& r = m_rows[static_cast<std::size_t>(row)];
    if (!m_clusters.isValid(r.cluster))
        return nullptr;
    const link::TKlvRack& rack = m_clusters.at(r.cluster);
    if (r.station >= 0 && r.station < rack.stationCount() && rack.station(r.station).number() == r.number)
        return &rack.station(r.station);
    const int found = rack.findStation(r.number);
    return found >= 0 ? &rack.station(found) : nullptr;
}

int StationTableModel::stationNumberAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return -1;
    return m_rows[static_cast<std::size_t>(row)].number;
}

int StationTableModel::clusterAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return -1;
    return m_rows[static_cast<std::size_t>(row)].cluster;
}

QVariant StationTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const link::TKlvStation* st = stationAt(index.row());
    if (!st)
        return {};
    return tableCellText(index.column(), st->status, clusterAt(index.row()) + 1, m_driftUnknown);
}

QVariant StationTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return tableColumnTitles().value(section);
    return section + 1;
}

void StationTableModel::setRows(std::vector<TableRow> rows) {
    const int before = static_cast<int>(m_rows.size());
    const int after = static_cast<int>(rows.size());
    if (after < before) {
        beginRemoveRows(QModelIndex(), after, before - 1);
        m_rows = std::move(rows);
        endRemoveRows();
    } else if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        m_rows = std::move(rows);
        endInsertRows();
    } else {
        m_rows = std::move(rows);
    }
    const int common = std::min(before, after);
    if (common > 0)
        emit dataChanged(index(0, 0), index(common - 1, kTableColumnCount - 1), {Qt::DisplayRole});
}

void StationTableModel::setDriftUnknown(int value) {
    if (value == m_driftUnknown)
        return;
    m_driftUnknown = value;
    if (!m_rows.empty())
        emit dataChanged(index(0, 5), index(static_cast<int>(m_rows.size()) - 1, 5), {Qt::DisplayRole});
}

} // namespace kalver::work
