#pragma once
// Starts the demonstration cluster with the client and stops it with the client, but only the copy the
// client started itself:
//
// - start: unless a demonstration cluster holds its lock (demo/DemoLock.h), the program
//   "<program folder>DemoServer/Kalver DemoServer" is started in the folder "<program folder>DemoServer";
// - stop: only when this launcher started it: a polite request to end (SIGTERM), up to 1000 ms to do
//   so, then it is killed.
//
// A second client finds the lock, starts nothing and therefore stops nothing.

#include <QString>

#include <memory>

class QProcess;

namespace kalver::session {

class DemoClusterLauncher {
public:
    enum class Start {
        Started,         // this launcher started it
        AlreadyRunning,  // another process holds the lock: nothing started
        Failed,          // the program could not be started
    };

    static constexpr int kStopWaitMs = 1000;

    // `programFolder` ends in "/".
    explicit DemoClusterLauncher(QString programFolder);
    // Stops a demonstration cluster that this launcher started and has not stopped yet.
    ~DemoClusterLauncher();
    DemoClusterLauncher(const DemoClusterLauncher&) = delete;
    DemoClusterLauncher& operator=(const DemoClusterLauncher&) = delete;

    QString executablePath() const;
    QString workingFolder() const;

    Start startUnlessRunning();
    // Whether this launcher started the demonstration cluster and has not stopped it yet.
    bool started() const;

    enum class Stop {
        NotStarted, // this launcher started nothing (or it has ended by itself): nothing to stop
        Ended,      // it ended on the request
        Killed,     // it did not end within 1000 ms and was killed
    };
    // Stops the demonstration cluster if this launcher started it; otherwise does nothing.
    Stop stop();

private:
    QString m_programFolder;
    std::unique_ptr<QProcess> m_process;
};

// The text shown (error icon, title "Ошибка") when the demonstration cluster cannot be started.
inline constexpr auto kDemoStartFailedTitle = u"Ошибка";
inline constexpr auto kDemoStartFailedText =
    u"Ошибка запуска демонстрационного Кластера.\nПопробуйте запустить его вручную из папки с программой.";

} // namespace kalver::session
