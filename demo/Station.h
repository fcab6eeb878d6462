#pragma once
// One simulated station in a rack: its charge, clock, memory, recorded files, registration schedule,
// downloads, tests, inclinometer calibration, generator tuning and errors, and how each of them moves
// with time and with the commands the client sends. The status block is written from it
// (StatusBlockWriter); the rack owns the stations and decides which commands reach which station.

#include "demo/StationType.h"

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <random>

namespace kalver::demo {

using Random = std::mt19937;

// Registration states of the status block.
namespace registration {
inline constexpr int kStopped = 0;
inline constexpr int kRunning = 1;
inline constexpr int kDeferred = 2;
inline constexpr int kStoppedByTime = 3;
inline constexpr int kStartError = 4;
inline constexpr int kStoppedByMemory = 6;
inline constexpr int kStoppedByBattery = 7;
inline constexpr int kNeverStarted = 12;
} // namespace registration

// Generator-tuning states: 2 while running; the results as the detail panel names them.
namespace tuning {
inline constexpr quint8 kUnknown = 0x00;
inline constexpr quint8 kReady = 0x01;
inline constexpr quint8 kRunning = 0x02;
inline constexpr quint8 kStopped = 0x04;   // stopped by command
inline constexpr quint8 kCompleted = 0x05;
inline constexpr quint8 kTimeout = 0x40;
inline constexpr quint8 kError2 = 0x70;
inline constexpr quint8 kError3 = 0x80;
inline constexpr quint8 kNoPps = 0xA0;
} // namespace tuning

// Channel test modes of the start body and the status block.
namespace channelmode {
inline constexpr quint8 kNormal = 0;
inline constexpr quint8 kAdcTest = 1;
inline constexpr quint8 kSensorTest = 2;
inline constexpr quint8 kSnrTest = 3;
} // namespace channelmode

// A file on the station's flash: samples first…last at `frequency`, begun at `startTime` (Unix s).
struct RecordedFile {
    quint64 firstSample = 0;
    quint64 lastSample = 0;
    quint32 frequency = 0;
    quint32 startTime = 0;
    bool deleted = false; // erased: the slot stays in the catalogue as an invalid entry
};

// The last-state block: the station's last notable event.
struct LastState {
    bool present = false;
    quint32 time = 0;
    quint32 stateFlags = 0;
    quint32 errorFlags = 0;
    quint16 eventCode = 0;
    quint32 detail = 0;
};

// A start order: the fields of the start body the station acts on.
struct StartOrder {
    int code = 3;             // 3 registration, 17 ADC test, 18 sensor test, 19 SNR test, 20 calibration
    quint32 frequency = 500;  // Hz
    std::array<quint8, 16> channelModes{};
    qint32 begin = -1;        // Unix seconds, -1 = at once
    qint32 end = -1;          // Unix seconds, -1 = until stopped
    bool useInclinometer = false;
};

// Something the rack may tell the client in a notice.
struct StationEvent {
    QString text;
    bool journal = false;
};

// One step of simulated time.
struct Tick {
    qint64 nowSeconds = 0;   // Unix seconds of the real clock
    double realSeconds = 0;  // real time since the last step: clocks and sample counts
    double simSeconds = 0;   // simulated time since the last step: charging, downloads, tests, tuning
    bool incidents = true;   // random interface and recorder errors may come and go
};

class Station {
public:
    // Durations in simulated seconds.
    static constexpr double kTestSeconds = 60;
    static constexpr double kCalibrationSeconds = 90;
    static constexpr double kDownloadDoneHoldSeconds = 4;
    // The flash holds one week at 500 Hz.
    static constexpr double kCapacitySamples = 500.0 * 86400 * 7;
    static constexpr int kMaxCatalogueSlots = 24;

    Station(int number, StationKind kind);

    // A plausible history: charge, pressure, drift, earlier files, an earlier tuning, perhaps a
    // last-state block and a charger that does not work.
    void randomise(Random& rng, qint64 nowSeconds);

    // Moves the station forward by one tick; events worth a notice go to `events`.
    void advance(const Tick& tick, Random& rng, QList<StationEvent>& events);

    // Commands. Each returns whether the station followed it.
    bool start(const StartOrder& order, qint64 nowSeconds);
    bool stop(qint64 nowSeconds);
    bool startDownload();
    bool stopDownload(bool keepProgress);
    bool eraseOldestFile();
    bool eraseAllFiles();
    bool eraseInclinometerData();
    bool startTuning(Random& rng);
    bool stopTuning();
    bool powerOff(qint64 nowSeconds);
    bool powerOn();

    // Derived values of the status block.
    bool isRecording() const; // registration running or deferred
    bool isTesting() const;
    int chargePercent() const;          // -1 never: the charge is always known
    int freeMemoryPercent() const;
    int fileCount() const;
    qint32 stationTime(qint64 nowSeconds) const;
    quint32 stateFlags() const;
    QList<RecordedFile> liveFiles() const;

    const StationType& type() const { return stationType(kind); }

    // The state, read by the status block writer and the catalogue, and set by the control socket.
    int number;
    StationKind kind;
    bool poweredOff = false;

    double charge = 80;             // percent
    bool chargerWorks = true;       // a station whose charger fails never charges
    bool charging = false;          // follows chargerWorks at every step
    double chargingCurrent = 0;     // mA

    double pressure = 100000;       // Pa
    bool pressureKnown = true;
    double pressureBase = 100000;

    double driftUs = 0;             // clock drift, µs
    double driftRateUsPerHour = 0;

    double samples = 0;             // samples recorded, all files together
    quint32 frequency = 500;        // of the present or last registration
    QList<RecordedFile> catalogue;  // oldest first; erased files stay as invalid slots

    int registrationState = registration::kNeverStarted;
    bool fileOpen = false;          // the last catalogue entry is the file being recorded
    qint64 scheduledBegin = -1;
    qint64 scheduledEnd = -1;
    std::array<quint8, 16> channelModes{};
    double testRemaining = 0;       // simulated seconds of a running test
    qint32 calibration = 0;         // 1 while the inclinometer is calibrated
    double calibrationRemaining = 0;

    bool downloading = false;
    double downloadProgress = 0;    // percent
    double downloadRatePerSecond = 0;
    double downloadDoneHold = 0;

    quint8 tuningState = tuning::kUnknown;
    double tuningRemaining = 0;
    double generatorError = -1.0;
    double generatorFrequency = -1.0;
    qint32 tuningTime = -1;

    quint32 interfaceErrors = 0;
    quint32 recorderErrors = 0;
    double incidentRemaining = 0;   // simulated seconds until the present error clears

    LastState lastState;

private:
    void beginRecording(qint64 nowSeconds);
    void endRecording(int finalState, qint64 nowSeconds);
    void endTest();
    void advanceCharge(const Tick& tick);
    void advanceRegistration(const Tick& tick, QList<StationEvent>& events);
    void advanceDownload(const Tick& tick, QList<StationEvent>& events);
    void advanceTuning(const Tick& tick, Random& rng, QList<StationEvent>& events);
    void advanceIncidents(const Tick& tick, Random& rng, QList<StationEvent>& events);
    void recordLastState(quint16 eventCode, qint64 nowSeconds, quint32 detail = 0);
    void dropOldestSlotsBeyondLimit();
    double usedSamples() const;
};

} // namespace kalver::demo
