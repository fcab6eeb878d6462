#include "stationdata/RangeClamp.h"

namespace kalver::stationdata {

namespace {

QDateTime clampToFile(const QDateTime& moved, const QDateTime& fileBegin, const QDateTime& fileEnd) {
    QDateTime clamped = moved;
    if (fileBegin > moved)
        clamped = fileBegin;
    if (fileEnd < moved)
        clamped = fileEnd;
    return clamped;
}

} // namespace

PickedRange beginMoved(const QDateTime& begin, const QDateTime& end, const QDateTime& fileBegin,
                       const QDateTime& fileEnd) {
    PickedRange range{clampToFile(begin, fileBegin, fileEnd), end, false};
    if (range.begin > range.end) {
        range.end = range.begin;
        range.reversed = true;
    }
    return range;
}

PickedRange endMoved(const QDateTime& begin, const QDateTime& end, const QDateTime& fileBegin,
                     const QDateTime& fileEnd) {
    PickedRange range{begin, clampToFile(end, fileBegin, fileEnd), false};
    if (range.begin > range.end) {
        range.begin = range.end;
        range.reversed = true;
    }
    return range;
}

} // namespace kalver::stationdata
