// The client's entry: applies the visual style and the title, creates every window once in the fixed
// order, runs the message loop, and ends when the log-in window has closed.

#include "app/ProgramWindows.h"
#include "config/Unit_Admin.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "link/ClusterList.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"
#include "stationdata/Unit_SmallTable.h"
#include "work/Unit_SelFilter.h"
#include "work/Unit_Work.h"

#include <QApplication>

#include <memory>

using namespace kalver;

namespace {

// The work window's ties to the session's windows.
WorkWindowHooks workWindowHooks() {
    WorkWindowHooks hooks;
    hooks.stopConnectionTimers = [] {
        if (Form_Connection)
            Form_Connection->stopSessionTimers();
    };
    hooks.showLogin = [] {
        if (Form_Login)
            Form_Login->show();
    };
    hooks.closeConnection = [] {
        if (Form_Connection)
            Form_Connection->close();
    };
    hooks.openSettings = [] {
        if (Form_Settings)
            Form_Settings->exec();
    };
    return hooks;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    program().applicationTitle = QStringLiteral("Kalver Client v1.3");
    program().applicationTitle += QStringLiteral(" DEMO");
    QApplication::setApplicationName(program().applicationTitle);
    // The program ends when the log-in window closes, not when its last visible window does (the
    // log-in window is hidden while a session runs).
    QApplication::setQuitOnLastWindowClosed(false);

    app::ProgramWindows programWindows;
    session::setSessionWindows(&programWindows);

    // The windows, in their creation order. Each one's creation runs here: the log-in window starts the
    // demonstration cluster before the settings are loaded; the connection window reads the command line.
    auto login = std::make_unique<TForm_Login>();
    Form_Login = login.get();
    QObject::connect(Form_Login, &TForm_Login::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    Form_Login->show();

    auto settingsWindow = std::make_unique<TForm_Settings>(nullptr, [] {
        if (Form_Login)
            Form_Login->close();
    });
    Form_Settings = settingsWindow.get();
    if (Form_Settings->startupFailed()) {
        // The journal or the charge-curve folder could not be opened: the log-in window has closed.
        Form_Settings = nullptr;
        return 1;
    }

    auto admin = std::make_unique<TForm_Admin>();
    Form_Admin = admin.get();

    auto work = std::make_unique<TForm_Work>();
    Form_Work = work.get();
    link::clusters().setObserver(&Form_Work->observer());
    Form_Work->setHooks(workWindowHooks());

    auto mnemo = std::make_unique<TForm_Mnemo>();
    Form_Mnemo = mnemo.get();
    Form_Work->setMnemoWindow(Form_Mnemo);

    // Form_StationData (the station data window) is created here once its unit has landed.

    auto selFilter = std::make_unique<work::TForm_SelFilter>();
    work::Form_SelFilter = selFilter.get();

    auto connection = std::make_unique<TForm_Connection>();
    Form_Connection = connection.get();
    Form_Connection->startMnemonicSessionIfRequested();

    auto smallTable = std::make_unique<stationdata::TForm_SmallTable>();
    Form_SmallTable = smallTable.get();

    // Form_Timeout (the wait-for-confirmation dialog) is created here once its unit has landed.

    const int code = QApplication::exec();

    // The cluster records were torn down when the log-in window closed. The windows go in the reverse
    // order of their creation.
    Form_SmallTable = nullptr;
    smallTable.reset();
    Form_Connection = nullptr;
    connection.reset();
    work::Form_SelFilter = nullptr;
    selFilter.reset();
    Form_Work->setMnemoWindow(nullptr);
    Form_Mnemo = nullptr;
    mnemo.reset();
    link::clusters().setObserver(nullptr);
    Form_Work = nullptr;
    work.reset();
    Form_Admin = nullptr;
    admin.reset();
    Form_Settings = nullptr;
    settingsWindow.reset();
    Form_Login = nullptr;
    login.reset();
    session::setSessionWindows(nullptr);
    return code;
}
