#pragma once
// One tick of the session's poll timer (Timer_NotCriticalMsgs), for every cluster in work, in order:
//   1. bytes waiting on its cluster connection: the receive loop takes them;
//   2. its pending messages go out (the status poll among them);
//   3. if it has stations: a status report since the last tick removes alarm 9 from every station
//      that has it; no report raises alarm 9 ") потеряла связь с Сервером!" on every station
//      (without a journal entry);
//   4. its report flag is cleared.
// The receive loop processes pending events, so the cluster is found again after it.
//
// A station that loses alarm 9 shows the colour of the highest alarm it still has (white when it has
// none), so a station with critical errors does not turn white when its cluster reports again.

#include "link/ClusterList.h"

namespace kalver::session {

// Runs one tick over `list`. Returns the number of clusters that were in work; 0 tells the caller to
// stop the poll timer.
int runPollTick(link::ClusterList& list);

} // namespace kalver::session
