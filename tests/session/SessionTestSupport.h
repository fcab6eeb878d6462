#pragma once
// Helpers of the session tests: a SessionWindows that records what the session asked of the other
// windows, the journal's lines, and a settings window whose network table points at test servers.

#include "config/Unit_Settings.h"
#include "session/SessionWindows.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>

#include <memory>

namespace kalver::test {

class RecordingSessionWindows : public session::SessionWindows {
public:
    RecordingSessionWindows() { session::setSessionWindows(this); }
    ~RecordingSessionWindows() override { session::setSessionWindows(nullptr); }

    void setDeveloperItems(bool developer) override { developerItems.append(developer); }
    void refillStateFilter() override { ++stateFilterRefills; }
    void enterWorkSession() override { ++sessionsEntered; }
    void showSessionWindow() override { ++sessionWindowsShown; }
    void destroyRackWidgets(int cluster) override { racksDestroyed.append(cluster); }
    void refreshSelectionSummary() override { ++selectionRefreshes; }
    void repaintRack(int cluster) override { racksRepainted.append(cluster); }
    void setSyncLabel(int cluster, const QString& text) override {
        syncLabels[cluster] = text;
        labelWrites.append({cluster, text});
    }
    bool stationDataVisible() const override { return stationDataShown; }
    void hideTrayIcon() override { ++trayHidden; }

    QList<bool> developerItems;
    int stateFilterRefills = 0;
    int sessionsEntered = 0;
    int sessionWindowsShown = 0;
    QList<int> racksDestroyed;
    int selectionRefreshes = 0;
    QList<int> racksRepainted;
    QMap<int, QString> syncLabels;
    QList<QPair<int, QString>> labelWrites;
    bool stationDataShown = false;
    int trayHidden = 0;
};

// The journal's lines without their timestamps ("w002|oper", …).
QStringList journalEntries();

// A free TCP port on 127.0.0.1 (nothing listens on it when the call returns).
quint16 freePort();

// One cluster of the network table: its address and its port field.
struct ClusterAddress {
    QString address;
    QString portField;
};

// A settings window made from a "settings.ini" written into the program folder: the given clusters,
// the sync-server port field, the poll interval, and a charge folder inside the program folder. It is
// the program's Form_Settings while it lives.
class TestSettings {
public:
    TestSettings(const QList<ClusterAddress>& clusters, const QString& syncPortField, int pollSeconds = 5);
    ~TestSettings();
    TForm_Settings& window() { return *m_window; }
    QString chargeFolder() const;

private:
    std::unique_ptr<TForm_Settings> m_window;
};

// The port field of a test server's port: one digit before the port, as the settings write them
// ("151500" connects to 20428), so that the grid shows the port and the connection uses its low 16 bits.
QString portField(quint16 port);

} // namespace kalver::test
