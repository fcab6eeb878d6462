#pragma once
// The error list of one station as `Memo_StationErrors` shows it, line by line:
//
//   "Ошибки работы Станции (передает Интерфейс):"
//   the text of every set interface error bit 0...15, or " - отсутствуют"
//   ""
//   "Системные ошибки (передает Регистратор):"
//   for a station of type "qm7  52": the text of every set recorder error bit 0...24;
//   for any other: the bank failure text of every set bit 0...3 and, after them, the failure type
//   selected by bits 8...10; or " - отсутствуют"
//
// Failure types exist for the values 0...3 only; for 4...7 no type line is added.

#include "link/StatusBlock.h"

#include <QStringList>

namespace kalver::stationdata {

QStringList stationErrorLines(const link::StatusBlock& station);

} // namespace kalver::stationdata
