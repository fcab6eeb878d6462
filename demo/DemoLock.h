#pragma once
// The lock the demonstration cluster holds while it runs, so that a second copy is not started. The
// client checks it before launching the program. Qt Core only.
//
// A lock whose process is gone counts as free. A running holder's lock never goes stale by age (a
// checker must not use QLockFile's default 30-s stale time, after which a live lock would be taken).

#include <QString>

namespace kalver {

// "<program folder>DemoServer/Kalver DemoServer.lock"; `programFolder` ends in "/".
QString demoServerLockPath(const QString& programFolder);

// Whether a demonstration cluster holds the lock at `lockPath` now.
bool demoServerLockHeld(const QString& lockPath);
inline bool demoServerRunning(const QString& programFolder) {
    return demoServerLockHeld(demoServerLockPath(programFolder));
}

} // namespace kalver
