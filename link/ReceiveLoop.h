#pragma once
// The receive loop of a cluster connection: reads every byte waiting on the socket into the
// connection's reassembly buffer and dispatches every complete frame (FrameDispatch.h).
//
// - Frames are parsed in place in the reused buffer; a frame is dispatched only when complete, so a
//   frame split over several reads is dispatched once, when its last byte has come.
// - Between frames the loop processes pending events, so that the interface stays alive during a
//   burst: once a millisecond (EventTurns.h), not after every frame of a burst, whose turns of the
//   event loop would cost more than the frames. A frame leaves the buffer before it is dispatched, so whenever events run (between frames or
//   inside a handler) the buffer is at a frame boundary, and a run of the loop nested in those events
//   (a data-readable event, a wait of the station data window that a handler's message box or a
//   window event started) takes the complete frames that follow, in order. A wait nested in the loop
//   thus gets its cluster's answer. The running loop holds no position in the buffer across events; the
//   frame being dispatched keeps its bytes through a lease (FrameBuffer.h), however much a nested run
//   reads meanwhile. When the nested run returns, the running loop goes on with what is left.
// - The cluster is checked for every frame; when the record has gone, the loop ends.
// - A length field below 3 or above the frame limit (Framing.h) cannot describe a frame: the buffered
//   bytes are dropped, the connection's error event is raised with kExchangeErrorCode (the connection
//   window logs it as an exchange error, as any socket error) and the connection is closed. Nothing is
//   allocated from a length field that has not passed this check.
//
// Run by the cluster connection's data-readable event (attached by ClusterList), by the poll tick,
// by the work window's receive-buffer check and by the waits of the station data window.

#include "link/ClusterList.h"

namespace kalver::link {

// Runs the loop for `connection`, the cluster connection of a record of `list` (otherwise nothing).
void runReceiveLoop(ClusterList& list, ClientSocket* connection);
// Runs the loop for the cluster connection of cluster position `cluster`.
void receiveLoop(ClusterList& list, int cluster);
// The same on the program's cluster list.
void receiveLoop(int cluster);

} // namespace kalver::link
