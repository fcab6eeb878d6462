// Writes the seed inputs of the decoder fuzz targets into <folder>/<target>/: valid messages and files
// of every kind each target reads, with the target's leading control bytes.

#include "config/SettingsFile.h"
#include "config/UsersFile.h"
#include "core/ByteWriter.h"
#include "demo/Frame.h"
#include "examination/CatalogueBytes.h"
#include "fakes/ClusterFrames.h"
#include "link/ChargeTrend.h"
#include "session/TimeRequest.h"
#include "stationdata/StationDataInputs.h"
#include "stationdata/SubsystemFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace kalver;
using namespace kalver::test;

namespace {

QDir g_root;

void seed(const char* target, const char* name, const QByteArray& bytes) {
    g_root.mkpath(QString::fromLatin1(target));
    QFile file(g_root.filePath(QStringLiteral("%1/%2").arg(QString::fromLatin1(target), QString::fromLatin1(name))));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s/%s\n", target, name);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

link::StatusBlock busy(int number) {
    link::StatusBlock b = frames::quietStation(number);
    b.setRegistrationState(1).setStationTime(1000 + number).setSamplesRecorded(5).setGeneratorState(2)
        .setChargeLevel(40).setChannelPresentByte(0, 1).setChannelModeByte(0, 1)
        .setLastState({1700000000u, 1u, 2u, 12, 0xC0000005u});
    return b;
}

link::StatusBlock failing(int number) {
    link::StatusBlock b = busy(number);
    b.setStationTime(2000 + number).setGeneratorState(0xA0).setChargeLevel(-1).setInterfaceErrors(0x201)
        .setRecorderErrors(1);
    return b;
}

void statusReportSeeds() {
    const QByteArray a = frames::statusPayload({busy(1), busy(2), frames::quietStation(3)});
    const QByteArray b = frames::statusPayload({failing(1), failing(2), frames::quietStation(4)});
    // Byte 1 cuts at a × 256 ÷ (a + b): 3 blocks of 6.
    seed("status_report", "create_then_update_level3", bytes({3, 128}) + a + b);
    seed("status_report", "create_then_update_level1", bytes({1, 128}) + a + b);
    seed("status_report", "one_report_short_tail", bytes({3, 255}) + a + QByteArray(100, 'x'));
    seed("status_report", "empty", bytes({1, 0}));
}

// A message of the chunks target: kind byte (size ÷ 4 in the upper bits), then the payload.
QByteArray chunkMessage(bool download, const QByteArray& payload) {
    QByteArray p = payload;
    while (p.size() % 4 != 0)
        p.append('\0');
    return bytes({static_cast<int>(((p.size() / 4) << 1) | (download ? 1 : 0))}) + p;
}

void chunkSeeds() {
    const QByteArray data16(16, 'c');
    seed("chunks", "catalogue_two_chunks",
         bytes({0}) + chunkMessage(false, frames::chunkPayload(7, 2, 1, data16)) +
             chunkMessage(false, frames::chunkPayload(7, 2, 0, data16)));
    seed("chunks", "catalogue_refusal", bytes({0}) + bytes({2, '\xFF', 0, 0, 0}));
    seed("chunks", "download_three_chunks",
         bytes({1}) + chunkMessage(true, frames::chunkPayload(7, 3, 0, data16)) +
             chunkMessage(true, frames::chunkPayload(7, 3, 1, data16)) +
             chunkMessage(true, frames::chunkPayload(7, 3, 2, data16)));
    seed("chunks", "download_without_target", bytes({0}) + chunkMessage(true, frames::chunkPayload(7, 1, 0, data16)));
}

void subsystemDataSeeds() {
    // Rows: int32 r, uint32 rw, uint64 r, float r, hex32 r, table3/int32 r, int32 w (no value), tab2 r.
    const QByteArray picks = bytes({0, 64 + 1, 2, 4, 5, 7, 32 + 0, 6});
    ByteWriter w;
    w.putI32(-7).putU32(7).put<std::uint64_t>(9).put<float>(2.5f).putU32(0xABCDu);
    w.putI32(1).putI32(2).putI32(3);
    for (int i = 0; i < 1024; ++i)
        w.putU32(static_cast<std::uint32_t>(i));
    const QByteArray values = w.take();
    seed("subsystem_data", "every_type", bytes({static_cast<int>(picks.size())}) + picks + values);
    seed("subsystem_data", "system_configuration", bytes({16 | static_cast<int>(picks.size())}) + picks + values);
    seed("subsystem_data", "short_payload", bytes({static_cast<int>(picks.size())}) + picks + values.first(10));
    seed("subsystem_data", "refusal", bytes({1, 0, '\xFF'}));
}

void smallMessageSeeds() {
    seed("small_messages", "save_stored", bytes({0 << 2 | 3}) + frames::saveResult(1).mid(12));
    seed("small_messages", "save_refused", bytes({0 << 2 | 3}) + frames::saveResult(0).mid(12));
    seed("small_messages", "notice_show_journal",
         bytes({1 << 2 | 3}) + frames::noticePayload(3, QStringLiteral("Перегрев стойки")));
    seed("small_messages", "notice_level0", bytes({1 << 2 | 0}) + frames::noticePayload(1, QStringLiteral("Сообщение")));
    seed("small_messages", "permission_granted", bytes({2 << 2 | 2}) + frames::permissionAnswer(2).mid(12));
    seed("small_messages", "all_three", bytes({3 << 2 | 1}) + frames::permissionAnswer(1).mid(12));
}

void syncSeeds() {
    seed("sync_answer", "time", sync::timeAnswer(1700000000));
    seed("sync_answer", "error_flag", sync::timeAnswer(1700000000, true));
    seed("sync_answer", "not_determined", sync::timeAnswer(-1));
    seed("sync_answer", "long", sync::timeAnswer(1700000000, false, 40));
    seed("sync_answer", "request", session::timeRequest());
}

void settingsSeeds() {
    seed("settings_file", "one_cluster", settings::toBytes(settings::defaults(1, QStringLiteral("/opt/kalver/"))));
    seed("settings_file", "four_clusters", settings::toBytes(settings::defaults(4, QString())));
    settings::SettingsValues big = settings::defaults(100, QStringLiteral("C:\\Журнал\\"));
    big.stationsPerCluster = 100;
    big.queryInterval = 60;
    seed("settings_file", "hundred_clusters", settings::toBytes(big));
}

void usersSeeds() {
    const QList<users::TUser> accounts = {{QStringLiteral("mnemo"), QStringLiteral("1"), 0, {}},
                                          {QStringLiteral("оператор"), QStringLiteral("пароль"), 1, {}},
                                          {QStringLiteral("admin"), QStringLiteral("admin"), 2, {}},
                                          {QStringLiteral("dev"), QStringLiteral("x|y"), 3, {}},
                                          {QStringLiteral("odd"), QStringLiteral("p"), -1, QStringLiteral("z")}};
    int run = 0;
    seed("users_file", "five_accounts", users::toBytes(accounts, [&run] { return (run++ * 5) % 15; }));
    seed("users_file", "no_blanks", users::toBytes(accounts.first(2), [] { return 0; }));
    seed("users_file", "lf_lines", QByteArray("admin|admin/2\nop|op/1\r\n\n  x|y/\r"));
}

void inputsSeeds() {
    stationdata::StationDataInputs inputs;
    inputs.frequencyIndex = 3;
    inputs.registrationBegin = TDateTime(45000.25);
    inputs.registrationEnd = TDateTime(45001.75);
    inputs.inclinometerStep = 30;
    inputs.channelSetType = 1;
    for (int i = 0; i < stationdata::kChannels; ++i)
        inputs.channels[static_cast<std::size_t>(i)] = {1, static_cast<std::uint8_t>(i % 7), 0,
                                                       static_cast<std::uint8_t>(i % 4), 1};
    seed("inputs_file", "with_channels", stationdata::encodeInputs(inputs, true));
    seed("inputs_file", "without_channels", stationdata::encodeInputs(inputs, false));
    seed("inputs_file", "defaults", stationdata::encodeInputs(stationdata::StationDataInputs{}, true));
}

void subsystemFileSeeds() {
    const QList<SubsystemParameter> parameters = {
        {QStringLiteral("Напряжение"), QStringLiteral("r"), QStringLiteral("float"), {}, {}, QStringLiteral("В")},
        {QStringLiteral("Порог"), QStringLiteral("rw"), QStringLiteral("int32"), QStringLiteral("-10"),
         QStringLiteral("10"), {}},
        {QStringLiteral("Таблица"), QStringLiteral("r"), QStringLiteral("table4/uint32"), {}, {}, {}},
        {QStringLiteral("Сбойные"), QStringLiteral("r"), QStringLiteral("tab2"), {}, {}, {}},
        {QStringLiteral("Команда"), QStringLiteral("w"), QStringLiteral("hex32"), {}, {}, {}}};
    const SubsystemFile file(QStringLiteral("Подсистема питания"), QStringLiteral("v1"), parameters);
    seed("subsystem_file", "cp1251", file.toBytes());
    seed("subsystem_file", "utf8_bom", QByteArray("\xEF\xBB\xBF") + QString::fromLocal8Bit(file.toBytes()).toUtf8());
    QByteArray utf16("\xFF\xFE", 2);
    const QString text = QStringLiteral("h0\r\nh1\r\nname\r\nr\r\nint32\r\n\r\n\r\n\r\n00\r\n");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    seed("subsystem_file", "utf16_bom", utf16);
    seed("subsystem_file", "bad_check", QByteArray("h0\nh1\nname\nr\nint32\n1\n2\n\nZZ\n"));
}

void chargeTrendSeeds() {
    QByteArray three;
    for (int i = 0; i < 3; ++i)
        three += link::chargeTrendRecord(TDateTime(45000.0 + i / 24.0), 90.0 - i);
    seed("charge_trend", "three_records", three);
    seed("charge_trend", "unknown_level_and_tail", link::chargeTrendRecord(TDateTime(45000.5), -1) + QByteArray(7, 'x'));
    QByteArray many;
    for (int i = 0; i < 20; ++i)
        many += link::chargeTrendRecord(TDateTime(45000.0 + i), i * 5.0);
    seed("charge_trend", "twenty_records", many);
}

QByteArray stationList(std::initializer_list<qint32> numbers) {
    ByteWriter w;
    for (qint32 n : numbers)
        w.putI32(n);
    return w.take();
}

void demoRequestSeeds() {
    const QByteArray everything = bytes({255});
    // Permission request (1), status poll (2), file catalogue request (5).
    seed("demo_requests", "permission_and_poll",
         everything + demo::requestFrame(1, stationList({2})) + demo::requestFrame(2, {}));
    // Start (3): n, frequency, 16 channel entries, inclinometer period, begin, end, inclinometer start,
    // inclinometer use, 3 zero bytes, the stations.
    ByteWriter start;
    start.putI32(2).putI32(1);
    for (int i = 0; i < 16; ++i)
        start.putU8(1).putU8(0).putU8(0).putU8(0).putU8(1);
    start.putI32(5).putI32(1700000000).putI32(1700003600).putI32(1700000000).putU8(1).putU8(0).putU8(0).putU8(0);
    start.putI32(101).putI32(102);
    seed("demo_requests", "start", everything + demo::requestFrame(3, start.take()));
    ByteWriter download;
    download.putI32(1700000000).putI32(1700003600).putI32(101);
    seed("demo_requests", "download_and_stop",
         everything + demo::requestFrame(6, download.take()) + demo::requestFrame(4, stationList({101, 102})));
    const QString key = QStringLiteral("0032352020376D71\\питания.sub");
    ByteWriter sub;
    sub.putI32(101).putU32(2).putU32(static_cast<std::uint32_t>(key.size()));
    QByteArray subBody = sub.take();
    subBody.append(reinterpret_cast<const char*>(key.utf16()), key.size() * 2);
    seed("demo_requests", "subsystem_read", everything + demo::requestFrame(12, subBody));
    seed("demo_requests", "subsystem_write_split",
         bytes({6}) + demo::requestFrame(13, subBody + stationList({1, 2, 3})) + demo::requestFrame(5, stationList({101})));
}

// Control byte: bit 0 the "qm7  521" type, bits 1-5 the number of files; then 16-bit sizes and chunks.
void catalogueSeeds() {
    const auto sized = [](const QByteArray& chunk) {
        return ByteWriter().putU8(static_cast<std::uint8_t>(chunk.size() & 0xFF))
                   .putU8(static_cast<std::uint8_t>(chunk.size() >> 8)).putBytes(chunk).take();
    };
    const QByteArray twoFiles = validFlagEntry(0, 86400000, 1000, 1700000000, 1) + validFlagEntry(0, 1000, 1000, 60, 0);
    seed("catalogue", "valid_flag_one_chunk", bytes({1 | (2 << 1)}) + sized(storedChunk(7, 0, twoFiles)));
    seed("catalogue", "valid_flag_reversed_chunks",
         bytes({1 | (2 << 1)}) + sized(storedChunk(7, 1, twoFiles.mid(300))) + sized(storedChunk(7, 0, twoFiles.left(300))));
    const QByteArray marks = emptyMarkEntry(false, 0, 500000, 1700000000, 500) + emptyMarkEntry(true, 0, 0, 0, 0) +
                             emptyMarkEntry(false, 10, 9, 0, 0);
    seed("catalogue", "empty_mark_three_files", bytes({3 << 1}) + sized(storedChunk(7, 0, marks)));
    seed("catalogue", "foreign_station", bytes({1}) + sized(storedChunk(7, 0, twoFiles)) + sized(storedChunk(8, 1, {})));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
        return 2;
    }
    g_root = QDir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(g_root.path());
    statusReportSeeds();
    chunkSeeds();
    subsystemDataSeeds();
    smallMessageSeeds();
    syncSeeds();
    settingsSeeds();
    usersSeeds();
    inputsSeeds();
    subsystemFileSeeds();
    chargeTrendSeeds();
    catalogueSeeds();
    demoRequestSeeds();
    return 0;
}
