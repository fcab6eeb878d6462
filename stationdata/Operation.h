#pragma once
// The fifteen operations of the operations page, by their index in `rg_OpMode`, and what each one
// means for the rest of the window: which command code it sends, whether it is one of the start family
// (registration, the three tests, inclinometer calibration) with its start settings, which channel mode
// it gives the channel groups, and whether the wait for its acknowledgement runs the receive loop.

#include <QString>

namespace kalver::stationdata {

namespace op {
inline constexpr int Start = 0;                    // "Запуск Станций"
inline constexpr int StopRegistration = 1;         // "Остановка Станций"
inline constexpr int StartDownload = 2;            // "Запуск скачивания"
inline constexpr int StopDownload = 3;             // "Остановка скачивания"
inline constexpr int Search = 4;                   // "Поиск Станций в Кластере"
inline constexpr int EraseOldest = 5;              // "Стереть самый старый файл"
inline constexpr int EraseAll = 6;                 // "Стереть все файлы"
inline constexpr int EraseInclinometer = 7;        // "Стереть данные угломера"
inline constexpr int TestAdc = 8;                  // "Запуск теста АЦП"
inline constexpr int TestSensors = 9;              // "Запуск теста датчиков"
inline constexpr int TestSnr = 10;                 // "Запуск теста SNR"
inline constexpr int InclinometerCalibration = 11; // "Запуск калибровки угломера"
inline constexpr int StartGeneratorTuning = 12;    // "Запуск настройки генератора"
inline constexpr int StopGeneratorTuning = 13;     // "Остановка настройки генератора"
inline constexpr int PowerOff = 14;                // "Выключение питания Станций"
inline constexpr int Count = 15;
} // namespace op

// Command codes (sent as code + 100 on the wire).
namespace code {
inline constexpr int StartRegistration = 3;
inline constexpr int StopRegistration = 4;
inline constexpr int Search = 7;
inline constexpr int EraseOldest = 8;
inline constexpr int EraseAll = 9;
inline constexpr int EraseInclinometer = 10;
inline constexpr int StartDownload = 11;
inline constexpr int StopDownloadFinal = 15;   // without resume (answer Yes)
inline constexpr int StopDownloadResume = 16;  // with resume (answer No)
inline constexpr int TestAdc = 17;
inline constexpr int TestSensors = 18;
inline constexpr int TestSnr = 19;
inline constexpr int InclinometerCalibration = 20;
inline constexpr int StartGeneratorTuning = 21;
inline constexpr int StopGeneratorTuning = 22;
inline constexpr int PowerOff = 24;
} // namespace code

// The caption of `rg_OpMode` item `operation`; empty outside 0...14.
QString operationCaption(int operation);

// 0, 8, 9, 10, 11: the operations with start settings and channel groups.
bool isStartFamily(int operation);

// The command code of a start-family operation (3, 17, 18, 19, 20), or of an operation whose code does
// not depend on a question (4, 7, 8, 9, 10, 11, 21, 22, 24); 0 for stop download (3, asked) and for
// values outside 0...14.
int commandCode(int operation);

// The channel mode a start-family operation gives every channel group: 0 for start, 1 for the ADC
// test, 2 for the sensor test, 3 for the SNR test; -1 (leave it) for inclinometer calibration and
// every other operation.
int channelModeFor(int operation);

// 3...7 and 12...14: the wait for the acknowledgement also runs the receive loop when bytes wait.
bool receivesDuringWait(int operation);

} // namespace kalver::stationdata
