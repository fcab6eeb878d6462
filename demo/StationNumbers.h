#pragma once
// Station numbers for a whole container: distinct across all racks, drawn from the seed so that the
// same seed always gives the same container. Small containers get serial-like numbers 100…9999 (sorted
// within each rack); a container of more than 4000 stations is numbered 1, 2, 3, … in rack order.

#include <QList>

namespace kalver::demo {

QList<QList<qint32>> assignStationNumbers(const QList<int>& stationsPerRack, quint32 seed);

} // namespace kalver::demo
