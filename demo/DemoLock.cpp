#include "demo/DemoLock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace kalver {

namespace {

// A lock file is written right after it is created; one that cannot be read for longer than this
// was left half-written and counts as free.
constexpr qint64 kUnreadableGraceMs = 2000;

// Whether the process `pid` runs and, where its program can be read, is the program named
// `application` (a process number of a holder that died may since have been given to another).
bool holderRunning(qint64 pid, const QString& application) {
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    const QString program = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    if (program.isEmpty() || application.isEmpty())
        return true;
    return QFileInfo(program).fileName().startsWith(application);
}

} // namespace

QString demoServerLockPath(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("DemoServer/Kalver DemoServer.lock");
}

// The check only reads the lock file: taking the lock, even for an instant, would make a
// demonstration cluster starting at that moment believe that another copy runs.
bool demoServerLockHeld(const QString& lockPath) {
    const QFileInfo file(lockPath);
    if (!file.exists())
        return false;
    qint64 pid = 0;
    QString host;
    QString application;
    if (!QLockFile(lockPath).getLockInfo(&pid, &host, &application))
        return file.lastModified().msecsTo(QDateTime::currentDateTime()) < kUnreadableGraceMs;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true; // held on another machine: its process cannot be checked from here
    return holderRunning(pid, application);
}

} // namespace kalver
