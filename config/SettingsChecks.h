#pragma once
// The checks that the settings window makes before it lets changed settings be saved, in their order:
//   e011 two network rows name the same IP address and port, or the same MAC text;
//   e019 an empty cell in the network table;
//   e012 the journal "arch.res" cannot be opened or started in the journal folder;
//   e021 the charge-curve folder neither exists nor can be created;
//   e022 the rack (stations per row × stations per column) does not hold the stations per cluster.

#include "config/SettingsFile.h"

#include <QString>
#include <functional>

namespace kalver::settings {

// Rows 1 … rowCount − 2 of the network grid are compared pairwise (the client row takes part, the caption
// row and the last cluster row do not): a pair is a duplicate when columns 1 and 2 are both equal, or when
// column 3 is equal.
bool hasDuplicateRows(const QList<QStringList>& grid);
// An empty cell in columns 1 … last of rows 1 … last.
bool hasEmptyCells(const QList<QStringList>& grid);
// stationsInRackHoriz × stationsInRackVert ≥ stationsPerCluster.
bool rackHoldsStations(const SettingsValues& values);

// The journal file of a journal folder: the folder followed by "arch.res" (an empty folder is the
// working folder).
QString journalFileIn(const QString& journalFolder);
// Checks the journal in `journalFolder` when it exists, starts a new one there otherwise.
bool prepareJournalIn(const QString& journalFolder);
// The charge-curve folder exists, or is created (one level).
bool prepareChargeFolder(const QString& chargeFolder);

// The folder steps of the checks; the window uses the real ones, rule tests may replace them.
struct FolderSteps {
    std::function<bool(const QString& journalFolder)> prepareJournal = prepareJournalIn;
    std::function<bool(const QString& chargeFolder)> prepareCharge = prepareChargeFolder;
};

// The code of the first check that fails ("e011", "e019", "e012", "e021", "e022"), or an empty text when
// all pass. Later checks are not made once one fails, so a failing grid leaves the folders untouched.
QString firstFailedCloseCheck(const SettingsValues& values, const FolderSteps& steps = {});

} // namespace kalver::settings
