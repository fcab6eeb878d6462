#pragma once
// The share of time the user-interface thread is busy: the event dispatcher says when it is about to
// block waiting for events (aboutToBlock); the thread is awake again when the dispatcher says so
// (awake) or when the first event after the block is delivered, whichever comes first (the dispatcher
// of the desktop's event loop signals awake only at the start of a processing round, not when its wait
// ends, so timer and socket events that end a wait are seen through the application's event filter).
// The time from waking to the next block is busy. Nested event loops (the waits that process pending
// events) do not block, so they count as busy, as they are.
//
// It also keeps the longest single busy stretch (a stall the operator feels as a frozen window), per
// interval and since the start, with the thread's processor time during that stretch: a stretch much
// longer than its processor time was spent waiting or, on a loaded machine, not running at all.
//
// The clocks are parameters so that the arithmetic is checked without waiting.

#include <QObject>

#include <cstdint>
#include <functional>

class QAbstractEventDispatcher;

namespace kalver::app {

class BusyMeter : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>; // monotonic nanoseconds

    // One busy stretch: its length, the thread's processor time in it and the time it was ready to run
    // but waited for a processor (a loaded machine), nanoseconds.
    struct Stretch {
        std::int64_t wallNs = 0;
        std::int64_t cpuNs = 0;
        std::int64_t waitNs = 0;
    };

    // Starts measuring now; the thread counts as busy (it is running this constructor). `cpuClock` is
    // the thread's processor time and `waitClock` its run-queue delay (app/ThreadCpuTime.h by default).
    explicit BusyMeter(Clock clock = steadyClock(), Clock cpuClock = threadCpuClock(),
                       Clock waitClock = threadWaitClock(), QObject* parent = nullptr);

    // Follows the dispatcher's awake (each round of the event loop: deliveryStarting) and aboutToBlock
    // signals and the events delivered through `application` (an event filter that only looks: awake).
    void attach(QAbstractEventDispatcher* dispatcher, QObject* application);

    void awake();
    void aboutToBlock();
    // The thread starts delivering an event straight from its event loop (app/ClientApplication.h):
    // the busy stretch so far ends, a new one starts. Without these notes a stretch runs from waking
    // to the next block.
    void deliveryStarting();

    // The busy share (0…1) since the previous call (or the start); starts the next interval.
    double takeShare();
    // The longest busy stretch since the previous call (or the start), the one running now counted up
    // to now; starts the next interval. A stretch running across the end of an interval counts whole
    // (from its start) in every interval it reaches.
    Stretch takeLongest();
    // The longest busy stretch since the start, up to the last takeLongest() or finished stretch.
    Stretch longestSinceStart() const { return m_longestEver; }

    // The longest busy stretch from startWatch() on (the one running now counted up to now), kept apart
    // from the intervals: the start of a session, from the connection window to every tile drawn.
    void startWatch();
    Stretch watchedLongest() const;

    static Clock steadyClock();
    static Clock threadCpuClock();
    static Clock threadWaitClock();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Clock m_clock;
    std::int64_t m_intervalStart = 0;
    std::int64_t m_busySince = 0; // when the thread woke, while it is awake
    std::int64_t m_busy = 0;      // busy nanoseconds of the interval before m_busySince
    bool m_awake = true;

    void finishStretch(std::int64_t now);
    void startStretch(std::int64_t now);
    Clock m_cpuClock;
    Clock m_waitClock;
    std::int64_t m_stretchStart = 0;     // when the running stretch began (not cut by intervals)
    std::int64_t m_stretchCpuStart = 0;  // the processor time then
    std::int64_t m_stretchWaitStart = 0; // the run-queue delay then
    Stretch m_longest;                  // of the interval
    Stretch m_longestEver;
    bool m_watchRunning = false;
    std::int64_t m_watchStart = 0;
    Stretch m_watched;
};

} // namespace kalver::app
