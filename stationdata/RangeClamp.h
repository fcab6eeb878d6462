#pragma once
// The range pickers of the file catalogue page: the range the operator narrows within a chosen file.
// A moved bound is pulled back into the file's range without a message. If the range is then
// reversed, the other bound follows the moved one and the operator is told (e024).
//
//   begin moved: before the file's begin -> the file's begin; after the file's end -> the file's end;
//                then begin later than end -> end := begin, e024
//   end moved:   the same with the roles exchanged; begin later than end -> begin := end, e024
//
// Date-times are wall-clock readings (Qt::UTC as a plain clock), compared to the millisecond.

#include <QDateTime>

namespace kalver::stationdata {

struct PickedRange {
    QDateTime begin;
    QDateTime end;
    bool reversed = false; // the range was reversed and corrected: show e024
};

PickedRange beginMoved(const QDateTime& begin, const QDateTime& end, const QDateTime& fileBegin,
                       const QDateTime& fileEnd);
PickedRange endMoved(const QDateTime& begin, const QDateTime& end, const QDateTime& fileBegin,
                     const QDateTime& fileEnd);

} // namespace kalver::stationdata
