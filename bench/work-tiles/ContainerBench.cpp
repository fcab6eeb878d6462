// The container at its largest configuration, 100 clusters of 100 stations, measured side by side:
//  (b) one blink tick over 10,000 tiles: the rack panels that paint their tiles against the literal
//      design of two widgets per tile (a picture widget and a check box), every tile blinking;
//      also the time to build either;
//  (c) the user-interface thread's time for a whole poll round: 100 status reports of 100 stations
//      merged (one station of each rack leaves and another arrives, so every rack is laid out again),
//      and the table refreshed; with the resident memory at that size.
// Run: bench_work_tiles [--benchmark_filter=...]; the window is shown on the offscreen platform unless
// QT_QPA_PLATFORM names another.

#include "SampleRacks.h"

#include "core/ProgramValues.h"
#include "link/TKlvStation.h"
#include "work/TileFrame.h"
#include "work/Unit_Work.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QScrollArea>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

using namespace kalver;

namespace {

constexpr int kClusters = 100;
constexpr int kStations = 100;

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void paintNow() {
    QCoreApplication::processEvents();
}

// Every station charging at 30 %: each tick changes every tile's frame.
QList<link::StatusBlock> blinkingRack(int cluster, int round = 0) {
    QList<link::StatusBlock> blocks;
    for (int s = 0; s < kStations; ++s) {
        link::StatusBlock b = test::restingStation(cluster * 1000 + s + 1 + (s == round % kStations ? 500 : 0));
        b.setCharging(true).setChargeLevel(30).setStationTime(1733700000 + round).setChargingCurrent(200);
        blocks.append(b);
    }
    return blocks;
}

// The work window with 10,000 stations, built once.
struct Container {
    Container() : racks(list) {
        program().accessLevel = AccessOperator;
        for (int c = 0; c < kClusters; ++c)
            racks.addCluster();
        window = std::make_unique<TForm_Work>(list);
        list.setObserver(&window->observer());
        window->enterWorkSession();
        window->resize(1600, 1000);
        window->show();
        for (int c = 0; c < kClusters; ++c)
            racks.report(c, blinkingRack(c));
        paintNow();
    }
    ~Container() { list.setObserver(nullptr); }

    link::ClusterList list;
    test::SampleRacks racks;
    std::unique_ptr<TForm_Work> window;
};

Container& container() {
    static Container c;
    return c;
}

// The literal design: a picture widget and a check box per tile, in one scroll box.
struct TwoWidgetsPerTile {
    explicit TwoWidgetsPerTile(link::ClusterList& list) : clusters(list), pictures(work::containerTileGeometry()) {
        const work::TileGeometry g = pictures.geometry();
        scroll.resize(1600, 1000);
        auto* content = new QWidget;
        content->resize(kClusters * 8 * g.width, 13 * g.height);
        for (int c = 0; c < kClusters; ++c) {
            auto* rack = new QWidget(content);
            rack->setGeometry(c * 8 * g.width, 0, 8 * g.width, 13 * g.height);
            for (int s = 0; s < list.at(c).stationCount(); ++s) {
                const QPoint at((s % 8) * g.width, (s / 8) * g.height);
                auto* picture = new QLabel(rack);
                picture->setGeometry(g.tileRect(at));
                picture->setAutoFillBackground(true);
                auto* box = new QCheckBox(QString::number(list.at(c).station(s).number()), rack);
                box->setGeometry(g.checkBoxRect(at));
                tiles.push_back({picture, box, 0});
            }
        }
        scroll.setWidget(content);
        scroll.show();
        paintNow();
    }

    void tick() {
        phase = 1 - phase;
        std::size_t t = 0;
        for (int c = 0; c < clusters.count(); ++c)
            for (const link::TKlvStation& st : clusters.at(c).stations) {
                Tile& tile = tiles[t++];
                const int frame = work::tileFrame(work::tileFrameInput(st, phase));
                if (frame != tile.frame) {
                    tile.frame = frame;
                    tile.picture->setPixmap(pictures.picture(frame));
                }
            }
        paintNow();
    }

    struct Tile {
        QLabel* picture;
        QCheckBox* box;
        int frame;
    };
    link::ClusterList& clusters;
    work::TilePictures pictures;
    QScrollArea scroll;
    std::vector<Tile> tiles;
    int phase = 0;
};

void BM_BlinkTick_RackPanels(benchmark::State& state) {
    Container& c = container();
    for (auto _ : state) {
        c.window->blinkTick();
        paintNow();
    }
    state.counters["tiles"] = kClusters * kStations;
}
BENCHMARK(BM_BlinkTick_RackPanels)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BlinkTick_TwoWidgetsPerTile(benchmark::State& state) {
    Container& c = container();
    c.window->hide();
    TwoWidgetsPerTile literal(c.list);
    for (auto _ : state)
        literal.tick();
    c.window->show();
    state.counters["tiles"] = static_cast<double>(literal.tiles.size());
}
BENCHMARK(BM_BlinkTick_TwoWidgetsPerTile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Building the rack panels of 100 clusters that already hold their stations (as after a report).
void BM_Build_RackPanels(benchmark::State& state) {
    Container& c = container();
    for (auto _ : state) {
        for (int k = 0; k < kClusters; ++k)
            c.window->destroyRackWidgets(k);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (int k = 0; k < kClusters; ++k)
            for (const link::StatusBlock& b : blinkingRack(k))
                c.list.at(k).appendStation(b);
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < kClusters; ++k)
            c.window->createRackWidgets(k);
        paintNow();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_Build_RackPanels)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_Build_TwoWidgetsPerTile(benchmark::State& state) {
    Container& c = container();
    c.window->hide();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto literal = std::make_unique<TwoWidgetsPerTile>(c.list);
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        literal.reset();
    }
    c.window->show();
}
BENCHMARK(BM_Build_TwoWidgetsPerTile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// A poll round in the steady state: every station's time and charge change, no station comes or goes.
void BM_PollRound_Steady(benchmark::State& state) {
    Container& c = container();
    int round = 0;
    for (auto _ : state) {
        for (int k = 0; k < kClusters; ++k) {
            QList<link::StatusBlock> blocks = blinkingRack(k);
            for (link::StatusBlock& b : blocks)
                b.setStationTime(1733700000 + round).setChargeLevel(30 + round % 2);
            c.racks.report(k, blocks);
        }
        paintNow(); // the table refresh asked for by every report runs once here
        ++round;
    }
    state.counters["reports"] = kClusters;
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_PollRound_Steady)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The steady round with every rack laid out again after its report (as a report that changed the
// rack's stations asks for): merge, layout, table refresh.
void BM_PollRound_EveryRackLaidOut(benchmark::State& state) {
    Container& c = container();
    int round = 0;
    for (auto _ : state) {
        for (int k = 0; k < kClusters; ++k) {
            QList<link::StatusBlock> blocks = blinkingRack(k);
            for (link::StatusBlock& b : blocks)
                b.setStationTime(1733700000 + round).setChargeLevel(30 + round % 2);
            c.racks.report(k, blocks);
            c.window->observer().layOutRack(k);
        }
        paintNow();
        ++round;
    }
    state.counters["reports"] = kClusters;
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_PollRound_EveryRackLaidOut)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A poll round in which one station of every rack leaves and another arrives: every rack is laid out
// again, and each arrival and departure is logged.
void BM_PollRound_EveryRackChanges(benchmark::State& state) {
    Container& c = container();
    int round = 1;
    for (auto _ : state) {
        for (int k = 0; k < kClusters; ++k)
            c.racks.report(k, blinkingRack(k, round));
        paintNow();
        ++round;
    }
    state.counters["reports"] = kClusters;
    state.counters["rss_MB"] = residentMegabytes();
}
BENCHMARK(BM_PollRound_EveryRackChanges)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
