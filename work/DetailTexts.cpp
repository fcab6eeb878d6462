#include "work/DetailTexts.h"

namespace kalver::work {

DetailTexts detailTexts(const link::StatusBlock& b, int driftUnknown) {
    DetailTexts t;
    t.statNo = QString::number(b.number());
    t.chargeLevel = panelChargeLevel(b);
    t.pressure = panelPressure(b);
    t.stationTime = panelStationTime(b);
    t.clockDrift = panelClockDrift(b, driftUnknown);
    t.freeMemory = panelFreeMemory(b);
    t.samples = panelSamples(b);
    t.files = panelFileCount(b);
    t.charging = panelCharging(b);
    t.registration = registrationStateText(b.registrationState());
    t.download = panelDownload(b);
    const TestTexts test = panelTest(b);
    t.test1 = test.first;
    t.test2 = test.second;
    const GeneratorLabel generator = generatorLabel(b.generatorState());
    t.generator = generator.text;
    t.generatorColour = generator.colour;
    t.generatorFrequency = panelGeneratorReal(b.generatorFrequency());
    t.generatorError = panelGeneratorReal(b.generatorError());
    t.generatorTime = panelGeneratorTime(b.generatorTime());
    const LastStateTexts last = panelLastState(b);
    t.lastState = last.event;
    t.stateTime = last.time;
    t.stateFlags = last.stateFlags;
    t.stateErrors = last.errorFlags;
    return t;
}

} // namespace kalver::work
