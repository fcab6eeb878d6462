#pragma once
// One step of the waits that keep the window alive while an operation waits for a cluster: the event
// loop runs for the step's duration (250 ms), so socket, timer and window events are handled as they
// come and the window never freezes. Callers re-read their lists after each step: anything may have
// changed while events ran.

namespace kalver {

inline constexpr int kWaitStepMs = 250;

// Runs the event loop for one step.
void waitStep();

// The step's duration in milliseconds; tests shorten it so that a time-out of many steps passes
// quickly. Production never changes it.
int waitStepMs();
void setWaitStepMs(int ms);

} // namespace kalver
