#include "session/DemoClusterLauncher.h"

#include "demo/DemoLock.h"

#include <QProcess>

namespace kalver::session {

namespace {
constexpr int kStartWaitMs = 10000;
}

DemoClusterLauncher::DemoClusterLauncher(QString programFolder) : m_programFolder(std::move(programFolder)) {}

DemoClusterLauncher::~DemoClusterLauncher() { stop(); }

QString DemoClusterLauncher::executablePath() const {
    return m_programFolder + QStringLiteral("DemoServer/Kalver DemoServer");
}

QString DemoClusterLauncher::workingFolder() const { return m_programFolder + QStringLiteral("DemoServer"); }

DemoClusterLauncher::Start DemoClusterLauncher::startUnlessRunning() {
    if (started() || demoServerRunning(m_programFolder))
        return Start::AlreadyRunning;
    auto process = std::make_unique<QProcess>();
    process->setProgram(executablePath());
    process->setWorkingDirectory(workingFolder());
    // The demonstration cluster reports to the terminal the client was started from, if any.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kStartWaitMs))
        return Start::Failed;
    m_process = std::move(process);
    return Start::Started;
}

bool DemoClusterLauncher::started() const { return m_process && m_process->state() != QProcess::NotRunning; }

DemoClusterLauncher::Stop DemoClusterLauncher::stop() {
    if (!m_process)
        return Stop::NotStarted;
    Stop result = Stop::NotStarted;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        result = Stop::Ended;
        if (!m_process->waitForFinished(kStopWaitMs)) {
            m_process->kill();
            m_process->waitForFinished(kStopWaitMs);
            result = Stop::Killed;
        }
    }
    m_process.reset();
    return result;
}

} // namespace kalver::session
