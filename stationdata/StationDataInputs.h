#pragma once
// The operator's inputs of the operations page that the window keeps from one run to the next, and
// their file "settings_StD.ini" in the program folder: binary, little-endian, in this order:
//
//   #   size  content
//   1   4     index of the sampling frequency (cb_Freq)
//   2   4     cb_Now (1 checked, 0 not; on reading any non-zero value is checked)
//   3   4     cb_ByCommand
//   4   8     registration begin: day count, date of dtp_BeginRegDate + time of dtp_BeginRegTime
//   5   8     registration end, likewise
//   6   4     cb_UseInclin
//   7   8     inclinometer start, likewise
//   8   4     cb_IncNow
//   9   4     se_InclinStep
//   10  4     cb_InclinOnce
//   11  8     dtp_Dwnl_BegTime, its whole date-time
//   12  8     dtp_Dwnl_BegDate
//   13  8     dtp_Dwnl_EndTime
//   14  8     dtp_Dwnl_EndDate
//   15  4     rg_ChannelSetType item index
//   16  4     number of channel entries that follow; always written as 16
//   17  5 ea  the channel entries, channel 0 first; only when some channel group existed at closing
//
// Reading takes the fields in this order; a field the file does not hold (it ends early) keeps its
// value. Of the channel entries n = min(count, 16) are read; the entries n...15 get 255 in their use
// byte. A file written without entries (count 16, nothing after it) leaves the entries as they were.
// The file is replaced whole (QSaveFile), so a crash never leaves half a file.

#include "core/TDateTime.h"
#include "stationdata/ChannelEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kalver::stationdata {

inline constexpr auto kInputsFileName = "settings_StD.ini";

struct StationDataInputs {
    std::int32_t frequencyIndex = 0;
    bool now = true;
    bool byCommand = true;
    TDateTime registrationBegin;
    TDateTime registrationEnd;
    bool useInclinometer = true;
    TDateTime inclinometerStart;
    bool inclinometerNow = true;
    std::int32_t inclinometerStep = 5;
    bool inclinometerOnce = false;
    TDateTime downloadBeginTime;
    TDateTime downloadBeginDate;
    TDateTime downloadEndTime;
    TDateTime downloadEndDate;
    std::int32_t channelSetType = 0;
    ChannelEntries channels{};

    bool operator==(const StationDataInputs&) const = default;
};

// The file's bytes; with `withChannels` false nothing follows the count.
QByteArray encodeInputs(const StationDataInputs& inputs, bool withChannels);

// Reads `bytes` into `inputs` field by field; fields the bytes do not hold keep their values.
void decodeInputs(QByteArrayView bytes, StationDataInputs& inputs);

// Reads the file at `path` into `inputs`; false (nothing changed) when it does not exist or cannot be
// read.
bool readInputsFile(const QString& path, StationDataInputs& inputs);

// Replaces the file at `path` atomically; false when it cannot be written (the old file then stays).
bool writeInputsFile(const QString& path, const StationDataInputs& inputs, bool withChannels);

// The largest file the reader takes in: every field and 16 entries. Longer files are read up to it.
inline constexpr qsizetype kInputsFileSize = 4 * 3 + 8 * 2 + 4 + 8 + 4 * 3 + 8 * 4 + 4 * 2 + kChannels * kChannelEntrySize;

} // namespace kalver::stationdata
