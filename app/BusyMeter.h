#pragma once
// The share of time the user-interface thread is busy: the event dispatcher says when the thread wakes
// (awake) and when it is about to block waiting for events (aboutToBlock); the time in between is
// busy. Nested event loops (the waits that process pending events) do not block, so they count as
// busy, as they are.
//
// The clock is a parameter so that the arithmetic is checked without waiting.

#include <QObject>

#include <cstdint>
#include <functional>

class QAbstractEventDispatcher;

namespace kalver::app {

class BusyMeter : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>; // monotonic nanoseconds

    // Starts measuring now; the thread counts as busy (it is running this constructor).
    explicit BusyMeter(Clock clock = steadyClock(), QObject* parent = nullptr);

    // Follows the dispatcher's awake and aboutToBlock signals.
    void attach(QAbstractEventDispatcher* dispatcher);

    void awake();
    void aboutToBlock();

    // The busy share (0…1) since the previous call (or the start); starts the next interval.
    double takeShare();

    static Clock steadyClock();

private:
    Clock m_clock;
    std::int64_t m_intervalStart = 0;
    std::int64_t m_busySince = 0; // when the thread woke, while it is awake
    std::int64_t m_busy = 0;      // busy nanoseconds of the interval before m_busySince
    bool m_awake = true;
};

} // namespace kalver::app
