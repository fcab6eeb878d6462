#include "demo/DemoLock.h"

#include <QLockFile>

namespace kalver {

QString demoServerLockPath(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("DemoServer/Kalver DemoServer.lock");
}

bool demoServerLockHeld(const QString& lockPath) {
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

} // namespace kalver
