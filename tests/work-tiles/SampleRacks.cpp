#include "SampleRacks.h"

#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "link/ClusterRef.h"
#include "link/StatusReport.h"

namespace kalver::test {

int SampleRacks::addCluster(bool inWork) {
    auto rack = std::make_unique<link::TKlvRack>(std::make_unique<MemoryClientSocket>(),
                                                 std::make_unique<MemoryClientSocket>());
    auto* box = new QCheckBox;
    box->setChecked(inWork);
    rack->connectionCheckBox = box;
    const int position = m_list.append(std::move(rack));
    m_boxes.append(box);
    return position;
}

void SampleRacks::report(int cluster, const QList<link::StatusBlock>& blocks) {
    link::ClusterRef ref(m_list, cluster);
    link::handleStatusReport(ref, frames::statusPayload(blocks));
}

link::StatusBlock restingStation(std::int32_t number) {
    link::StatusBlock b;
    b.setTypeText("KLV-4")
        .setNumber(number)
        .setChargeLevel(80)
        .setPressure(100500 + number * 10)
        .setStationTime(1733700000 + number)
        .setClockDrift(number % 7 * 3 - 9)
        .setSamplesRecorded(1000LL * number)
        .setFreeMemory(75)
        .setFileCount(number % 9)
        .setGeneratorState(0x15)
        .setGeneratorError(1.25e-7)
        .setGeneratorFrequency(2.048e6)
        .setGeneratorTime(1733600000)
        .setRegistrationState(0)
        .setInterfaceErrors(0)
        .setRecorderErrors(0);
    for (int ch = 0; ch < 4; ++ch)
        b.setChannelPresentByte(ch, 1);
    link::LastState last;
    last.time = 1733690000;
    last.stateFlags = 0x00010003;
    last.errorFlags = 0;
    last.eventCode = 6;
    b.setLastState(last);
    return b;
}

QList<link::StatusBlock> sampleRack(int kind, int stations, std::int32_t firstNumber) {
    QList<link::StatusBlock> blocks;
    for (int i = 0; i < stations; ++i) {
        link::StatusBlock b = restingStation(firstNumber + i);
        switch (kind) {
        case 0: // charging, at every level; some full
            b.setCharging(true).setChargeLevel(i % 5 == 4 ? 100 : 8 + i * 9 % 90).setChargingCurrent(static_cast<std::int16_t>(250 + i * 7));
            break;
        case 1: // registering; some testing, one calibrating
            b.setRegistrationState(i % 6 == 5 ? 0 : 1).setChargeLevel(40 + i * 5 % 60);
            if (i % 4 == 1)
                b.setChannelModeByte(0, 1);
            if (i == 6)
                b.setInclinometerCalibration(1);
            break;
        case 2: // downloading at every quarter
            b.setDownloading(i % 5 != 4).setDownloadProgress(i * 13 % 100).setChargeLevel(55 + i % 40);
            break;
        default: // tuning generators, low batteries and errors
            b.setChargeLevel(i % 3 == 0 ? 15 : 70);
            if (i % 4 == 0)
                b.setGeneratorState(2);
            if (i % 5 == 2)
                b.setAllUnknown().setNumber(firstNumber + i);
            break;
        }
        blocks.append(b);
    }
    return blocks;
}

} // namespace kalver::test
