// Status reports of 100 stations sent over loopback: ingested by the receive loop (reassembly buffer,
// in-place frames, the status report merged into 100 station records) side by side with a raw read of
// the same bytes from the same kind of socket, and the literal design (readAll per event, mid per
// frame) merging the same reports. One iteration is a burst of kReports reports, written by a sender
// thread so that only the receiving side runs on the measured thread.

#include "fakes/ClusterFrames.h"
#include "link/ClusterList.h"
#include "link/ClusterRef.h"
#include "link/StatusReport.h"
#include "link/TcpClientSocket.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <semaphore>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

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

// A loopback server with one accepted connection, whose bursts are written by a thread of their own
// with blocking sends, as a rack controller on another machine would write them: the receiving side,
// alone on the benchmark's thread, is what is measured.
struct Loopback {
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    int senderFd = -1;
    std::thread sender;
    std::binary_semaphore go{0};
    std::atomic<bool> ending{false};
    const QByteArray* burst = nullptr;

    Loopback() { server.listen(QHostAddress::LocalHost, 0); }
    ~Loopback() {
        if (sender.joinable()) {
            ending = true;
            go.release();
            sender.join();
        }
        if (senderFd >= 0)
            ::close(senderFd);
    }
    bool accept() {
        while (!peer) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
            peer = server.nextPendingConnection();
        }
        senderFd = ::dup(static_cast<int>(peer->socketDescriptor()));
        ::fcntl(senderFd, F_SETFL, ::fcntl(senderFd, F_GETFL) & ~O_NONBLOCK);
        sender = std::thread([this] {
            for (;;) {
                go.acquire();
                if (ending)
                    return;
                const char* at = burst->constData();
                qsizetype left = burst->size();
                while (left > 0) {
                    const ssize_t n = ::send(senderFd, at, static_cast<size_t>(left), MSG_NOSIGNAL);
                    if (n <= 0)
                        return;
                    at += n;
                    left -= n;
                }
            }
        });
        return true;
    }
    // Starts writing `bytes` (kept alive by the caller until they have been received).
    void send(const QByteArray& bytes) {
        burst = &bytes;
        go.release();
    }
};

template <typename Done>
void pumpUntil(Done done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
}

// One burst on the measured thread: started, then received until `done`. Each benchmark's iteration
// is one call of a function of its own, so that an instruction profile (valgrind --tool=callgrind)
// gives the cost of one burst as the function's inclusive cost divided by its calls.
template <typename Done>
[[gnu::noinline]] void receiveOneBurst(Loopback& loop, const QByteArray& bytes, Done done) {
    loop.send(bytes);
    pumpUntil(done);
}
[[gnu::noinline]] void rawReadBurst(Loopback& loop, const QByteArray& bytes, const qint64& received) {
    receiveOneBurst(loop, bytes, [&] { return received >= bytes.size(); });
}
[[gnu::noinline]] void ingestBurst(Loopback& loop, const QByteArray& bytes, const int& reports) {
    receiveOneBurst(loop, bytes, [&] { return reports == kReports; });
}
[[gnu::noinline]] void readAllAndMidBurst(Loopback& loop, const QByteArray& bytes, const int& reports) {
    receiveOneBurst(loop, bytes, [&] { return reports == kReports; });
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
        rawReadBurst(loop, bytes, received);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["reports"] = benchmark::Counter(static_cast<double>(state.iterations() * kReports),
                                                   benchmark::Counter::kIsRate);
}

// Counts the reports merged (each ends with a table refresh outside the mnemonic mode).
struct ReportCounter : LinkObserver {
    void refreshTable() override { ++reports; }
    int reports = 0;
};

void BM_ReceiveLoopIngest(benchmark::State& state) {
    const QByteArray bytes = burst();
    Loopback loop;
    ClusterList list;
    ReportCounter counter;
    list.setObserver(&counter);
    const int c = list.create(QStringLiteral("127.0.0.1"), loop.server.serverPort(), 1);
    TKlvRack& rack = list.at(c);
    rack.clusterConnection()->open();
    loop.accept();
    pumpUntil([&] { return rack.clusterConnection()->isConnected(); });
    for (auto _ : state) {
        counter.reports = 0;
        ingestBurst(loop, bytes, counter.reports);
    }
    if (rack.stationCount() != kStations)
        state.SkipWithError("the reports were not merged");
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["reports"] = benchmark::Counter(static_cast<double>(state.iterations() * kReports),
                                                   benchmark::Counter::kIsRate);
}

// The literal design for comparison: readAll() per data-readable event appended to an accumulator,
// mid() per frame and per remainder, the same status report handler.
void BM_ReadAllAndMidPerFrame(benchmark::State& state) {
    const QByteArray bytes = burst();
    Loopback loop;
    ClusterList list;
    ReportCounter counter;
    list.setObserver(&counter);
    const int c = list.create(QStringLiteral("127.0.0.1"), 1, 1); // records only; never opened
    QTcpSocket client;
    QByteArray accumulated;
    QObject::connect(&client, &QTcpSocket::readyRead, [&] {
        // Bytes that come in while the handler processes events raise no second event: read again.
        while (client.bytesAvailable() > 0) {
        accumulated += client.readAll();
        while (accumulated.size() >= 12) {
            quint32 length;
            std::memcpy(&length, accumulated.constData() + 4, 4);
            const qsizetype total = 12 + static_cast<qsizetype>(length) - 3;
            if (accumulated.size() < total)
                break;
            const QByteArray payload = accumulated.mid(12, total - 12);
            accumulated = accumulated.mid(total);
            ClusterRef ref(list, c);
            handleStatusReport(ref, payload);
            QCoreApplication::processEvents();
        }
        }
    });
    client.connectToHost(QHostAddress::LocalHost, loop.server.serverPort());
    loop.accept();
    pumpUntil([&] { return client.state() == QAbstractSocket::ConnectedState; });
    for (auto _ : state) {
        counter.reports = 0;
        readAllAndMidBurst(loop, bytes, counter.reports);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["reports"] = benchmark::Counter(static_cast<double>(state.iterations() * kReports),
                                                   benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReceiveLoopIngest)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadAllAndMidPerFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
