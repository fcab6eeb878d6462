#pragma once
// How long the start of a session takes, for maintainers (the unattended run prints it): from the
// connection window's showing to every configured cluster having granted permission, and from the
// work session's start ("К работе") to every tile drawn: every configured station of every cluster in
// work exists and the work window has painted its rack panels after that.
//
// With a busy meter (the statistics log's), it also tells the longest stall of the user-interface
// thread from the connection window's showing to every tile drawn.
//
// It looks at the application's events (an event filter that only looks) from the first mark until
// both times are known, or kGiveUpMs after the last mark; the checks run at most once a millisecond,
// so the figures are exact to about a millisecond and one event.

#include <QElapsedTimer>
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

namespace kalver::app {

class BusyMeter;

class StartupTimes : public QObject {
    Q_OBJECT
public:
    // `done` is told each figure once, with its name.
    using Report = std::function<void(const QString& name, std::int64_t ms)>;

    static constexpr std::int64_t kGiveUpMs = 10 * 60 * 1000;

    explicit StartupTimes(Report report, QObject* parent = nullptr);

    void setBusyMeter(BusyMeter* meter) { m_meter = meter; }

    // The connection window is about to show: the permission clock starts.
    void connectionShowing();
    // The work session is about to start: the tile clock starts.
    void sessionStarting();

    std::optional<std::int64_t> permissionMs() const { return m_permissionMs; }
    std::optional<std::int64_t> tilesMs() const { return m_tilesMs; }

    // Every configured cluster has granted permission.
    static bool everyClusterPermitted();
    // Every cluster in work holds as many stations as configured.
    static bool everyStationPresent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch();
    void finishIfDone();

    Report m_report;
    BusyMeter* m_meter = nullptr;
    QElapsedTimer m_clock;
    std::optional<std::int64_t> m_connectionStart;
    std::optional<std::int64_t> m_sessionStart;
    std::optional<std::int64_t> m_permissionMs;
    std::optional<std::int64_t> m_tilesMs;
    std::int64_t m_lastCheckNs = -1'000'000;
    std::int64_t m_lastMarkMs = 0;
    bool m_stationsPresent = false; // every station exists
    bool m_racksPainted = false;    // and a rack panel has painted since
    bool m_watching = false;
};

} // namespace kalver::app
