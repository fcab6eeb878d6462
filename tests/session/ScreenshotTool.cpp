// Draws the pictures of the session windows for the documentation (not a test): the log-in window
// after a developer's log-in, and the connection window with two clusters of the real demonstration
// cluster connected and permitted. Run under a display (xvfb-run) with the output folder:
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" session_screenshots docs/

#include "config/Journal.h"
#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "config/UsersFile.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "link/ClusterList.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
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

bool save(QWidget& window, const QString& path) {
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: session_screenshots <output folder>\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    setMessageResponder([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return MessageAnswer::Ok;
    });

    // A program folder of its own: the demonstration cluster serving two racks on free ports.
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    QDir().mkpath(program().programFolder + QStringLiteral("DemoServer"));
    QFile::copy(QStringLiteral(KALVER_DEMO_SERVER_PATH), program().programFolder + QStringLiteral("DemoServer/Kalver DemoServer"));
    settings::SettingsValues values = settings::defaults(2, program().programFolder);
    values.grid[1][2] = QString::number(freePort());
    for (int k = 0; k < 2; ++k)
        values.grid[k + 2][2] = QString::number(3 * 65536 + freePort());
    settings::writeFile(program().programFolder + QStringLiteral("settings.ini"), values);
    users::writeFile(program().programFolder + QStringLiteral("users.dat"), {{"Demo", "demo", 3, {}}});
    journal::startNewFile(program().journalFilePath);

    link::ClusterList& clusters = link::clusters();
    TForm_Login login(clusters);
    Form_Login = &login;
    login.show();
    TForm_Settings settingsWindow;
    Form_Settings = &settingsWindow;
    TForm_Connection connection(clusters, nullptr, QStringList());
    Form_Connection = &connection;

    login.lbl_Password->setText(QStringLiteral("demo"));
    login.sb_Autorize->click();
    QTest::qWait(300);
    bool ok = save(login, out + QStringLiteral("login.png"));

    login.sb_ShowWork->click();
    const bool connected = QTest::qWaitFor(
        [&] {
            return clusters.count() == 2 && session::clusterInWork(clusters.at(0)) && session::clusterInWork(clusters.at(1));
        },
        20000);
    if (!connected)
        std::fprintf(stderr, "the clusters did not grant permission\n");
    QTest::qWait(300);
    ok = save(connection, out + QStringLiteral("connection.png")) && ok && connected;

    connection.hide();
    login.close();
    Form_Connection = nullptr;
    Form_Settings = nullptr;
    Form_Login = nullptr;
    return ok ? 0 : 1;
}
