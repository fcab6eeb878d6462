#pragma once
// Subsystem data (wire code 112): the values of the parameter grid's rows, in row order, each in the
// binary form of its type; rows whose access text is "w" carry no value.
//
//   "int32" 4 signed | "uint32" 4 unsigned | "uint64", "int64" 8, shown signed | "float" 4, general
//   format | "hex32" 4, 8 upper-case hex digits | "table<n>/<type>" n elements of <type> (one of the
//   six) into the small table | "tab2" 1024 words into the small table "Таблица сбойных блоков"
//
// Table rows show "Введите символ >" in the value column. The small table gets one row per element
// (index, text) and a memo line of the table's raw bytes (bytes below 32 as ".", others in
// Windows-1251). Result: 1 all rows decoded, 3 the payload ended before a value (values decoded before
// stay), 4 a type or table layout the decoder does not know, 5 the refusal 0xFF. A table's
// size is checked against the payload before anything is allocated for it.
//
// After a complete decoding of the system configuration subsystem ("системной конфигурации.sub"), the
// value of grid row 6 (ADCdigitValue) must convert to a real; if not, the journal gets
// "e055|<cluster>|ADCdigitValue" and the message e055 is shown. The selected subsystem is the item text
// of `cb_SubsystemType` (type key + "\" + file name), so its file name is what is compared.

#include "link/ClusterRef.h"
#include "link/ParameterGrid.h"

#include <QByteArrayView>

namespace kalver::link {

inline constexpr auto kTableValueText = u"Введите символ >";
inline constexpr auto kBadBlocksCaption = u"Таблица сбойных блоков";
inline constexpr auto kSystemConfigurationFile = u"системной конфигурации.sub";
inline constexpr int kBadBlockWords = 1024;

// Decodes `payload` into `grid` (value column) and `table` (may be nullptr); returns 1, 3, 4 or 5.
std::int32_t decodeSubsystemData(ParameterGrid& grid, SmallTable* table, QByteArrayView payload);

// Whether `selected` (the text of `cb_SubsystemType`) names the system configuration subsystem.
bool isSystemConfiguration(const QString& selected);

// The handler of `cluster`: decodes into the observer's grid and small table, then checks the system
// configuration's ADCdigitValue.
std::int32_t handleSubsystemData(ClusterRef& cluster, QByteArrayView payload);

} // namespace kalver::link
