#pragma once
// When a long run of work (a burst of frames on one connection) lets the event loop turn. A run
// starts from a turn of the event loop (a data-readable event, a timer, a wait's own processing), and
// it lets the loop turn again once kIntervalNs have passed since the last turn: pending events then
// wait a millisecond at most, as responsive as anyone can tell, while a burst of frames no longer pays
// a whole turn of the loop (a poll of every socket, the timers, the posted events) for every frame,
// which at 100 racks costs more than the frame itself.
//
// The clock is a parameter so that the rule is checked without waiting.

#include <cstdint>
#include <functional>

namespace kalver::link {

class EventTurns {
public:
    using Clock = std::function<std::int64_t()>; // monotonic nanoseconds

    static constexpr std::int64_t kIntervalNs = 1'000'000;

    // The loop has just turned.
    explicit EventTurns(Clock clock = steadyClock());

    // Whether the event loop is to turn at this chance; a turn it gives counts from now.
    bool due();

    static Clock steadyClock();

private:
    Clock m_clock;
    std::int64_t m_lastTurn;
};

} // namespace kalver::link
