#pragma once
// The texts of the station detail panel (GridPanel1) for one station, label by label. The formats of
// the single values live in StationTexts.h (shared with the station table); this gathers them into the
// panel's eleven rows.

#include "work/StationTexts.h"

#include <QColor>
#include <QString>

#include <optional>

namespace kalver::work {

struct DetailTexts {
    QString statNo;         // lbl_StatNo
    QString chargeLevel;    // lbl_ChargeLvl
    QString pressure;       // lbl_StatPressure
    QString stationTime;    // lbl_StatTime
    QString clockDrift;     // lbl_StatFreqErr
    QString freeMemory;     // lbl_StatFreeMem
    QString samples;        // lbl_StatSamples
    QString files;          // lbl_StatFiles
    QString charging;       // lbl_Charge
    QString registration;   // lbl_Reg
    QString download;       // lbl_Dwnl
    QString test1;          // lbl_Test1
    QString test2;          // lbl_Test2
    QString generator;      // lbl_GenCor
    std::optional<QColor> generatorColour; // none: the label keeps its colour
    QString generatorFrequency; // lbl_GenCorrFreq
    QString generatorTime;      // lbl_GenCorrTime
    QString generatorError;     // lbl_GenCorrQuality
    QString lastState;      // lbl_LastState
    QString stateTime;      // lbl_StateTime
    QString stateFlags;     // lbl_StateFlags
    QString stateErrors;    // lbl_StateErrors
};

// `driftUnknown`: the drift value that reads as unknown (the table's lower drift bound minus one).
DetailTexts detailTexts(const link::StatusBlock& block, int driftUnknown);

} // namespace kalver::work
