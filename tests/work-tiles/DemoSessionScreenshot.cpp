// Takes the screenshot of the work window through the real session against the demonstration
// cluster: log-in, connection window, "К работе", and the racks the demonstration cluster reports.
// Rack 1 charges as it does by itself; rack 2 is told to start registration (and a test on some
// stations), rack 3 to download, rack 4 to tune generators. Run it under a virtual display:
//   xvfb-run -a -s "-screen 0 1600x1000x24" work_tiles_demo_screenshot <output folder>
// It writes container.png and table.png into the folder.

#include "app/ProgramWindows.h"
#include "config/Journal.h"
#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "config/UsersFile.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"
#include "stationdata/CommandBodies.h"
#include "work/Unit_Work.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

using namespace kalver;

namespace {

quint16 freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

QList<std::int32_t> stationNumbers(const link::TKlvRack& rack, int from, int count) {
    QList<std::int32_t> numbers;
    for (int s = from; s < rack.stationCount() && s < from + count; ++s)
        numbers.append(rack.station(s).number());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

stationdata::StartSettings startSettings(std::uint8_t mode) {
    stationdata::StartSettings start;
    for (int ch = 0; ch < 4; ++ch)
        start.channels[static_cast<std::size_t>(ch)] = stationdata::ChannelEntry{1, 2, 0, mode, 0};
    return start;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: work_tiles_demo_screenshot <output folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    setMessageResponder([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return MessageAnswer::Ok;
    });

    // A program folder of its own: four racks of twenty stations, five to a rack row, polled every
    // second, served by the demonstration cluster on free ports.
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    QDir().mkpath(program().programFolder + QStringLiteral("DemoServer"));
    QFile::copy(QStringLiteral(KALVER_DEMO_SERVER_PATH), program().programFolder + QStringLiteral("DemoServer/Kalver DemoServer"));
    settings::SettingsValues values = settings::defaults(4, program().programFolder);
    values.stationsPerCluster = 20;
    values.stationsInRackHoriz = 5;
    values.queryInterval = 1;
    values.grid[1][2] = QString::number(freePort());
    for (int k = 0; k < 4; ++k)
        values.grid[k + 2][2] = QString::number(3 * 65536 + freePort());
    settings::writeFile(program().programFolder + QStringLiteral("settings.ini"), values);
    users::writeFile(program().programFolder + QStringLiteral("users.dat"), {{"Demo", "demo", 3, {}}});
    journal::startNewFile(program().journalFilePath);

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
    login.sb_ShowWork->click();
    const bool permitted = QTest::qWaitFor(
        [&] {
            if (clusters.count() != 4)
                return false;
            for (int k = 0; k < 4; ++k)
                if (!session::clusterInWork(clusters.at(k)))
                    return false;
            return true;
        },
        30000);
    if (!permitted) {
        std::fprintf(stderr, "the clusters did not grant permission\n");
        return 1;
    }
    connection.tb_ToWork->click();
    const bool reported = QTest::qWaitFor(
        [&] {
            for (int k = 0; k < 4; ++k)
                if (clusters.at(k).stationCount() < 20)
                    return false;
            return true;
        },
        30000);
    if (!reported) {
        std::fprintf(stderr, "the racks did not report their stations\n");
        return 1;
    }

    // The commands the station data window would send.
    link::SendServerMessage(clusters, 1, true, 3, true, stationdata::startBody(startSettings(0), stationNumbers(clusters.at(1), 0, 20)));
    link::SendServerMessage(clusters, 2, true, 11, true, stationdata::downloadBody(stationNumbers(clusters.at(2), 0, 16)));
    link::SendServerMessage(clusters, 3, true, 21, true, stationdata::stationListBody(stationNumbers(clusters.at(3), 0, 6)));
    QTest::qWait(2500);
    link::SendServerMessage(clusters, 1, true, 17, true, stationdata::startBody(startSettings(1), stationNumbers(clusters.at(1), 0, 4)));
    QTest::qWait(6000);

    // Without a window manager nothing maximizes the window: give it the screen.
    work.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    // Select three stations of rack 2 and hover one of rack 1.
    for (int s = 5; s < 8; ++s)
        work.clickTile(1, s);
    work::RackView* rack = work.rackView(0);
    QTest::mouseMove(rack, rack->tileRect(2).center());
    QTest::qWait(1600);
    QTest::mouseMove(rack, rack->tileRect(2).center());
    QTest::qWait(100);
    const bool ok = work.grab().save(out + QStringLiteral("container.png"));
    std::printf("%s %scontainer.png\n", ok ? "wrote" : "could not write", qPrintable(out));

    // The same stations on the table page, after the next poll has refreshed it.
    work.pc_ShowMode->setCurrentWidget(work.ts_Table);
    QTest::qWait(1500);
    const bool tableOk = work.grab().save(out + QStringLiteral("table.png"));
    std::printf("%s %stable.png\n", tableOk ? "wrote" : "could not write", qPrintable(out));

    work.close();
    login.close();
    clusters.setObserver(nullptr);
    Form_Connection = nullptr;
    Form_Work = nullptr;
    Form_Settings = nullptr;
    Form_Login = nullptr;
    session::setSessionWindows(nullptr);
    return ok ? 0 : 1;
}
