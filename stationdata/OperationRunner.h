#pragma once
// Carries out one operation of the operations page for the cluster rows of the status grid, one row
// after the other: the preconditions, the confirmations, for each row the command with its body, the
// wait for the cluster's acknowledgement, the check of the stations' new state where the operation has
// a visible effect, the prompts to repeat, the journal entries, the station alarms and the texts of
// the grid's column "Состояние".
//
// Send and wait (one row): the row's cluster's acknowledgement result is cleared, the command sent,
// the row shows "Ожидание подтверждения"; then, in steps of 250 ms for up to the server time-out, the
// wait dialog is shown and the progress bar advances. For the operations 3...7 and 12...14 each step
// first runs the receive loop when bytes wait on the cluster connection. The wait ends when the
// cluster answers (any non-zero result), when the time-out passes, when the operator presses the wait
// dialog's button, or when the window is being closed. Unanswered: the code and the cluster number are
// journaled, the row shows "Кластер не отвечает", and the operator is asked whether to repeat.
//
// Everything runs on the user-interface thread and events run inside the waits: the cluster is found
// again after every step (ClusterRef), the row's stations are read from the grid again for every send,
// and a window closed during a wait ends the whole operation at once, without further questions.
//
// Where the operation's result is judged, a row counts as failed when it was skipped or not reached
// because of a sync-server check, so that the summary never reports success for stations that were not
// commanded.

#include "link/ClusterList.h"
#include "link/ClusterRef.h"
#include "stationdata/CommandBodies.h"
#include "stationdata/WorkWindowBridge.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

namespace kalver::stationdata {

// What an operation asks of the window while it runs.
class OperationView {
public:
    virtual ~OperationView();
    // The cluster rows of the status grid: cluster number (column 0) and station list (column 1).
    virtual int rowCount() const = 0;
    virtual int rowCluster(int row) const = 0;
    virtual QList<std::int32_t> rowStations(int row) const = 0;
    // Column 2 "Состояние".
    virtual void setRowState(int row, const QString& text) = 0;
    // `pb_StartStop`.
    virtual void setProgress(int maximum, int position) = 0;
    // The wait-for-confirmation dialog and its abort flag.
    virtual void showWaitDialog() = 0;
    virtual bool waitAborted() const = 0;
    virtual void closeWaitDialog() = 0;
    // The window is being closed: the operation ends at the next step.
    virtual bool closeRequested() const = 0;
};

struct OperationInputs {
    int operation = 0;
    StartSettings start;        // the start family's settings and schedule
    TDateTime downloadBegin;    // the download period (checked only)
    TDateTime downloadEnd;
};

struct OperationOutcome {
    bool rowsHandled = false;   // false: refused or not confirmed before the rows; no summary
    bool allSucceeded = true;   // every row acknowledged and, where checked, followed
    bool cancelled = false;     // the window was closed during the operation
};

class OperationRunner {
public:
    OperationRunner(link::ClusterList& clusters, OperationView& view, const WorkWindowBridge& bridge);

    OperationOutcome run(const OperationInputs& inputs);

    // The 250-ms steps the last wait slept.
    int lastWaitSteps() const { return m_lastWaitSteps; }

private:
    using BodyBuilder = std::function<QByteArray(const QList<std::int32_t>& stations)>;
    // Which stations of a row did not follow; the row's list text with its final comma.
    using FollowCheck = std::function<bool(const link::TKlvStation& station)>;

    bool anyClusterTuning() const;
    bool confirmIrreversible() const;

    void runStartFamily(const OperationInputs& in, OperationOutcome& out);
    void runStopRegistration(OperationOutcome& out);
    void runStopDownload(OperationOutcome& out);
    // Rows of an operation whose answer is its only check: send, wait, "Завершено" when answered
    // (or, with `keepWaitingText`, the row keeps "Ожидание подтверждения").
    void runPlainRows(int code, const BodyBuilder& body, const char16_t* noAnswer, bool keepWaitingText,
                      OperationOutcome& out);
    void runEraseAll(OperationOutcome& out);

    // One row sent and checked until every station followed or the operator stops repeating.
    // `stateText`: the row's text when not all followed; `raiseAlarm`: alarm 1 for each of them.
    bool runCheckedRow(int row, int code, const BodyBuilder& body, const char16_t* noAnswer,
                       const FollowCheck& followed, const char16_t* notAllCode, const char16_t* stateText,
                       bool raiseAlarm);

    // Send and wait for `row`; true when the cluster answered.
    bool sendAndWait(int row, int code, const BodyBuilder& body, const char16_t* noAnswer);
    // The wait for the acknowledgement of `cluster`.
    bool waitForAcknowledgement(link::ClusterRef& cluster);

    link::ClusterList& m_clusters;
    OperationView& m_view;
    const WorkWindowBridge& m_bridge;
    int m_operation = 0;
    bool m_cancelled = false;
    int m_lastWaitSteps = 0;
};

} // namespace kalver::stationdata
