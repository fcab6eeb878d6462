#pragma once
// Fault switches of one rack: ways to make the demonstration cluster misbehave on purpose, set by a
// command-line option (--fault name[=value]) or at run time over the control socket.
//
//   silent                  the rack sends nothing at all
//   refuse-permission       permission answers carry a level other than the one asked for
//   slow-ack[=SECONDS]      answers to commands, catalogue and subsystem requests come SECONDS late
//                           (35 without a value, beyond the client's 30-s time-out; 0 = off)
//   refuse-catalogue        file catalogue requests are answered with the refusal 0xFF
//   refuse-subsystem        subsystem reads are answered with 0xFF, writes with save result 0
//   save-error              subsystem writes are answered with save result 0
//   shuffle-chunks          catalogue chunks are sent in reverse order
//   stubborn=all|none|N,…   these stations ignore every command (the acknowledgement still comes)
//   malformed=magic|code|short|off
//                           every frame is broken: the client's magic, wire code 199, or a bare
//                           header whose length field is 2
//   reset-after=N           a connection is reset after it sent N frames (0 = off)
//   sync-error              the sync server sets its error flag
//   sync-unknown            the sync server answers with the time -1
// Boolean switches take "on"/"off" (also 1/0, true/false); no value means on.

#include "demo/Frame.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace kalver::demo {

struct Faults {
    bool silent = false;
    bool refusePermission = false;
    int slowAckSeconds = 0;
    bool refuseCatalogue = false;
    bool refuseSubsystem = false;
    bool saveError = false;
    bool shuffleChunks = false;
    bool allStubborn = false;
    QSet<qint32> stubborn;
    Malformation malformed = Malformation::None;
    int resetAfterFrames = 0;
    bool syncError = false;
    bool syncTimeUnknown = false;

    bool isStubborn(qint32 station) const { return allStubborn || stubborn.contains(station); }
};

inline constexpr int kDefaultSlowAckSeconds = 35;

// Sets the switch `name` from `value` ("" = the switch's default). Empty result on success, otherwise
// what is wrong.
QString applyFault(Faults& faults, const QString& name, const QString& value);
// The same for "name" or "name=value".
QString applyFault(Faults& faults, const QString& assignment);

// The switches that are on, as name[=value] words.
QStringList describeFaults(const Faults& faults);

} // namespace kalver::demo
