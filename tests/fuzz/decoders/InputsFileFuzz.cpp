// Arbitrary bytes read as "settings_StD.ini", over default inputs. What is read is written back and
// must read back the same.

#include "stationdata/StationDataInputs.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace kalver;
using namespace kalver::stationdata;

namespace {
bool sameReal(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }
bool sameInputs(const StationDataInputs& a, const StationDataInputs& b) {
    return a.frequencyIndex == b.frequencyIndex && a.now == b.now && a.byCommand == b.byCommand &&
           sameReal(a.registrationBegin.days(), b.registrationBegin.days()) &&
           sameReal(a.registrationEnd.days(), b.registrationEnd.days()) &&
           a.useInclinometer == b.useInclinometer &&
           sameReal(a.inclinometerStart.days(), b.inclinometerStart.days()) &&
           a.inclinometerNow == b.inclinometerNow && a.inclinometerStep == b.inclinometerStep &&
           a.inclinometerOnce == b.inclinometerOnce &&
           sameReal(a.downloadBeginTime.days(), b.downloadBeginTime.days()) &&
           sameReal(a.downloadBeginDate.days(), b.downloadBeginDate.days()) &&
           sameReal(a.downloadEndTime.days(), b.downloadEndTime.days()) &&
           sameReal(a.downloadEndDate.days(), b.downloadEndDate.days()) &&
           a.channelSetType == b.channelSetType && a.channels == b.channels;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    StationDataInputs inputs;
    decodeInputs(bytes, inputs);
    StationDataInputs again;
    decodeInputs(encodeInputs(inputs, true), again);
    if (!sameInputs(inputs, again))
        __builtin_trap();
    return 0;
}
