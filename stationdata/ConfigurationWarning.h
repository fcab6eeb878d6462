#pragma once
// The warning balloon of the window's fill: in what the admitted stations' channel configurations
// differ (the text of e082 and one line per difference flag), and which stations start registration
// refused for critical errors. The refused numbers are each followed by ",", with a line break after
// the 1st, 11th, 21st ... number; the comma after the last number is dropped:
//
//   1 station    "5\n"
//   3 stations   "5,\n7,9"
//   11 stations  "1,\n2,3,4,5,6,7,8,9,10,11\n"

#include <QList>
#include <QString>

#include <cstdint>

namespace kalver::stationdata {

// The refused list as the balloon shows it.
QString refusedListText(const QList<std::int32_t>& refused);

// The balloon text for the difference flags and the refused stations; empty when there is nothing to
// say.
QString configurationWarningText(int differenceFlags, const QList<std::int32_t>& refused);

} // namespace kalver::stationdata
