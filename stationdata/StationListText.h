#pragma once
// The station list of a status grid row: station numbers in ascending order joined by "," without
// blanks ("3,5,12"). While the grid is filled each listed station appends its number and ","; the row is
// then tidied: the trailing "," dropped, the numbers sorted ascending and joined again.

#include <QList>
#include <QString>

#include <cstdint>

namespace kalver::stationdata {

// The numbers of a list text, in the order they stand; pieces that are not numbers are skipped.
QList<std::int32_t> parseStationList(const QString& text);

// The numbers joined by "," in the order given.
QString joinStationList(const QList<std::int32_t>& numbers);

} // namespace kalver::stationdata
