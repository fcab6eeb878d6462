#pragma once
// The receive-buffer check of the work window (Timer_BufferChecker, every 1000 ms from the window's
// creation): for every cluster in work whose cluster connection holds received bytes, the cluster's
// receive loop runs. It catches data whose arrival event was missed.
//
// TForm_Work owns the timer and calls checkReceiveBuffers() on each tick. The receive loop processes
// pending events, so the list is read again by position after every run.

#include "link/ClusterList.h"

#include <functional>

namespace kalver::work {

// A cluster is in work while its connection check box (on the connection window) is checked.
bool connectionChecked(const link::TKlvRack& rack);

// Runs the receive loop of every cluster for which `inWork` holds and whose connection has bytes
// waiting. By default `inWork` is connectionChecked.
void checkReceiveBuffers(link::ClusterList& clusters,
                         const std::function<bool(const link::TKlvRack&)>& inWork = connectionChecked);

} // namespace kalver::work
