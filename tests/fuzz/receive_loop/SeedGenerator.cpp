// Writes the seed inputs of receive_loop_fuzz into the folder named on the command line: valid frames
// of every kind the cluster sends, alone and together, each behind the two session bytes.

#include "core/ByteWriter.h"
#include "fakes/ClusterFrames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace kalver;
using namespace kalver::test;

namespace {

QByteArray session(std::uint8_t flags, std::uint8_t pieceMinusOne) {
    QByteArray s;
    s.append(static_cast<char>(flags));
    s.append(static_cast<char>(pieceMinusOne));
    return s;
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

// Values for the fuzz target's parameter grid (the "w" row carries none).
QByteArray gridValues() {
    ByteWriter w;
    w.putI32(-7).putU32(7).put<std::uint64_t>(9).put<float>(2.5f).put<std::int64_t>(-9).putU32(0xABCDu);
    w.putI32(1).putI32(2).putI32(3);
    w.put<float>(0.5f).put<float>(1.5f);
    w.put<std::uint64_t>(77);
    w.putI32(11);
    for (int i = 0; i < 1024; ++i)
        w.putU32(static_cast<std::uint32_t>(i));
    return w.take();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());

    const QByteArray reportA = frames::statusReport({busy(1), busy(2), frames::quietStation(3)});
    const QByteArray reportB = frames::statusReport({failing(1), failing(2), frames::quietStation(4)});
    const QByteArray values = gridValues();

    const QList<std::pair<const char*, QByteArray>> seeds = {
        {"report_twice_level3", session(3, 255) + reportA + reportB},
        {"report_split_small", session(1, 6) + reportA + reportB},
        {"report_empty", session(1, 255) + frames::clusterFrame(102, {})},
        {"acknowledgements", session(2, 255) + frames::acknowledgement(3, {busy(1)}) +
                                 frames::acknowledgement(24, {failing(1)})},
        {"catalogue_chunks", session(3, 255) + frames::catalogueChunk(1, 2, 1, QByteArray(256, 'b')) +
                                 frames::catalogueChunk(1, 2, 0, QByteArray(256, 'a')) + frames::refusal(105)},
        {"download_chunks", session(4 | 3, 255) + frames::downloadChunk(1, 3, 0, "first") +
                                frames::downloadChunk(1, 3, 2, "last") + frames::refusal(106)},
        {"download_without_target", session(3, 255) + frames::downloadChunk(1, 3, 0, "x")},
        {"subsystem_data", session(3, 255) + frames::subsystemData(values)},
        {"subsystem_system_configuration", session(16 | 3, 255) + frames::subsystemData(values)},
        {"subsystem_short", session(3, 255) + frames::subsystemData(values.left(40)) + frames::refusal(112)},
        {"save_results", session(3, 255) + frames::saveResult(1) + frames::saveResult(0) +
                             frames::clusterFrame(113, "\x01")},
        {"notices", session(1, 255) + frames::notice(3, QStringLiteral("Сообщение")) + frames::notice(1, "a")},
        {"notices_level0", session(0, 255) + frames::notice(1, QStringLiteral("Журнал"))},
        {"permission", session(1, 255) + frames::permissionAnswer(1) + frames::clusterFrame(101, {})},
        {"ignored_codes", session(1, 255) + frames::clusterFrame(100, "abc") + frames::clusterFrame(123, "abc") +
                              frames::clusterFrame(125, "abc") + frames::clusterFrame(102, "abc", std::nullopt, 0xAA55)},
        {"bad_length", session(1, 255) + frames::clusterFrame(102, {}, 2) + reportA},
        {"mnemonic_mix", session(8 | 1, 30) + reportA + frames::saveResult(1) + frames::notice(2, "n") + reportB},
    };
    for (const auto& [name, bytes] : seeds) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", name);
            return 1;
        }
    }
    std::printf("%lld seeds written to %s\n", static_cast<long long>(seeds.size()), qPrintable(dir.path()));
    return 0;
}
