#include "link/StatusBlock.h"

#include "core/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace kalver::link {

namespace so = status_offset;

std::optional<StatusBlock> StatusBlock::fromBytes(QByteArrayView bytes) {
    if (static_cast<std::size_t>(bytes.size()) < kStatusBlockSize)
        return std::nullopt;
    return fromRaw(bytes.data());
}

StatusBlock StatusBlock::fromRaw(const void* data) {
    StatusBlock b{NoInit{}};
    b.assignRaw(data);
    return b;
}

QByteArray StatusBlock::toByteArray() const {
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data()), static_cast<qsizetype>(kStatusBlockSize));
}

QByteArray StatusBlock::typeText() const {
    return QByteArray(reinterpret_cast<const char*>(m_bytes.data() + so::TypeText),
                      static_cast<qsizetype>(so::TypeTextSize));
}

std::int64_t StatusBlock::samplesRecorded() const { return loadLE<std::int64_t>(m_bytes.data(), so::SamplesLow); }

std::int16_t StatusBlock::chargingCurrent() const { return loadLE<std::int16_t>(m_bytes.data(), so::ChargingCurrent); }

std::uint8_t StatusBlock::preampGainByte(int k, int channel) const {
    if (k < 0 || k >= kChannelCount || channel < 0 || channel >= kChannelCount)
        return 0;
    return m_bytes[so::PreampGains + static_cast<std::size_t>(16 * k + channel)];
}

std::uint8_t StatusBlock::channelByte(std::size_t base, int channel) const {
    if (channel < 0 || channel >= kChannelCount)
        return 0;
    return m_bytes[base + static_cast<std::size_t>(channel)];
}

double StatusBlock::generatorError() const { return loadLE<double>(m_bytes.data(), so::GeneratorError); }
double StatusBlock::generatorFrequency() const { return loadLE<double>(m_bytes.data(), so::GeneratorFrequency); }

bool StatusBlock::lastStateValid() const {
    return std::all_of(m_bytes.begin() + so::LastStateMarker, m_bytes.begin() + so::LastStateMarker + 5,
                       [](std::uint8_t b) { return b == 42; });
}

std::optional<LastState> StatusBlock::lastState() const {
    if (!lastStateValid())
        return std::nullopt;
    LastState s;
    s.time = u32(so::LastStateTime);
    s.stateFlags = u32(so::StateFlags);
    s.errorFlags = u32(so::ErrorFlags);
    s.eventCode = loadLE<std::uint16_t>(m_bytes.data(), so::LastEventCode);
    s.eventDetail = u32(so::LastEventDetail);
    return s;
}

bool StatusBlock::isRegistering() const {
    switch (registrationState()) {
    case 1: case 2: case 3: case 5: case 6: case 7: return true;
    default: return false;
    }
}

bool StatusBlock::isTesting() const {
    for (int j = 0; j < kChannelCount; ++j)
        if (channelPresent(j) && channelModeByte(j) != 0)
            return true;
    return false;
}

StatusBlock& StatusBlock::setI32(std::size_t offset, std::int32_t v) {
    if (offset + 4 <= kStatusBlockSize)
        storeLE(m_bytes.data(), offset, v);
    return *this;
}

StatusBlock& StatusBlock::setU32(std::size_t offset, std::uint32_t v) {
    if (offset + 4 <= kStatusBlockSize)
        storeLE(m_bytes.data(), offset, v);
    return *this;
}

StatusBlock& StatusBlock::setByteAt(std::size_t offset, std::uint8_t v) {
    if (offset < kStatusBlockSize)
        m_bytes[offset] = v;
    return *this;
}

StatusBlock& StatusBlock::setTypeText(QByteArrayView text) {
    for (std::size_t i = 0; i < so::TypeTextSize; ++i)
        m_bytes[so::TypeText + i] =
            i < static_cast<std::size_t>(text.size()) ? static_cast<std::uint8_t>(text[static_cast<qsizetype>(i)]) : 0;
    return *this;
}

StatusBlock& StatusBlock::setSamplesRecorded(std::int64_t v) {
    storeLE(m_bytes.data(), so::SamplesLow, v);
    return *this;
}

StatusBlock& StatusBlock::setSamplesHalves(std::int32_t low, std::int32_t high) {
    setI32(so::SamplesLow, low);
    return setI32(so::SamplesHigh, high);
}

StatusBlock& StatusBlock::setChargingCurrent(std::int16_t v) {
    storeLE(m_bytes.data(), so::ChargingCurrent, v);
    return *this;
}

StatusBlock& StatusBlock::setChannelByte(std::size_t base, int channel, std::uint8_t v) {
    if (channel >= 0 && channel < kChannelCount)
        m_bytes[base + static_cast<std::size_t>(channel)] = v;
    return *this;
}

StatusBlock& StatusBlock::setPreampGainByte(int k, int channel, std::uint8_t v) {
    if (k >= 0 && k < kChannelCount && channel >= 0 && channel < kChannelCount)
        m_bytes[so::PreampGains + static_cast<std::size_t>(16 * k + channel)] = v;
    return *this;
}

StatusBlock& StatusBlock::setChannelPresentByte(int channel, std::uint8_t v) {
    return setChannelByte(so::ChannelPresent, channel, v);
}
StatusBlock& StatusBlock::setChannelModeByte(int channel, std::uint8_t v) {
    return setChannelByte(so::ChannelMode, channel, v);
}
StatusBlock& StatusBlock::setPreampPresentByte(int channel, std::uint8_t v) {
    return setChannelByte(so::PreampPresent, channel, v);
}

StatusBlock& StatusBlock::setGeneratorError(double v) {
    storeLE(m_bytes.data(), so::GeneratorError, v);
    return *this;
}

StatusBlock& StatusBlock::setGeneratorFrequency(double v) {
    storeLE(m_bytes.data(), so::GeneratorFrequency, v);
    return *this;
}

StatusBlock& StatusBlock::setRegistrationState(std::int8_t v) {
    m_bytes[so::RegistrationState] = static_cast<std::uint8_t>(v);
    return *this;
}

StatusBlock& StatusBlock::setLastState(const LastState& s) {
    for (std::size_t i = 0; i < 5; ++i)
        m_bytes[so::LastStateMarker + i] = 42;
    setU32(so::LastStateTime, s.time);
    setU32(so::StateFlags, s.stateFlags);
    setU32(so::ErrorFlags, s.errorFlags);
    storeLE(m_bytes.data(), so::LastEventCode, s.eventCode);
    return setU32(so::LastEventDetail, s.eventDetail);
}

StatusBlock& StatusBlock::setAllUnknown() {
    for (std::size_t offset : {so::Charge, so::Pressure, so::StationTime, so::SamplesLow, so::SamplesHigh,
                               so::FreeMemory, so::FileCount})
        setI32(offset, kUnknown);
    setGeneratorError(-1.0);
    setGeneratorFrequency(-1.0);
    return setGeneratorTime(kUnknown);
}

} // namespace kalver::link
