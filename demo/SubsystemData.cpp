#include "demo/SubsystemData.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <cmath>
#include <functional>

namespace kalver::demo {

namespace {

using LiveValue = std::function<double(const Station&)>;

const QList<std::pair<QString, LiveValue>>& liveValues() {
    static const QList<std::pair<QString, LiveValue>> values = {
        {"number", [](const Station& s) { return double(s.number); }},
        {"charge", [](const Station& s) { return double(s.chargePercent()); }},
        {"current", [](const Station& s) { return s.charging ? s.chargingCurrent : 0.0; }},
        {"pressure", [](const Station& s) { return s.pressureKnown ? s.pressure : -1.0; }},
        {"drift", [](const Station& s) { return s.driftUs; }},
        {"frequency", [](const Station& s) { return double(s.frequency); }},
        {"freemem", [](const Station& s) { return double(s.freeMemoryPercent()); }},
        {"files", [](const Station& s) { return double(s.fileCount()); }},
        {"samples", [](const Station& s) { return s.samples; }},
        {"registration", [](const Station& s) { return double(s.registrationState); }},
        {"interface-errors", [](const Station& s) { return double(s.interfaceErrors); }},
        {"recorder-errors", [](const Station& s) { return double(s.recorderErrors); }},
        {"tuning-state", [](const Station& s) { return double(s.tuningState); }},
        {"generator-frequency", [](const Station& s) { return s.generatorFrequency; }},
        {"generator-error", [](const Station& s) { return s.generatorError; }},
    };
    return values;
}

const LiveValue* findLiveValue(const QString& extra) {
    if (!extra.startsWith(u'='))
        return nullptr;
    const QString name = extra.mid(1).trimmed();
    for (const auto& [n, f] : liveValues())
        if (n == name)
            return &f;
    return nullptr;
}

QByteArray encodeNumber(ValueKind kind, double v) {
    ByteWriter w;
    switch (kind) {
    case ValueKind::Int32: w.putI32(static_cast<qint32>(std::llround(v))); break;
    case ValueKind::UInt32:
    case ValueKind::Hex32: w.putU32(static_cast<quint32>(std::llround(v))); break;
    case ValueKind::Int64: w.put<qint64>(std::llround(v)); break;
    case ValueKind::UInt64: w.put<quint64>(static_cast<quint64>(std::llround(v))); break;
    case ValueKind::Float: w.put<float>(static_cast<float>(v)); break;
    }
    return w.take();
}

// A value written as text in the type's form, as its binary form.
std::optional<QByteArray> encodeText(ValueKind kind, QString text) {
    text = text.trimmed();
    bool ok = false;
    ByteWriter w;
    switch (kind) {
    case ValueKind::Int32: w.putI32(text.toInt(&ok)); break;
    case ValueKind::UInt32: w.putU32(text.toUInt(&ok)); break;
    case ValueKind::Hex32: w.putU32(text.toUInt(&ok, 16)); break;
    case ValueKind::Int64: w.put<qint64>(text.toLongLong(&ok)); break;
    case ValueKind::UInt64: w.put<quint64>(text.toULongLong(&ok)); break;
    case ValueKind::Float: w.put<float>(text.replace(u',', u'.').toFloat(&ok)); break;
    }
    if (!ok)
        return std::nullopt;
    return w.take();
}

// Values compared within their kind: signed, unsigned or real.
struct Comparable {
    enum class Domain { Signed, Unsigned, Real } domain;
    qint64 s = 0;
    quint64 u = 0;
    double r = 0;
    int compare(const Comparable& o) const {
        switch (domain) {
        case Domain::Signed: return s < o.s ? -1 : (s > o.s ? 1 : 0);
        case Domain::Unsigned: return u < o.u ? -1 : (u > o.u ? 1 : 0);
        case Domain::Real: return r < o.r ? -1 : (r > o.r ? 1 : 0);
        }
        return 0;
    }
};

Comparable fromBytes(ValueKind kind, const char* p) {
    switch (kind) {
    case ValueKind::Int32: return {Comparable::Domain::Signed, loadLE<qint32>(p, 0)};
    case ValueKind::Int64: return {Comparable::Domain::Signed, loadLE<qint64>(p, 0)};
    case ValueKind::UInt32:
    case ValueKind::Hex32: return {Comparable::Domain::Unsigned, 0, loadLE<quint32>(p, 0)};
    case ValueKind::UInt64: return {Comparable::Domain::Unsigned, 0, loadLE<quint64>(p, 0)};
    case ValueKind::Float: return {Comparable::Domain::Real, 0, 0, loadLE<float>(p, 0)};
    }
    return {Comparable::Domain::Signed};
}

// A limit text; nothing when empty or not a number of the kind (no limit then).
std::optional<Comparable> limit(ValueKind kind, const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> bytes = encodeText(kind, text);
    if (!bytes)
        return std::nullopt;
    return fromBytes(kind, bytes->constData());
}

QByteArray initialValue(const SubsystemParameter& p, const ParameterType& type) {
    const int size = valueSize(type.element);
    const QStringList parts = p.extra.split(u';', Qt::SkipEmptyParts);
    QByteArray bytes;
    bytes.reserve(type.byteSize());
    for (int i = 0; i < type.count; ++i) {
        std::optional<QByteArray> element;
        if (!parts.isEmpty() && !findLiveValue(p.extra))
            element = encodeText(type.element, parts.at(i % parts.size()));
        if (!element && type.form == ParameterType::Form::Scalar)
            element = encodeText(type.element, p.minimum); // no usable initial value: the minimum
        bytes += element ? *element : QByteArray(size, '\0');
    }
    return bytes;
}

} // namespace

QStringList SubsystemData::liveValueNames() {
    QStringList names;
    for (const auto& [name, f] : liveValues())
        names << name;
    return names;
}

std::optional<SubsystemData> SubsystemData::create(const SubsystemFile& file) {
    SubsystemData data;
    for (const SubsystemParameter& p : file.parameters()) {
        const ParameterType type = parseParameterType(p.type);
        if (type.form == ParameterType::Form::Unknown)
            return std::nullopt;
        data.m_values.append(p.isWriteOnly() ? QByteArray() : initialValue(p, type));
    }
    return data;
}

QByteArray SubsystemData::reply(const SubsystemFile& file, const Station& station) const {
    QByteArray payload;
    const QList<SubsystemParameter>& parameters = file.parameters();
    for (qsizetype r = 0; r < parameters.size() && r < m_values.size(); ++r) {
        const SubsystemParameter& p = parameters.at(r);
        if (p.isWriteOnly())
            continue;
        const ParameterType type = parseParameterType(p.type);
        const LiveValue* live = type.form == ParameterType::Form::Scalar ? findLiveValue(p.extra) : nullptr;
        payload += live ? encodeNumber(type.element, (*live)(station)) : m_values.at(r);
    }
    return payload;
}

bool SubsystemData::applyWrite(const SubsystemFile& file, QByteArrayView entries) {
    QList<QByteArray> updated = m_values;
    ByteReader r(entries.data(), static_cast<std::size_t>(entries.size()));
    const QList<SubsystemParameter>& parameters = file.parameters();
    for (qsizetype row = 0; row < parameters.size() && row < updated.size(); ++row) {
        const SubsystemParameter& p = parameters.at(row);
        const ParameterType type = parseParameterType(p.type);
        if (!p.isWritable() || !type.travelsInWrite())
            continue;
        quint8 isNew = 0;
        QByteArray value(valueSize(type.element), '\0');
        if (!r.read(isNew) || !r.readBytes(value.data(), static_cast<std::size_t>(value.size())))
            return false;
        if (isNew == 0)
            continue;
        const Comparable v = fromBytes(type.element, value.constData());
        const std::optional<Comparable> lo = limit(type.element, p.minimum);
        const std::optional<Comparable> hi = limit(type.element, p.maximum);
        if ((lo && v.compare(*lo) < 0) || (hi && v.compare(*hi) > 0))
            return false;
        if (!p.isWriteOnly())
            updated[row] = value;
    }
    if (!r.atEnd())
        return false;
    m_values = updated;
    return true;
}

} // namespace kalver::demo
