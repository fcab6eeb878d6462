// The station table at the largest configuration (100 clusters × 100 stations): one refresh with the
// repaint of the visible rows, measured side by side for
// - the table as built: rows gathered, stably sorted and filtered into a vector of row references,
//   cells formatted on demand by the model, the view repainted;
// - the literal design: the pairs sorted by a selection sort that reads every key from the records,
//   then a QTableWidget refilled with every cell's text, then repainted.
// Both sort by charge, descending (every comparison reads a key), with every filter open.

#include "fakes/ClusterFrames.h"
#include "fakes/MemoryClientSocket.h"
#include "link/ClusterList.h"
#include "work/StationTableModel.h"
#include "work/StationTexts.h"
#include "work/TablePage.h"
#include "work/TableRows.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <memory>

using namespace kalver;
using namespace kalver::work;

namespace {

constexpr int kClusters = 100;
constexpr int kStationsPerCluster = 100;

// 10,000 stations with varied values (charge, pressure, drift, memory, files, states).
link::ClusterList& bigContainer() {
    static link::ClusterList* list = [] {
        auto* l = new link::ClusterList;
        std::uint32_t seed = 12345;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
        };
        for (int c = 0; c < kClusters; ++c) {
            const int position = l->append(std::make_unique<link::TKlvRack>(std::make_unique<test::MemoryClientSocket>(),
                                                                            std::make_unique<test::MemoryClientSocket>()));
            for (int s = 0; s < kStationsPerCluster; ++s) {
                link::StatusBlock b = test::frames::quietStation(c * kStationsPerCluster + s + 1);
                b.setChargeLevel(next(101)).setPressure(97000 + next(6000)).setClockDrift(next(2001) - 1000);
                b.setFreeMemory(next(101)).setFileCount(next(50)).setCharging(next(2) == 1);
                b.setRegistrationState(static_cast<std::int8_t>(next(4))).setDownloading(next(5) == 0).setDownloadProgress(next(100));
                b.setGeneratorState(static_cast<std::uint8_t>(next(256)));
                b.setLastState({1700000000u + static_cast<std::uint32_t>(next(100000)), 0x12u, 0x0u, 6, 0});
                l->at(position).appendStation(b);
            }
        }
        return l;
    }();
    return *list;
}

// ---------------------------------------------------------------- the literal design

struct TxStation {
    int station;
    int cluster;
};

std::int64_t keyOf(const link::ClusterList& list, const TxStation& t, SortButton button) {
    return sortKey(button, list.at(t.cluster).station(t.station).status, t.cluster);
}

// For each position from the first on: among the remaining pairs, the first with the smallest key
// (ascending) or the last with the largest key (descending), swapped into place.
void selectionSort(const link::ClusterList& list, std::vector<TxStation>& pairs, SortButton button) {
    const bool ascending = isAscending(button);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::size_t chosen = i;
        for (std::size_t j = i + 1; j < pairs.size(); ++j) {
            const std::int64_t kj = keyOf(list, pairs[j], button);
            const std::int64_t kc = keyOf(list, pairs[chosen], button);
            if (ascending ? kj < kc : kj >= kc)
                chosen = j;
        }
        std::swap(pairs[i], pairs[chosen]);
    }
}

void literalRefresh(const link::ClusterList& list, QTableWidget& grid, const TableFilters& filters, SortButton button) {
    grid.setEnabled(false);
    std::vector<TxStation> pairs;
    for (int c = 0; c < list.count(); ++c)
        for (int p = 0; p < list.at(c).stationCount(); ++p)
            pairs.push_back({p, c});
    selectionSort(list, pairs, button);
    int row = 0;
    grid.setRowCount(static_cast<int>(pairs.size()));
    for (const TxStation& t : pairs) {
        const link::StatusBlock& s = list.at(t.cluster).station(t.station).status;
        if (!filters.passes(s, t.cluster))
            continue;
        for (int column = 0; column < kTableColumnCount; ++column)
            grid.setItem(row, column, new QTableWidgetItem(tableCellText(column, s, t.cluster + 1, kInitialDriftUnknown)));
        ++row;
    }
    grid.setRowCount(row);
    grid.setEnabled(true);
}

// ---------------------------------------------------------------- benchmarks

void BM_TableRefresh_Model(benchmark::State& state) {
    link::ClusterList& list = bigContainer();
    TablePage page(list);
    page.resize(1600, 900);
    page.show();
    page.setSortButton(SortButton::ChargeDown);
    page.refreshNow();
    QApplication::processEvents();
    for (auto _ : state) {
        page.refreshNow();
        page.sg_StationData->viewport()->repaint();
    }
    state.counters["rows"] = page.model()->rowCount();
}
BENCHMARK(BM_TableRefresh_Model)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The part without widgets: gathering, sorting and filtering the rows.
void BM_TableRows_GatherSortFilter(benchmark::State& state) {
    link::ClusterList& list = bigContainer();
    const TableFilters filters;
    for (auto _ : state)
        benchmark::DoNotOptimize(tableRows(list, filters, SortButton::ChargeDown));
}
BENCHMARK(BM_TableRows_GatherSortFilter)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The repaint alone: the visible cells formatted and drawn.
void BM_TableRepaint_Model(benchmark::State& state) {
    link::ClusterList& list = bigContainer();
    TablePage page(list);
    page.resize(1600, 900);
    page.show();
    page.refreshNow();
    QApplication::processEvents();
    for (auto _ : state)
        page.sg_StationData->viewport()->repaint();
}
BENCHMARK(BM_TableRepaint_Model)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_TableRefresh_LiteralSelectionSortAndGridRefill(benchmark::State& state) {
    link::ClusterList& list = bigContainer();
    QTableWidget grid(0, kTableColumnCount);
    grid.resize(1600 - 241, 900);
    grid.verticalHeader()->setDefaultSectionSize(24);
    grid.show();
    QApplication::processEvents();
    TableFilters filters;
    for (auto _ : state) {
        literalRefresh(list, grid, filters, SortButton::ChargeDown);
        grid.viewport()->repaint();
    }
    state.counters["rows"] = grid.rowCount();
}
BENCHMARK(BM_TableRefresh_LiteralSelectionSortAndGridRefill)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
