#include "stationdata/OperationRunner.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "core/WaitStep.h"
#include "link/ReceiveLoop.h"
#include "link/SendServerMessage.h"
#include "stationdata/Operation.h"
#include "stationdata/OperationTexts.h"
#include "stationdata/StartChecks.h"
#include "stationdata/StationListText.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace kalver::stationdata {

namespace {

void letEventsRun() { QCoreApplication::processEvents(); }

MessageAnswer showError(const char16_t* code, MessageButtons buttons, const QStringList& inserts = {}) {
    return catalogue::show(QStringView(code), MessageIcon::Error, buttons, inserts);
}

QString codeText(const char16_t* code) { return QString::fromUtf16(code); }

// The station list as the journal and the prompts take it: every number followed by ",".
QString listWithCommas(const QList<std::int32_t>& numbers) {
    QString text;
    for (std::int32_t n : numbers)
        text += QString::number(n) + QLatin1Char(',');
    return text;
}

bool registrationRunning(const link::TKlvStation& s) {
    const int state = s.status.registrationState();
    return state == 1 || state == 2;
}

} // namespace

OperationView::~OperationView() = default;

OperationRunner::OperationRunner(link::ClusterList& clusters, OperationView& view, const WorkWindowBridge& bridge)
    : m_clusters(clusters), m_view(view), m_bridge(bridge) {}

OperationOutcome OperationRunner::run(const OperationInputs& in) {
    m_operation = in.operation;
    m_cancelled = false;
    OperationOutcome out;
    const auto stations = [](const QList<std::int32_t>& list) { return stationListBody(list); };
    switch (in.operation) {
    case op::Start:
    case op::TestAdc:
    case op::TestSensors:
    case op::TestSnr:
    case op::InclinometerCalibration:
        runStartFamily(in, out);
        break;
    case op::StopRegistration:
        runStopRegistration(out);
        break;
    case op::StartDownload:
        if (downloadPeriodReversed(in.downloadBegin, in.downloadEnd)) {
            showError(u"e063", MessageButtons::Ok);
            break;
        }
        runPlainRows(code::StartDownload, [](const QList<std::int32_t>& list) { return downloadBody(list); }, u"e042",
                     true, out);
        break;
    case op::StopDownload:
        runStopDownload(out);
        break;
    case op::Search:
        runPlainRows(code::Search, stations, u"e043", false, out);
        break;
    case op::EraseOldest:
        if (confirmIrreversible())
            runPlainRows(code::EraseOldest, stations, u"e044", false, out);
        break;
    case op::EraseAll:
        if (confirmIrreversible())
            runEraseAll(out);
        break;
    case op::EraseInclinometer:
        if (confirmIrreversible())
            runPlainRows(code::EraseInclinometer, stations, u"e046", false, out);
        break;
    case op::StartGeneratorTuning:
        runPlainRows(code::StartGeneratorTuning, stations, u"e070", false, out);
        break;
    case op::StopGeneratorTuning:
        runPlainRows(code::StopGeneratorTuning, stations, u"e071", false, out);
        break;
    case op::PowerOff:
        runPlainRows(code::PowerOff, stations, u"e081", false, out);
        break;
    default:
        break;
    }
    out.cancelled = m_cancelled;
    if (m_cancelled)
        out.rowsHandled = false;
    return out;
}

bool OperationRunner::anyClusterTuning() const {
    for (int c = 0; c < m_clusters.count(); ++c) {
        const link::TKlvRack& rack = m_clusters.at(c);
        if (!m_bridge.clusterInWork(rack))
            continue;
        for (const link::TKlvStation& s : rack.stations)
            if (s.isGeneratorTuning())
                return true;
    }
    return false;
}

bool OperationRunner::confirmIrreversible() const {
    return catalogue::show(u"e064", MessageIcon::Warning, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void OperationRunner::runStartFamily(const OperationInputs& in, OperationOutcome& out) {
    const StartSettings& s = in.start;
    if (anyClusterTuning()) {
        showError(u"e072", MessageButtons::Ok);
        return;
    }
    if (registrationPeriodReversed(s.beginNow, s.endByCommand, s.begin, s.end)) {
        showError(u"e025", MessageButtons::Ok);
        return;
    }
    out.rowsHandled = true;
    const int code = commandCode(in.operation);
    const BodyBuilder body = [s](const QList<std::int32_t>& list) { return startBody(s, list); };
    for (int row = 0; row < m_view.rowCount() && !m_cancelled; ++row) {
        const int number = m_view.rowCluster(row);
        const link::TKlvRack* rack = m_clusters.find(number - 1);
        const bool syncConnected = rack && rack->syncConnection() && rack->syncConnection()->isConnected();
        const TDateTime syncTime = rack ? rack->syncTime : TDateTime(-1.0);
        const RowVerdict verdict = checkStartRow(syncConnected, syncTime, s.beginNow, s.begin, s.endByCommand, s.end);
        if (verdict.check != RowCheck::Go) {
            out.allSucceeded = false;
            if (verdict.check == RowCheck::SkipRow) {
                showError(verdict.code, MessageButtons::Ok, {QString::number(number)});
                continue;
            }
            showError(verdict.code, MessageButtons::Ok);
            break;
        }
        const bool ok = runCheckedRow(row, code, body, u"e029", registrationRunning, u"e030",
                                      texts::kStateNotAllStarted, true);
        out.allSucceeded = out.allSucceeded && ok;
    }
}

void OperationRunner::runStopRegistration(OperationOutcome& out) {
    if (anyClusterTuning()) {
        showError(u"e072", MessageButtons::Ok);
        return;
    }
    out.rowsHandled = true;
    const BodyBuilder body = [](const QList<std::int32_t>& list) { return stationListBody(list); };
    const FollowCheck stopped = [](const link::TKlvStation& s) { return !registrationRunning(s); };
    for (int row = 0; row < m_view.rowCount() && !m_cancelled; ++row) {
        const int number = m_view.rowCluster(row);
        const link::TKlvRack* rack = m_clusters.find(number - 1);
        const bool syncConnected = rack && rack->syncConnection() && rack->syncConnection()->isConnected();
        const RowVerdict verdict = checkStopRow(syncConnected, rack ? rack->syncTime : TDateTime(-1.0));
        if (verdict.check != RowCheck::Go) {
            out.allSucceeded = false;
            if (verdict.check == RowCheck::SkipRow) {
                showError(verdict.code, MessageButtons::Ok, {QString::number(number)});
                continue;
            }
            showError(verdict.code, MessageButtons::Ok);
            break;
        }
        const bool ok = runCheckedRow(row, code::StopRegistration, body, u"e031", stopped, u"e032",
                                      texts::kStateNotAllStopped, true);
        out.allSucceeded = out.allSucceeded && ok;
    }
}

void OperationRunner::runStopDownload(OperationOutcome& out) {
    const MessageAnswer how = catalogue::show(u"e065", MessageIcon::Warning, MessageButtons::YesNoCancel);
    if (how != MessageAnswer::Yes && how != MessageAnswer::No)
        return;
    if (how == MessageAnswer::Yes && !confirmIrreversible())
        return;
    const int code = how == MessageAnswer::Yes ? code::StopDownloadFinal : code::StopDownloadResume;
    runPlainRows(code, [](const QList<std::int32_t>& list) { return stationListBody(list); }, u"e066", false, out);
}

void OperationRunner::runPlainRows(int code, const BodyBuilder& body, const char16_t* noAnswer, bool keepWaitingText,
                                   OperationOutcome& out) {
    out.rowsHandled = true;
    for (int row = 0; row < m_view.rowCount() && !m_cancelled; ++row) {
        const bool answered = sendAndWait(row, code, body, noAnswer);
        if (answered && !keepWaitingText)
            m_view.setRowState(row, QString::fromUtf16(texts::kStateDone));
        out.allSucceeded = out.allSucceeded && answered;
    }
}

void OperationRunner::runEraseAll(OperationOutcome& out) {
    out.rowsHandled = true;
    const BodyBuilder body = [](const QList<std::int32_t>& list) { return stationListBody(list); };
    const FollowCheck erased = [](const link::TKlvStation& s) { return s.status.freeMemory() >= 100; };
    for (int row = 0; row < m_view.rowCount() && !m_cancelled; ++row) {
        const bool ok = runCheckedRow(row, code::EraseAll, body, u"e045", erased, u"e047",
                                      texts::kStateNotAllErased, false);
        out.allSucceeded = out.allSucceeded && ok;
    }
}

bool OperationRunner::runCheckedRow(int row, int code, const BodyBuilder& body, const char16_t* noAnswer,
                                    const FollowCheck& followed, const char16_t* notAllCode,
                                    const char16_t* stateText, bool raiseAlarm) {
    for (;;) {
        if (!sendAndWait(row, code, body, noAnswer))
            return false;
        const int number = m_view.rowCluster(row);
        const int position = number - 1;
        QList<std::int32_t> notFollowed;
        for (std::int32_t station : m_view.rowStations(row)) {
            link::TKlvRack* rack = m_clusters.find(position);
            const int s = rack ? rack->findStation(station) : -1;
            if (s >= 0 && followed(rack->station(s)))
                continue;
            notFollowed.append(station);
            if (raiseAlarm && s >= 0)
                m_clusters.observer().raiseAlarm(position, s, link::alarm::CommandNotExecuted, true);
        }
        if (notFollowed.isEmpty()) {
            m_view.setRowState(row, QString::fromUtf16(texts::kStateDone));
            return true;
        }
        const QString list = listWithCommas(notFollowed);
        journal::write(codeText(notAllCode) + QLatin1Char('|') + QString::number(number) + QLatin1Char('|') + list);
        m_view.setRowState(row, QString::fromUtf16(stateText));
        const MessageAnswer again = showError(notAllCode, MessageButtons::YesNo, {list.chopped(1)});
        if (again != MessageAnswer::Yes || m_view.closeRequested())
            return false;
    }
}

bool OperationRunner::sendAndWait(int row, int code, const BodyBuilder& body, const char16_t* noAnswer) {
    for (;;) {
        const int number = m_view.rowCluster(row);
        link::ClusterRef cluster(m_clusters, number - 1);
        if (link::TKlvRack* rack = cluster.rack()) {
            rack->ackResult = link::ack::None;
            link::SendServerMessage(m_clusters, cluster.position(), true, code, true, body(m_view.rowStations(row)));
        }
        m_view.setRowState(row, QString::fromUtf16(texts::kStateWaiting));
        letEventsRun();
        const bool answered = waitForAcknowledgement(cluster);
        if (m_view.closeRequested()) {
            m_cancelled = true;
            return false;
        }
        if (answered)
            return true;
        journal::write(codeText(noAnswer) + QLatin1Char('|') + QString::number(number));
        m_view.setRowState(row, QString::fromUtf16(texts::kStateNoAnswer));
        letEventsRun();
        const MessageAnswer again = showError(noAnswer, MessageButtons::YesNo);
        if (again != MessageAnswer::Yes || m_view.closeRequested())
            return false;
    }
}

bool OperationRunner::waitForAcknowledgement(link::ClusterRef& cluster) {
    const int timeOut = settings::serverTimeOutSeconds();
    const int steps = timeOut * 4;
    m_lastWaitSteps = 0;
    m_view.setProgress(steps, 0);
    QElapsedTimer started;
    started.start();
    m_view.showWaitDialog();
    const bool receive = receivesDuringWait(m_operation);
    const auto acknowledged = [&cluster] { return cluster.refresh() && cluster.rack()->ackResult != link::ack::None; };
    bool answered = false;
    for (int step = 0; step < steps; ++step) {
        if (!cluster.refresh())
            break;
        if (receive && cluster.rack()->clusterConnection()->bytesWaiting() > 0)
            link::receiveLoop(m_clusters, cluster.position());
        if (acknowledged()) {
            answered = true;
            m_view.setProgress(steps, steps);
            break;
        }
        if (started.elapsed() > qint64(timeOut) * 1000) {
            m_view.setProgress(steps, steps);
            break;
        }
        if (m_view.waitAborted() || m_view.closeRequested())
            break;
        waitStep();
        ++m_lastWaitSteps;
        m_view.setProgress(steps, step);
    }
    // An answer that came during the last step still counts.
    if (!answered && !m_view.waitAborted() && !m_view.closeRequested())
        answered = acknowledged();
    m_view.closeWaitDialog();
    return answered;
}

} // namespace kalver::stationdata
