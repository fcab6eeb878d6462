// The station's error list of page 1: interface error texts, then recorder errors by station type.

#include "stationdata/StationErrorText.h"

#include "config/TextTables.h"

#include "StationBlocks.h"

#include <gtest/gtest.h>

namespace kalver::stationdata {
namespace {

using kalver::texts::bankFailures;
using kalver::texts::failureTypes;
using kalver::texts::interfaceErrors;
using kalver::texts::recorderErrors;

const QString kNone = QStringLiteral(" - отсутствуют");
const QString kInterface = QStringLiteral("Ошибки работы Станции (передает Интерфейс):");
const QString kRecorder = QStringLiteral("Системные ошибки (передает Регистратор):");

QStringList lines(std::uint32_t interfaceBits, std::uint32_t recorderBits, bool qm7 = false) {
    link::StatusBlock b = test::idleStation(1);
    b.setInterfaceErrors(interfaceBits).setRecorderErrors(recorderBits);
    if (qm7)
        b.setTypeText(QByteArray("qm7  52\0", 8));
    return stationErrorLines(b);
}

TEST(StationErrorText, NoErrorsAtAll) {
    EXPECT_EQ(lines(0, 0), (QStringList{kInterface, kNone, QString(), kRecorder, kNone}));
}

TEST(StationErrorText, InterfaceBitsInBitOrder) {
    EXPECT_EQ(lines(0x8201, 0), (QStringList{kInterface, interfaceErrors().at(0), interfaceErrors().at(9),
                                             interfaceErrors().at(15), QString(), kRecorder, kNone}));
    EXPECT_EQ(lines(0x10000, 0).at(1), kNone) << "only bits 0...15 have texts";
}

TEST(StationErrorText, RecorderBitsByStationType) {
    EXPECT_EQ(lines(0, 0x01000001, true).mid(4),
              (QStringList{recorderErrors().at(0), recorderErrors().at(24)}));
    // Other stations: bank failures of bits 0...3, then the failure type of bits 8...10.
    EXPECT_EQ(lines(0, 0x0205).mid(4), (QStringList{bankFailures().at(0), bankFailures().at(2), failureTypes().at(2)}));
    EXPECT_EQ(lines(0, 0x0200).mid(4), (QStringList{kNone})) << "a failure type without a bank";
    EXPECT_EQ(lines(0, 0x0601).mid(4), (QStringList{bankFailures().at(0)})) << "no text for failure type 6";
}

} // namespace
} // namespace kalver::stationdata
