#include "demo/Rack.h"

#include "demo/FileCatalogue.h"
#include "demo/Requests.h"
#include "demo/StatusBlockWriter.h"
#include "core/ByteWriter.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace kalver::demo {

namespace {

constexpr int kMaxQueuedNotices = 100;
constexpr double kRackNoticeSeconds = 600; // a random rack notice about every ten simulated minutes

QByteArray refusal() { return QByteArray(1, '\xFF'); }

QByteArray word(qint32 value) { return ByteWriter().putI32(value).take(); }

QString rackNoticeText(Random& rng) {
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
    case 0:
        return QStringLiteral("Температура в стойке %1 °C")
            .arg(QLocale(QLocale::Russian).toString(std::uniform_real_distribution<double>(18, 31)(rng), 'f', 1));
    case 1:
        return QStringLiteral("Напряжение питания стойки %1 В")
            .arg(QLocale(QLocale::Russian).toString(std::uniform_real_distribution<double>(23.6, 24.4)(rng), 'f', 2));
    case 2:
        return QStringLiteral("Проверка зарядных устройств стойки завершена");
    default:
        return QStringLiteral("Вентиляция стойки работает в штатном режиме");
    }
}

} // namespace

Rack::Rack(int number, const QList<qint32>& stationNumbers, quint32 seed, SubsystemLibrary* library, Clock clock)
    : m_number(number), m_rng(seed), m_library(library),
      m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentMSecsSinceEpoch(); })),
      m_lastMs(m_clock()) {
    const qint64 now = nowSeconds();
    m_stations.reserve(stationNumbers.size());
    for (qint32 n : stationNumbers) {
        const StationKind kind = std::uniform_int_distribution<int>(0, 2)(m_rng) == 0 ? StationKind::Qm7_52
                                                                                      : StationKind::Qm7_521;
        Station station(n, kind);
        station.randomise(m_rng, now);
        m_stations.append(station);
    }
    m_nextRackNotice = std::uniform_real_distribution<double>(60, kRackNoticeSeconds)(m_rng);
}

void Rack::advance() {
    const qint64 nowMs = m_clock();
    const double real = std::max<qint64>(0, nowMs - m_lastMs) / 1000.0;
    m_lastMs = std::max(m_lastMs, nowMs);
    if (real <= 0)
        return;
    const Tick tick{nowMs / 1000, real, real * m_speed, m_incidents};
    QList<StationEvent> events;
    for (Station& s : m_stations)
        s.advance(tick, m_rng, events);
    for (const StationEvent& e : events)
        queueNotice(e.journal ? 3 : 1, e.text);
    if (m_incidents && (m_nextRackNotice -= tick.simSeconds) <= 0) {
        queueNotice(1, rackNoticeText(m_rng));
        m_nextRackNotice = std::uniform_real_distribution<double>(0.5, 1.5)(m_rng) * kRackNoticeSeconds;
    }
}

QList<Reply> Rack::answer(const Request& request) {
    advance();
    const int code = request.messageCode();
    switch (code) {
    case 1: {
        const std::optional<qint32> level = decodeLeadingNumber(request.payload);
        qint32 answer = level.value_or(-1);
        if (!level || faults.refusePermission)
            answer = level.value_or(0) == -1 ? 0 : -1; // any level but the one asked for
        return {{101, word(answer), false}};
    }
    case 2:
        return {report(102, false)};
    case 5:
        return fileCatalogue(request.payload);
    case 12:
        return subsystemRead(request.payload);
    case 13:
        return subsystemWrite(request.payload);
    case 3: case 4: case 7: case 8: case 9: case 10: case 11: case 15: case 16:
    case 17: case 18: case 19: case 20: case 21: case 22: case 24:
        return command(code, request.payload);
    default:
        return {}; // codes the cluster does not know are dropped
    }
}

QList<Reply> Rack::command(int code, QByteArrayView body) {
    const qint64 now = nowSeconds();
    QList<qint32> stations;
    StartOrder order;
    if (code == 3 || (code >= 17 && code <= 20)) {
        const std::optional<StartRequest> start = decodeStartRequest(body);
        if (!start)
            return {};
        order = start->order;
        order.code = code;
        stations = start->stations;
    } else if (code == 11) {
        const std::optional<QList<qint32>> list = decodeDownloadRequest(body);
        if (!list)
            return {};
        stations = *list;
    } else {
        stations = decodeStationList(body);
    }

    if (code == 7) {
        // Search: the rack looks for its stations and wakes those that were powered off.
        for (Station& s : m_stations)
            if (s.poweredOff && !faults.isStubborn(s.number))
                s.powerOn();
    }
    for (qint32 number : stations) {
        Station* s = presentStation(number);
        if (!s || faults.isStubborn(number))
            continue;
        switch (code) {
        case 4: s->stop(now); break;
        case 8: s->eraseOldestFile(); break;
        case 9: s->eraseAllFiles(); break;
        case 10: s->eraseInclinometerData(); break;
        case 11: s->startDownload(); break;
        case 15: s->stopDownload(false); break;
        case 16: s->stopDownload(true); break;
        case 21: s->startTuning(m_rng); break;
        case 22: s->stopTuning(); break;
        case 24: s->powerOff(now); break;
        case 7: break;
        default: s->start(order, now); break;
        }
    }
    return {report(static_cast<quint32>(code + 100), true)};
}

QList<Reply> Rack::fileCatalogue(QByteArrayView body) {
    const std::optional<qint32> number = decodeLeadingNumber(body);
    Station* s = number ? presentStation(*number) : nullptr;
    if (!s || faults.refuseCatalogue || s->isRecording() || s->downloading)
        return {{105, refusal(), true}};
    QList<QByteArray> chunks = catalogueChunks(s->number, writeFileCatalogue(*s));
    if (faults.shuffleChunks)
        std::reverse(chunks.begin(), chunks.end());
    QList<Reply> replies;
    for (QByteArray& chunk : chunks)
        replies.append({105, std::move(chunk), true});
    return replies;
}

SubsystemData* Rack::subsystemData(const Station& station, const QString& key, const SubsystemFile** file) {
    *file = m_library ? m_library->find(key, stationTypeKey(station.type().text)) : nullptr;
    if (!*file)
        return nullptr;
    const auto id = std::make_pair(station.number, key);
    auto it = m_subsystems.find(id);
    if (it == m_subsystems.end()) {
        std::optional<SubsystemData> created = SubsystemData::create(**file);
        if (!created)
            return nullptr;
        it = m_subsystems.emplace(id, std::move(*created)).first;
    }
    return &it->second;
}

QList<Reply> Rack::subsystemRead(QByteArrayView body) {
    const std::optional<SubsystemRequest> request = decodeSubsystemRequest(body);
    const Station* s = request ? presentStation(request->station) : nullptr;
    const SubsystemFile* file = nullptr;
    const SubsystemData* data = s && !faults.refuseSubsystem ? subsystemData(*s, request->key, &file) : nullptr;
    if (!data)
        return {{112, refusal(), true}};
    return {{112, data->reply(*file, *s), true}};
}

QList<Reply> Rack::subsystemWrite(QByteArrayView body) {
    const std::optional<SubsystemRequest> request = decodeSubsystemRequest(body);
    const Station* s = request ? presentStation(request->station) : nullptr;
    const SubsystemFile* file = nullptr;
    SubsystemData* data = s && !faults.refuseSubsystem && !faults.saveError
                              ? subsystemData(*s, request->key, &file) : nullptr;
    const bool stored = data && data->applyWrite(*file, request->values);
    return {{113, word(stored ? 1 : 0), true}};
}

Reply Rack::report(quint32 wireCode, bool late) const { return {wireCode, statusReport(), late}; }

QByteArray Rack::statusReport() const {
    const qint64 now = nowSeconds();
    QByteArray bytes;
    bytes.reserve(m_stations.size() * 456);
    for (const Station& s : m_stations)
        if (!s.poweredOff)
            bytes += writeStatusBlock(s, now);
    return bytes;
}

QList<QByteArray> Rack::takeNotices() { return std::exchange(m_notices, {}); }

QByteArray Rack::noticePayload(quint32 flags, const QString& text) {
    ByteWriter w(12 + 2 * text.size());
    w.putU32(flags).putU32(static_cast<quint32>(2 * text.size())).putU32(2);
    for (const QChar c : text)
        w.putU16(c.unicode());
    return w.take();
}

void Rack::queueNotice(quint32 flags, const QString& text) {
    if (m_notices.size() < kMaxQueuedNotices)
        m_notices.append(noticePayload(flags, text));
}

bool Rack::anyStationTuning() const {
    return std::any_of(m_stations.begin(), m_stations.end(),
                       [](const Station& s) { return !s.poweredOff && s.tuningState == tuning::kRunning; });
}

Station* Rack::findStation(qint32 number) {
    for (Station& s : m_stations)
        if (s.number == number)
            return &s;
    return nullptr;
}

Station* Rack::presentStation(qint32 number) {
    Station* s = findStation(number);
    return s && !s->poweredOff ? s : nullptr;
}

} // namespace kalver::demo
