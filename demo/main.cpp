// The demonstration cluster: simulated racks of seismic stations that speak the cluster protocol and
// the sync-server protocol on this machine, so that the client has racks to work with from its first
// start. Headless; holds a lock while it runs; ends cleanly on SIGTERM.

#include "demo/DemoLock.h"
#include "demo/DemoLog.h"
#include "demo/DemoOptions.h"
#include "demo/DemoProgram.h"
#include "demo/ProgramFolder.h"
#include "demo/ServicePlan.h"
#include "demo/TerminationSignal.h"
#include "config/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>

using namespace kalver;
using namespace kalver::demo;

namespace {

void printError(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

std::optional<settings::SettingsValues> readSettings(const QString& path) {
    if (!QFileInfo::exists(path)) {
        logLine(QStringLiteral("note: no settings file %1: the default settings hold").arg(path));
        return std::nullopt;
    }
    std::optional<settings::SettingsValues> values = settings::readFile(path);
    if (!values)
        logLine(QStringLiteral("note: settings file %1 cannot be read: the default settings hold").arg(path));
    return values;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kalver DemoServer"));

    const std::variant<DemoOptions, QString> parsed = parseDemoOptions(QCoreApplication::arguments());
    if (const QString* error = std::get_if<QString>(&parsed)) {
        printError(*error);
        printError(demoUsage());
        return 1;
    }
    const DemoOptions& options = std::get<DemoOptions>(parsed);
    if (options.help) {
        std::printf("%s", demoUsage().toLocal8Bit().constData());
        return 0;
    }

    // The program folder is the parent of the folder "DemoServer" this program was started from.
    const QString programFolder = demoProgramFolder(QString::fromLocal8Bit(argv[0]), QDir::currentPath(),
                                                    QCoreApplication::applicationDirPath());
    const QString lockPath = options.lockPath.isEmpty() ? demoServerLockPath(programFolder) : options.lockPath;
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    // A short wait lets a checker that takes the lock for an instant let go of it.
    if (!lock.tryLock(300)) {
        if (lock.error() == QLockFile::LockFailedError) {
            printError(QStringLiteral("Another demonstration cluster is running (lock %1).").arg(lockPath));
            return 2;
        }
        logLine(QStringLiteral("note: cannot create the lock %1: running without it").arg(lockPath));
    }

    const QString settingsPath = options.settingsPath.isEmpty() ? programFolder + QStringLiteral("settings.ini")
                                                                : options.settingsPath;
    const QString subsystems = options.subsystemsFolder.isEmpty() ? programFolder + QStringLiteral("Subsystems/")
                                                                  : options.subsystemsFolder;
    const ServicePlan plan = planService(readSettings(settingsPath), options);

    // Taken over before "ready" is printed, so that a SIGTERM right after it ends the program cleanly.
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::received, &app, [](int signalNumber) {
        logLine(QStringLiteral("terminating on signal %1").arg(signalNumber));
        QCoreApplication::quit();
    });

    DemoProgram program(plan, options, subsystems);
    if (!program.start()) {
        printError(QStringLiteral("No cluster of the settings can be served on this machine."));
        return 1;
    }
    const int code = QCoreApplication::exec();
    logLine(QStringLiteral("stopped"));
    return code;
}
