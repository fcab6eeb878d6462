#include "demo/Station.h"

#include <algorithm>
#include <cmath>

namespace kalver::demo {

namespace {

constexpr double kBatteryMilliampHours = 4000;
constexpr double kMaintenanceMilliamps = 15;
constexpr double kIdleDrainPerHour = 0.4;        // percent
constexpr double kRecordingDrainPerHour = 1.5;   // percent
constexpr double kIncidentsPerStationHour = 1.0 / 3.0;

// Last-state event codes.
constexpr quint16 kEventPowerOffByCommand = 6;
constexpr quint16 kEventRegistrationStopped = 9;
constexpr quint16 kEventSystemFailure = 12;
constexpr quint16 kEventNoLink = 13;

double uniform(Random& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
int uniformInt(Random& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
double normal(Random& rng, double sigma) { return std::normal_distribution<double>(0.0, sigma)(rng); }
bool chance(Random& rng, double p) { return uniform(rng, 0.0, 1.0) < p; }

QString stationText(int number) { return QStringLiteral("Станция %1: ").arg(number); }

} // namespace

Station::Station(int number_, StationKind kind_) : number(number_), kind(kind_) {}

void Station::randomise(Random& rng, qint64 nowSeconds) {
    chargerWorks = !chance(rng, 1.0 / 12);
    charge = chargerWorks ? uniform(rng, 15, 100) : uniform(rng, 20, 95);
    charging = chargerWorks;

    pressureBase = 100000 + uniform(rng, -2500, 2500);
    pressure = pressureBase;
    driftUs = std::clamp(normal(rng, 400), -3000.0, 3000.0);
    driftRateUsPerHour = uniform(rng, -15, 15);

    static constexpr quint32 kFrequencies[] = {250, 500, 500, 500, 1000, 2000};
    frequency = kFrequencies[uniformInt(rng, 0, 5)];

    // Earlier recordings, laid out backwards from a while ago, with gaps between them.
    const int files = uniformInt(rng, 0, 5);
    QList<RecordedFile> earlier;
    double t = static_cast<double>(nowSeconds) - uniform(rng, 1, 24) * 3600;
    for (int i = 0; i < files; ++i) {
        const double hours = uniform(rng, 0.5, 30);
        const double begin = t - hours * 3600;
        RecordedFile f;
        f.frequency = frequency;
        f.startTime = static_cast<quint32>(begin);
        f.lastSample = static_cast<quint64>(hours * 3600 * frequency); // a length for now
        earlier.prepend(f);
        t = begin - uniform(rng, 1, 48) * 3600;
    }
    double counter = std::floor(uniform(rng, 0, 1e6));
    for (RecordedFile& f : earlier) {
        const quint64 length = f.lastSample;
        f.firstSample = static_cast<quint64>(counter);
        f.lastSample = f.firstSample + length;
        counter = static_cast<double>(f.lastSample);
    }
    catalogue = earlier;
    samples = counter;
    while (usedSamples() > kCapacitySamples * 0.9 && !catalogue.isEmpty())
        catalogue.removeFirst();

    // Mostly stopped; now and then a recording that ended at its end time while nobody looked (the
    // client counts that as registering until a stop command clears it).
    registrationState = !catalogue.isEmpty() && chance(rng, 0.1) ? registration::kStoppedByTime : registration::kStopped;

    const double roll = uniform(rng, 0, 1);
    if (roll < 0.7) {
        tuningState = tuning::kCompleted;
        tuningTime = static_cast<qint32>(nowSeconds - static_cast<qint64>(uniform(rng, 1, 72) * 3600));
        generatorError = uniform(rng, 1e-9, 6e-9);
        generatorFrequency = 1e7 + normal(rng, 0.03);
    } else if (roll < 0.9) {
        tuningState = tuning::kUnknown;
    } else {
        tuningState = tuning::kReady;
    }

    if (chance(rng, 0.25)) {
        static constexpr quint16 kEarlierEvents[] = {1, 6, 9, 11};
        recordLastState(kEarlierEvents[uniformInt(rng, 0, 3)],
                        nowSeconds - static_cast<qint64>(uniform(rng, 2, 240) * 3600));
    }
}

void Station::advance(const Tick& tick, Random& rng, QList<StationEvent>& events) {
    if (poweredOff)
        return;
    driftUs += driftRateUsPerHour * tick.realSeconds / 3600;
    if (tick.simSeconds > 0)
        pressure += (pressureBase - pressure) * std::min(1.0, 0.02 * tick.simSeconds) +
                    normal(rng, 6) * std::sqrt(tick.simSeconds);
    advanceCharge(tick);
    advanceRegistration(tick, events);
    advanceDownload(tick, events);
    advanceTuning(tick, rng, events);
    advanceIncidents(tick, rng, events);
}

void Station::advanceCharge(const Tick& tick) {
    const double hours = tick.simSeconds / 3600;
    // A station in the rack charges whenever its charger works; a full battery keeps a small
    // maintenance current and stays at 100.
    charging = chargerWorks;
    if (charging) {
        const double full = 1000 + (number % 5) * 100; // mA, a little different per station
        const double taper = charge < 90 ? 1.0 : std::max(0.08, (100 - charge) / 10);
        chargingCurrent = charge >= 100 ? kMaintenanceMilliamps : full * taper;
        charge = std::min(100.0, charge + chargingCurrent * hours / kBatteryMilliampHours * 100);
        return;
    }
    chargingCurrent = 0;
    charge -= (registrationState == registration::kRunning ? kRecordingDrainPerHour : kIdleDrainPerHour) * hours;
    charge = std::max(0.0, charge);
}

void Station::advanceRegistration(const Tick& tick, QList<StationEvent>& events) {
    const qint64 now = tick.nowSeconds;
    if (registrationState == registration::kDeferred) {
        if (scheduledEnd >= 0 && now >= scheduledEnd) {
            endRecording(registration::kStoppedByTime, now);
            return;
        }
        if (now >= scheduledBegin)
            beginRecording(now);
        return; // samples count from the next step on
    }
    if (registrationState != registration::kRunning)
        return;

    samples += frequency * tick.realSeconds;
    if (fileOpen && !catalogue.isEmpty() && !catalogue.last().deleted)
        catalogue.last().lastSample = static_cast<quint64>(samples);

    if (scheduledEnd >= 0 && now >= scheduledEnd) {
        endRecording(registration::kStoppedByTime, now);
        events.append({stationText(number) + QStringLiteral("регистрация завершена по расписанию"), false});
    } else if (usedSamples() >= kCapacitySamples) {
        endRecording(registration::kStoppedByMemory, now);
        events.append({stationText(number) + QStringLiteral("регистрация остановлена: память заполнена"), true});
    } else if (!chargerWorks && charge <= 5) {
        endRecording(registration::kStoppedByBattery, now);
        events.append({stationText(number) + QStringLiteral("регистрация остановлена: разряд батареи"), true});
    } else if (testRemaining > 0 && (testRemaining -= tick.simSeconds) <= 0) {
        endRecording(registration::kStopped, now);
        events.append({stationText(number) + QStringLiteral("тест каналов завершен"), false});
    } else if (calibration == 1 && (calibrationRemaining -= tick.simSeconds) <= 0) {
        endRecording(registration::kStopped, now);
        events.append({stationText(number) + QStringLiteral("калибровка угломера завершена"), false});
    }
}

void Station::advanceDownload(const Tick& tick, QList<StationEvent>& events) {
    if (!downloading)
        return;
    if (downloadProgress < 100) {
        downloadProgress = std::min(100.0, downloadProgress + downloadRatePerSecond * tick.simSeconds);
        if (downloadProgress >= 100)
            downloadDoneHold = kDownloadDoneHoldSeconds;
        return;
    }
    downloadDoneHold -= tick.simSeconds;
    if (downloadDoneHold <= 0) {
        downloading = false;
        events.append({stationText(number) + QStringLiteral("данные переданы Кластеру"), false});
    }
}

void Station::advanceTuning(const Tick& tick, Random& rng, QList<StationEvent>& events) {
    if (tuningState != tuning::kRunning)
        return;
    tuningRemaining -= tick.simSeconds;
    if (tuningRemaining > 0)
        return;
    tuningTime = static_cast<qint32>(tick.nowSeconds);
    const double roll = uniform(rng, 0, 1);
    if (roll < 0.7) {
        tuningState = tuning::kCompleted;
        generatorError = uniform(rng, 1e-9, 6e-9);
        generatorFrequency = 1e7 + normal(rng, 0.03);
        driftUs = normal(rng, 3); // the tuned generator brings the clock back
        events.append({stationText(number) + QStringLiteral("настройка генератора завершена"), false});
        return;
    }
    static constexpr quint8 kFailures[] = {tuning::kTimeout, tuning::kNoPps, tuning::kError2, tuning::kError3};
    tuningState = kFailures[uniformInt(rng, 0, 3)];
    generatorError = tuningState == tuning::kNoPps ? -1.0 : uniform(rng, 2e-7, 5e-6);
    generatorFrequency = tuningState == tuning::kNoPps ? -1.0 : 1e7 + normal(rng, 2);
    events.append({stationText(number) + QStringLiteral("настройка генератора не удалась (код 0x%1)")
                                             .arg(tuningState, 2, 16, QLatin1Char('0')).toUpper(),
                   true});
}

void Station::advanceIncidents(const Tick& tick, Random& rng, QList<StationEvent>& events) {
    if (incidentRemaining > 0) {
        incidentRemaining -= tick.simSeconds;
        if (incidentRemaining <= 0) {
            interfaceErrors = 0;
            recorderErrors = 0;
            pressureKnown = true;
        }
        return;
    }
    if (!tick.incidents || interfaceErrors != 0 || recorderErrors != 0)
        return;
    if (!chance(rng, kIncidentsPerStationHour * tick.simSeconds / 3600))
        return;

    incidentRemaining = uniform(rng, 60, 600);
    const double roll = uniform(rng, 0, 1);
    if (roll < 0.85) {
        static constexpr int kMinorBits[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14};
        const int bit = kMinorBits[uniformInt(rng, 0, 13)];
        interfaceErrors = 1u << bit;
        if (bit == 14)
            pressureKnown = false; // the pressure sensor does not answer
    } else if (roll < 0.92) {
        interfaceErrors = 1u << (chance(rng, 0.5) ? 9 : 15);
        if (interfaceErrors & (1u << 9)) {
            recordLastState(kEventNoLink, tick.nowSeconds);
            events.append({stationText(number) + QStringLiteral("нет связи с регистратором"), true});
        }
    } else {
        recorderErrors = kind == StationKind::Qm7_52
                             ? 1u << uniformInt(rng, 0, 24)
                             : (1u << uniformInt(rng, 0, 3)) | (static_cast<quint32>(uniformInt(rng, 0, 3)) << 8);
        recordLastState(kEventSystemFailure, tick.nowSeconds, recorderErrors);
        if (registrationState == registration::kRunning)
            endRecording(9, tick.nowSeconds); // "сбой рег-ора"
        events.append({stationText(number) + QStringLiteral("отказ регистратора"), true});
    }
}

bool Station::start(const StartOrder& order, qint64 nowSeconds) {
    if (isRecording() || downloading || tuningState == tuning::kRunning)
        return false;
    if (charge < 10 || usedSamples() >= kCapacitySamples) {
        registrationState = registration::kStartError;
        return true;
    }
    if (order.frequency >= 1 && order.frequency <= 100000)
        frequency = order.frequency;
    const quint8 testMode = order.code >= 17 && order.code <= 19 ? static_cast<quint8>(order.code - 16) : 0;
    bool anyTest = false;
    for (int j = 0; j < 16; ++j) {
        const quint8 mode = j < type().channels ? (testMode ? testMode : std::min<quint8>(order.channelModes[j], 3)) : 0;
        channelModes[j] = mode;
        anyTest = anyTest || mode != channelmode::kNormal;
    }
    testRemaining = anyTest ? kTestSeconds : 0;
    calibration = order.code == 20 && type().inclinometer ? 1 : 0;
    calibrationRemaining = calibration ? kCalibrationSeconds : 0;
    scheduledBegin = order.begin;
    scheduledEnd = order.end;
    if (order.begin < 0 || order.begin <= nowSeconds)
        beginRecording(nowSeconds);
    else
        registrationState = registration::kDeferred;
    return true;
}

bool Station::stop(qint64 nowSeconds) {
    if (isRecording()) {
        endRecording(registration::kStopped, nowSeconds);
        recordLastState(kEventRegistrationStopped, nowSeconds);
    } else {
        registrationState = registration::kStopped; // a stop also clears an earlier end state
    }
    return true;
}

bool Station::startDownload() {
    if (isRecording() || downloading || tuningState == tuning::kRunning)
        return false;
    if (downloadProgress >= 100)
        downloadProgress = 0;
    // Larger recordings take longer: from 20 s for an empty flash to 80 s for a fifth of it.
    const double seconds = 20 + 60 * std::min(1.0, usedSamples() / kCapacitySamples * 5);
    downloadRatePerSecond = 100 / seconds;
    downloading = true;
    return true;
}

bool Station::stopDownload(bool keepProgress) {
    downloading = false;
    if (!keepProgress)
        downloadProgress = 0;
    return true;
}

bool Station::eraseOldestFile() {
    if (isRecording() || downloading)
        return false;
    for (RecordedFile& f : catalogue)
        if (!f.deleted) {
            f.deleted = true;
            break;
        }
    return true;
}

bool Station::eraseAllFiles() {
    if (isRecording() || downloading)
        return false;
    for (RecordedFile& f : catalogue)
        f.deleted = true;
    return true;
}

bool Station::eraseInclinometerData() { return !isRecording() && !downloading; }

bool Station::startTuning(Random& rng) {
    if (isRecording() || downloading || tuningState == tuning::kRunning)
        return false;
    tuningState = tuning::kRunning;
    tuningRemaining = uniform(rng, 40, 120);
    return true;
}

bool Station::stopTuning() {
    if (tuningState != tuning::kRunning)
        return false;
    tuningState = tuning::kStopped;
    return true;
}

bool Station::powerOff(qint64 nowSeconds) {
    if (isRecording())
        endRecording(registration::kStopped, nowSeconds);
    downloading = false;
    if (tuningState == tuning::kRunning)
        tuningState = tuning::kStopped;
    recordLastState(kEventPowerOffByCommand, nowSeconds);
    poweredOff = true;
    return true;
}

bool Station::powerOn() {
    poweredOff = false;
    return true;
}

void Station::beginRecording(qint64 nowSeconds) {
    registrationState = registration::kRunning;
    RecordedFile f;
    f.firstSample = f.lastSample = static_cast<quint64>(samples);
    f.frequency = frequency;
    f.startTime = static_cast<quint32>(nowSeconds);
    catalogue.append(f);
    fileOpen = true;
    dropOldestSlotsBeyondLimit();
}

void Station::endRecording(int finalState, qint64) {
    registrationState = finalState;
    fileOpen = false;
    channelModes.fill(channelmode::kNormal);
    testRemaining = 0;
    calibration = 0;
    calibrationRemaining = 0;
    scheduledBegin = -1;
    scheduledEnd = -1;
}

void Station::recordLastState(quint16 eventCode, qint64 nowSeconds, quint32 detail) {
    lastState.present = true;
    lastState.time = static_cast<quint32>(nowSeconds);
    lastState.stateFlags = stateFlags();
    lastState.errorFlags = interfaceErrors;
    lastState.eventCode = eventCode;
    lastState.detail = detail;
}

void Station::dropOldestSlotsBeyondLimit() {
    while (catalogue.size() > kMaxCatalogueSlots) {
        const auto erased = std::find_if(catalogue.begin(), catalogue.end(), [](const RecordedFile& f) { return f.deleted; });
        catalogue.erase(erased != catalogue.end() ? erased : catalogue.begin());
    }
}

double Station::usedSamples() const {
    double used = 0;
    for (const RecordedFile& f : catalogue)
        if (!f.deleted)
            used += static_cast<double>(f.lastSample - f.firstSample);
    return used;
}

bool Station::isRecording() const {
    return registrationState == registration::kRunning || registrationState == registration::kDeferred;
}

bool Station::isTesting() const {
    for (int j = 0; j < type().channels; ++j)
        if (channelModes[j] != channelmode::kNormal)
            return true;
    return false;
}

int Station::chargePercent() const { return std::clamp(static_cast<int>(std::floor(charge)), 0, 100); }

int Station::freeMemoryPercent() const {
    return std::clamp(static_cast<int>(std::floor(100 - usedSamples() / kCapacitySamples * 100)), 0, 100);
}

int Station::fileCount() const {
    return static_cast<int>(std::count_if(catalogue.begin(), catalogue.end(), [](const RecordedFile& f) { return !f.deleted; }));
}

qint32 Station::stationTime(qint64 nowSeconds) const {
    return static_cast<qint32>(nowSeconds + std::llround(driftUs / 1e6));
}

quint32 Station::stateFlags() const {
    return (registrationState == registration::kRunning ? 0x01u : 0u) | (charging ? 0x02u : 0u) |
           (downloading ? 0x04u : 0u) | (tuningState == tuning::kRunning ? 0x08u : 0u) | (calibration ? 0x10u : 0u);
}

QList<RecordedFile> Station::liveFiles() const {
    QList<RecordedFile> live;
    for (const RecordedFile& f : catalogue)
        if (!f.deleted)
            live.append(f);
    return live;
}

} // namespace kalver::demo
