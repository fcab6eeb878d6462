// The connection window over loopback: clusters made from the settings, the permission request and its
// answers, socket errors, "К работе", the poll tick with a silent cluster, and the "-mnemo" countdown.

#include "SessionTestSupport.h"

#include "config/Journal.h"
#include "core/ByteReader.h"
#include "core/ProgramValues.h"
#include "fakes/FakeCluster.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "session/ClusterInWork.h"
#include "session/PollTick.h"
#include "session/Unit_Connection.h"
#include "support/MessageRecorder.h"
#include "support/ModalBoxAnswerer.h"
#include "support/ScratchFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kalver;
using test::FakeCluster;
using test::MessageRecorder;
using test::journalEntries;
namespace frames = test::frames;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

class ConnectionWindow : public ::testing::Test {
protected:
    ConnectionWindow() : m_oldLevel(program().accessLevel), m_oldMnemo(program().mnemonicMode) {
        journal::startNewFile(program().journalFilePath);
        program().accessLevel = AccessOperator;
        observer.keepAlarms = true;
        TForm_Connection::setCommandLinePauseMs(0);
    }
    ~ConnectionWindow() override {
        window.reset();
        clusters.clear();
        settings.reset();
        program().accessLevel = m_oldLevel;
        program().mnemonicMode = m_oldMnemo;
        TForm_Connection::setCommandLinePauseMs(1000);
    }

    // Settings with one cluster per fake (every fake on 127.0.0.1), then the window.
    void configure(const QList<FakeCluster*>& fakes, const QString& syncPortField = QStringLiteral("13001"),
                   const QStringList& arguments = {}) {
        QList<test::ClusterAddress> addresses;
        for (FakeCluster* fake : fakes)
            addresses.append({QStringLiteral("127.0.0.1"), test::portField(fake->port())});
        settings = std::make_unique<test::TestSettings>(addresses, syncPortField);
        messages.clear();
        window = std::make_unique<TForm_Connection>(clusters, nullptr, arguments);
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = window->sg_Connection->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList state(int cluster) const {
        return {cell(cluster + 2, 2), cell(cluster + 2, 3), cell(cluster + 2, 4)};
    }
    QCheckBox* box(int cluster) const { return session::connectionCheckBox(clusters.at(cluster)); }
    bool logged(const QString& text, bool bold, const QColor& colour) const {
        for (const test::LoggedLine& line : observer.lines)
            if (line.text == text && line.bold == bold && line.colour == colour)
                return true;
        return false;
    }
    bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }
    // The access level sent with the last permission request to `fake`.
    static int requestedLevel(const FakeCluster& fake) {
        const QList<test::ClientFrame> requests = fake.framesWithCode(1);
        if (requests.isEmpty() || requests.last().payload.size() != 4)
            return -100;
        return loadLE<qint32>(requests.last().payload.constData(), 0);
    }

    test::ScratchFolder folder;
    MessageRecorder messages;
    link::ClusterList clusters;
    test::RecordingObserver observer{clusters};
    test::RecordingSessionWindows windows;
    std::unique_ptr<test::TestSettings> settings;
    std::unique_ptr<TForm_Connection> window;

private:
    int m_oldLevel;
    bool m_oldMnemo;
};

TEST_F(ConnectionWindow, GridShowsTheClustersOfTheSettings) {
    FakeCluster a, b;
    configure({&a, &b});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kalver Client v1.3 DEMO - Соединение с Кластерами"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("Кластер"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("В работе"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("IP клиента/порт синхр."));
    EXPECT_FALSE(window->tb_ToWork->isEnabled());

    window->becomeActive();
    ASSERT_EQ(clusters.count(), 2);
    EXPECT_EQ(window->sg_Connection->rowCount(), 4);
    EXPECT_EQ(cell(2, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("2"));
    // The port field's first character is not shown; the connection takes the field's low 16 bits.
    EXPECT_EQ(cell(2, 1), QStringLiteral("127.0.0.1:") + test::portField(a.port()).mid(1));
    EXPECT_EQ(clusters.at(1).clusterConnection()->tcpPort(), b.port());
    EXPECT_EQ(clusters.at(0).syncConnection()->tcpPort(), 13001);
    // One hidden connection check box per cluster, 100 px apart.
    EXPECT_EQ(box(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(box(1)->toolTip(), QStringLiteral("Выбрать для работы Кластер 2"));
    EXPECT_EQ(box(1)->x() - box(0)->x(), 100);
    EXPECT_TRUE(box(0)->isHidden());
    EXPECT_TRUE(logged(QStringLiteral("Запрос разрешения работы у Кластера 2"), false, kBlue));
    EXPECT_EQ(window->pb_ConnectionProgress->maximum(), 4);
    EXPECT_EQ(window->pb_ConnectionProgress->value(), 4);
    EXPECT_TRUE(a.waitForClient());
    EXPECT_TRUE(b.waitForClient());
}

TEST_F(ConnectionWindow, ShowingTheWindowBringsTheClustersOnLine) {
    FakeCluster a;
    a.answer(1, frames::permissionAnswer(AccessOperator));
    configure({&a});
    window->show();
    ASSERT_TRUE(waitFor([&] { return cell(2, 3) == QStringLiteral("Разрешен"); }));
    EXPECT_EQ(a.connectionCount(), 1);
    EXPECT_EQ(a.framesWithCode(1).size(), 1);
    window->close();
}

TEST_F(ConnectionWindow, PermissionGrantedRefusedAndGrantedAfterRefresh) {
    FakeCluster a, b;
    a.answer(1, frames::permissionAnswer(AccessOperator));
    b.answer(1, frames::permissionAnswer(AccessDeveloper));
    configure({&a, &b});
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return !cell(2, 3).isEmpty() && !cell(3, 3).isEmpty(); }));

    EXPECT_EQ(requestedLevel(a), AccessOperator);
    EXPECT_EQ(state(0), (QStringList{"Есть", "Разрешен", "Да"}));
    EXPECT_FALSE(box(0)->isHidden());
    EXPECT_TRUE(box(0)->isChecked());
    EXPECT_TRUE(logged(QStringLiteral("Установлена связь с Кластером 1"), true, kBlue));
    EXPECT_TRUE(logged(QStringLiteral("Получено разрешение работы от Кластера 1"), false, kGreen));

    EXPECT_EQ(state(1), (QStringList{"Есть", "Запрещен", ""}));
    EXPECT_TRUE(box(1)->isHidden());
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_TRUE(logged(QStringLiteral("Получен отказ на работу с Кластером 2"), false, kRed));
    EXPECT_TRUE(window->tb_ToWork->isEnabled());

    // The operator takes cluster 1 out of work: "К работе" has nothing left.
    box(0)->click();
    EXPECT_EQ(cell(2, 4), QStringLiteral("Нет"));
    EXPECT_FALSE(window->tb_ToWork->isEnabled());

    // The cluster now grants the level; refresh asks again without opening anything twice.
    b.answer(1, frames::permissionAnswer(AccessOperator));
    const int requestsBefore = int(b.framesWithCode(1).size());
    window->sp_UpdateServerState->click();
    ASSERT_TRUE(waitFor([&] { return cell(3, 3) == QStringLiteral("Разрешен"); }));
    EXPECT_EQ(b.framesWithCode(1).size(), requestsBefore + 1);
    EXPECT_EQ(state(1), (QStringList{"Есть", "Разрешен", "Да"}));
    EXPECT_FALSE(box(1)->isHidden());
    EXPECT_TRUE(box(1)->isChecked());
    EXPECT_TRUE(window->tb_ToWork->isEnabled());
    EXPECT_EQ(a.connectionCount(), 1);
    EXPECT_EQ(b.connectionCount(), 1);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(ConnectionWindow, BecomingActiveAgainOnlyAsksAgain) {
    FakeCluster a;
    a.answer(1, frames::permissionAnswer(AccessOperator));
    configure({&a});
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return cell(2, 3) == QStringLiteral("Разрешен"); }));
    window->becomeActive();
    ASSERT_TRUE(a.waitForFrames(2));
    EXPECT_EQ(a.framesWithCode(1).size(), 2);
    EXPECT_EQ(clusters.count(), 1);
    EXPECT_EQ(a.connectionCount(), 1);
}

TEST_F(ConnectionWindow, RefusedConnectionIsLoggedNeverShown) {
    FakeCluster a;
    configure({&a});
    a.stop();
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return cell(2, 2) == QStringLiteral("Нет"); }));
    EXPECT_EQ(state(0), (QStringList{"Нет", "", ""}));
    EXPECT_TRUE(logged(QStringLiteral("Не устанавливается связь с Кластером 1"), true, kRed));
    EXPECT_TRUE(box(0)->isHidden());
    EXPECT_FALSE(box(0)->isChecked());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(ConnectionWindow, ClusterThatCannotBeOpenedIsReportedAndTheOthersTried) {
    FakeCluster b;
    b.answer(1, frames::permissionAnswer(AccessOperator));
    settings = std::make_unique<test::TestSettings>(
        QList<test::ClusterAddress>{{QString(), QStringLiteral("151500")}, {QStringLiteral("127.0.0.1"), test::portField(b.port())}},
        QStringLiteral("13001"));
    messages.clear();
    window = std::make_unique<TForm_Connection>(clusters, nullptr, QStringList());
    window->becomeActive();
    EXPECT_EQ(messages.codes(), QStringList{QStringLiteral("e020")});
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Ошибка при создании сетевого подключения"));
    ASSERT_TRUE(waitFor([&] { return cell(3, 3) == QStringLiteral("Разрешен"); }));
    EXPECT_TRUE(logged(QStringLiteral("Запрос разрешения работы у Кластера 1"), false, kBlue));
}

// The e020 box as a real modal box over the shown window: when it closes the window gets the activation
// back without becoming active again (no second attempt, no second box), and so after another program
// had the activation; coming back from another window of the program makes it active again.
TEST_F(ConnectionWindow, TheE020BoxClosingIsNoReturnToTheWindowButAnotherProgramWindowIs) {
    settings = std::make_unique<test::TestSettings>(QList<test::ClusterAddress>{{QString(), QStringLiteral("151500")}},
                                                    QStringLiteral("13001"));
    window = std::make_unique<TForm_Connection>(clusters, nullptr, QStringList());
    test::ModalBoxAnswerer boxes;
    const auto settle = [this] {
        // The window has the activation, and whatever that posted has run.
        // The desktop gives the activation back (directly when the platform keeps its focus window).
        if (QApplication::activeWindow() != window.get()) {
            window->activateWindow();
            QCoreApplication::processEvents();
        }
        if (QApplication::activeWindow() != window.get())
            QApplication::setActiveWindow(window.get());
        const bool active = waitFor([this] { return QApplication::activeWindow() == window.get(); });
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        return active;
    };

    window->show();
    ASSERT_TRUE(waitFor([&] { return !boxes.boxes().isEmpty(); }));
    ASSERT_TRUE(settle());
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("Ошибка при создании сетевого подключения"));
    EXPECT_TRUE(boxes.boxes()[0].modal);

    QApplication::setActiveWindow(nullptr); // another program takes the activation and gives it back
    ASSERT_TRUE(settle());
    EXPECT_EQ(boxes.boxes().size(), 1);

    QWidget other; // another window of the program
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == &other; }));
    ASSERT_TRUE(settle());
    ASSERT_TRUE(waitFor([&] { return boxes.boxes().size() == 2; }));
    ASSERT_TRUE(settle());
    EXPECT_EQ(boxes.boxes().size(), 2) << "one return, one attempt";
}

TEST_F(ConnectionWindow, OtherErrorsAreExchangeErrors) {
    FakeCluster a;
    a.answer(1, frames::permissionAnswer(AccessOperator));
    configure({&a});
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return cell(2, 3) == QStringLiteral("Разрешен"); }));
    // A length field no frame can have: the link drops the connection as an exchange error.
    a.send(frames::clusterFrame(102, {}, 2));
    ASSERT_TRUE(waitFor([&] { return cell(2, 2) == QStringLiteral("Нет"); }));
    bool exchangeError = false;
    for (const test::LoggedLine& line : observer.lines)
        exchangeError = exchangeError || (line.text.startsWith(QStringLiteral("Ошибка обмена с Кластером 1 №")) &&
                                          line.bold && line.colour == kRed);
    EXPECT_TRUE(exchangeError);
    EXPECT_TRUE(logged(QStringLiteral("Отсоединение от Кластера 1"), true, kBlue));
    EXPECT_EQ(state(0), (QStringList{"Нет", "", ""}));
    EXPECT_TRUE(box(0)->isHidden());
    EXPECT_EQ(windows.racksDestroyed, QList<int>{0});
    EXPECT_GE(windows.selectionRefreshes, 1);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(ConnectionWindow, ClustersFollowTheNumberInTheSettings) {
    FakeCluster a, b, c;
    configure({&a, &b, &c});
    window->becomeActive();
    ASSERT_EQ(clusters.count(), 3);
    ASSERT_TRUE(c.waitForClient());

    settings->window().se_Servers->setValue(1);
    window->becomeActive();
    EXPECT_EQ(clusters.count(), 1);
    EXPECT_EQ(window->sg_Connection->rowCount(), 3);
    EXPECT_EQ(observer.destroyed, (QList<int>{2, 1}));
    EXPECT_TRUE(c.waitForClientGone());
    EXPECT_EQ(window->Panel1->findChildren<QCheckBox*>().size(), 1);
}

// Every connection check box on screen, in cluster order, with its caption and hint, clear of the other
// controls and of each other, and checkable by mouse, at a few clusters, at many and at the most the
// settings allow; the grid scrolls to its last cluster.
TEST_F(ConnectionWindow, EveryCheckBoxCanBeSeenAndChecked) {
    for (const int count : {5, 40, 100}) {
        SCOPED_TRACE(count);
        window.reset();
        clusters.clear();
        observer.lines.clear();
        const QString closedPort = test::portField(test::freePort());
        settings = std::make_unique<test::TestSettings>(
            QList<test::ClusterAddress>(count, {QStringLiteral("127.0.0.1"), closedPort}), QStringLiteral("13001"));
        window = std::make_unique<TForm_Connection>(clusters, nullptr, QStringList());
        window->show();
        // Every cluster refuses the connection; after that nothing more arrives.
        ASSERT_TRUE(waitFor([&] {
            int refused = 0;
            for (const test::LoggedLine& line : observer.lines)
                refused += line.text.startsWith(QStringLiteral("Не устанавливается связь с Кластером ")) ? 1 : 0;
            return refused == count;
        }));
        ASSERT_EQ(clusters.count(), count);
        // Shown as a granted permission shows them.
        for (int p = 0; p < count; ++p)
            box(p)->show();

        const QRect windowRect = window->rect();
        const QList<QWidget*> others{static_cast<QWidget*>(window->sp_UpdateServerState),
                                     static_cast<QWidget*>(window->Lbl_Selected),
                                     static_cast<QWidget*>(window->tb_ToWork)};
        const QRect grid(window->sg_Connection->mapTo(window.get(), QPoint()), window->sg_Connection->size());
        QRect previous;
        for (int p = 0; p < count; ++p) {
            SCOPED_TRACE(p + 1);
            QCheckBox* b = box(p);
            ASSERT_TRUE(b->isVisible());
            EXPECT_EQ(b->text(), QString::number(p + 1));
            EXPECT_EQ(b->toolTip(), QStringLiteral("Выбрать для работы Кластер ") + QString::number(p + 1));
            EXPECT_GE(b->width(), b->sizeHint().width()) << "caption cut";
            const QRect r(b->mapTo(window.get(), QPoint()), b->size());
            EXPECT_TRUE(windowRect.contains(r));
            EXPECT_FALSE(r.intersects(grid));
            for (const QWidget* other : others)
                EXPECT_FALSE(r.intersects(QRect(other->mapTo(window.get(), QPoint()), other->size())))
                    << other->objectName().toStdString();
            if (p > 0) {
                EXPECT_FALSE(r.intersects(previous));
                // Reading order: right of the previous box in its row, or in a lower row.
                EXPECT_TRUE(r.top() == previous.top() ? r.left() > previous.right() : r.top() > previous.bottom());
            }
            previous = r;
        }
        // Designed places stay where they fit.
        EXPECT_EQ(box(0)->pos(), QPoint(200, 1));
        EXPECT_EQ(box(3)->pos(), QPoint(500, 1));

        for (const int p : {0, 4, count - 1}) {
            QCheckBox* b = box(p);
            const bool before = b->isChecked();
            QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
            EXPECT_NE(b->isChecked(), before) << p + 1;
            EXPECT_EQ(cell(p + 2, 4), b->isChecked() ? QStringLiteral("Да") : QStringLiteral("Нет"));
        }
        EXPECT_TRUE(window->tb_ToWork->isEnabled());

        QTableWidget* g = window->sg_Connection;
        g->scrollToItem(g->item(count + 1, 0));
        EXPECT_TRUE(g->viewport()->rect().contains(g->visualItemRect(g->item(count + 1, 0)))) << "last cluster";
        EXPECT_EQ(g->item(count + 1, 0)->text(), QString::number(count));
    }
}

// ---- the work session

class WorkSession : public ConnectionWindow {
protected:
    // Two clusters that grant permission and report stations 11, 12 and 21, 22.
    void startSession() {
        for (FakeCluster* fake : {&a, &b})
            fake->answer(1, frames::permissionAnswer(AccessOperator));
        a.answer(2, frames::statusReport({frames::quietStation(11), frames::quietStation(12)}));
        b.answer(2, reportOfB());
        configure({&a, &b});
        window->becomeActive();
        ASSERT_TRUE(waitFor([&] { return session::clusterInWork(clusters.at(0)) && session::clusterInWork(clusters.at(1)); }));
        window->tb_ToWork->click();
        EXPECT_EQ(windows.sessionsEntered, 1);
        EXPECT_EQ(windows.sessionWindowsShown, 1);
        EXPECT_TRUE(window->Timer_NotCriticalMsgs->isActive());
        EXPECT_TRUE(window->Timer_SynchroQuant->isActive());
        EXPECT_EQ(window->Timer_NotCriticalMsgs->interval(), 5000);
        // The poll went out at once and stays for every tick.
        ASSERT_TRUE(waitFor([&] { return clusters.at(0).stationCount() == 2 && clusters.at(1).stationCount() == 2; }));
        EXPECT_EQ(clusters.at(0).pending.size(), 1);
        // The test drives the ticks itself.
        window->stopSessionTimers();
    }
    static QByteArray reportOfB() { return frames::statusReport({frames::quietStation(21), frames::quietStation(22)}); }
    // Runs a tick, then waits until every cluster in `answering` has reported (the tick cleared the
    // report flags, so a set flag is a new report).
    void tickAndWaitForReports(const QList<int>& answering) {
        QList<int> polls;
        for (FakeCluster* fake : {&a, &b})
            polls.append(int(fake->framesWithCode(2).size()));
        window->pollTick();
        for (int p : answering) {
            FakeCluster& fake = p == 0 ? a : b;
            ASSERT_TRUE(waitFor([&] { return fake.framesWithCode(2).size() > polls.at(p); }));
            ASSERT_TRUE(waitFor([&] { return clusters.at(p).reportFlag; }));
        }
    }
    QList<test::RaisedAlarm> alarmsOf(int cluster) const {
        QList<test::RaisedAlarm> out;
        for (const test::RaisedAlarm& r : observer.alarms)
            if (r.cluster == cluster && r.code == link::alarm::LostServer)
                out.append(r);
        return out;
    }

    FakeCluster a, b;
};

TEST_F(WorkSession, SilentClusterLosesItsStationsUntilReportsResume) {
    startSession();
    EXPECT_EQ(a.framesWithCode(2).size(), 1);

    // Both reported before the first tick; from now on only cluster 1 answers the poll.
    b.stopAnswering(2);
    clusters.at(1).station(0).addAlarm(link::alarm::CriticalErrors);
    clusters.at(1).station(0).tile.colour = QColor(255, 0, 0);
    tickAndWaitForReports({0});
    EXPECT_TRUE(observer.alarms.isEmpty());
    ASSERT_TRUE(waitFor([&] { return b.framesWithCode(2).size() == 2; }));

    tickAndWaitForReports({0});
    EXPECT_TRUE(alarmsOf(0).isEmpty());
    ASSERT_EQ(alarmsOf(1).size(), 2);
    EXPECT_EQ(alarmsOf(1).at(0), (test::RaisedAlarm{1, 0, link::alarm::LostServer, false}));
    EXPECT_EQ(alarmsOf(1).at(1), (test::RaisedAlarm{1, 1, link::alarm::LostServer, false}));
    EXPECT_TRUE(clusters.at(1).station(1).hasAlarm(link::alarm::LostServer));
    EXPECT_FALSE(clusters.at(0).station(0).hasAlarm(link::alarm::LostServer));

    // Cluster 2 reports again: at the next tick alarm 9 leaves all its stations.
    b.answer(2, reportOfB());
    tickAndWaitForReports({0, 1});
    EXPECT_TRUE(windows.racksRepainted.isEmpty());
    tickAndWaitForReports({0, 1});
    for (int s = 0; s < 2; ++s)
        EXPECT_FALSE(clusters.at(1).station(s).hasAlarm(link::alarm::LostServer)) << s;
    EXPECT_EQ(clusters.at(1).station(1).tile.colour, QColor(Qt::white));
    // The station with critical errors keeps their colour.
    EXPECT_TRUE(clusters.at(1).station(0).hasAlarm(link::alarm::CriticalErrors));
    EXPECT_EQ(clusters.at(1).station(0).tile.colour, QColor(255, 0, 0));
    EXPECT_EQ(windows.racksRepainted, QList<int>{1});
    EXPECT_TRUE(alarmsOf(0).isEmpty());
}

TEST_F(WorkSession, FirstTickWithoutClustersInWorkStopsThePoll) {
    startSession();
    box(0)->setChecked(false);
    box(1)->setChecked(false);
    window->Timer_NotCriticalMsgs->setInterval(10);
    window->Timer_NotCriticalMsgs->start();
    ASSERT_TRUE(waitFor([&] { return !window->Timer_NotCriticalMsgs->isActive(); }));
    const QString stopped = QStringLiteral("Опрос Кластера остановлен - все Кластеры отключились.");
    EXPECT_EQ(observer.logTexts().count(stopped), 1);
    EXPECT_TRUE(logged(stopped, false, QColor(0, 0, 0)));
}

TEST_F(WorkSession, OnlyClustersInWorkArePolled) {
    for (FakeCluster* fake : {&a, &b})
        fake->answer(1, frames::permissionAnswer(AccessOperator));
    configure({&a, &b});
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return session::clusterInWork(clusters.at(0)) && session::clusterInWork(clusters.at(1)); }));
    box(1)->click();
    window->tb_ToWork->click();
    ASSERT_TRUE(a.waitForFrame(2));
    window->stopSessionTimers();
    EXPECT_EQ(clusters.at(0).pending.size(), 1);
    EXPECT_TRUE(clusters.at(1).pending.isEmpty());
}

// ---- "-mnemo"

TEST_F(ConnectionWindow, MnemoCommandLineKeepsTheNumbersReadBeforeABadOne) {
    FakeCluster a, b;
    for (FakeCluster* fake : {&a, &b})
        fake->answer(1, frames::permissionAnswer(AccessMnemo));
    program().accessLevel = AccessNone;
    configure({&a, &b}, QStringLiteral("13001"), QStringList{"/opt/kalver/KalverClient", "-mnemo", "-2", "-x"});
    EXPECT_EQ(program().accessLevel, AccessMnemo);
    EXPECT_EQ(messages.codes(), QStringList{QStringLiteral("e049")});
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Ошибка в командной строке"));
    EXPECT_EQ(journalEntries().value(journalEntries().size() - 1), QStringLiteral("e049"));
    EXPECT_EQ(window->mnemoCommandLine().positions, QList<int>{1});

    window->startMnemonicSessionIfRequested();
    EXPECT_TRUE(window->TimerMnemoProceed->isActive());
    window->TimerMnemoProceed->stop();
    window->becomeActive();
    ASSERT_TRUE(waitFor([&] { return session::clusterInWork(clusters.at(0)) && session::clusterInWork(clusters.at(1)); }));

    window->mnemoCountdownTick();
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Kalver Client v1.3 DEMO - Соединение с Кластерами, 14 с. до перехода к мнемосхеме"));
    // Only the listed cluster stays in work.
    EXPECT_FALSE(box(0)->isChecked());
    EXPECT_TRUE(box(1)->isChecked());
    for (int tick = 2; tick <= 15; ++tick)
        window->mnemoCountdownTick();
    EXPECT_EQ(windows.sessionsEntered, 1);
    EXPECT_TRUE(window->Timer_NotCriticalMsgs->isActive());
    EXPECT_FALSE(window->TimerMnemoProceed->isActive());
    ASSERT_TRUE(b.waitForFrame(2));
    EXPECT_TRUE(a.framesWithCode(2).isEmpty());
    window->stopSessionTimers();
}

TEST_F(ConnectionWindow, MnemoCountdownStartsAgainWhenNoSelectedClusterIsInWork) {
    FakeCluster a;
    program().accessLevel = AccessNone;
    configure({&a}, QStringLiteral("13001"), QStringList{"KalverClient", "-mnemo", "-3"});
    EXPECT_TRUE(messages.shown().isEmpty());
    for (int tick = 1; tick <= 15; ++tick)
        window->mnemoCountdownTick();
    EXPECT_EQ(windows.sessionsEntered, 0);
    EXPECT_EQ(window->mnemoCountdown(), 15);
    EXPECT_TRUE(window->TimerMnemoProceed->isActive());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Kalver Client v1.3 DEMO - Соединение с Кластерами, 15 с. до перехода к мнемосхеме"));
    window->TimerMnemoProceed->stop();
}

} // namespace
