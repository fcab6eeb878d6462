#include "link/EventTurns.h"

#include <chrono>
#include <utility>

namespace kalver::link {

EventTurns::EventTurns(Clock clock) : m_clock(std::move(clock)), m_lastTurn(m_clock()) {}

bool EventTurns::due() {
    const std::int64_t now = m_clock();
    if (now - m_lastTurn < kIntervalNs)
        return false;
    m_lastTurn = now;
    return true;
}

EventTurns::Clock EventTurns::steadyClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

} // namespace kalver::link
