#include "stationdata/StationDataInputs.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace kalver::stationdata {

namespace {

std::int32_t flag(bool on) { return on ? 1 : 0; }

// Each reader sets its field only when the bytes hold it and reports whether they did.
bool readFlag(ByteReader& r, bool& out) {
    std::int32_t v = 0;
    if (!r.read(v))
        return false;
    out = v != 0;
    return true;
}

bool readInt(ByteReader& r, std::int32_t& out) { return r.read(out); }

bool readDays(ByteReader& r, TDateTime& out) {
    double v = 0;
    if (!r.read(v))
        return false;
    out = TDateTime(v);
    return true;
}

} // namespace

QByteArray encodeInputs(const StationDataInputs& in, bool withChannels) {
    ByteWriter w(kInputsFileSize);
    w.putI32(in.frequencyIndex)
        .putI32(flag(in.now))
        .putI32(flag(in.byCommand))
        .put(in.registrationBegin.days())
        .put(in.registrationEnd.days())
        .putI32(flag(in.useInclinometer))
        .put(in.inclinometerStart.days())
        .putI32(flag(in.inclinometerNow))
        .putI32(in.inclinometerStep)
        .putI32(flag(in.inclinometerOnce))
        .put(in.downloadBeginTime.days())
        .put(in.downloadBeginDate.days())
        .put(in.downloadEndTime.days())
        .put(in.downloadEndDate.days())
        .putI32(in.channelSetType)
        .putI32(kChannels);
    if (withChannels) {
        for (const ChannelEntry& e : in.channels)
            w.putU8(e.use).putU8(e.gain).putU8(e.preampGain).putU8(e.mode).putU8(e.preampOn);
    }
    return w.take();
}

void decodeInputs(QByteArrayView bytes, StationDataInputs& in) {
    ByteReader r(bytes.data(), static_cast<std::size_t>(bytes.size()));
    const bool header = readInt(r, in.frequencyIndex) && readFlag(r, in.now) && readFlag(r, in.byCommand) &&
                        readDays(r, in.registrationBegin) && readDays(r, in.registrationEnd) &&
                        readFlag(r, in.useInclinometer) && readDays(r, in.inclinometerStart) &&
                        readFlag(r, in.inclinometerNow) && readInt(r, in.inclinometerStep) &&
                        readFlag(r, in.inclinometerOnce) && readDays(r, in.downloadBeginTime) &&
                        readDays(r, in.downloadBeginDate) && readDays(r, in.downloadEndTime) &&
                        readDays(r, in.downloadEndDate) && readInt(r, in.channelSetType);
    std::int32_t count = 0;
    if (!header || !r.read(count))
        return;
    const int n = std::clamp(count, 0, kChannels);
    for (int j = 0; j < n; ++j) {
        std::uint8_t b[kChannelEntrySize];
        if (!r.readBytes(b, sizeof b))
            break;
        in.channels[static_cast<std::size_t>(j)] = ChannelEntry{b[0], b[1], b[2], b[3], b[4]};
    }
    for (int j = n; j < kChannels; ++j)
        in.channels[static_cast<std::size_t>(j)].use = 255;
}

bool readInputsFile(const QString& path, StationDataInputs& inputs) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(kInputsFileSize);
    decodeInputs(bytes, inputs);
    return true;
}

bool writeInputsFile(const QString& path, const StationDataInputs& inputs, bool withChannels) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeInputs(inputs, withChannels);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kalver::stationdata
