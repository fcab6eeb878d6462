// Takes the screenshots of the largest container the settings allow, 100 clusters of 100 stations,
// through the real session against the demonstration cluster (started here with a control port, ten
// times faster): log-in, the connection window with every check box, "К работе", and what the racks
// report. Run it under a virtual display:
//   xvfb-run -a -s "-screen 0 1920x1200x24" work_tiles_full_scale_screenshots <output folder> work|mnemo
// "work" writes full-connection.png (the connection window with all 100 check boxes),
// full-container.png (the container page: racks, the detail panel on a station with a coloured tuning
// state, the message log with its alarm lines) and full-table.png (the station table scrolled to its
// last columns). "mnemo" enters the mnemonic diagram instead and writes full-mnemo.png (its first racks)
// and full-mnemo-end.png (scrolled to racks 97 to 100).

#include "app/ProgramWindows.h"
#include "config/Journal.h"
#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "config/UsersFile.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"
#include "stationdata/CommandBodies.h"
#include "work/StationTableModel.h"
#include "work/Unit_Work.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>
#include <vector>

using namespace kalver;

namespace {

constexpr int kClusters = 100;
constexpr int kStations = 100;

// `count` distinct free ports: all held open at once while they are chosen, so that no two clusters
// share a port (the demonstration cluster would serve them with one rack).
QList<quint16> freePorts(int count) {
    std::vector<std::unique_ptr<QTcpServer>> servers;
    QList<quint16> ports;
    for (int i = 0; i < count; ++i) {
        servers.push_back(std::make_unique<QTcpServer>());
        servers.back()->listen(QHostAddress::LocalHost, 0);
        ports.append(servers.back()->serverPort());
    }
    return ports;
}

QList<std::int32_t> stationNumbers(const link::TKlvRack& rack, int from, int count) {
    QList<std::int32_t> numbers;
    for (int s = from; s < rack.stationCount() && s < from + count; ++s)
        numbers.append(rack.station(s).number());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// One command on the demonstration cluster's control socket; true when it answers "ok".
bool control(quint16 port, const QByteArray& command) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return false;
    socket.write(command + '\n');
    QByteArray answer;
    while (!answer.contains("ok\n") && !answer.contains("error")) {
        if (!socket.waitForReadyRead(5000))
            return false;
        answer += socket.readAll();
    }
    return answer.contains("ok\n");
}

bool save(QWidget& widget, const QString& path) {
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3 || (qstrcmp(argv[2], "work") != 0 && qstrcmp(argv[2], "mnemo") != 0)) {
        std::fprintf(stderr, "usage: work_tiles_full_scale_screenshots <output folder> work|mnemo\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    const bool mnemoRun = qstrcmp(argv[2], "mnemo") == 0;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    setMessageResponder([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return MessageAnswer::Ok;
    });

    // A program folder of its own: 100 racks of 100 stations, four to a rack row, polled every second.
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    const QString demoFolder = program().programFolder + QStringLiteral("DemoServer");
    QDir().mkpath(demoFolder);
    const QString demoProgram = demoFolder + QStringLiteral("/Kalver DemoServer");
    QFile::copy(QStringLiteral(KALVER_DEMO_SERVER_PATH), demoProgram);
    settings::SettingsValues values = settings::defaults(kClusters, program().programFolder);
    values.stationsPerCluster = kStations;
    values.stationsInRackHoriz = 4;
    values.queryInterval = 1;
    const QList<quint16> ports = freePorts(kClusters + 2);
    values.grid[1][2] = QString::number(ports.at(kClusters));
    for (int k = 0; k < kClusters; ++k)
        values.grid[k + 2][2] = QString::number(3 * 65536 + ports.at(k));
    settings::writeFile(program().programFolder + QStringLiteral("settings.ini"), values);
    users::writeFile(program().programFolder + QStringLiteral("users.dat"), {{"Demo", "demo", 3, {}}});
    journal::startNewFile(program().journalFilePath);

    // The demonstration cluster, started here (the log-in window then finds it running).
    const quint16 controlPort = ports.at(kClusters + 1);
    QProcess demo;
    demo.setWorkingDirectory(demoFolder);
    demo.setProcessChannelMode(QProcess::MergedChannels);
    // Calm: no random errors or notices, so that the log shows the events made below.
    demo.start(demoProgram, {QStringLiteral("--control-port"), QString::number(controlPort), QStringLiteral("--speed"),
                             QStringLiteral("10"), QStringLiteral("--calm")});
    QByteArray demoOutput;
    const bool demoReady = QTest::qWaitFor(
        [&] {
            demoOutput += demo.readAll();
            return demoOutput.contains("ready");
        },
        30000);
    if (!demoReady) {
        std::fprintf(stderr, "the demonstration cluster did not start:\n%s\n", demoOutput.constData());
        return 1;
    }

    app::ProgramWindows windows;
    session::setSessionWindows(&windows);
    link::ClusterList& clusters = link::clusters();
    TForm_Login login(clusters);
    Form_Login = &login;
    login.show();
    TForm_Settings settingsWindow;
    Form_Settings = &settingsWindow;
    TForm_Work work(clusters);
    Form_Work = &work;
    TForm_Mnemo mnemo;
    Form_Mnemo = &mnemo;
    work.setMnemoWindow(&mnemo);
    clusters.setObserver(&work.observer());
    WorkWindowHooks hooks;
    hooks.stopConnectionTimers = [] { Form_Connection->stopSessionTimers(); };
    hooks.showLogin = [] { Form_Login->show(); };
    hooks.closeConnection = [] { Form_Connection->close(); };
    work.setHooks(hooks);
    TForm_Connection connection(clusters, nullptr, QStringList());
    Form_Connection = &connection;

    login.lbl_Password->setText(QStringLiteral("demo"));
    login.sb_Autorize->click();
    QTest::qWait(300);
    (mnemoRun ? login.sb_ShowMnemo : login.sb_ShowWork)->click();
    const bool permitted = QTest::qWaitFor(
        [&] {
            if (clusters.count() != kClusters)
                return false;
            for (int k = 0; k < kClusters; ++k)
                if (!session::clusterInWork(clusters.at(k)))
                    return false;
            return true;
        },
        60000);
    if (!permitted) {
        std::fprintf(stderr, "the clusters did not grant permission\n");
        return 1;
    }
    bool ok = true;
    if (!mnemoRun) {
        QTest::qWait(300);
        ok &= save(connection, out + QStringLiteral("full-connection.png"));
    }
    connection.tb_ToWork->click();
    const bool reported = QTest::qWaitFor(
        [&] {
            for (int k = 0; k < kClusters; ++k)
                if (clusters.at(k).stationCount() < kStations)
                    return false;
            return true;
        },
        90000);
    if (!reported) {
        std::fprintf(stderr, "the racks did not report their stations\n");
        return 1;
    }

    // Tune the generators of a few stations of the first racks; the lowest-numbered station of rack 1,
    // the first tile, reports "нет PPS".
    for (int k = 0; k < 4; ++k)
        link::SendServerMessage(clusters, k, true, 21, true, stationdata::stationListBody(stationNumbers(clusters.at(k), 0, 30)));
    const std::int32_t shownStation = stationNumbers(clusters.at(0), 0, kStations).value(0);
    bool told = control(controlPort, "set " + QByteArray::number(shownStation) + " tuning-state A0");
    QTest::qWait(8000);
    // Rack 9 falls silent for a while: its stations lose the connection (grey); then a few stations
    // of racks 3 to 5 stop charging (fuchsia), report non-critical (yellow) and critical (red) errors,
    // and rack 5 sends a notice.
    told &= control(controlPort, "rack 9 fault silent");
    QTest::qWait(2500);
    told &= control(controlPort, "clear");
    QTest::qWait(1500);
    for (const int n : {205, 206, 207})
        told &= control(controlPort, "set " + QByteArray::number(n) + " charger off");
    for (const int n : {310, 311, 312, 313})
        told &= control(controlPort, "set " + QByteArray::number(n) + " interface-errors 1");
    for (const int n : {415, 416})
        told &= control(controlPort, "set " + QByteArray::number(n) + " interface-errors 200");
    told &= control(controlPort, "rack 5 notice 0 Температура в стойке 31,5 °C");
    if (!told)
        std::fprintf(stderr, "the demonstration cluster did not take every control command\n");
    QTest::qWait(3000);

    if (mnemoRun) {
        mnemo.raise();
        QTest::qWait(1600);
        ok &= save(mnemo, out + QStringLiteral("full-mnemo.png"));
        QScrollBar* bar = mnemo.gridScroll()->verticalScrollBar();
        // The grid's last rows may have grown with the last reports: scroll to the end as it is now.
        bar->setValue(bar->maximum());
        QTest::qWait(900);
        bar->setValue(bar->maximum());
        QTest::qWait(300);
        std::printf("grid %d px high, scrolled to %d of %d\n", mnemo.xGP->height(), bar->value(), bar->maximum());
        ok &= save(mnemo, out + QStringLiteral("full-mnemo-end.png"));
    } else {
        // Without a window manager nothing maximizes the window: give it the screen, and the log room
        // for its lines.
        work.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        QTest::qWait(200);
        const int total = work.Splitter1->height();
        work.Splitter1->setSizes({total - 330, 330});
        // Hover the station with "нет PPS": the detail panel shows its tuning state in red.
        work::RackView* rack = work.rackView(0);
        const int position = clusters.at(0).findStation(shownStation);
        work.scrlB->horizontalScrollBar()->setValue(0);
        work.scrlB->verticalScrollBar()->setValue(0);
        QTest::qWait(100);
        QTest::mouseMove(rack, rack->tileRect(position).center());
        QTest::qWait(900);
        QTest::mouseMove(rack, rack->tileRect(position).center());
        QTest::qWait(100);
        ok &= save(work, out + QStringLiteral("full-container.png"));

        work.pc_ShowMode->setCurrentWidget(work.ts_Table);
        QTest::qWait(1500);
        // To the table's last columns: the bar at its maximum as the last layout left it (a refresh
        // or a new layout may still move the range), checked again just before the grab.
        work::FixedColumnTableView* table = work.table->sg_StationData;
        QScrollBar* sideways = table->horizontalScrollBar();
        for (int tries = 0; tries < 10; ++tries) {
            const int maximum = sideways->maximum();
            sideways->setValue(maximum);
            QTest::qWait(300);
            if (sideways->maximum() == maximum && sideways->value() == maximum)
                break;
        }
        const int lastColumn = work::kTableColumnCount - 1;
        const int lastEnd = table->columnViewportPosition(lastColumn) + table->columnWidth(lastColumn);
        std::printf("table scrolled to %d of %d, last column ends at %d of %d\n", sideways->value(), sideways->maximum(),
                    lastEnd, table->viewport()->width());
        if (sideways->value() != sideways->maximum() || lastEnd > table->viewport()->width()) {
            std::fprintf(stderr, "the table did not scroll to its last columns\n");
            ok = false;
        }
        ok &= save(work, out + QStringLiteral("full-table.png"));
    }

    (mnemoRun ? static_cast<QWidget&>(mnemo) : static_cast<QWidget&>(work)).close();
    login.close();
    clusters.setObserver(nullptr);
    Form_Connection = nullptr;
    Form_Mnemo = nullptr;
    Form_Work = nullptr;
    Form_Settings = nullptr;
    Form_Login = nullptr;
    session::setSessionWindows(nullptr);
    demo.terminate();
    demo.waitForFinished(5000);
    return ok ? 0 : 1;
}
