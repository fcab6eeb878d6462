#pragma once
// The real demonstration cluster started by a test: on free loopback ports, with its own lock file and
// no settings file unless the test gives one. It reports where it listens on its standard output.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace kalver::demo::test {

// Runs the event loop until `done` holds or `timeoutMs` passed; true when it holds.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

class DemoProcess {
public:
    DemoProcess();
    ~DemoProcess();

    // Starts the program with the fixed test options (free ports, 2 racks of 6 stations, seed 7,
    // calm, a control port, a lock in a scratch folder) followed by `extra`; true once it is ready.
    bool start(const QStringList& extra = {});
    // Starts with exactly these arguments (no defaults); does not wait for "ready".
    void startRaw(const QStringList& arguments);
    // The same, started by the path `program` (a link to the program, say).
    void startAs(const QString& program, const QStringList& arguments);

    quint16 rackPort(int rack) const;      // 1-based
    quint16 syncPort() const { return m_syncPort; }
    quint16 controlPort() const { return m_controlPort; }
    QString lockPath() const { return m_scratch.path() + QStringLiteral("/demo.lock"); }
    QString scratchFile(const QString& name) const { return m_scratch.path() + u'/' + name; }

    QStringList lines() const { return m_lines; }
    bool waitForLine(const QString& startsWith, int timeoutMs = 10000);

    // SIGTERM, then the exit; the exit code (-1 when it did not end normally in time).
    int terminate();
    bool waitForExit(int timeoutMs = 10000);
    QProcess& process() { return m_process; }

private:
    void readOutput();

    QTemporaryDir m_scratch;
    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partial;
    QList<quint16> m_rackPorts;
    quint16 m_syncPort = 0;
    quint16 m_controlPort = 0;
};

} // namespace kalver::demo::test
