#include "stationdata/ParameterValue.h"

#include "core/ByteWriter.h"

#include <QLocale>

#include <cmath>

namespace kalver::stationdata {

namespace {

std::optional<qint32> toInt32(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? std::optional<qint32>(v) : std::nullopt;
}

std::optional<quint32> toUInt32(const QString& text, int base = 10) {
    if (text.contains(QLatin1Char('-')))
        return std::nullopt;
    bool ok = false;
    const uint v = (base == 16 ? QStringLiteral("0x") + text : text).toUInt(&ok, base);
    return ok ? std::optional<quint32>(v) : std::nullopt;
}

std::optional<quint64> toUInt64(const QString& text) {
    if (text.contains(QLatin1Char('-')))
        return std::nullopt;
    bool ok = false;
    const qulonglong v = text.toULongLong(&ok, 10);
    return ok ? std::optional<quint64>(v) : std::nullopt;
}

// A decimal real with the locale's separator, or with "." as written in the description files.
std::optional<double> toReal(const QString& text) {
    bool ok = false;
    double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The 32-bit real nearest to `v`, or nothing when `v` rounds beyond the largest one. Values just above
// the largest 32-bit real (its shortest text "3.4028235E38" reads back a little above it) round to it.
std::optional<float> toSingle(double v) {
    constexpr double kRoundsToInfinity = 0x1.ffffffp127; // half a unit above the largest 32-bit real
    if (!(std::fabs(v) < kRoundsToInfinity))
        return std::nullopt;
    return static_cast<float>(v);
}

template <typename T>
QByteArray bytesOf(T value) {
    return ByteWriter(sizeof(T)).put(value).take();
}

// The checks in order: the "-" sign (unsigned types), the number, the minimum, the maximum.
template <typename T, typename Parse>
CheckedValue checkNumber(const QString& text, const QString& minimum, const QString& maximum, bool unsignedType,
                         Parse parse) {
    if (unsignedType && text.contains(QLatin1Char('-')))
        return {{}, QString::fromUtf16(kBelowMinimumText)};
    const std::optional<T> value = parse(text);
    if (!value)
        return {{}, QString::fromUtf16(kInputErrorText)};
    if (const std::optional<T> low = minimum.isEmpty() ? std::nullopt : parse(minimum); low && *value < *low)
        return {{}, QString::fromUtf16(kBelowMinimumText)};
    if (const std::optional<T> high = maximum.isEmpty() ? std::nullopt : parse(maximum); high && *value > *high)
        return {{}, QString::fromUtf16(kAboveMaximumText)};
    return {bytesOf(*value), {}};
}

} // namespace

std::optional<WriteType> writeType(QStringView typeText) {
    if (typeText == u"int32") return WriteType::Int32;
    if (typeText == u"uint32") return WriteType::UInt32;
    if (typeText == u"uint64") return WriteType::UInt64;
    if (typeText == u"float") return WriteType::Float;
    if (typeText == u"hex32") return WriteType::Hex32;
    return std::nullopt;
}

CheckedValue checkNewValue(WriteType type, const QString& text, const QString& minimum, const QString& maximum) {
    switch (type) {
    case WriteType::Int32:
        return checkNumber<qint32>(text, minimum, maximum, false, [](const QString& t) { return toInt32(t); });
    case WriteType::UInt32:
        return checkNumber<quint32>(text, minimum, maximum, true, [](const QString& t) { return toUInt32(t); });
    case WriteType::UInt64:
        return checkNumber<quint64>(text, minimum, maximum, true, [](const QString& t) { return toUInt64(t); });
    case WriteType::Hex32:
        return checkNumber<quint32>(text, minimum, maximum, true, [](const QString& t) { return toUInt32(t, 16); });
    case WriteType::Float: {
        CheckedValue checked = checkNumber<double>(text, minimum, maximum, false, [](const QString& t) { return toReal(t); });
        if (!checked.error.isEmpty())
            return checked;
        const std::optional<float> v = toSingle(*toReal(text));
        if (!v)
            return {{}, QString::fromUtf16(kInputErrorText)};
        return {bytesOf(*v), {}};
    }
    }
    return {{}, QString::fromUtf16(kInputErrorText)};
}

QByteArray currentValueBytes(WriteType type, const QString& valueText) {
    switch (type) {
    case WriteType::Int32:
        return bytesOf(toInt32(valueText).value_or(0));
    case WriteType::UInt32: {
        if (const std::optional<quint32> v = toUInt32(valueText))
            return bytesOf(*v);
        return bytesOf(toInt32(valueText).value_or(0));
    }
    case WriteType::UInt64: {
        bool ok = false;
        const qlonglong v = valueText.toLongLong(&ok, 10);
        if (ok)
            return bytesOf(static_cast<qint64>(v));
        return bytesOf(toUInt64(valueText).value_or(0));
    }
    case WriteType::Float: {
        const std::optional<double> v = toReal(valueText);
        return bytesOf(v ? toSingle(*v).value_or(0.0f) : 0.0f);
    }
    case WriteType::Hex32:
        return bytesOf(toUInt32(valueText, 16).value_or(0));
    }
    return {};
}

} // namespace kalver::stationdata
