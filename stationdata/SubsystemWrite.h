#pragma once
// The subsystem write (code 13): the request head of SubsystemRequest.h, then one entry per writable
// row (access contains "w") of a type a write carries (ParameterValue.h), in row order:
//
//   1 byte   1 when the row has a new value (column "Новое значение" not empty), else 0
//   4 or 8   the checked new value, or the current value sent back unchanged
//
// Every new value is checked; each failed check adds the row's name followed by its message to the
// error list, in row order. With any error the write is not to be sent (e057).

#include "link/ParameterGrid.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kalver::stationdata {

struct SubsystemWrite {
    QByteArray body;
    QString errors; // "name - меньше минимума\n" ..., empty when every value passed

    bool ok() const { return errors.isEmpty(); }
};

// Whether any row has a new value (otherwise e051: nothing to write).
bool hasNewValues(const link::ParameterGrid& grid);

SubsystemWrite buildSubsystemWrite(std::int32_t station, const QString& key, const link::ParameterGrid& grid);

} // namespace kalver::stationdata
