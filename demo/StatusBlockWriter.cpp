#include "demo/StatusBlockWriter.h"

#include "core/ByteReader.h"

#include <cstring>

namespace kalver::demo {

QByteArray writeStatusBlock(const Station& s, qint64 nowSeconds) {
    QByteArray bytes(block::kSize, '\0');
    char* b = bytes.data();
    const StationType& type = s.type();

    std::memcpy(b + block::kTypeText, type.text.constData(), 8);
    storeLE<qint32>(b, block::kNumber, s.number);
    storeLE<qint32>(b, block::kCharge, s.chargePercent());
    storeLE<qint32>(b, block::kPressure, s.pressureKnown ? static_cast<qint32>(s.pressure) : -1);
    storeLE<qint32>(b, block::kStationTime, s.stationTime(nowSeconds));
    storeLE<qint32>(b, block::kDrift, static_cast<qint32>(s.driftUs));
    storeLE<qint64>(b, block::kSamples, static_cast<qint64>(s.samples));
    storeLE<qint32>(b, block::kFreeMemory, s.freeMemoryPercent());
    storeLE<qint32>(b, block::kFiles, s.fileCount());
    storeLE<qint32>(b, block::kDownloadProgress, static_cast<qint32>(s.downloadProgress));
    storeLE<qint16>(b, block::kChargingCurrent, static_cast<qint16>(s.charging ? s.chargingCurrent * 10 : 0));

    for (int k = 0; k < 16; ++k)
        for (int j = 0; j < 16; ++j) {
            const bool available = j < type.preampChannels && k <= type.maxPreampGainIndex;
            b[block::kPreampGains + 16 * k + j] = static_cast<char>(available ? 1 : 255);
        }
    for (int j = 0; j < 16; ++j) {
        b[block::kChannelPresent + j] = static_cast<char>(j < type.channels ? 1 : 0);
        b[block::kChannelMode + j] = static_cast<char>(s.channelModes[j]);
        b[block::kPreampPresent + j] = static_cast<char>(j < type.preampChannels ? 1 : 0);
    }

    b[block::kTuningState] = static_cast<char>(s.tuningState);
    storeLE<double>(b, block::kGeneratorError, s.generatorError);
    storeLE<double>(b, block::kGeneratorFrequency, s.generatorFrequency);
    storeLE<qint32>(b, block::kTuningTime, s.tuningTime);
    b[block::kCharging] = static_cast<char>(s.charging ? 1 : 0);
    b[block::kRegistration] = static_cast<char>(static_cast<qint8>(s.registrationState));
    b[block::kDownloading] = static_cast<char>(s.downloading ? 1 : 0);
    b[block::kInclinometer] = static_cast<char>(type.inclinometer ? 1 : 0);
    storeLE<qint32>(b, block::kCalibration, s.calibration);

    if (s.lastState.present) {
        std::memset(b + block::kLastStateMarker, '*', 5);
        storeLE<quint32>(b, block::kLastStateTime, s.lastState.time);
        storeLE<quint32>(b, block::kStateFlags, s.lastState.stateFlags);
        storeLE<quint32>(b, block::kErrorFlags, s.lastState.errorFlags);
        storeLE<quint16>(b, block::kEventCode, s.lastState.eventCode);
        storeLE<quint32>(b, block::kEventDetail, s.lastState.detail);
    }
    storeLE<quint32>(b, block::kInterfaceErrors, s.interfaceErrors);
    storeLE<quint32>(b, block::kRecorderErrors, s.recorderErrors);
    return bytes;
}

} // namespace kalver::demo
