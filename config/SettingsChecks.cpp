#include "config/SettingsChecks.h"

#include "config/Journal.h"

#include <QDir>
#include <QFileInfo>

namespace kalver::settings {

namespace {

QString cell(const QList<QStringList>& grid, qsizetype row, qsizetype column) {
    if (row < 0 || row >= grid.size())
        return {};
    const QStringList& r = grid.at(row);
    return column >= 0 && column < r.size() ? r.at(column) : QString();
}

} // namespace

bool hasDuplicateRows(const QList<QStringList>& grid) {
    const qsizetype lastCompared = grid.size() - 2;
    for (qsizetype i = 1; i < lastCompared; ++i) {
        for (qsizetype j = i + 1; j <= lastCompared; ++j) {
            const bool sameAddress = cell(grid, i, 1) == cell(grid, j, 1) && cell(grid, i, 2) == cell(grid, j, 2);
            const bool sameMac = cell(grid, i, 3) == cell(grid, j, 3);
            if (sameAddress || sameMac)
                return true;
        }
    }
    return false;
}

bool hasEmptyCells(const QList<QStringList>& grid) {
    for (qsizetype r = 1; r < grid.size(); ++r) {
        const qsizetype columns = qMax<qsizetype>(grid.at(r).size(), kGridColumns);
        for (qsizetype c = 1; c < columns; ++c)
            if (cell(grid, r, c).isEmpty())
                return true;
    }
    return false;
}

bool rackHoldsStations(const SettingsValues& v) {
    return qint64(v.stationsInRackHoriz) * v.stationsInRackVert >= v.stationsPerCluster;
}

QString journalFileIn(const QString& journalFolder) { return journalFolder + QStringLiteral("arch.res"); }

bool prepareJournalIn(const QString& journalFolder) { return journal::openOrStart(journalFileIn(journalFolder)); }

bool prepareChargeFolder(const QString& chargeFolder) {
    const QString path = chargeFolder.isEmpty() ? QStringLiteral(".") : chargeFolder;
    if (QFileInfo(path).isDir())
        return true;
    return QDir().mkdir(path);
}

QString firstFailedCloseCheck(const SettingsValues& values, const FolderSteps& steps) {
    if (hasDuplicateRows(values.grid))
        return QStringLiteral("e011");
    if (hasEmptyCells(values.grid))
        return QStringLiteral("e019");
    if (!steps.prepareJournal(values.journalFolder))
        return QStringLiteral("e012");
    if (!steps.prepareCharge(values.chargeFolder))
        return QStringLiteral("e021");
    if (!rackHoldsStations(values))
        return QStringLiteral("e022");
    return {};
}

} // namespace kalver::settings
