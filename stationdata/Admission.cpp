#include "stationdata/Admission.h"

#include "stationdata/Operation.h"

namespace kalver::stationdata {

namespace {

bool registrationStopped(const link::StatusBlock& s) {
    return s.registrationState() == 0 || s.registrationState() == 4;
}

bool idle(const link::StatusBlock& s) {
    return registrationStopped(s) && !s.downloading() && !s.isGeneratorTuning();
}

} // namespace

bool admits(int operation, const link::StatusBlock& s) {
    switch (operation) {
    case op::Start:
    case op::TestAdc:
    case op::TestSensors:
    case op::TestSnr:
    case op::InclinometerCalibration:
        return s.chargeLevel() > 10 && idle(s);
    case op::StartDownload:
    case op::EraseOldest:
    case op::EraseAll:
    case op::EraseInclinometer:
    case op::StartGeneratorTuning:
    case op::PowerOff:
        return idle(s);
    case op::StopRegistration:
        return !s.downloading() && !s.isGeneratorTuning();
    case op::StopDownload:
        return s.downloading();
    case op::StopGeneratorTuning:
        return s.isGeneratorTuning();
    default:
        return true;
    }
}

bool hasCriticalErrors(const link::StatusBlock& s) {
    return s.recorderErrors() != 0 || (s.interfaceErrors() & link::kCriticalInterfaceErrors) != 0;
}

bool refusesCriticalErrors(int operation) { return operation == op::Start; }

} // namespace kalver::stationdata
