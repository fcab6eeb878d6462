#pragma once
// The texts of the file list `rg_SelectedFile`: a valid file shows its time range as
// "<begin> - <end>", a slot without a file "Файл удален". A date-time reads "dd.MM.yyyy HH:mm:ss",
// and only "dd.MM.yyyy" when its time of day is exactly midnight.

#include "link/TKlvRack.h"

#include <QDateTime>
#include <QString>

namespace kalver::stationdata {

inline constexpr auto kDeletedFileText = u"Файл удален";

QString catalogueDateTimeText(const QDateTime& dateTime);

QString fileItemText(const link::FileViewEntry& entry);

} // namespace kalver::stationdata
