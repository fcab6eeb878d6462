// Status reports of 100 stations sent over loopback: ingested by the receive loop (reassembly buffer,
// in-place frames, the status report merged into 100 station records) side by side with a raw read of
// the same bytes from the same kind of socket. One iteration is a burst of kReports reports.

#include "fakes/ClusterFrames.h"
#include "link/ClusterList.h"
#include "link/TcpClientSocket.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include <memory>

using namespace kalver;
using namespace kalver::link;

namespace {

constexpr int kStations = 100;
constexpr int kReports = 100;

QByteArray burst() {
    QList<StatusBlock> blocks;
    for (int n = 1; n <= kStations; ++n) {
        StatusBlock b = test::frames::quietStation(n);
        b.setChargeLevel(50 + n % 50).setCharging(true);
        blocks.append(b);
    }
    QByteArray all;
    for (int r = 0; r < kReports; ++r) {
        blocks[r % kStations].setFreeMemory(r); // the reports differ a little, as real ones do
        all += test::frames::statusReport(blocks);
    }
    return all;
}

// A loopback server with one accepted connection.
struct Loopback {
    QTcpServer server;
    QTcpSocket* peer = nullptr;

    Loopback() { server.listen(QHostAddress::LocalHost, 0); }
    bool accept() {
        while (!peer) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
            peer = server.nextPendingConnection();
        }
        return true;
    }
    void send(const QByteArray& bytes) {
        peer->write(bytes);
        peer->flush();
    }
};

template <typename Done>
void pumpUntil(Done done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
}

void BM_RawRead(benchmark::State& state) {
    const QByteArray bytes = burst();
    Loopback loop;
    TcpClientSocket client(QStringLiteral("127.0.0.1"), loop.server.serverPort());
    qint64 received = 0;
    QByteArray sink(256 * 1024, '\0');
    QObject::connect(&client, &ClientSocket::readyRead, [&] {
        while (client.bytesWaiting() > 0)
            received += client.read(sink.data(), sink.size());
    });
    client.open();
    loop.accept();
    pumpUntil([&] { return client.isConnected(); });
    for (auto _ : state) {
        received = 0;
        loop.send(bytes);
        pumpUntil([&] { return received >= bytes.size(); });
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["reports"] = benchmark::Counter(static_cast<double>(state.iterations() * kReports),
                                                   benchmark::Counter::kIsRate);
}

void BM_ReceiveLoopIngest(benchmark::State& state) {
    const QByteArray bytes = burst();
    Loopback loop;
    ClusterList list;
    const int c = list.create(QStringLiteral("127.0.0.1"), loop.server.serverPort(), 1);
    TKlvRack& rack = list.at(c);
    rack.clusterConnection()->open();
    loop.accept();
    pumpUntil([&] { return rack.clusterConnection()->isConnected(); });
    for (auto _ : state) {
        // Every report sets the report flag; count them through the stations' last block instead.
        rack.reportFlag = false;
        loop.send(bytes);
        pumpUntil([&] {
            return rack.reportFlag && rack.stationCount() == kStations &&
                   rack.station(kReports % kStations == 0 ? kStations - 1 : (kReports - 1) % kStations)
                           .status.freeMemory() == kReports - 1 &&
                   rack.clusterConnection()->bytesWaiting() == 0 && rack.clusterConnection()->inbox().pending() == 0;
        });
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["reports"] = benchmark::Counter(static_cast<double>(state.iterations() * kReports),
                                                   benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReceiveLoopIngest)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
