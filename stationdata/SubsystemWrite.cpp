#include "stationdata/SubsystemWrite.h"

#include "stationdata/ParameterValue.h"
#include "stationdata/SubsystemRequest.h"

#include <algorithm>

namespace kalver::stationdata {

bool hasNewValues(const link::ParameterGrid& grid) {
    return std::any_of(grid.rows.cbegin(), grid.rows.cend(),
                       [](const link::ParameterRow& row) { return !row.newValue.isEmpty(); });
}

SubsystemWrite buildSubsystemWrite(std::int32_t station, const QString& key, const link::ParameterGrid& grid) {
    SubsystemWrite write{subsystemRequestBody(station, key), {}};
    for (const link::ParameterRow& row : grid.rows) {
        if (!row.access.contains(QLatin1Char('w')))
            continue;
        const std::optional<WriteType> type = writeType(row.type);
        if (!type)
            continue;
        if (row.newValue.isEmpty()) {
            write.body.append('\0');
            write.body.append(currentValueBytes(*type, row.value));
            continue;
        }
        const CheckedValue checked = checkNewValue(*type, row.newValue, row.minimum, row.maximum);
        if (!checked.error.isEmpty()) {
            write.errors += row.name + checked.error;
            continue;
        }
        write.body.append('\1');
        write.body.append(checked.bytes);
    }
    return write;
}

} // namespace kalver::stationdata
