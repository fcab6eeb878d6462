// The operations carried out against fake clusters on loopback: the bytes of every command, the checks
// of the stations' new state with their prompts, alarms and journal entries, the repeats, the
// confirmations, the refusals, and the waits' ends.

#include "stationdata/Operation.h"
#include "stationdata/OperationRunner.h"

#include "core/ByteWriter.h"

#include "CommandFixture.h"

namespace kalver::stationdata {
namespace {

using test::frames::acknowledgement;

// The status grid and the wait dialog of a window that is not there.
class RecordingView : public OperationView {
public:
    struct Row {
        int cluster = 0;
        QList<std::int32_t> stations;
        QString state;
    };
    int rowCount() const override { return static_cast<int>(rows.size()); }
    int rowCluster(int row) const override { return rows.at(row).cluster; }
    QList<std::int32_t> rowStations(int row) const override { return rows.at(row).stations; }
    void setRowState(int row, const QString& text) override {
        rows[row].state = text;
        states.append(text);
    }
    void setProgress(int maximum, int position) override {
        progressMaximum = maximum;
        progress = position;
    }
    void showWaitDialog() override {
        ++waits;
        aborted = false;
        if (onWaitShown)
            onWaitShown();
    }
    bool waitAborted() const override { return aborted; }
    void closeWaitDialog() override { ++closedWaits; }
    bool closeRequested() const override { return closing; }

    QList<Row> rows;
    QStringList states;
    int progressMaximum = 0;
    int progress = 0;
    int waits = 0;
    int closedWaits = 0;
    bool aborted = false;
    bool closing = false;
    std::function<void()> onWaitShown;
};

class OperationRunnerTest : public test::CommandFixture {
protected:
    OperationOutcome run(int operation, const StartSettings& start = {}) {
        OperationRunner runner(list, view, bridge);
        OperationInputs in;
        in.operation = operation;
        in.start = start;
        in.downloadBegin = TDateTime(43000.0);
        in.downloadEnd = TDateTime(43001.0);
        const OperationOutcome out = runner.run(in);
        lastWaitSteps = runner.lastWaitSteps();
        return out;
    }

    // Every frame the client sent to `rack` with a command code (the status polls aside).
    static QList<test::ClientFrame> commands(Rack& rack) {
        QList<test::ClientFrame> out;
        for (const test::ClientFrame& f : rack.cluster->frames())
            if (f.code() != 2)
                out.append(f);
        return out;
    }

    static link::StatusBlock registering(std::int32_t number) {
        link::StatusBlock b = test::idleStation(number);
        b.setRegistrationState(1);
        return b;
    }

    RecordingView view;
    WorkWindowBridge bridge;
    int lastWaitSteps = -1;
};

TEST_F(OperationRunnerTest, EveryCommandCarriesItsCodeAndBody) {
    const QByteArray list5and12 = QByteArray::fromHex("05000000" "0c000000");
    struct Case {
        int operation;
        int code;
        QByteArray body;
        bool afterRegistering;
        QStringList questions;
    };
    const QList<Case> cases = {
        {op::StopRegistration, 4, list5and12, false, {}},
        {op::StartDownload, 11, QByteArray::fromHex("80de527c" "80de527c") + list5and12, false, {}},
        {op::Search, 7, list5and12, false, {}},
        {op::EraseOldest, 8, list5and12, false, {"e064"}},
        {op::EraseAll, 9, list5and12, false, {"e064"}},
        {op::EraseInclinometer, 10, list5and12, false, {"e064"}},
        {op::StartGeneratorTuning, 21, list5and12, false, {}},
        {op::StopGeneratorTuning, 22, list5and12, false, {}},
        {op::PowerOff, 24, list5and12, false, {}},
        {op::StopDownload, 15, list5and12, false, {"e065", "e064"}},
    };
    link::StatusBlock five = test::idleStation(5);
    link::StatusBlock twelve = test::idleStation(12);
    five.setFreeMemory(100);
    twelve.setFreeMemory(100);
    Rack& rack = addRack({five, twelve});
    view.rows = {{1, {5, 12}, {}}};
    messages.setDefaultAnswer(MessageAnswer::Yes);
    for (const Case& c : cases) {
        SCOPED_TRACE(operationCaption(c.operation).toStdString());
        rack.cluster->clearFrames();
        messages.clear();
        acknowledge(rack, c.code, {five, twelve});
        const OperationOutcome out = run(c.operation);
        const auto sent = commands(rack);
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].code(), c.code);
        EXPECT_EQ(sent[0].payload, c.body);
        EXPECT_EQ(sent[0].raw.left(4), QByteArray::fromHex("55aa0000"));
        EXPECT_EQ(messages.codes(), c.questions);
        EXPECT_TRUE(out.rowsHandled);
        EXPECT_TRUE(out.allSucceeded);
        rack.cluster->stopAnswering(c.code);
    }
}

TEST_F(OperationRunnerTest, TheStartFamilySendsTheStartBodyWithItsCode) {
    Rack& rack = addRack({test::idleStation(5), test::idleStation(12)});
    view.rows = {{1, {5, 12}, {}}};
    StartSettings s;
    s.frequencyHz = 500;
    s.channels[1] = ChannelEntry{1, 2, 0, 0, 0};
    for (auto [operation, code] : {std::pair{op::Start, 3}, {op::TestAdc, 17}, {op::TestSensors, 18},
                                   {op::TestSnr, 19}, {op::InclinometerCalibration, 20}}) {
        rack.cluster->clearFrames();
        acknowledge(rack, code, {registering(5), registering(12)});
        EXPECT_TRUE(run(operation, s).allSucceeded);
        const auto sent = commands(rack);
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].code(), code);
        ByteWriter head;
        head.putI32(2).putI32(500).putBytes(QByteArray(5, '\0')).putBytes(QByteArray::fromHex("0104010000"));
        EXPECT_EQ(sent[0].payload.size(), 108 + 8);
        EXPECT_EQ(sent[0].payload.left(18), head.bytes());
        EXPECT_EQ(sent[0].payload.right(8), QByteArray::fromHex("05000000" "0c000000"));
        rack.cluster->stopAnswering(code);
    }
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Завершено"));
}

TEST_F(OperationRunnerTest, AStationThatStaysStoppedIsNamedAlarmedAndJournaled) {
    Rack& rack = addRack({test::idleStation(5), test::idleStation(12), test::idleStation(7)});
    view.rows = {{1, {5, 7, 12}, {}}};
    acknowledge(rack, 3, {registering(5), test::idleStation(12), test::idleStation(7)});

    const OperationOutcome out = run(op::Start);

    EXPECT_TRUE(out.rowsHandled);
    EXPECT_FALSE(out.allSucceeded);
    ASSERT_EQ(messages.codes(), QStringList{"e030"});
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Не все Модули успешно запущены"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral(" Не были запущены:\n7,12\nПовторить запуск данных Станций?"));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(journalEntries(), QStringList{"e030|1|7,12,"});
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Не все запущены"));
    const link::TKlvRack& record = list.at(rack.position);
    ASSERT_EQ(observer.alarms.size(), 2);
    EXPECT_EQ(observer.alarms[0], (test::RaisedAlarm{0, record.findStation(7), 1, true}));
    EXPECT_EQ(observer.alarms[1], (test::RaisedAlarm{0, record.findStation(12), 1, true}));
}

TEST_F(OperationRunnerTest, YesRepeatsTheStartUntilEveryStationFollows) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    int sends = 0;
    rack.cluster->answer(3, [&sends](const test::ClientFrame&) {
        ++sends;
        return acknowledgement(3, {sends == 1 ? test::idleStation(5) : registering(5)});
    });
    messages.script({MessageAnswer::Yes});
    EXPECT_TRUE(run(op::Start).allSucceeded);
    EXPECT_EQ(sends, 2);
    EXPECT_EQ(messages.codes(), QStringList{"e030"});
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Завершено"));
}

TEST_F(OperationRunnerTest, AClusterThatDoesNotAnswerIsJournaledAndOfferedARepeat) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    int sends = 0;
    rack.cluster->answer(3, [&sends](const test::ClientFrame&) {
        return ++sends == 1 ? QByteArray() : acknowledgement(3, {registering(5)});
    });
    messages.script({MessageAnswer::Yes});

    const OperationOutcome out = run(op::Start);

    EXPECT_TRUE(out.allSucceeded);
    EXPECT_EQ(commands(rack).size(), 2);
    ASSERT_EQ(messages.codes(), QStringList{"e029"});
    EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(journalEntries(), QStringList{"e029|1"});
    EXPECT_EQ(view.states, (QStringList{"Ожидание подтверждения", "Кластер не отвечает", "Ожидание подтверждения",
                                        "Завершено"}));
    EXPECT_EQ(view.waits, 2);
    EXPECT_EQ(view.closedWaits, 2);
    EXPECT_EQ(view.progress, view.progressMaximum);
}

TEST_F(OperationRunnerTest, NoToTheRepeatLeavesTheRowUnanswered) {
    addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    const OperationOutcome out = run(op::Search);
    EXPECT_TRUE(out.rowsHandled);
    EXPECT_FALSE(out.allSucceeded);
    EXPECT_EQ(messages.codes(), QStringList{"e043"});
    EXPECT_EQ(journalEntries(), QStringList{"e043|1"});
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Кластер не отвечает"));
    EXPECT_EQ(lastWaitSteps, 30 * 4) << "the whole time-out in 250-ms steps";
}

TEST_F(OperationRunnerTest, AbortingTheWaitEndsItAtTheNextStep) {
    addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    view.onWaitShown = [this] { view.aborted = true; };
    const OperationOutcome out = run(op::PowerOff);
    EXPECT_EQ(lastWaitSteps, 0);
    EXPECT_FALSE(out.allSucceeded);
    EXPECT_EQ(messages.codes(), QStringList{"e081"}) << "an aborted wait is a time-out";
}

TEST_F(OperationRunnerTest, ClosingTheWindowDuringAWaitEndsTheOperationWithoutQuestions) {
    Rack& rack = addRack({test::idleStation(5)}, true);
    addRack({test::idleStation(6)}, true);
    view.rows = {{1, {5}, {}}, {2, {6}, {}}};
    view.onWaitShown = [this] { view.closing = true; };
    const OperationOutcome out = run(op::Start);
    EXPECT_TRUE(out.cancelled);
    EXPECT_FALSE(out.rowsHandled);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(commands(rack).size(), 1);
    EXPECT_EQ(commands(*racks[1]).size(), 0) << "the next row is not handled";
    EXPECT_LE(lastWaitSteps, 1);
}

TEST_F(OperationRunnerTest, StopDownloadAsksHowAndWhetherToContinue) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    acknowledge(rack, 15, {test::idleStation(5)});
    acknowledge(rack, 16, {test::idleStation(5)});
    struct Case {
        QList<MessageAnswer> answers;
        int code; // 0: nothing sent
        QStringList questions;
        bool rowsHandled;
    };
    const Case cases[] = {
        {{MessageAnswer::Cancel}, 0, {"e065"}, false},
        {{MessageAnswer::No}, 16, {"e065"}, true},
        {{MessageAnswer::Yes, MessageAnswer::Yes}, 15, {"e065", "e064"}, true},
        {{MessageAnswer::Yes, MessageAnswer::No}, 0, {"e065", "e064"}, false},
    };
    for (const Case& c : cases) {
        rack.cluster->clearFrames();
        messages.clear();
        for (MessageAnswer a : c.answers)
            messages.script({a});
        const OperationOutcome out = run(op::StopDownload);
        EXPECT_EQ(messages.codes(), c.questions);
        EXPECT_EQ(out.rowsHandled, c.rowsHandled);
        const auto sent = commands(rack);
        if (c.code == 0) {
            EXPECT_TRUE(sent.isEmpty());
            continue;
        }
        ASSERT_EQ(sent.size(), 1);
        EXPECT_EQ(sent[0].code(), c.code);
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Warning);
        EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::YesNoCancel);
    }
}

TEST_F(OperationRunnerTest, EraseAllRepeatsWhileStationsReportLessThanFullFreeMemory) {
    Rack& rack = addRack({test::idleStation(5), test::idleStation(9)});
    view.rows = {{1, {5, 9}, {}}};
    int sends = 0;
    rack.cluster->answer(9, [&sends](const test::ClientFrame&) {
        ++sends;
        link::StatusBlock five = test::idleStation(5);
        link::StatusBlock nine = test::idleStation(9);
        five.setFreeMemory(sends < 3 ? 40 : 100);
        nine.setFreeMemory(100);
        return acknowledgement(9, {five, nine});
    });
    messages.script({MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes});

    EXPECT_TRUE(run(op::EraseAll).allSucceeded);
    EXPECT_EQ(sends, 3);
    EXPECT_EQ(messages.codes(), (QStringList{"e064", "e047", "e047"}));
    EXPECT_EQ(messages.shown()[1].text, QStringLiteral(" Не выполнили Станции:\n5\nПовторить команду?"));
    EXPECT_EQ(journalEntries(), (QStringList{"e047|1|5,", "e047|1|5,"}));
    EXPECT_TRUE(observer.alarms.isEmpty());
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Завершено"));

    sends = 0;
    messages.clear();
    messages.script({MessageAnswer::Yes, MessageAnswer::No});
    EXPECT_FALSE(run(op::EraseAll).allSucceeded);
    EXPECT_EQ(sends, 1);
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Не все очистили память"));
}

TEST_F(OperationRunnerTest, StopRegistrationNamesTheStationsStillRegistering) {
    Rack& rack = addRack({registering(5), registering(6)});
    view.rows = {{1, {5, 6}, {}}};
    acknowledge(rack, 4, {test::idleStation(5), registering(6)});
    EXPECT_FALSE(run(op::StopRegistration).allSucceeded);
    ASSERT_EQ(messages.codes(), QStringList{"e032"});
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral(" Не были остановлены:\n6\nПовторить остановку данных Модулей?"));
    EXPECT_EQ(journalEntries(), QStringList{"e032|1|6,"});
    EXPECT_EQ(view.rows[0].state, QStringLiteral("Не все остановлены"));
    ASSERT_EQ(observer.alarms.size(), 1);
    EXPECT_EQ(observer.alarms[0].code, 1);
}

TEST_F(OperationRunnerTest, GeneratorTuningAnywhereInWorkBlocksStartAndStop) {
    link::StatusBlock tuning = test::idleStation(40);
    tuning.setGeneratorState(2);
    Rack& first = addRack({test::idleStation(5)});
    addRack({tuning});
    view.rows = {{1, {5}, {}}};
    for (int operation : {op::Start, op::TestSnr, op::StopRegistration}) {
        messages.clear();
        const OperationOutcome out = run(operation);
        EXPECT_FALSE(out.rowsHandled);
        EXPECT_EQ(messages.codes(), QStringList{"e072"});
        EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Запрет запуска/остановки"));
    }
    EXPECT_TRUE(commands(first).isEmpty());
    EXPECT_TRUE(commands(*racks[1]).isEmpty());

    // A cluster that is not in work does not count.
    list.at(1).connectionCheckBox->setProperty("checked", false);
    messages.clear();
    acknowledge(first, 3, {registering(5)});
    EXPECT_TRUE(run(op::Start).allSucceeded);
    EXPECT_EQ(commands(first).size(), 1);
}

TEST_F(OperationRunnerTest, AClusterWithoutSyncServerIsSkippedWhileTheOthersRun) {
    Rack& first = addRack({test::idleStation(5)}, false);
    Rack& second = addRack({test::idleStation(6)});
    view.rows = {{1, {5}, {}}, {2, {6}, {}}};
    acknowledge(second, 3, {registering(6)});
    acknowledge(second, 4, {test::idleStation(6)});

    OperationOutcome out = run(op::Start);
    ASSERT_EQ(messages.codes(), QStringList{"e069"});
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Нет связи с синхросервером"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Запуск невозможен для Станций Кластера №1"));
    EXPECT_TRUE(commands(first).isEmpty());
    ASSERT_EQ(commands(second).size(), 1);
    EXPECT_EQ(view.rows[1].state, QStringLiteral("Завершено"));
    EXPECT_FALSE(out.allSucceeded) << "the skipped cluster's stations were not started";

    messages.clear();
    out = run(op::StopRegistration);
    EXPECT_EQ(messages.codes(), QStringList{"e078"});
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Остановка невозможна для Станций Кластера №1"));
    EXPECT_EQ(commands(second).size(), 2);
}

TEST_F(OperationRunnerTest, TimeChecksStopTheRowsBeforeAnythingIsSent) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    list.at(rack.position).syncTime = TDateTime::fromWallClock(QDate(2019, 2, 1), QTime(10, 0));
    StartSettings s;
    s.beginNow = false;
    s.begin = TDateTime::fromWallClock(QDate(2019, 2, 1), QTime(10, 0, 30));
    EXPECT_TRUE(run(op::Start, s).rowsHandled);
    EXPECT_EQ(messages.codes(), QStringList{"e067"});

    messages.clear();
    s.endByCommand = false;
    s.end = TDateTime::fromWallClock(QDate(2019, 2, 1), QTime(9, 0));
    EXPECT_FALSE(run(op::Start, s).rowsHandled);
    EXPECT_EQ(messages.codes(), QStringList{"e025"});

    messages.clear();
    list.at(rack.position).syncTime = TDateTime::fromUnixSeconds(-1);
    EXPECT_FALSE(run(op::Start).allSucceeded);
    EXPECT_FALSE(run(op::StopRegistration).allSucceeded);
    EXPECT_EQ(messages.codes(), (QStringList{"e076", "e077"}));
    EXPECT_TRUE(commands(rack).isEmpty());
}

TEST_F(OperationRunnerTest, AReversedDownloadPeriodSendsNothing) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    OperationRunner runner(list, view, bridge);
    OperationInputs in;
    in.operation = op::StartDownload;
    in.downloadBegin = TDateTime(43001.0);
    in.downloadEnd = TDateTime(43000.5);
    EXPECT_FALSE(runner.run(in).rowsHandled);
    EXPECT_EQ(messages.codes(), QStringList{"e063"});
    EXPECT_TRUE(commands(rack).isEmpty());
}

TEST_F(OperationRunnerTest, DeclinedConfirmationSendsNothing) {
    Rack& rack = addRack({test::idleStation(5)});
    view.rows = {{1, {5}, {}}};
    for (int operation : {op::EraseOldest, op::EraseAll, op::EraseInclinometer}) {
        messages.clear();
        EXPECT_FALSE(run(operation).rowsHandled);
        EXPECT_EQ(messages.codes(), QStringList{"e064"});
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Warning);
    }
    EXPECT_TRUE(commands(rack).isEmpty());
}

} // namespace
} // namespace kalver::stationdata
