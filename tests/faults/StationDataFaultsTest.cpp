// The fault matrix through the station data window: two racks of the demonstration cluster with their
// sync server, the window opened for checked tiles, its operations run with "Выполнить" and its pages
// asked for a catalogue and a subsystem, while rack 1 misbehaves. What the operator is shown: the
// catalogue prompts (and what the status grid said at each), the summary, the journal entries, station
// alarm 1, and whether a Yes sent the request again (the rack counts the frames it took).
//
// Rows: acknowledgements later than the time-out, a reset on the command, stations that do not follow,
// a sync server that is down or has no time, refused and unanswered catalogue and subsystem requests,
// a refused save, catalogue chunks out of order.
//
// The server time-out is the lowest the settings allow and the wait steps are shortened, so that an
// unanswered wait takes a fraction of a second; the late acknowledgements of `slow-ack` come long
// after every wait of a case, even on a slow machine.

#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "config/Unit_Settings.h"
#include "core/ByteWriter.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "session/SyncLabel.h"
#include "session/SyncLink.h"
#include "stationdata/FileCatalogPage.h"
#include "stationdata/Operation.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/SubsystemPage.h"
#include "stationdata/TChannelSettings.h"
#include "stationdata/Unit_StationData.h"
#include "stationdata/WorkWindowBridge.h"
#include "support/ScratchFolder.h"

#include "DemoProcess.h"
#include "SessionTestSupport.h"
#include "WireClient.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace kalver::stationdata {
namespace {

using demo::test::waitUntil;

constexpr int kStationsPerRack = 6;
// Far beyond the 5-s time-out and beyond two waits of it.
const QString kSlowAck = QStringLiteral("slow-ack=20");
const QString kNotAll = QStringLiteral("Операция выполнена не всеми Станциями (см. лог)");

// Stands in for the operator at the message boxes: answers from a script (then No) and notes, with
// every message, what column "Состояние" of the status grid's first row said at that moment.
class Operator {
public:
    struct Seen {
        MessageRequest request;
        QString rowState;
    };

    explicit Operator(std::function<QString()> rowState) : m_rowState(std::move(rowState)) {
        setMessageResponder([this](const MessageRequest& r) {
            seen.append({r, m_rowState()});
            return m_script.isEmpty() ? MessageAnswer::No : m_script.takeFirst();
        });
    }
    ~Operator() { setMessageResponder({}); }

    void script(const QList<MessageAnswer>& answers) { m_script = answers; }
    // The codes of catalogue messages, the texts of plain ones.
    QStringList shown() const {
        QStringList out;
        for (const Seen& s : seen)
            out.append(s.request.code.isEmpty() ? s.request.text : s.request.code);
        return out;
    }
    int count(const QString& code) const { return int(shown().count(code)); }

    QList<Seen> seen;

private:
    std::function<QString()> m_rowState;
    QList<MessageAnswer> m_script;
};

// The work window's side: every cluster is in work and shown, the selection is the checked tiles.
class TileSelection : public WorkWindowBridge {
public:
    bool tableShown() const override { return false; }
    bool clusterInWork(const link::TKlvRack&) const override { return true; }
    bool rackVisible(const link::TKlvRack&) const override { return true; }
    bool stationSelected(const link::TKlvStation& station) const override { return station.tile.checked; }
    void suspendWorkSession() override {}
    void resumeWorkSession() override {}
};

struct Chosen {
    int cluster;
    std::int32_t number;
};

bool running(const link::TKlvStation& s) {
    const int state = s.status.registrationState();
    return state == 1 || state == 2;
}

class StationDataFaults : public ::testing::Test {
protected:
    void SetUp() override {
        program().accessLevel = AccessDeveloper;
        setWaitStepMs(25);
        journal::startNewFile(program().journalFilePath);
        copySubsystemFiles();
        ASSERT_TRUE(demo.start());
        control = std::make_unique<demo::test::ControlClient>(demo.controlPort());
        settings = std::make_unique<test::TestSettings>(
            QList<test::ClusterAddress>{{QStringLiteral("127.0.0.1"), test::portField(demo.rackPort(1))},
                                        {QStringLiteral("127.0.0.1"), test::portField(demo.rackPort(2))}},
            test::portField(demo.syncPort()));
        settings->window().se_ServerTimeOut->setValue(settings->window().se_ServerTimeOut->minimum());
        ASSERT_EQ(settings::serverTimeOutSeconds(), 5);
        observer.keepAlarms = true;
        setWorkWindowBridge(&bridge);
    }

    void TearDown() override {
        if (window)
            window->close();
        window.reset();
        setWorkWindowBridge(nullptr);
        list.clear();
        settings.reset();
        setWaitStepMs(kWaitStepMs);
        program().accessLevel = AccessNone;
    }

    void copySubsystemFiles() {
        const QDir source(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE));
        QDirIterator files(source.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            folder.write(QStringLiteral("Subsystems/") + source.relativeFilePath(path), file.readAll());
        }
    }

    // Both racks on line with their stations and, unless given another port for rack 1's sync server,
    // a sync time from the demonstration cluster's sync server.
    void connectRacks(std::optional<quint16> rack1SyncPort = std::nullopt) {
        for (int rack = 1; rack <= 2; ++rack) {
            const quint16 syncPort = rack == 1 && rack1SyncPort ? *rack1SyncPort : demo.syncPort();
            const int c = list.create(QStringLiteral("127.0.0.1"), demo.rackPort(rack), syncPort);
            auto* box = new QCheckBox;
            box->setChecked(true);
            list.at(c).connectionCheckBox = box;
            sync.attach(c);
            list.at(c).clusterConnection()->open();
            list.at(c).syncConnection()->open();
        }
        ASSERT_TRUE(waitUntil([this] {
            return list.at(0).clusterConnection()->isConnected() && list.at(1).clusterConnection()->isConnected();
        }));
        for (int c = 0; c < 2; ++c)
            link::SendServerMessage(list, c, true, 1, true, ByteWriter().putI32(AccessDeveloper).take());
        ASSERT_TRUE(poll([this] {
            return list.at(0).stationCount() == kStationsPerRack && list.at(1).stationCount() == kStationsPerRack;
        }));
        ASSERT_TRUE(waitUntil([&] { return list.at(1).syncTimeValid && (rack1SyncPort || list.at(0).syncTimeValid); }));
    }

    // Status polls of both racks until `done` holds.
    bool poll(const std::function<bool()>& done) {
        return waitUntil([&] {
            for (int c = 0; c < list.count(); ++c)
                link::SendServerMessage(list, c, true, 2, true);
            return waitUntil(done, 300);
        }, 15000);
    }

    void command(int rack, const QString& line) {
        ASSERT_EQ(control->command(QStringLiteral("rack %1 ").arg(rack) + line).last(), QStringLiteral("ok"));
    }
    void set(const Chosen& s, const QString& field, const QString& value) {
        command(s.cluster + 1, QStringLiteral("set %1 %2 %3").arg(s.number).arg(field, value));
    }

    // The frames rack `rack` has taken so far.
    int framesTaken(int rack) {
        const QStringList lines = control->info(QStringLiteral("rack %1 status").arg(rack));
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(" frames (\\d+)")).match(lines.value(0));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    link::TKlvStation& station(const Chosen& s) {
        link::TKlvRack& rack = list.at(s.cluster);
        return rack.station(rack.findStation(s.number));
    }
    Chosen stationAt(int cluster, int index) { return {cluster, list.at(cluster).station(index).number()}; }

    void select(const QList<Chosen>& chosen) {
        for (int c = 0; c < list.count(); ++c)
            for (link::TKlvStation& s : list.at(c).stations) {
                s.tile.checked = false;
                for (const Chosen& x : chosen)
                    s.tile.checked = s.tile.checked || (x.cluster == c && x.number == s.number());
            }
    }

    TForm_StationData& openWindow(int page, int operation) {
        window = std::make_unique<TForm_StationData>(list);
        window->openForSelection(page, operation);
        EXPECT_TRUE(window->isVisible());
        return *window;
    }

    // Opens the window for the checked tiles on the operations page and presses "Выполнить".
    void carryOut(int operation) {
        OperationsPage& page = *openWindow(page::Operations, operation).ts_StartStop;
        if (operation == op::Start) {
            if (!page.cb_Now->isChecked())
                page.cb_Now->click();
            if (!page.cb_ByCommand->isChecked())
                page.cb_ByCommand->click();
            if (!page.b_StartStop->isEnabled())
                for (int j = 0; j < 16; ++j)
                    if (TChannelSettings* box = page.channelBox(j)) {
                        box->cb_Use->click();
                        break;
                    }
        }
        ASSERT_TRUE(page.b_StartStop->isEnabled());
        page.b_StartStop->click();
        EXPECT_FALSE(window->operationRunning());
    }

    QString rowState() const {
        if (!window)
            return QString();
        const QTableWidgetItem* item = window->ts_StartStop->sg_StartStopStatus->item(0, 2);
        return item ? item->text() : QString();
    }

    int journalCount(const QString& entry) const { return int(test::journalEntries().count(entry)); }
    int journalCountStarting(const QString& start) const {
        int n = 0;
        for (const QString& entry : test::journalEntries())
            n += entry.startsWith(start) ? 1 : 0;
        return n;
    }

    test::ScratchFolder folder;
    demo::test::DemoProcess demo;
    std::unique_ptr<demo::test::ControlClient> control;
    std::unique_ptr<test::TestSettings> settings;
    test::RecordingSessionWindows windows;
    link::ClusterList list;
    test::RecordingObserver observer{list};
    session::SyncLink sync{list};
    TileSelection bridge;
    Operator person{[this] { return rowState(); }};
    std::unique_ptr<TForm_StationData> window;
};

// ---- an acknowledgement later than the time-out

struct LateCase {
    const char* name;
    int operation;
    const char16_t* noAnswer;
    bool confirmed;       // the operation asks e064 first
    int registration;     // the station's registration state before
};

void PrintTo(const LateCase& c, std::ostream* os) { *os << c.name; }

class LateAcknowledgement : public StationDataFaults, public ::testing::WithParamInterface<LateCase> {};

TEST_P(LateAcknowledgement, IsUnansweredAndYesSendsTheCommandAgain) {
    const LateCase& c = GetParam();
    connectRacks();
    const Chosen s = stationAt(0, 0);
    set(s, QStringLiteral("registration"), QString::number(c.registration));
    set(s, QStringLiteral("charge"), QStringLiteral("90"));
    ASSERT_TRUE(poll([&] { return station(s).status.registrationState() == c.registration && station(s).status.chargeLevel() == 90; }));
    select({s});
    command(1, QStringLiteral("fault ") + kSlowAck);

    const QString code = QString::fromUtf16(c.noAnswer);
    QList<MessageAnswer> answers;
    if (c.confirmed)
        answers.append(MessageAnswer::Yes);
    answers << MessageAnswer::Yes << MessageAnswer::No; // repeat once, then give up
    person.script(answers);
    const int framesBefore = framesTaken(1);
    carryOut(c.operation);

    QStringList expected;
    if (c.confirmed)
        expected << QStringLiteral("e064");
    expected << code << code << kNotAll;
    EXPECT_EQ(person.shown(), expected);
    for (const Operator::Seen& seen : person.seen)
        if (seen.request.code == code) {
            EXPECT_EQ(seen.request.icon, MessageIcon::Error);
            EXPECT_EQ(seen.request.buttons, MessageButtons::YesNo);
            EXPECT_EQ(seen.rowState, QStringLiteral("Кластер не отвечает"));
        }
    EXPECT_EQ(journalCount(code + QStringLiteral("|1")), 2);
    // The first send and the one repeat; No sent nothing more.
    EXPECT_TRUE(waitUntil([&] { return framesTaken(1) >= framesBefore + 2; }));
    EXPECT_EQ(framesTaken(1), framesBefore + 2);
    EXPECT_FALSE(station(s).hasAlarm(link::alarm::CommandNotExecuted));
}

INSTANTIATE_TEST_SUITE_P(
    FaultMatrix, LateAcknowledgement,
    ::testing::Values(LateCase{"start", op::Start, u"e029", false, 0},
                      LateCase{"stop", op::StopRegistration, u"e031", false, 1},
                      LateCase{"search", op::Search, u"e043", false, 0},
                      LateCase{"erase_oldest", op::EraseOldest, u"e044", true, 0}),
    [](const ::testing::TestParamInfo<LateCase>& info) { return std::string(info.param.name); });

// A rack that resets its connection when the command arrives: the row is unanswered like a late one,
// a repeat on the closed connection sends nothing and shows no dialog of its own, and the other rack's
// row is carried out.
TEST_F(StationDataFaults, ResetOnTheCommandLeavesTheRowUnansweredAndTheOtherRackCommanded) {
    connectRacks();
    const Chosen first = stationAt(0, 0);
    const Chosen second = stationAt(1, 0);
    for (const Chosen& s : {first, second}) {
        set(s, QStringLiteral("registration"), QStringLiteral("0"));
        set(s, QStringLiteral("charge"), QStringLiteral("90"));
    }
    ASSERT_TRUE(poll([&] {
        return station(first).status.chargeLevel() == 90 && station(second).status.chargeLevel() == 90 &&
               !running(station(first)) && !running(station(second));
    }));
    select({first, second});
    // Rack 1 has one connection, the list's: its next frame is the start command.
    command(1, QStringLiteral("fault reset-after=%1").arg(framesTaken(1) + 1));

    person.script({MessageAnswer::Yes, MessageAnswer::No});
    carryOut(op::Start);

    EXPECT_EQ(person.shown(), (QStringList{"e029", "e029", kNotAll}));
    EXPECT_FALSE(list.at(0).clusterConnection()->isConnected());
    EXPECT_EQ(journalCount(QStringLiteral("e029|1")), 2);
    EXPECT_FALSE(running(station(first)));
    EXPECT_TRUE(running(station(second)));
    EXPECT_TRUE(list.at(1).clusterConnection()->isConnected());
}

// ---- stations that do not follow

struct StubbornCase {
    const char* name;
    int operation;
    const char16_t* notFollowed;
    const char* rowState;
    bool alarm;           // station alarm 1 for the stations named
    bool confirmed;
    int registration;     // both stations' registration state before
};

void PrintTo(const StubbornCase& c, std::ostream* os) { *os << c.name; }

class StubbornStations : public StationDataFaults, public ::testing::WithParamInterface<StubbornCase> {};

TEST_P(StubbornStations, AreNamedJournaledAndOfferedARepeat) {
    const StubbornCase& c = GetParam();
    connectRacks();
    // Two stations of rack 1; only the stubborn one ignores the command. For erasing, it is one that
    // holds files, so that its memory is not free.
    QList<Chosen> pair;
    for (int i = 0; i < kStationsPerRack && pair.size() < 2; ++i) {
        const link::TKlvStation& s = list.at(0).station(i);
        if (c.operation == op::EraseAll && pair.isEmpty() && s.status.freeMemory() >= 100)
            continue;
        pair.append(stationAt(0, i));
    }
    ASSERT_EQ(pair.size(), 2) << "rack 1 has a station holding files";
    const Chosen stubborn = pair[0];
    const Chosen obedient = pair[1];
    for (const Chosen& s : pair) {
        set(s, QStringLiteral("registration"), QString::number(c.registration));
        set(s, QStringLiteral("charge"), QStringLiteral("90"));
    }
    ASSERT_TRUE(poll([&] {
        for (const Chosen& s : pair)
            if (station(s).status.registrationState() != c.registration || station(s).status.chargeLevel() != 90)
                return false;
        return true;
    }));
    if (c.operation == op::EraseAll) {
        ASSERT_LT(station(stubborn).status.freeMemory(), 100);
    }
    select(pair);
    command(1, QStringLiteral("fault stubborn=%1").arg(stubborn.number));

    const QString code = QString::fromUtf16(c.notFollowed);
    QList<MessageAnswer> answers;
    if (c.confirmed)
        answers.append(MessageAnswer::Yes);
    answers << MessageAnswer::Yes << MessageAnswer::No;
    person.script(answers);
    const int framesBefore = framesTaken(1);
    carryOut(c.operation);

    QStringList expected;
    if (c.confirmed)
        expected << QStringLiteral("e064");
    expected << code << code << kNotAll;
    ASSERT_EQ(person.shown(), expected);
    for (const Operator::Seen& seen : person.seen)
        if (seen.request.code == code) {
            // The prompt names the stubborn station alone, on its second line.
            EXPECT_EQ(seen.request.text.split(u'\n').value(1), QString::number(stubborn.number)) << qPrintable(seen.request.text);
            EXPECT_EQ(seen.request.buttons, MessageButtons::YesNo);
            EXPECT_EQ(seen.rowState, QString::fromUtf8(c.rowState));
        }
    EXPECT_EQ(journalCount(QStringLiteral("%1|1|%2,").arg(code).arg(stubborn.number)), 2);
    EXPECT_TRUE(waitUntil([&] { return framesTaken(1) >= framesBefore + 2; }));
    EXPECT_EQ(framesTaken(1), framesBefore + 2);

    EXPECT_EQ(station(stubborn).hasAlarm(link::alarm::CommandNotExecuted), c.alarm);
    const test::RaisedAlarm alarm{0, list.at(0).findStation(stubborn.number), link::alarm::CommandNotExecuted, true};
    EXPECT_EQ(observer.alarms.count(alarm), c.alarm ? 2 : 0) << "raised and journaled at each check";
    EXPECT_FALSE(station(obedient).hasAlarm(link::alarm::CommandNotExecuted));
    switch (c.operation) {
    case op::Start:
        EXPECT_TRUE(running(station(obedient)));
        EXPECT_FALSE(running(station(stubborn)));
        break;
    case op::StopRegistration:
        EXPECT_FALSE(running(station(obedient)));
        EXPECT_TRUE(running(station(stubborn)));
        break;
    default:
        EXPECT_EQ(station(obedient).status.freeMemory(), 100);
        EXPECT_LT(station(stubborn).status.freeMemory(), 100);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FaultMatrix, StubbornStations,
    ::testing::Values(StubbornCase{"start", op::Start, u"e030", "Не все запущены", true, false, 0},
                      StubbornCase{"stop", op::StopRegistration, u"e032", "Не все остановлены", true, false, 1},
                      StubbornCase{"erase_all", op::EraseAll, u"e047", "Не все очистили память", false, true, 0}),
    [](const ::testing::TestParamInfo<StubbornCase>& info) { return std::string(info.param.name); });

// ---- a sync server that is down, or that has no time

enum class SyncFault {
    Down,    // nothing listens where rack 1's sync server should be: its row is skipped
    NoTime,  // the sync server answers with the time -1: no row is handled
};

struct SyncCase {
    const char* name;
    SyncFault fault;
    int operation;
    const char16_t* refusal;
    const char* title;
    const char* text;
    int registration;
};

void PrintTo(const SyncCase& c, std::ostream* os) { *os << c.name; }

class SyncServerFaults : public StationDataFaults, public ::testing::WithParamInterface<SyncCase> {};

TEST_P(SyncServerFaults, RefuseTheCommandForTheRacksTheyServe) {
    const SyncCase& c = GetParam();
    const bool down = c.fault == SyncFault::Down;
    if (down) {
        connectRacks(test::freePort());
        ASSERT_TRUE(waitUntil([this] {
            return observer.logTexts().contains(QStringLiteral("Разорвано соединение с Синхросервером Кластера №1"));
        }));
        ASSERT_FALSE(list.at(0).syncConnection()->isConnected());
    } else {
        // The racks share their sync server; one sync tick brings its answer without a time.
        connectRacks();
        command(1, QStringLiteral("fault sync-unknown"));
        windows.syncLabels.clear();
        sync.tick();
        ASSERT_TRUE(waitUntil([this] {
            return windows.syncLabels.value(0) == QString::fromUtf16(session::sync_label::kTimeUnknown) &&
                   list.at(0).syncTimeValid;
        }));
    }
    const Chosen first = stationAt(0, 0);
    const Chosen second = stationAt(1, 0);
    for (const Chosen& s : {first, second}) {
        set(s, QStringLiteral("registration"), QString::number(c.registration));
        set(s, QStringLiteral("charge"), QStringLiteral("90"));
    }
    ASSERT_TRUE(poll([&] {
        return station(first).status.registrationState() == c.registration &&
               station(second).status.registrationState() == c.registration && station(first).status.chargeLevel() == 90 &&
               station(second).status.chargeLevel() == 90;
    }));
    select({first, second});

    const int rack1Before = framesTaken(1);
    const int rack2Before = framesTaken(2);
    carryOut(c.operation);

    const QString code = QString::fromUtf16(c.refusal);
    ASSERT_EQ(person.shown(), (QStringList{code, kNotAll}));
    const MessageRequest& refusal = person.seen.at(0).request;
    EXPECT_EQ(refusal.title, QString::fromUtf8(c.title));
    EXPECT_EQ(refusal.text, QString::fromUtf8(c.text));
    EXPECT_EQ(refusal.icon, MessageIcon::Error);
    EXPECT_EQ(refusal.buttons, MessageButtons::Ok);
    // Nothing went to rack 1. With its sync server down, rack 2's station followed the command; a sync
    // server without a time ends the operation before any rack is commanded.
    EXPECT_EQ(framesTaken(1), rack1Before);
    EXPECT_EQ(running(station(first)), c.registration == 1);
    if (down) {
        EXPECT_EQ(running(station(second)), c.registration != 1);
    } else {
        EXPECT_EQ(framesTaken(2), rack2Before);
        EXPECT_EQ(running(station(second)), c.registration == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FaultMatrix, SyncServerFaults,
    ::testing::Values(SyncCase{"start_sync_down", SyncFault::Down, op::Start, u"e069", "Нет связи с синхросервером",
                               "Запуск невозможен для Станций Кластера №1", 0},
                      SyncCase{"stop_sync_down", SyncFault::Down, op::StopRegistration, u"e078",
                               "Нет связи с синхросервером", "Остановка невозможна для Станций Кластера №1", 1},
                      SyncCase{"start_sync_without_time", SyncFault::NoTime, op::Start, u"e076",
                               "Ошибка времени Синхросервера",
                               "Синхросервер не передает дату и время\n(возможно, включен режим настройки "
                               "генератора).\nЗапуск невозможен.",
                               0},
                      SyncCase{"stop_sync_without_time", SyncFault::NoTime, op::StopRegistration, u"e077",
                               "Ошибка времени Синхросервера",
                               "Синхросервер не передает дату и время\n(возможно, включен режим настройки "
                               "генератора).\nОстановка невозможна.",
                               1}),
    [](const ::testing::TestParamInfo<SyncCase>& info) { return std::string(info.param.name); });

// ---- the examination pages: refused and unanswered requests

struct PageCase {
    const char* name;
    const char* fault;
    int page;
    const char16_t* code;
    bool offersRepeat;     // Yes/No: a Yes sends the request again
    bool journaled;        // the code, the cluster and the station (catalogue) or the subsystem
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class PageRequests : public StationDataFaults, public ::testing::WithParamInterface<PageCase> {};

const QString kSubsystem = QStringLiteral("0032352020376D71\\интерфейса.sub");

TEST_P(PageRequests, ShowTheirMessageAndLeaveThePageEmpty) {
    const PageCase& c = GetParam();
    connectRacks();
    // A station the catalogue may be asked of: not recording, not downloading.
    Chosen s{-1, 0};
    for (const link::TKlvStation& x : list.at(0).stations)
        if (s.cluster < 0 && !x.status.downloading() && !running(x))
            s = {0, x.number()};
    ASSERT_GE(s.cluster, 0);
    select({s});
    command(1, QStringLiteral("fault ") + QString::fromLatin1(c.fault));
    const QString code = QString::fromUtf16(c.code);
    if (c.offersRepeat)
        person.script({MessageAnswer::Yes, MessageAnswer::No});

    TForm_StationData& w = openWindow(page::Operations, op::Search);
    const int framesBefore = framesTaken(1);
    if (c.page == page::Subsystems) {
        w.pc_ControlMode->setCurrentIndex(page::Subsystems);
        SubsystemPage& subsystems = *w.subsystems;
        const int item = subsystems.cb_SubsystemType->findText(kSubsystem);
        ASSERT_GE(item, 0);
        subsystems.cb_SubsystemType->setCurrentIndex(item);
        ASSERT_TRUE(subsystems.tb_ParamReload->isEnabled());
        subsystems.tb_ParamReload->click();
    } else {
        // Page 1 asks for the chosen station's catalogue on the way in.
        w.pc_ControlMode->setCurrentIndex(page::StationInfo);
    }
    const int times = c.offersRepeat ? 2 : 1;
    ASSERT_TRUE(waitUntil([&] { return person.count(code) == times && w.pc_ControlMode->isEnabled(); }));
    EXPECT_EQ(person.shown(), QStringList(times, code));
    for (const Operator::Seen& seen : person.seen) {
        EXPECT_EQ(seen.request.icon, MessageIcon::Error);
        EXPECT_EQ(seen.request.buttons, c.offersRepeat ? MessageButtons::YesNo : MessageButtons::Ok);
    }
    EXPECT_TRUE(waitUntil([&] { return framesTaken(1) >= framesBefore + times; }));
    EXPECT_EQ(framesTaken(1), framesBefore + times);

    QString entry;
    if (c.page == page::Subsystems) {
        EXPECT_FALSE(w.subsystems->tb_ParamSave->isEnabled());
        entry = code + QStringLiteral("|1|") + kSubsystem;
    } else {
        EXPECT_FALSE(w.fileCatalog->rg_SelectedFile->isEnabled());
        EXPECT_TRUE(list.at(0).receivedChunks.isEmpty());
        entry = code + QStringLiteral("|1|") + QString::number(s.number);
    }
    EXPECT_EQ(journalCountStarting(code + QLatin1Char('|')), c.journaled ? times : 0);
    if (c.journaled) {
        EXPECT_EQ(journalCount(entry), times);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FaultMatrix, PageRequests,
    ::testing::Values(PageCase{"catalogue_refused", "refuse-catalogue", page::StationInfo, u"e074", false, false},
                      PageCase{"subsystem_refused", "refuse-subsystem", page::Subsystems, u"e073", true, false},
                      PageCase{"catalogue_late", "slow-ack=20", page::StationInfo, u"e033", true, true},
                      PageCase{"subsystem_late", "slow-ack=20", page::Subsystems, u"e054", true, true}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// ---- the examination pages: a save the station refuses, chunks out of order

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

int rowNamed(const QTableWidget* grid, const QString& name) {
    for (int r = 0; r < grid->rowCount(); ++r)
        if (cellText(grid, r, 0) == name)
            return r;
    return -1;
}

TEST_F(StationDataFaults, ASaveTheStationRefusesIsReportedAndTheValueKept) {
    connectRacks();
    const Chosen s = stationAt(0, 0);
    select({s});
    TForm_StationData& w = openWindow(page::Operations, op::Search);
    w.pc_ControlMode->setCurrentIndex(page::Subsystems);
    SubsystemPage& page = *w.subsystems;
    page.cb_SubsystemType->setCurrentIndex(page.cb_SubsystemType->findText(kSubsystem));
    page.tb_ParamReload->click();
    ASSERT_TRUE(person.seen.isEmpty()) << person.shown().join(u',').toStdString();
    ASSERT_TRUE(page.tb_ParamSave->isEnabled());
    const QTableWidget* grid = page.sg_StationParams;
    const int address = rowNamed(grid, QStringLiteral("Адрес в сети стойки"));
    ASSERT_GE(address, 0);
    const QString before = cellText(grid, address, 5);

    command(1, QStringLiteral("fault save-error"));
    page.sg_StationParams->item(address, 6)->setText(QStringLiteral("2B"));
    person.script({MessageAnswer::Yes, MessageAnswer::No});
    const int framesBefore = framesTaken(1);
    page.tb_ParamSave->click();

    EXPECT_EQ(person.shown(), (QStringList{"e058", "e058"}));
    EXPECT_EQ(journalCount(QStringLiteral("e058|1|%1|").arg(s.number) + kSubsystem), 2);
    EXPECT_TRUE(waitUntil([&] { return framesTaken(1) >= framesBefore + 2; }));
    EXPECT_EQ(framesTaken(1), framesBefore + 2);
    EXPECT_EQ(cellText(grid, address, 5), before) << "the station kept its value";

    // A new read shows what the station holds.
    command(1, QStringLiteral("clear"));
    person.seen.clear();
    page.tb_ParamReload->click();
    EXPECT_TRUE(person.seen.isEmpty());
    EXPECT_EQ(cellText(grid, address, 5), before);
}

TEST_F(StationDataFaults, CatalogueChunksInReverseOrderGiveTheSameCatalogue) {
    connectRacks();
    // The idle station with the most files, so that its catalogue takes more than one chunk.
    Chosen s{-1, 0};
    int files = -1;
    for (const link::TKlvStation& x : list.at(0).stations)
        if (!x.status.downloading() && !running(x) && x.status.fileCount() > files) {
            s = {0, x.number()};
            files = x.status.fileCount();
        }
    ASSERT_GT(files * 256, 700) << "a catalogue of at least two chunks";
    select({s});
    TForm_StationData& w = openWindow(page::Operations, op::Search);
    w.pc_ControlMode->setCurrentIndex(page::StationInfo);
    ASSERT_TRUE(waitUntil([&] { return w.fileCatalog->rg_SelectedFile->isEnabled(); }));
    QStringList inOrder;
    for (int j = 0; j < 16; ++j)
        inOrder.append(w.fileCatalog->fileButtons->button(j)->text());

    command(1, QStringLiteral("fault shuffle-chunks"));
    const int framesBefore = framesTaken(1);
    w.fileCatalog->tb_ShowData->click();
    ASSERT_TRUE(waitUntil([&] { return w.fileCatalog->rg_SelectedFile->isEnabled(); }));
    EXPECT_EQ(framesTaken(1), framesBefore + 1);
    QStringList reversed;
    for (int j = 0; j < 16; ++j)
        reversed.append(w.fileCatalog->fileButtons->button(j)->text());
    EXPECT_EQ(reversed, inOrder);
    EXPECT_NE(inOrder.first(), QStringLiteral("Файл 0"));
    EXPECT_TRUE(person.seen.isEmpty()) << person.shown().join(u',').toStdString();
}

} // namespace
} // namespace kalver::stationdata
