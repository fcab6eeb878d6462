// Draws every picture of the operator's guide (docs/guide/) through the program's own windows, created
// in their order as the program creates them, against the real demonstration cluster. Not a test.
// scripts/guide-screenshots.sh builds it and runs it under a virtual display:
//
//   xvfb-run -a -s "-screen 0 1920x1200x24" guide_screenshots <output folder>
//
// The program folder is a scratch folder with five clusters in the settings: the demonstration cluster
// serves racks 1 to 4 (twenty stations each, seed 1, calm, 3 times faster), each on an address of its
// own (127.0.0.1 to 127.0.0.4) with a sync server of its own; cluster 5 (127.0.0.5) has nothing
// listening. The tool starts the demonstration cluster itself with its control socket, so the log-in
// window finds it running and starts none, and switches its faults over that socket: rack 3 refuses
// permission in the connection window; later rack 4 falls silent, rack 3's sync server reports an
// error and rack 1's sync server loses its time. Every box the program shows is grabbed as the real box
// and answered as the scene says.

#include "ModalWatcher.h"
#include "TileLegend.h"

#include "app/Program.h"
#include "app/QtTranslation.h"
#include "config/SettingsFile.h"
#include "config/Unit_Admin.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "dialogs/Unit_Timeout.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "link/TErrorType.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"
#include "stationdata/CommandBodies.h"
#include "stationdata/FileCatalogPage.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/SubsystemPage.h"
#include "stationdata/Unit_StationData.h"
#include "work/DetailPanel.h"
#include "work/EntryPoints.h"
#include "work/MessageLog.h"
#include "work/RackView.h"
#include "work/SelectionController.h"
#include "work/Unit_SelFilter.h"
#include "work/Unit_Work.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace kalver;

namespace {

constexpr int kClusters = 5;       // cluster 5 has nothing listening
constexpr int kDemoRacks = 4;
constexpr int kStations = 20;
constexpr int kStatusPoll = 2;

QString g_out;
bool g_ok = true;

bool save(QWidget& widget, const QString& file) {
    QApplication::processEvents();
    const bool ok = widget.grab().save(g_out + file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    g_ok = g_ok && ok;
    return ok;
}

bool waitFor(const char* what, const std::function<bool()>& done, int timeoutMs = 30000) {
    if (QTest::qWaitFor(done, timeoutMs))
        return true;
    std::fprintf(stderr, "gave up waiting: %s\n", what);
    g_ok = false;
    return false;
}

quint16 freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

void copyTree(const QString& from, const QString& to) {
    const QDir source(from);
    QDirIterator files(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = to + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

// The demonstration cluster's control socket: one command a line, answered by lines up to "ok".
class DemoControl {
public:
    bool connectTo(quint16 port) {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        return m_socket.waitForConnected(5000);
    }
    bool command(const QString& line) {
        m_socket.write(line.toUtf8() + '\n');
        m_socket.flush();
        QByteArray answer;
        while (m_socket.waitForReadyRead(5000)) {
            answer += m_socket.readAll();
            if (answer.endsWith("ok\n"))
                return true;
            if (answer.contains("error")) {
                std::fprintf(stderr, "demonstration cluster: %s -> %s\n", qPrintable(line), answer.constData());
                return false;
            }
        }
        std::fprintf(stderr, "demonstration cluster did not answer %s\n", qPrintable(line));
        return false;
    }

private:
    QTcpSocket m_socket;
};

QAction* searchMenu(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = searchMenu(a->menu(), text))
                return inner;
    }
    return nullptr;
}

QAction* findAction(QMenu* menu, const QString& text) {
    QAction* a = searchMenu(menu, text);
    if (!a) {
        std::fprintf(stderr, "no menu item %s\n", qPrintable(text));
        g_ok = false;
    }
    return a;
}

void trigger(QMenu* menu, const QString& text) {
    if (QAction* a = findAction(menu, text))
        a->trigger();
}

// Pops a menu up at `where`, takes its picture and closes it.
void saveMenu(QMenu* menu, QPoint where, const QString& file) {
    menu->popup(where);
    QTest::qWait(400);
    save(*menu, file);
    menu->hide();
}

bool allInWork(link::ClusterList& clusters, int count) {
    if (clusters.count() < count)
        return false;
    for (int k = 0; k < count; ++k)
        if (!session::clusterInWork(clusters.at(k)))
            return false;
    return true;
}

QString cell(QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QList<std::int32_t> sortedNumbers(const link::TKlvRack& rack) {
    QList<std::int32_t> numbers;
    for (const link::TKlvStation& s : rack.stations)
        numbers.append(s.number());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The station position of `number` in the rack's list.
int positionOf(const link::TKlvRack& rack, std::int32_t number) {
    for (int s = 0; s < rack.stationCount(); ++s)
        if (rack.station(s).number() == number)
            return s;
    return -1;
}

// Stations that the start admits: idle, enough charge, no critical errors.
QList<std::int32_t> idleStations(const link::TKlvRack& rack, int wanted) {
    QList<std::int32_t> numbers;
    for (std::int32_t n : sortedNumbers(rack)) {
        const link::TKlvStation& s = rack.station(positionOf(rack, n));
        if (s.status.chargeLevel() > 20 && s.status.registrationState() == 0 && !s.status.downloading() &&
            !s.isGeneratorTuning() && s.status.recorderErrors() == 0 && s.status.interfaceErrors() == 0 &&
            numbers.size() < wanted)
            numbers.append(n);
    }
    return numbers;
}

void selectOnly(int cluster, const QList<std::int32_t>& numbers) {
    trigger(Form_Work->selection->selectMenu(), QStringLiteral("сбросить выделение"));
    const link::TKlvRack& rack = link::clusters().at(cluster);
    for (std::int32_t n : numbers)
        Form_Work->clickTile(cluster, positionOf(rack, n));
}

// The rack panels of the container page, cropped to where they stand.
void saveRacks(TForm_Work& work, const QString& file) {
    QRect racks;
    for (int k = 0; k < link::clusters().count(); ++k)
        if (work::RackView* view = work.rackView(k))
            racks |= QRect(view->mapTo(work.scrlB, QPoint(0, 0)), view->size());
    QApplication::processEvents();
    const bool ok = work.scrlB->grab(racks.adjusted(0, 0, 2, 2)).save(g_out + file);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(file));
    g_ok = g_ok && ok;
}

QMenu* commandsMenu() { return Form_Work->entryPoints->selectedMenu(); }

// Sends the status poll to every cluster in work once a second while the station data window is
// closed, so that the charge curves and the tiles follow the demonstration cluster closely.
class ExtraPolls : public QObject {
public:
    ExtraPolls() {
        m_timer.setInterval(1000);
        connect(&m_timer, &QTimer::timeout, this, [] {
            if (!Form_Work || !Form_Work->sessionActive() || stationdata::Form_StationData->isVisible())
                return;
            link::ClusterList& list = link::clusters();
            for (int c = 0; c < list.count(); ++c)
                if (session::clusterInWork(list.at(c)))
                    link::SendServerMessage(list, c, true, kStatusPoll, true);
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: guide_screenshots <output folder>\n");
        return 2;
    }
    g_out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    QDir().mkpath(g_out);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // As the program's entry does it.
    app::installQtTranslation(app);
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    QApplication::setApplicationName(program().applicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);

    std::printf("tile legend\n");
    g_ok = guide::writeTileLegend(g_out) && g_ok;

    // The program folder: the shipped users.dat and subsystem files, five clusters in the settings.
    // At a fixed place, so that the settings window shows the same folders at every run.
    const QString folder = QDir::tempPath() + QStringLiteral("/kalver-client");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    setProgramFolder(folder);
    QDir::setCurrent(folder);
    const QString programFolder = program().programFolder;
    copyTree(QStringLiteral(KALVER_RESOURCES_SOURCE) + QStringLiteral("Subsystems"), programFolder + QStringLiteral("Subsystems/"));
    QFile::copy(QStringLiteral(KALVER_RESOURCES_SOURCE) + QStringLiteral("users.dat"), programFolder + QStringLiteral("users.dat"));
    QDir().mkpath(programFolder + QStringLiteral("DemoServer"));
    const QString demoExe = programFolder + QStringLiteral("DemoServer/Kalver DemoServer");
    QFile::copy(QStringLiteral(KALVER_DEMO_SERVER_PATH), demoExe);
    settings::SettingsValues values = settings::defaults(kClusters, programFolder);
    values.stationsPerCluster = kStations;
    values.stationsInRackHoriz = 5;
    values.stationsInRackVert = 4;
    // Each rack on an address of its own, as real racks are, so that each has a sync server of its own.
    for (int k = 0; k < kClusters; ++k) {
        values.grid[k + 2][1] = QStringLiteral("127.0.0.%1").arg(k + 1);
        values.grid[k + 2][2] = QStringLiteral("151500");
        values.grid[k + 2][3] = QStringLiteral("00-00-00-00-00-0%1").arg(k + 1);
    }
    settings::writeFile(programFolder + QStringLiteral("settings.ini"), values);

    // The demonstration cluster, started by the tool so that its faults can be switched.
    const quint16 controlPort = freePort();
    QProcess demo;
    demo.setWorkingDirectory(programFolder + QStringLiteral("DemoServer"));
    demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    demo.start(demoExe, {QStringLiteral("--racks"), QString::number(kDemoRacks), QStringLiteral("--seed"), QStringLiteral("1"),
                         QStringLiteral("--calm"), QStringLiteral("--speed"), QStringLiteral("3"),
                         QStringLiteral("--control-port"), QString::number(controlPort)});
    QByteArray demoOutput;
    if (!waitFor("the demonstration cluster", [&] {
            demoOutput += demo.readAllStandardOutput();
            return demoOutput.contains("ready");
        }, 20000)) {
        std::fprintf(stderr, "%s\n", demoOutput.constData());
        return 1;
    }
    DemoControl control;
    if (!control.connectTo(controlPort))
        return 1;

    guide::ModalWatcher watcher([](QWidget& w, const QString& file) { return save(w, file); });
    ExtraPolls extraPolls;
    auto windows = std::make_unique<app::Program>(QStringList());
    if (windows->startupFailed())
        return 1;
    link::ClusterList& clusters = link::clusters();
    TForm_Login& login = *Form_Login;
    watcher.ignore(Form_Connection);
    QTest::qWait(500);

    // --- first start and log-in
    std::printf("log-in\n");
    save(login, QStringLiteral("login-start.png"));
    auto logIn = [&](const QString& name, const QString& password) {
        login.lbl_UserName->setText(name);
        login.lbl_Password->setText(password);
        login.sb_Autorize->click();
        QTest::qWait(300);
    };
    watcher.expectBox(QStringLiteral("login-error.png"), QMessageBox::Ok);
    logIn(QStringLiteral("operator"), QStringLiteral("operater"));
    logIn(QStringLiteral("operator"), QStringLiteral("operator"));
    save(login, QStringLiteral("login-operator.png"));
    logIn(QStringLiteral("admin"), QStringLiteral("admin"));
    save(login, QStringLiteral("login-admin.png"));
    logIn(QStringLiteral("Demo"), QStringLiteral("demo"));
    save(login, QStringLiteral("login-developer.png"));

    // --- settings and accounts, each shown modally over the log-in window
    std::printf("settings\n");
    watcher.expect(QStringLiteral("settings"), [](QWidget* w) {
        Form_Settings->pc_Settings->setCurrentWidget(Form_Settings->ts_Common);
        save(*w, QStringLiteral("settings-general.png"));
        Form_Settings->pc_Settings->setCurrentWidget(Form_Settings->ts_Network);
        QTest::qWait(200);
        save(*w, QStringLiteral("settings-network.png"));
        Form_Settings->pc_Settings->setCurrentWidget(Form_Settings->ts_Common);
        w->close();
    });
    login.sb_ShowSettings->click();
    std::printf("accounts\n");
    watcher.expect(QStringLiteral("accounts"), [](QWidget* w) {
        Form_Admin->sg_Users->setCurrentCell(2, 0);
        QTest::qWait(200);
        save(*w, QStringLiteral("admin.png"));
        w->close();
    });
    login.sb_ShowAdmin->click();

    // --- the connection window: racks 1, 2 and 4 permit, rack 3 refuses, cluster 5 does not answer
    std::printf("connection window\n");
    control.command(QStringLiteral("rack 3 fault refuse-permission"));
    login.sb_ShowWork->click();
    QTableWidget* grid = Form_Connection->sg_Connection;
    waitFor("the connection states", [&] {
        return clusters.count() == kClusters && session::clusterInWork(clusters.at(0)) &&
               session::clusterInWork(clusters.at(1)) && session::clusterInWork(clusters.at(3)) &&
               cell(grid, 4, 3) == QStringLiteral("Запрещен") && cell(grid, 6, 2) == QStringLiteral("Нет");
    });
    QTest::qWait(300);
    save(*Form_Connection, QStringLiteral("connection.png"));
    control.command(QStringLiteral("rack 3 clear"));
    Form_Connection->sp_UpdateServerState->click();
    waitFor("rack 3's permission", [&] { return allInWork(clusters, kDemoRacks); });
    QTest::qWait(300);
    save(*Form_Connection, QStringLiteral("connection-ready.png"));

    // --- the work session
    std::printf("work session\n");
    Form_Connection->tb_ToWork->click();
    TForm_Work& work = *Form_Work;
    // Without a window manager nothing maximizes the window: give it the screen.
    work.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    // A log tall enough to read a few lines.
    QTest::qWait(300);
    const int height = work.Splitter1->height();
    work.Splitter1->setSizes({height - 150, 150});
    waitFor("the racks' stations", [&] {
        for (int k = 0; k < kDemoRacks; ++k)
            if (clusters.at(k).stationCount() < kStations)
                return false;
        return true;
    });
    QTest::qWait(1500);

    // Rack 2 starts registration through the station data window; two of its stations ignore it.
    std::printf("start registration\n");
    const QList<std::int32_t> rack2 = sortedNumbers(clusters.at(1));
    const QList<std::int32_t> admitted2 = idleStations(clusters.at(1), kStations);
    if (admitted2.size() < 6) {
        std::fprintf(stderr, "rack 2 has too few idle stations\n");
        return 1;
    }
    control.command(QStringLiteral("rack 2 fault stubborn=%1,%2").arg(admitted2.at(1)).arg(admitted2.at(5)));
    work.rackView(1)->selectAllBox->click();
    QTest::qWait(300);
    saveMenu(commandsMenu(), QPoint(200, 60), QStringLiteral("menu-commands.png"));
    trigger(commandsMenu(), QStringLiteral("Запуск регистрации"));
    stationdata::TForm_StationData& data = *stationdata::Form_StationData;
    waitFor("the station data window", [&] { return data.isVisible(); });
    QTest::qWait(500);
    save(data, QStringLiteral("operations.png"));
    watcher.expect(QStringLiteral("prompt-e030.png"), [&](QWidget* box) {
        save(*box, QStringLiteral("prompt-e030.png"));
        save(data, QStringLiteral("operations-state.png"));
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    });
    watcher.expectBox(QStringLiteral("summary.png"), QMessageBox::Ok);
    data.ts_StartStop->b_StartStop->click();
    waitFor("the start's prompts", [&] { return watcher.idle() && !data.operationRunning(); });
    data.close();
    control.command(QStringLiteral("rack 2 clear"));
    work.rackView(1)->selectAllBox->click(); // off again: rack 2 deselected
    trigger(work.selection->selectMenu(), QStringLiteral("сбросить выделение"));
    // An ADC test on two idle stations of rack 1 (a test starts a registration of its own).
    stationdata::StartSettings test;
    for (int ch = 0; ch < 4; ++ch)
        test.channels[static_cast<std::size_t>(ch)] = stationdata::ChannelEntry{1, 2, 0, 1, 0};
    link::SendServerMessage(clusters, 0, true, 17, true, stationdata::startBody(test, idleStations(clusters.at(0), 2)));
    // Rack 3 downloads, rack 4 tunes generators: the commands the station data window sends (the
    // tuning only now: no start or stop is allowed while a station tunes its generator).
    const QList<std::int32_t> downloads = idleStations(clusters.at(2), 12);
    link::SendServerMessage(clusters, 2, true, 11, true, stationdata::downloadBody(downloads));
    const QList<std::int32_t> tuning = idleStations(clusters.at(3), 6);
    link::SendServerMessage(clusters, 3, true, 21, true, stationdata::stationListBody(tuning));
    QTest::qWait(4000);

    // --- the container page: three stations of rack 1 selected, one hovered
    std::printf("container\n");
    const QList<std::int32_t> rack1 = sortedNumbers(clusters.at(0));
    for (int k : {1, 2, 3})
        work.clickTile(0, positionOf(clusters.at(0), rack1.at(k)));
    work::RackView* rack = work.rackView(1);
    const QPoint hovered = rack->tileRect(positionOf(clusters.at(1), admitted2.at(2))).center();
    QTest::mouseMove(rack, hovered);
    QTest::qWait(1600);
    QTest::mouseMove(rack, hovered);
    QTest::qWait(200);
    save(work, QStringLiteral("container.png"));
    save(*work.MnemoPanel, QStringLiteral("work-top.png"));
    save(*work.GridPanel1, QStringLiteral("detail.png"));
    save(*work.rackView(0)->rackHeader, QStringLiteral("rack-header.png"));
    // The mouse leaves the tiles.
    QTest::mouseMove(work.MnemoPanel, QPoint(5, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(rack, &leave);
    // The tuning ends, so that the starts further on are allowed.
    link::SendServerMessage(clusters, 3, true, 22, true, stationdata::stationListBody(tuning));

    // --- selection: the menu, the range dialog, a state filter
    std::printf("selection\n");
    QMenu* select = work.selection->selectMenu();
    saveMenu(select, QPoint(60, 60), QStringLiteral("menu-select.png"));
    if (QAction* byState = findAction(select, QStringLiteral("по состоянию")))
        saveMenu(byState->menu(), QPoint(60, 60), QStringLiteral("menu-select-state.png"));
    watcher.expect(QStringLiteral("range dialog"), [&](QWidget* w) {
        work::Form_SelFilter->se_Beg->setValue(rack1.at(0));
        work::Form_SelFilter->se_End->setValue(rack1.at(9));
        QTest::qWait(200);
        save(*w, QStringLiteral("selfilter.png"));
        work::Form_SelFilter->b_OK->click();
    });
    trigger(select, QStringLiteral("сбросить выделение"));
    trigger(select, QStringLiteral("по номеру"));
    waitFor("the range dialog", [&] { return watcher.idle(); });
    trigger(select, QStringLiteral("сбросить выделение"));
    trigger(select, QStringLiteral("РЕГИСТРАЦИЯ идет"));
    QTest::qWait(1000);
    saveRacks(work, QStringLiteral("selection-filter.png"));
    trigger(select, QStringLiteral("сбросить выделение"));

    // --- the table page
    std::printf("table\n");
    work.pc_ShowMode->setCurrentWidget(work.ts_Table);
    QTest::qWait(6000);
    {
        // The page's top: its tool bar, the filters and the first rows.
        QApplication::processEvents();
        const QRect top(0, 0, work.pc_ShowMode->width(), std::min(work.pc_ShowMode->height(), 640));
        const bool ok = work.pc_ShowMode->grab(top).save(g_out + QStringLiteral("table.png"));
        std::printf("%s table.png\n", ok ? "wrote" : "could not write");
        g_ok = g_ok && ok;
    }
    work.pc_ShowMode->setCurrentWidget(work.ts_Racks);
    QTest::qWait(500);

    // --- one station's information: its file catalogue and error list
    std::printf("station information\n");
    const QList<std::int32_t> idle1 = idleStations(clusters.at(0), 20);
    std::int32_t withFiles = idle1.isEmpty() ? rack1.at(0) : idle1.at(0);
    for (std::int32_t n : idle1)
        if (clusters.at(0).station(positionOf(clusters.at(0), n)).status.fileCount() > 2) {
            withFiles = n;
            break;
        }
    selectOnly(0, {withFiles});
    trigger(commandsMenu(), QStringLiteral("Просмотр информации"));
    waitFor("the file catalogue", [&] { return data.isVisible() && data.fileCatalog->rg_SelectedFile->isEnabled(); });
    int chosen = -1;
    for (int j = 0; j < link::kFileViewEntries; ++j)
        if (clusters.at(0).fileViews[static_cast<std::size_t>(j)] && clusters.at(0).fileViews[static_cast<std::size_t>(j)]->valid != 0)
            chosen = j;
    if (chosen >= 0)
        data.fileCatalog->fileButtons->button(chosen)->click();
    QTest::qWait(500);
    save(data, QStringLiteral("catalogue.png"));
    data.close();

    // --- one station's subsystems (developer)
    std::printf("subsystems\n");
    selectOnly(0, {withFiles});
    trigger(commandsMenu(), QStringLiteral("Настройка подсистем"));
    waitFor("the subsystems page", [&] { return data.isVisible() && data.subsystems->cb_SubsystemType->count() > 0; });
    stationdata::SubsystemPage& subsystems = *data.subsystems;
    const int power = subsystems.cb_SubsystemType->findText(QStringLiteral("питания"), Qt::MatchContains);
    subsystems.cb_SubsystemType->setCurrentIndex(std::max(0, power));
    subsystems.readValues();
    // A new value entered for the writable row, as before a write.
    for (int row = 0; row < subsystems.sg_StationParams->rowCount(); ++row)
        if (subsystems.sg_StationParams->item(row, 1) && subsystems.sg_StationParams->item(row, 1)->text().contains(u'w'))
            subsystems.sg_StationParams->item(row, 6)->setText(QStringLiteral("6,1"));
    const QSize designSize = data.size();
    data.resize(1000, 560);
    QTest::qWait(500);
    save(data, QStringLiteral("subsystems.png"));
    data.resize(designSize);
    data.close();

    // --- a start that rack 1 does not confirm: the wait dialog, aborted, and the repeat prompt e029
    std::printf("unconfirmed start\n");
    control.command(QStringLiteral("rack 1 fault slow-ack=35"));
    selectOnly(0, idleStations(clusters.at(0), 3));
    trigger(commandsMenu(), QStringLiteral("Запуск регистрации"));
    waitFor("the station data window", [&] { return data.isVisible(); });
    QTest::qWait(300);
    bool waitSaved = false;
    const QMetaObject::Connection waitShown = QObject::connect(Form_Timeout, &TForm_Timeout::shownForWait, [&] {
        QTimer::singleShot(600, [&] {
            save(*Form_Timeout, QStringLiteral("wait.png"));
            waitSaved = true;
            Form_Timeout->b_TimeoutStop->click();
        });
    });
    watcher.expectBox(QStringLiteral("prompt-e029.png"), QMessageBox::No);
    watcher.expectAnswer(QStringLiteral("summary"), QMessageBox::Ok);
    data.ts_StartStop->b_StartStop->click();
    waitFor("the unconfirmed start's prompts", [&] { return watcher.idle() && !data.operationRunning(); });
    QObject::disconnect(waitShown);
    if (!waitSaved)
        std::fprintf(stderr, "the wait dialog was not shown\n");
    data.close();
    control.command(QStringLiteral("rack 1 clear"));

    // --- trouble: rack 4 silent, rack 3's sync server in error, rack 1's sync server without a time
    std::printf("trouble\n");
    trigger(work.selection->selectMenu(), QStringLiteral("сбросить выделение"));
    control.command(QStringLiteral("rack 4 fault silent"));
    control.command(QStringLiteral("rack 3 fault sync-error"));
    waitFor("alarm 9 on rack 4", [&] {
        const link::TKlvRack& r = clusters.at(3);
        return r.stationCount() > 0 && r.station(0).hasAlarm(link::alarm::LostServer);
    });
    waitFor("rack 3's sync label", [&] {
        return work.rackView(2)->syncLabel->text() == QStringLiteral(" [ошибка связи]");
    });
    // A taller log: the lines of the trouble come with the racks' notices. The sync server's error is
    // logged with every answer: the picture waits for the next one.
    work.Splitter1->setSizes({work.Splitter1->height() - 330, 330});
    waitFor("the sync server's error in the log", [&] {
        const QString log = work.GridPanel2->m_Msgs->toPlainText().trimmed();
        return log.section(u'\n', -1).contains(QStringLiteral("Синхросервером Кластера №3"));
    }, 20000);
    QTest::qWait(300);
    save(work, QStringLiteral("container-trouble.png"));
    save(*work.GridPanel2, QStringLiteral("log-trouble.png"));
    control.command(QStringLiteral("rack 1 fault sync-unknown"));
    waitFor("rack 1's sync label", [&] {
        return work.rackView(0)->syncLabel->text() == QStringLiteral(" [время не опр./настр. ген.]");
    });
    save(*work.rackView(0)->rackHeader, QStringLiteral("rack-header-unknown.png"));
    selectOnly(0, idleStations(clusters.at(0), 2));
    trigger(commandsMenu(), QStringLiteral("Запуск регистрации"));
    waitFor("the station data window", [&] { return data.isVisible(); });
    QTest::qWait(300);
    watcher.expectBox(QStringLiteral("prompt-e076.png"), QMessageBox::Ok);
    watcher.expectAnswer(QStringLiteral("summary"), QMessageBox::Ok);
    data.ts_StartStop->b_StartStop->click();
    waitFor("the sync time refusal", [&] { return watcher.idle() && !data.operationRunning(); });
    data.close();
    control.command(QStringLiteral("clear"));
    waitFor("rack 4's reports", [&] {
        const link::TKlvRack& r = clusters.at(3);
        return r.stationCount() > 0 && !r.station(0).hasAlarm(link::alarm::LostServer);
    });

    // --- the charge curves of rack 1 (developer), after another minute of charging
    QTest::qWait(60000);
    std::printf("charge curves\n");
    trigger(work.selection->selectMenu(), QStringLiteral("сбросить выделение"));
    work.rackView(0)->selectAllBox->click();
    trigger(commandsMenu(), QStringLiteral("Просмотр кривых заряда"));
    waitFor("the charge curves", [&] { return data.isVisible(); });
    QTest::qWait(800);
    save(data, QStringLiteral("charge.png"));
    data.close();
    work.rackView(0)->selectAllBox->click();

    // --- the end of the session, and a mnemonic session at level 0
    std::printf("mnemonic diagram\n");
    work.close();
    waitFor("the log-in window", [&] { return login.isVisible(); });
    logIn(QStringLiteral("mnemo"), QStringLiteral("mnemo"));
    save(login, QStringLiteral("login-mnemo.png"));
    watcher.ignore(Form_Mnemo);
    QTimer::singleShot(0, [&] {
        waitFor("the clusters for the mnemonic diagram", [&] { return allInWork(clusters, kDemoRacks); });
        Form_Connection->tb_ToWork->click();
        waitFor("the mnemonic diagram", [&] { return Form_Mnemo->isVisible() && clusters.at(3).stationCount() >= kStations; });
        // Past the first sync tick, so that the rack headers show their sync servers' time.
        QTest::qWait(6500);
        save(*Form_Mnemo, QStringLiteral("mnemo.png"));
        Form_Mnemo->close();
    });
    login.sb_ShowMnemo->click();

    // --- the program's end
    waitFor("the log-in window", [&] { return login.isVisible(); });
    login.close();
    windows.reset();
    demo.terminate();
    demo.waitForFinished(5000);
    QDir::setCurrent(QDir::tempPath());
    QDir(folder).removeRecursively();
    // A box the scenes do not expect means the program behaves otherwise than the guide says.
    if (watcher.unexpectedCount() > 0) {
        std::fprintf(stderr, "%d unexpected windows\n", watcher.unexpectedCount());
        g_ok = false;
    }
    std::printf(g_ok ? "done\n" : "done, with failures\n");
    return g_ok ? 0 : 1;
}
