// The detail panel: which text goes to which label, the dashes of unknown values, the colour of the
// generator-tuning label, and the drift bound that makes a drift unknown.

#include "WorkFixture.h"

#include "work/DetailPanel.h"
#include "work/StationTexts.h"

#include <QLabel>
#include <QSpinBox>
#include <QTest>

using namespace kalver;
using kalver::link::StatusBlock;

namespace {

QColor textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

TEST(DetailPanel, UnknownValuesShowDashes) {
    work::DetailPanel panel;
    StatusBlock b;
    b.setAllUnknown().setNumber(77).setClockDrift(work::kInitialDriftUnknown).setRegistrationState(-1);
    panel.fill(b, work::kInitialDriftUnknown);
    EXPECT_EQ(panel.lbl_StatNo->text(), QStringLiteral("77"));
    for (QLabel* label : {panel.lbl_ChargeLvl, panel.lbl_StatPressure, panel.lbl_StatTime, panel.lbl_StatFreqErr,
                          panel.lbl_StatSamples, panel.lbl_StatFreeMem, panel.lbl_StatFiles, panel.lbl_GenCorrFreq,
                          panel.lbl_GenCorrQuality, panel.lbl_GenCorrTime, panel.lbl_LastState, panel.lbl_StateTime,
                          panel.lbl_StateFlags, panel.lbl_StateErrors})
        EXPECT_EQ(label->text(), QStringLiteral("-")) << label->objectName().toStdString();
    EXPECT_EQ(panel.lbl_Reg->text(), QStringLiteral("?"));
    EXPECT_EQ(panel.lbl_Charge->text(), QStringLiteral(" откл"));
    EXPECT_EQ(panel.lbl_Dwnl->text(), QStringLiteral(" откл"));
    EXPECT_EQ(panel.lbl_Test1->text(), QStringLiteral(" откл"));
    EXPECT_EQ(panel.lbl_Test2->text(), QString());
}

TEST(DetailPanel, EveryLabelShowsItsValue) {
    work::DetailPanel panel;
    StatusBlock b = test::restingStation(305);
    b.setChargeLevel(64).setPressure(99512).setClockDrift(-30).setFreeMemory(41).setFileCount(12)
        .setSamplesRecorded(123456789012LL).setCharging(true).setChargingCurrent(125).setDownloading(true)
        .setDownloadProgress(40).setRegistrationState(2).setInclinometerCalibration(1).setGeneratorState(0x13);
    panel.fill(b, work::kInitialDriftUnknown);
    EXPECT_EQ(panel.lbl_StatNo->text(), QStringLiteral("305"));
    EXPECT_EQ(panel.lbl_ChargeLvl->text(), QStringLiteral("64 %"));
    EXPECT_EQ(panel.lbl_StatPressure->text(), work::panelPressure(b));
    EXPECT_EQ(panel.lbl_StatFreqErr->text(), QStringLiteral("-30 мкс"));
    EXPECT_EQ(panel.lbl_StatFreeMem->text(), QStringLiteral("41 %"));
    EXPECT_EQ(panel.lbl_StatFiles->text(), QStringLiteral("12"));
    EXPECT_EQ(panel.lbl_StatSamples->text(), QStringLiteral("123456789012"));
    EXPECT_EQ(panel.lbl_StatTime->text(), work::panelStationTime(b));
    EXPECT_EQ(panel.lbl_Charge->text(), work::panelCharging(b));
    EXPECT_TRUE(panel.lbl_Charge->text().endsWith(QStringLiteral(" мА")));
    EXPECT_EQ(panel.lbl_Dwnl->text(), QStringLiteral("40%"));
    EXPECT_EQ(panel.lbl_Reg->text(), QStringLiteral("отложено"));
    EXPECT_EQ(panel.lbl_Test1->text(), QStringLiteral(" калибр."));
    EXPECT_EQ(panel.lbl_Test2->text(), QStringLiteral(" угломера"));
    // 0x13: the whole byte's "завершен" in black replaces the low bits' "нет PPS" in red.
    EXPECT_EQ(panel.lbl_GenCor->text(), QStringLiteral("завершен"));
    EXPECT_EQ(textColour(panel.lbl_GenCor), QColor(Qt::black));
    EXPECT_EQ(panel.lbl_GenCorrFreq->text(), work::panelGeneratorReal(b.generatorFrequency()));
    EXPECT_EQ(panel.lbl_GenCorrQuality->text(), work::panelGeneratorReal(b.generatorError()));
    EXPECT_EQ(panel.lbl_GenCorrTime->text(), work::panelGeneratorTime(b.generatorTime()));
    EXPECT_EQ(panel.lbl_LastState->text(), QStringLiteral("выкл. по команде"));
    EXPECT_EQ(panel.lbl_StateFlags->text(), QStringLiteral("0x00010003"));
    EXPECT_EQ(panel.lbl_StateErrors->text(), QStringLiteral("0x00000000"));
    EXPECT_EQ(panel.lbl_StateTime->text(), work::dateTimeText(1733690000));

    // A state no rule names reads "неизвестно" and keeps the colour it had.
    StatusBlock red = b;
    red.setGeneratorState(0x63);
    panel.fill(red, work::kInitialDriftUnknown);
    EXPECT_EQ(textColour(panel.lbl_GenCor), QColor(255, 0, 0));
    b.setGeneratorState(0xE0);
    panel.fill(b, work::kInitialDriftUnknown);
    EXPECT_EQ(panel.lbl_GenCor->text(), QStringLiteral("неизвестно"));
    EXPECT_EQ(textColour(panel.lbl_GenCor), QColor(255, 0, 0));

    panel.clearValues();
    for (QLabel* label : panel.valueLabels())
        EXPECT_EQ(label->text(), QStringLiteral("-"));
}

using DetailPanelInWindow = test::WorkFixture;

TEST_F(DetailPanelInWindow, TheDriftBoundOfTheTableMakesADriftUnknown) {
    TForm_Work& w = session(1);
    QList<StatusBlock> blocks{test::restingStation(1)};
    blocks[0].setClockDrift(-51);
    report(0, blocks);
    QTest::mouseMove(&rack(0), tileOf(0, 1).center());
    EXPECT_EQ(w.GridPanel1->lbl_StatFreqErr->text(), QStringLiteral("-51 мкс"));
    w.table->se_FilterClockErrMin->setValue(-50);
    report(0, blocks);
    EXPECT_EQ(w.GridPanel1->lbl_StatFreqErr->text(), QStringLiteral("-"));
}
