#include "demo/StationNumbers.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace kalver::demo {

QList<QList<qint32>> assignStationNumbers(const QList<int>& stationsPerRack, quint32 seed) {
    const int total = std::accumulate(stationsPerRack.begin(), stationsPerRack.end(), 0);
    std::vector<qint32> pool;
    if (total <= 4000) {
        pool.resize(9900);
        std::iota(pool.begin(), pool.end(), 100);
        std::mt19937 rng(seed);
        std::shuffle(pool.begin(), pool.end(), rng);
    } else {
        pool.resize(static_cast<std::size_t>(total));
        std::iota(pool.begin(), pool.end(), 1);
    }
    QList<QList<qint32>> racks;
    std::size_t next = 0;
    for (int count : stationsPerRack) {
        QList<qint32> numbers(pool.begin() + static_cast<std::ptrdiff_t>(next),
                              pool.begin() + static_cast<std::ptrdiff_t>(next + static_cast<std::size_t>(count)));
        std::sort(numbers.begin(), numbers.end());
        racks.append(numbers);
        next += static_cast<std::size_t>(count);
    }
    return racks;
}

} // namespace kalver::demo
