#pragma once
// Sending to a cluster: `SendServerMessage` builds the frame (55 AA, reserved 0, payload length,
// code + 100, payload) and, by its two flags:
//
//   send now  one-shot   what happens
//   true      true       written at once, not kept (the usual command)
//   true      false      written at once and kept: written again at every poll tick
//   false     true       kept: written at the next poll tick, then dropped
//   false     false      kept: first written at the next poll tick, then at every tick
//
// A cluster keeps at most one pending entry per wire code: a message whose code is already pending is
// not kept again. When the socket layer reports that a write failed (-1), the plain message box
// "Ошибка в реализации отправки SendServerMessage!" is shown and the message is not retried (unless it
// was kept). A write on a connection that is not connected takes nothing and reports nothing.
//
// `sendPendingMessages` is part of the poll tick: every entry present at the start of the tick is
// written exactly once; one-shot entries are then dropped, periodic entries stay.

#include "link/ClusterList.h"

#include <QByteArrayView>

namespace kalver::link {

inline constexpr auto kSendFailedText = u"Ошибка в реализации отправки SendServerMessage!";

void SendServerMessage(ClusterList& list, int cluster, bool sendNow, int code, bool oneShot,
                       QByteArrayView payload = {});
// The same on the program's cluster list.
void SendServerMessage(int cluster, bool sendNow, int code, bool oneShot, QByteArrayView payload = {});

void sendPendingMessages(ClusterList& list, int cluster);
void sendPendingMessages(int cluster);

} // namespace kalver::link
