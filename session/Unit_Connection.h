#pragma once
// The connection window: brings every configured cluster on line before a work session. It keeps one
// cluster record per configured cluster (made and dropped as the number of clusters in the settings
// changes), opens every cluster connection and sync-server connection, asks every cluster for
// permission to work at the session's access level and shows each cluster's state in sg_Connection.
// A cluster that grants permission gets a checked connection check box on Panel1; "К работе" enters
// the work session with the checked ones.
//
// During the session its timers run it: the poll tick (Timer_NotCriticalMsgs, the poll interval
// setting × 1000 ms) and the sync tick (Timer_SynchroQuant, 5000 ms). With "-mnemo" on the command
// line it counts down (TimerMnemoProceed, 15 × 1000 ms) and enters the session by itself, in the
// mnemonic diagram.
//
// Grid sg_Connection: row 0 the captions, row 1 the settings' client row, row p + 2 cluster p:
//   "Кластер" | "IP-адрес:Порт" | "Связь" ("Есть"/"Нет") | "Доступ" ("Разрешен"/"Запрещен"/"") |
//   "В работе" ("Да"/"Нет"/"")
//
// Socket errors are logged and cleared, never shown as dialogs.

#include "link/ClusterList.h"
#include "session/ConnectionBoxPlaces.h"
#include "session/MnemoCommandLine.h"
#include "session/SyncLink.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QTableWidget;
class QTimer;
class QToolButton;

namespace kalver {

class TForm_Connection : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMnemoCountdownSeconds = 15;
    static constexpr int kSyncTickMs = 5000;

    // Creation: the caption, the grid's first rows, and the command line: with "-mnemo" the access
    // level becomes 0 and the mnemonic cluster selection is read (a bad number shows e049).
    explicit TForm_Connection(link::ClusterList& clusters = link::clusters(), QWidget* parent = nullptr,
                              const QStringList& arguments = programArguments());
    ~TForm_Connection() override;

    // The program's command line, its path first (the default of the constructor).
    static QStringList programArguments();
    // The pause before "-mnemo" is applied (1000 ms; tests shorten it).
    static void setCommandLinePauseMs(int ms);

    // What the command line asked for.
    const session::MnemoCommandLine& mnemoCommandLine() const { return m_mnemo; }
    // With "-mnemo": starts the countdown and performs the log-in window's sb_ShowMnemo. The program
    // calls it right after creating the window.
    void startMnemonicSessionIfRequested();
    int mnemoCountdown() const { return m_countdown; }

    // Window becoming active (every showing, and the return from another window of the program; not
    // the close of a message box, not the return from another program): the clusters follow the
    // settings, and every connection is opened; clusters already open are asked for permission again.
    void becomeActive();
    // sp_UpdateServerState: asks connected clusters for permission again, opens the others.
    void updateServerState();
    // tb_ToWork "К работе": enters the work session.
    void toWork();
    // The poll tick, the sync tick and the countdown tick.
    void pollTick();
    void syncTick();
    void mnemoCountdownTick();
    // Stops the poll and sync timers (the end of a work session).
    void stopSessionTimers();

    session::SyncLink& syncLink() { return *m_sync; }

    QWidget* Panel1 = nullptr;
    QToolButton* sp_UpdateServerState = nullptr;
    QLabel* Lbl_Selected = nullptr;
    QToolButton* tb_ToWork = nullptr;
    QTableWidget* sg_Connection = nullptr;
    QProgressBar* pb_ConnectionProgress = nullptr;
    QTimer* Timer_NotCriticalMsgs = nullptr;
    QTimer* TimerMnemoProceed = nullptr;
    QTimer* Timer_SynchroQuant = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void readCommandLine(const QStringList& arguments);
    // Creates the record of the next cluster position.
    void createCluster(int position);
    void attachClusterEvents(int cluster);
    QCheckBox* makeCheckBox(int cluster);
    // The places of the connection check boxes in this window, and Panel1 (and the window) as high
    // as their rows need.
    session::ConnectionBoxStrip boxStrip() const;
    void fitBoxRows();
    void updateToWorkButton();

    void onConnected(QObject* socket);
    void onDisconnected(QObject* socket);
    void onError(QObject* socket, int& errorCode);
    void onPermissionAnswer(int cluster, QByteArrayView payload);
    void onCheckBoxToggled(QObject* box, bool checked);

    void sendPermissionRequest(int cluster);
    void setCell(int row, int column, const QString& text);
    void setStateCells(int cluster, const QString& link, const QString& access, const QString& inWork);
    void log(const QString& text, bool bold, const QColor& colour);
    void setProgress(int value);

    link::ClusterList& m_clusters;
    session::SyncLink* m_sync;
    session::MnemoCommandLine m_mnemo;
    int m_countdown = kMnemoCountdownSeconds;
    bool m_activating = false;
};

// The one instance, set by the program when it creates the window.
extern TForm_Connection* Form_Connection;

} // namespace kalver
