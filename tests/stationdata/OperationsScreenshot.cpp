// Draws the operations page of the station data window for a start of five stations in two racks with
// four channels each, and saves it as a PNG (docs/operations.png). Run under a display or xvfb:
//   stationdata_screenshot <file.png> [operation]

#include "stationdata/OperationsPage.h"
#include "stationdata/RadioGroup.h"
#include "stationdata/TChannelSettings.h"
#include "stationdata/Unit_StationData.h"

#include "core/ProgramValues.h"
#include "fakes/MemoryClientSocket.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include "StationBlocks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPixmap>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

using namespace kalver;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: stationdata_screenshot <file.png>\n");
        return 2;
    }
    test::ScratchFolder scratch;
    test::MessageRecorder messages;
    program().accessLevel = AccessOperator;

    link::ClusterList list;
    const QList<QList<std::int32_t>> racks = {{3, 12, 7}, {21, 25}};
    for (const auto& numbers : racks) {
        auto rack = std::make_unique<link::TKlvRack>(std::make_unique<test::MemoryClientSocket>(),
                                                     std::make_unique<test::MemoryClientSocket>());
        auto* box = new QCheckBox;
        box->setChecked(true);
        rack->connectionCheckBox = box;
        for (std::int32_t n : numbers) {
            link::StatusBlock b = test::idleStation(n, {0, 1, 2, 3}, {0, 1});
            b.setPreampGainByte(5, 0, 255).setPreampGainByte(6, 0, 255);
            rack->station(rack->appendStation(b)).tile.checked = true;
        }
        list.append(std::move(rack));
    }

    stationdata::TForm_StationData window(list);
    window.openForSelection(stationdata::page::Operations, 0);
    stationdata::OperationsPage& page = *window.ts_StartStop;
    page.cb_Freq->setCurrentIndex(2);
    page.cb_ByCommand->click();
    page.rg_ChannelSetType->button(1)->click();
    for (int j = 0; j < 3; ++j)
        page.channelBox(j)->cb_Use->click();
    page.channelBox(0)->cb_Gain->setCurrentIndex(2);
    page.channelBox(0)->cb_Preamp->click();
    page.channelBox(0)->cb_PreampGain->setCurrentIndex(3);
    page.channelBox(1)->cb_Gain->setCurrentIndex(4);
    page.channelBox(2)->cb_Mode->setCurrentIndex(0);
    if (argc > 2)
        page.chooseOperation(QString::fromLocal8Bit(argv[2]).toInt());
    QTest::qWait(300);

    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    window.hide();
    return saved ? 0 : 1;
}
