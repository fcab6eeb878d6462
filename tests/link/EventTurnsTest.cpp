// When a burst lets the event loop turn: once the interval has passed since the last turn, the start
// of the run counting as one.

#include "link/EventTurns.h"

#include <gtest/gtest.h>

#include <vector>

using kalver::link::EventTurns;

namespace {

struct Chance {
    std::int64_t atNs;
    bool turns;
};

TEST(EventTurns, TurnsOnceTheIntervalHasPassedSinceTheLastTurn) {
    constexpr std::int64_t ms = EventTurns::kIntervalNs;
    const std::vector<Chance> chances = {
        {0, false},             // the run has just started from a turn of the loop
        {ms / 10, false},       // frames of a burst follow closely
        {ms - 1, false},
        {ms, true},             // a whole interval since the run's start
        {ms + ms / 2, false},   // counted from the last turn, not from the last chance
        {2 * ms - 1, false},
        {2 * ms + 5, true},
        {10 * ms, true},        // a slow frame: the next chance turns at once
        {10 * ms + 1, false},
    };
    std::int64_t now = 0;
    EventTurns turns([&now] { return now; }); // the run starts at 0
    for (const Chance& c : chances) {
        now = c.atNs;
        EXPECT_EQ(turns.due(), c.turns) << "at " << c.atNs << " ns";
    }
}

} // namespace
