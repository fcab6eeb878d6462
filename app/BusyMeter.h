#pragma once
// The share of time the user-interface thread is busy: the event dispatcher says when it is about to
// block waiting for events (aboutToBlock); the thread is awake again when the dispatcher says so
// (awake) or when the first event after the block is delivered, whichever comes first (the dispatcher
// of the desktop's event loop signals awake only at the start of a processing round, not when its wait
// ends, so timer and socket events that end a wait are seen through the application's event filter).
// The time from waking to the next block is busy. Nested event loops (the waits that process pending
// events) do not block, so they count as busy, as they are.
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

    // Follows the dispatcher's awake and aboutToBlock signals and the events delivered through
    // `application` (an event filter that only looks).
    void attach(QAbstractEventDispatcher* dispatcher, QObject* application);

    void awake();
    void aboutToBlock();

    // The busy share (0…1) since the previous call (or the start); starts the next interval.
    double takeShare();

    static Clock steadyClock();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Clock m_clock;
    std::int64_t m_intervalStart = 0;
    std::int64_t m_busySince = 0; // when the thread woke, while it is awake
    std::int64_t m_busy = 0;      // busy nanoseconds of the interval before m_busySince
    bool m_awake = true;
};

} // namespace kalver::app
