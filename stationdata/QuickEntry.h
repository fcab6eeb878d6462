#pragma once
// The quick-entry field of the download period, `me_SpeedDT`: 46 characters at fixed positions
// (1-based), as its mask lays them out:
//
//   с HH:MM:SS  dd.MM.yyyy по HH:MM:SS  dd.MM.yyyy
//     3......10   13.....22    27....34   37.....46
//
// The four pieces are the begin time, begin date, end time and end date of the download pickers. A
// picker's change rewrites its piece; the rest of the text stays. Typing reads the pieces back in
// that order; a piece that is not a valid time or date stops the reading there.

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace kalver::stationdata {

enum class QuickPiece { BeginTime = 0, BeginDate = 1, EndTime = 2, EndDate = 3 };
inline constexpr int kQuickPieces = 4;
inline constexpr int kQuickEntryLength = 46;

// The input mask of the field (a digit is required at every digit position; blanks show as "_").
QString quickEntryMask();

// The whole text for the four values.
QString quickEntryText(const QTime& beginTime, const QDate& beginDate, const QTime& endTime, const QDate& endDate);

// `text` (padded to 46 characters) with `piece` rewritten from `time` or `date`.
QString withQuickTime(const QString& text, QuickPiece piece, const QTime& time);
QString withQuickDate(const QString& text, QuickPiece piece, const QDate& date);

// The values of the pieces, in order, as far as they convert: the first piece that is not a valid
// time or date ends the list.
struct QuickValues {
    std::optional<QTime> beginTime;
    std::optional<QDate> beginDate;
    std::optional<QTime> endTime;
    std::optional<QDate> endDate;
};
QuickValues readQuickEntry(const QString& text);

} // namespace kalver::stationdata
