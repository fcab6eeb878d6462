#include "work/StationTableModel.h"
#include "work/StationTexts.h"

#include "StationFixture.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;
using link::StatusBlock;

namespace {

// Numbers and dates in a fixed locale, so the texts do not follow the machine's.
class StationTexts : public ::testing::Test {
protected:
    StationTexts() : m_saved(QLocale()) { QLocale::setDefault(QLocale::c()); }
    ~StationTexts() override { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

struct GeneratorCase {
    int state;
    const char* label;
    std::optional<QColor> colour;
    const char* line; // the table's generator-tuning line without values
};

} // namespace

TEST_F(StationTexts, GeneratorTuningLabelAndLine) {
    const GeneratorCase cases[] = {
        {0x02, "запущен", kBlack, "запущен"},
        {0x01, "готов", kGreen, "готов"},
        {0x03, "нет PPS", kRed, "нет PPS"},
        {0x04, "остановлен", kBlack, "остановлен"},
        {0x05, "завершен", kGreen, "завершен"},
        // The whole-byte range replaces the low-bits text in the label; the line keeps both.
        {0x13, "завершен", kBlack, "нет PPSзавершен"},
        {0x12, "завершен", kBlack, "завершен"},
        {0x25, "остановлен", kGreen, "завершеностановлен"},
        {0x30, "остановлен", kYellow, "остановлен"},
        {0x41, "таймаут", kGreen, "готовтаймаут"},
        {0x5F, "таймаут", kYellow, "таймаут"},
        {0x60, "ошибка 1", kRed, "ошибка 1"},
        {0x77, "ошибка 2", kRed, "ошибка 2"},
        {0x8E, "ошибка 3", kRed, "ошибка 3"},
        {0x90, "ручной", kBlack, "ручной"},
        {0xA0, "нет PPS", kRed, "нет PPS"},
        {0xFF, "недопустимо", kRed, "недопустимо"},
        // Nothing matches: "неизвестно", the label's colour unchanged.
        {0x00, "неизвестно", std::nullopt, "неизвестно"},
        {0xB0, "неизвестно", std::nullopt, "неизвестно"},
        {0xC2, "неизвестно", std::nullopt, "неизвестно"},
    };
    for (const GeneratorCase& c : cases) {
        SCOPED_TRACE(c.state);
        const GeneratorLabel label = generatorLabel(static_cast<std::uint8_t>(c.state));
        EXPECT_EQ(label.text, QString::fromUtf8(c.label));
        EXPECT_EQ(label.colour, c.colour);
        StatusBlock b = test::station(1);
        b.setGeneratorState(static_cast<std::uint8_t>(c.state));
        EXPECT_EQ(generatorLine(b), QString::fromUtf8(c.line));
    }
}

TEST_F(StationTexts, GeneratorValuesAppearOnlyWhenKnown) {
    StatusBlock b = test::station(1);
    b.setGeneratorState(0x02).setGeneratorFrequency(1234567.0).setGeneratorError(-0.000123).setGeneratorTime(0);
    EXPECT_EQ(generatorLine(b), "запущен частота 1.23E+6 погреш. -1.23E-4");
    EXPECT_EQ(panelGeneratorReal(-1.0), "-");
    EXPECT_EQ(panelGeneratorReal(0.0), "0.00E+0");
    EXPECT_EQ(panelGeneratorTime(-1), "-");
    EXPECT_EQ(panelGeneratorTime(0), "-");
    b.setGeneratorTime(1700000000);
    EXPECT_TRUE(generatorLine(b).startsWith("запущен частота 1.23E+6 погреш. -1.23E-4 время "));
    EXPECT_TRUE(generatorLine(b).contains("2023"));
}

TEST_F(StationTexts, RegistrationStateWords) {
    EXPECT_EQ(registrationStateText(-1), "?");
    EXPECT_EQ(registrationStateText(0), "стоп");
    EXPECT_EQ(registrationStateText(1), "идет");
    EXPECT_EQ(registrationStateText(7), "стоп по бат.");
    EXPECT_EQ(registrationStateText(15), "стоп сбой ФС");
    // States without a word show their number.
    EXPECT_EQ(registrationStateText(16), "? (16)");
    EXPECT_EQ(registrationStateText(-128), "? (-128)");
}

TEST_F(StationTexts, LastStateTexts) {
    StatusBlock b = test::station(1);
    b.setLastState({1700000000, 0xABCD, 0x1, 12, 0xDEADBEEF});
    const LastStateTexts texts = panelLastState(b);
    EXPECT_EQ(texts.event, "сист. отказ 0хDEADBEEF");
    EXPECT_EQ(texts.stateFlags, "0x0000ABCD");
    EXPECT_EQ(texts.errorFlags, "0x00000001");
    EXPECT_EQ(lastStateLine(b), "сист. отказ 0хDEADBEEF " + texts.time + " 0x0000ABCD 0x00000001");
    EXPECT_TRUE(texts.time.contains("2023"));

    EXPECT_EQ(lastEventText(0, 0), "");
    EXPECT_EQ(lastEventText(6, 0), "выкл. по команде");
    EXPECT_EQ(lastEventText(13, 0), "нет связи");
    EXPECT_EQ(lastEventText(55, 0), "неизв. код 0х0037");
    EXPECT_EQ(lastEventText(0xFFFF, 0), "неизв. код 0хFFFF");
    EXPECT_EQ(lastEventText(20, 0), "неизв. код 0х0014");

    // One marker byte other than 42 makes the whole group unknown.
    b.setByteAt(link::status_offset::LastStateMarker + 4, 41);
    const LastStateTexts unknown = panelLastState(b);
    EXPECT_EQ(unknown.event, "-");
    EXPECT_EQ(unknown.time, "-");
    EXPECT_EQ(unknown.stateFlags, "-");
    EXPECT_EQ(unknown.errorFlags, "-");
    EXPECT_EQ(lastStateLine(b), "--");
}

TEST_F(StationTexts, UnknownValuesReadDashInThePanelAndDoubleDashInTheTable) {
    StatusBlock b = test::station(7);
    b.setAllUnknown();
    b.setClockDrift(kInitialDriftUnknown);
    EXPECT_EQ(panelChargeLevel(b), "-");
    EXPECT_EQ(panelPressure(b), "-");
    EXPECT_EQ(panelStationTime(b), "-");
    EXPECT_EQ(panelClockDrift(b, kInitialDriftUnknown), "-");
    EXPECT_EQ(panelSamples(b), "-");
    EXPECT_EQ(panelFreeMemory(b), "-");
    EXPECT_EQ(panelFileCount(b), "-");
    EXPECT_EQ(tableCellText(0, b, 2, kInitialDriftUnknown), "7");
    EXPECT_EQ(tableCellText(1, b, 2, kInitialDriftUnknown), "2");
    for (int column = 2; column <= 8; ++column)
        EXPECT_EQ(tableCellText(column, b, 2, kInitialDriftUnknown), "--") << column;

    // Samples are unknown only when both halves are -1.
    b.setSamplesHalves(-1, 0);
    EXPECT_EQ(panelSamples(b), "4294967295");
}

TEST_F(StationTexts, DriftIsUnknownOnlyAtTheLowerBoundMinusOne) {
    StatusBlock b = test::station(1);
    b.setClockDrift(-100001);
    EXPECT_EQ(panelClockDrift(b, -100001), "-");
    EXPECT_EQ(tableCellText(5, b, 1, -100001), "--");
    // A moved lower bound moves the unknown value with it.
    EXPECT_EQ(panelClockDrift(b, -50001), "-100001 мкс");
    EXPECT_EQ(tableCellText(5, b, 1, -50001), "-100001");
    b.setClockDrift(-50001);
    EXPECT_EQ(panelClockDrift(b, -50001), "-");
}

TEST_F(StationTexts, KnownValuesInThePanelAndTheTable) {
    StatusBlock b = test::station(3);
    b.setChargeLevel(57).setPressure(101325).setClockDrift(-30).setFreeMemory(80).setFileCount(12).setSamplesRecorded(
        5000000000LL);
    EXPECT_EQ(panelChargeLevel(b), "57 %");
    EXPECT_EQ(panelPressure(b), "101.3 кПа");
    EXPECT_EQ(panelClockDrift(b, kInitialDriftUnknown), "-30 мкс");
    EXPECT_EQ(panelFreeMemory(b), "80 %");
    EXPECT_EQ(panelFileCount(b), "12");
    EXPECT_EQ(panelSamples(b), "5000000000");
    EXPECT_EQ(tableCellText(3, b, 1, kInitialDriftUnknown), "101.3");
    EXPECT_EQ(panelCharging(b), " откл");
    EXPECT_EQ(panelDownload(b), " откл");
    b.setCharging(true).setChargingCurrent(125).setDownloading(true).setDownloadProgress(40);
    EXPECT_EQ(panelCharging(b), "12.5 мА");
    EXPECT_EQ(panelDownload(b), "40%");

    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(panelPressure(b), "101,3 кПа");
    EXPECT_EQ(panelStationTime(b), "22:13:20 14.11.2023");
    EXPECT_EQ(tableCellText(4, b, 1, kInitialDriftUnknown), "14.11.2023 22:13:20");
}

TEST_F(StationTexts, TestLabels) {
    StatusBlock b = test::station(1);
    test::withChannelMode(b, 1);
    EXPECT_EQ(panelTest(b).first, " откл"); // testing, but not registering
    b.setRegistrationState(1);
    EXPECT_EQ(panelTest(b).first, " вкл");
    EXPECT_EQ(panelTest(b).second, "");
    b.setInclinometerCalibration(1);
    EXPECT_EQ(panelTest(b).first, " калибр.");
    EXPECT_EQ(panelTest(b).second, " угломера");
}

TEST_F(StationTexts, StatusLine) {
    struct Case {
        const char* name;
        std::function<void(StatusBlock&)> set;
        const char* line;
    };
    const Case cases[] = {
        {"quiet", [](StatusBlock&) {}, "зар- / рег- / скач- "},
        {"charging", [](StatusBlock& b) { b.setCharging(true).setChargingCurrent(125); }, "12.5 мА зар+ / рег- / скач- "},
        {"unknown state", [](StatusBlock& b) { b.setRegistrationState(-1); }, "зар- / рег? / скач- "},
        {"running", [](StatusBlock& b) { b.setRegistrationState(2); }, "зар- / рег+ / скач- "},
        {"state 5 is an error word but counts for the marks",
         [](StatusBlock& b) { test::withChannelMode(b.setRegistrationState(5), 3); }, "зар- / рег! / скач-  / тест"},
        {"state 4 has no marks",
         [](StatusBlock& b) { test::withChannelMode(b.setRegistrationState(4), 3).setInclinometerCalibration(1); },
         "зар- / рег! / скач- "},
        {"downloading", [](StatusBlock& b) { b.setDownloading(true).setDownloadProgress(40); }, "зар- / рег- / скач: 40%"},
        {"test and inclinometer",
         [](StatusBlock& b) { test::withChannelMode(b.setRegistrationState(1), 1).setInclinometerCalibration(1); },
         "зар- / рег+ / скач-  / тест / угл"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatusBlock b = test::station(1);
        c.set(b);
        EXPECT_EQ(statusLine(b), QString::fromUtf8(c.line));
    }
}

TEST_F(StationTexts, NumberFormats) {
    EXPECT_EQ(fixedText(101.325, 5, 1), "101.3");
    EXPECT_EQ(fixedText(-0.04, 5, 1), "0.0");
    EXPECT_EQ(fixedText(2147483.647, 5, 1), "2.1475E6");
    EXPECT_EQ(exponentText(1234567.0, 3, 1), "1.23E+6");
    EXPECT_EQ(exponentText(-1.5, 3, 1), "-1.50E+0");
    EXPECT_EQ(exponentText(9.999e-12, 3, 1), "1.00E-11");
    EXPECT_EQ(generalText(40, 3), "40");
    EXPECT_EQ(generalText(1000, 3), "1E3");
    EXPECT_EQ(generalText(12.345, 3), "12.3");
    EXPECT_EQ(hexWordText(0xFFFFFFFF), "0xFFFFFFFF");
}
