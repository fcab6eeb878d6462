#include "stationdata/Operation.h"

#include <QStringList>

namespace kalver::stationdata {

QString operationCaption(int operation) {
    static const QStringList captions{
        QStringLiteral("Запуск Станций"),
        QStringLiteral("Остановка Станций"),
        QStringLiteral("Запуск скачивания"),
        QStringLiteral("Остановка скачивания"),
        QStringLiteral("Поиск Станций в Кластере"),
        QStringLiteral("Стереть самый старый файл"),
        QStringLiteral("Стереть все файлы"),
        QStringLiteral("Стереть данные угломера"),
        QStringLiteral("Запуск теста АЦП"),
        QStringLiteral("Запуск теста датчиков"),
        QStringLiteral("Запуск теста SNR"),
        QStringLiteral("Запуск калибровки угломера"),
        QStringLiteral("Запуск настройки генератора"),
        QStringLiteral("Остановка настройки генератора"),
        QStringLiteral("Выключение питания Станций"),
    };
    return operation >= 0 && operation < captions.size() ? captions.at(operation) : QString();
}

bool isStartFamily(int operation) {
    return operation == op::Start || operation == op::TestAdc || operation == op::TestSensors ||
           operation == op::TestSnr || operation == op::InclinometerCalibration;
}

int commandCode(int operation) {
    switch (operation) {
    case op::Start: return code::StartRegistration;
    case op::StopRegistration: return code::StopRegistration;
    case op::StartDownload: return code::StartDownload;
    case op::Search: return code::Search;
    case op::EraseOldest: return code::EraseOldest;
    case op::EraseAll: return code::EraseAll;
    case op::EraseInclinometer: return code::EraseInclinometer;
    case op::TestAdc: return code::TestAdc;
    case op::TestSensors: return code::TestSensors;
    case op::TestSnr: return code::TestSnr;
    case op::InclinometerCalibration: return code::InclinometerCalibration;
    case op::StartGeneratorTuning: return code::StartGeneratorTuning;
    case op::StopGeneratorTuning: return code::StopGeneratorTuning;
    case op::PowerOff: return code::PowerOff;
    default: return 0;
    }
}

int channelModeFor(int operation) {
    switch (operation) {
    case op::Start: return 0;
    case op::TestAdc: return 1;
    case op::TestSensors: return 2;
    case op::TestSnr: return 3;
    default: return -1;
    }
}

bool receivesDuringWait(int operation) {
    return (operation >= op::StopDownload && operation <= op::EraseInclinometer) ||
           (operation >= op::StartGeneratorTuning && operation <= op::PowerOff);
}

} // namespace kalver::stationdata
