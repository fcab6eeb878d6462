#pragma once
// The rows of `sg_StationParams` for a chosen subsystem: one row per parameter of its description
// file (name, access, type, minimum, maximum; the sixth line of each group is not shown), with empty
// value columns, and whether the file passed its check value. A file that cannot be read fails the
// check and gives no rows.

#include "link/ParameterGrid.h"
#include "stationdata/SubsystemFile.h"

#include <QString>

namespace kalver::stationdata {

struct SubsystemRows {
    link::ParameterGrid grid;
    bool checkPassed = false;
};

link::ParameterGrid parameterGrid(const SubsystemFile& file);

SubsystemRows readSubsystemRows(const QString& path);

} // namespace kalver::stationdata
