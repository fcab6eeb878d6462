// Which stations each operation admits, and which start registration refuses for critical errors.

#include "stationdata/Admission.h"
#include "stationdata/Operation.h"

#include "StationBlocks.h"

#include <gtest/gtest.h>

#include <functional>

namespace kalver::stationdata {
namespace {

using Change = std::function<void(link::StatusBlock&)>;

struct AdmissionCase {
    const char* name;
    Change change;
    // Admitted by: start family, download/erase/tuning/power, stop registration, stop download,
    // stop tuning, search.
    bool start, idleFamily, stopRegistration, stopDownload, stopTuning, search;
};

void noChange(link::StatusBlock&) {}

const AdmissionCase kCases[] = {
    {"idle, full charge", noChange, true, true, true, false, false, true},
    {"charge 11", [](link::StatusBlock& b) { b.setChargeLevel(11); }, true, true, true, false, false, true},
    {"charge 10", [](link::StatusBlock& b) { b.setChargeLevel(10); }, false, true, true, false, false, true},
    {"charge unknown", [](link::StatusBlock& b) { b.setChargeLevel(-1); }, false, true, true, false, false, true},
    {"registration state 4", [](link::StatusBlock& b) { b.setRegistrationState(4); }, true, true, true, false, false, true},
    {"registering", [](link::StatusBlock& b) { b.setRegistrationState(1); }, false, false, true, false, false, true},
    {"registration state 2", [](link::StatusBlock& b) { b.setRegistrationState(2); }, false, false, true, false, false, true},
    {"downloading", [](link::StatusBlock& b) { b.setDownloading(true); }, false, false, false, true, false, true},
    {"generator tuning", [](link::StatusBlock& b) { b.setGeneratorState(2); }, false, false, false, false, true, true},
    {"generator state 3", [](link::StatusBlock& b) { b.setGeneratorState(3); }, true, true, true, false, false, true},
};

TEST(Admission, EachOperationAdmitsByStateAndCharge) {
    for (const AdmissionCase& c : kCases) {
        SCOPED_TRACE(c.name);
        link::StatusBlock b = test::idleStation(7);
        c.change(b);
        for (int op : {op::Start, op::TestAdc, op::TestSensors, op::TestSnr, op::InclinometerCalibration})
            EXPECT_EQ(admits(op, b), c.start) << "operation " << op;
        for (int op : {op::StartDownload, op::EraseOldest, op::EraseAll, op::EraseInclinometer,
                       op::StartGeneratorTuning, op::PowerOff})
            EXPECT_EQ(admits(op, b), c.idleFamily) << "operation " << op;
        EXPECT_EQ(admits(op::StopRegistration, b), c.stopRegistration);
        EXPECT_EQ(admits(op::StopDownload, b), c.stopDownload);
        EXPECT_EQ(admits(op::StopGeneratorTuning, b), c.stopTuning);
        EXPECT_EQ(admits(op::Search, b), c.search);
        EXPECT_TRUE(admits(99, b));
        EXPECT_TRUE(admits(-1, b));
    }
}

TEST(Admission, CriticalErrorsAreRecorderBitsAndInterfaceBits9And15) {
    struct Case {
        std::uint32_t interfaceBits;
        std::uint32_t recorderBits;
        bool critical;
    };
    const Case cases[] = {
        {0, 0, false}, {0x1, 0, false}, {0x100, 0, false}, {0x200, 0, true},
        {0x8000, 0, true}, {0x10000, 0, false}, {0, 0x1, true}, {0, 0x80000000u, true},
    };
    for (const Case& c : cases) {
        link::StatusBlock b = test::idleStation(3);
        b.setInterfaceErrors(c.interfaceBits).setRecorderErrors(c.recorderBits);
        EXPECT_EQ(hasCriticalErrors(b), c.critical) << std::hex << c.interfaceBits << " " << c.recorderBits;
    }
    EXPECT_TRUE(refusesCriticalErrors(op::Start));
    EXPECT_FALSE(refusesCriticalErrors(op::TestAdc));
    EXPECT_FALSE(refusesCriticalErrors(op::StopRegistration));
}

TEST(Operation, CodesModesAndReceivingWaits) {
    const int codes[op::Count] = {3, 4, 11, 0, 7, 8, 9, 10, 17, 18, 19, 20, 21, 22, 24};
    for (int i = 0; i < op::Count; ++i) {
        EXPECT_EQ(commandCode(i), codes[i]) << i;
        EXPECT_FALSE(operationCaption(i).isEmpty());
        EXPECT_EQ(receivesDuringWait(i), (i >= 3 && i <= 7) || (i >= 12 && i <= 14)) << i;
    }
    EXPECT_EQ(operationCaption(0), QStringLiteral("Запуск Станций"));
    EXPECT_EQ(operationCaption(14), QStringLiteral("Выключение питания Станций"));
    EXPECT_TRUE(operationCaption(15).isEmpty());
    EXPECT_EQ(channelModeFor(op::Start), 0);
    EXPECT_EQ(channelModeFor(op::TestSnr), 3);
    EXPECT_EQ(channelModeFor(op::InclinometerCalibration), -1);
}

} // namespace
} // namespace kalver::stationdata
