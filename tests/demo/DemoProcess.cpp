#include "DemoProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

namespace kalver::demo::test {

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

DemoProcess::DemoProcess() {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { readOutput(); });
}

DemoProcess::~DemoProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

void DemoProcess::startRaw(const QStringList& arguments) { startAs(QStringLiteral(KALVER_DEMO_EXECUTABLE), arguments); }

void DemoProcess::startAs(const QString& program, const QStringList& arguments) { m_process.start(program, arguments); }

bool DemoProcess::start(const QStringList& extra) {
    const QStringList arguments = QStringList{"--port", "0", "--sync-port", "0", "--control-port", "0",
                                              "--racks", "2", "--stations", "6", "--seed", "7", "--calm",
                                              "--lock", lockPath(), "--settings", scratchFile("none.ini"),
                                              "--subsystems", KALVER_SUBSYSTEMS_SOURCE} +
                                  extra;
    startRaw(arguments);
    return waitForLine("ready");
}

quint16 DemoProcess::rackPort(int rack) const { return m_rackPorts.value(rack - 1); }

bool DemoProcess::waitForLine(const QString& startsWith, int timeoutMs) {
    return waitUntil([&] {
        return std::any_of(m_lines.begin(), m_lines.end(), [&](const QString& l) { return l.startsWith(startsWith); }) ||
               m_process.state() == QProcess::NotRunning;
    }, timeoutMs) && std::any_of(m_lines.begin(), m_lines.end(), [&](const QString& l) { return l.startsWith(startsWith); });
}

void DemoProcess::readOutput() {
    m_partial += m_process.readAllStandardOutput();
    qsizetype end;
    static const QRegularExpression rack(QStringLiteral("^rack (\\d+) cluster \\d+ listening [^ ]+:(\\d+) "));
    static const QRegularExpression sync(QStringLiteral("^sync listening [^ ]+:(\\d+) "));
    static const QRegularExpression control(QStringLiteral("^control listening [^ ]+:(\\d+)"));
    while ((end = m_partial.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_partial.left(end));
        m_partial.remove(0, end + 1);
        m_lines << line;
        if (const QRegularExpressionMatch m = rack.match(line); m.hasMatch()) {
            const int index = m.captured(1).toInt();
            while (m_rackPorts.size() < index)
                m_rackPorts.append(0);
            m_rackPorts[index - 1] = static_cast<quint16>(m.captured(2).toUInt());
        } else if (const QRegularExpressionMatch s = sync.match(line); s.hasMatch() && m_syncPort == 0) {
            m_syncPort = static_cast<quint16>(s.captured(1).toUInt());
        } else if (const QRegularExpressionMatch c = control.match(line); c.hasMatch()) {
            m_controlPort = static_cast<quint16>(c.captured(1).toUInt());
        }
    }
}

bool DemoProcess::waitForExit(int timeoutMs) {
    const bool exited = waitUntil([&] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
    readOutput(); // the last lines
    return exited;
}

int DemoProcess::terminate() {
    m_process.terminate();
    if (!waitForExit())
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace kalver::demo::test
