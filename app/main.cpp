// The client's entry: applies the visual style and the title, creates every window once in the fixed
// order, runs the message loop, and ends when the log-in window has closed.

#include "config/Unit_Admin.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"

#include <QApplication>

#include <memory>

using namespace kalver;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    program().applicationTitle = QStringLiteral("Kalver Client v1.3");
    program().applicationTitle += QStringLiteral(" DEMO");
    QApplication::setApplicationName(program().applicationTitle);
    // The program ends when the log-in window closes, not when its last visible window does (the
    // log-in window is hidden while a session runs).
    QApplication::setQuitOnLastWindowClosed(false);

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
        settingsWindow.reset();
        Form_Login = nullptr;
        return 1;
    }

    auto admin = std::make_unique<TForm_Admin>();
    Form_Admin = admin.get();

    // Form_Work (the work window), Form_Mnemo (the mnemonic diagram), Form_StationData (the station data
    // window) and Form_SelFilter (the selection range dialog) are created here once their units exist.

    auto connection = std::make_unique<TForm_Connection>();
    Form_Connection = connection.get();
    Form_Connection->startMnemonicSessionIfRequested();

    // Form_SmallTable (the small parameter table) and Form_Timeout (the wait-for-confirmation dialog) are
    // created here once their units exist.

    const int code = QApplication::exec();

    // Destroyed in the reverse order of creation; the cluster records were torn down when the log-in
    // window closed.
    Form_Connection = nullptr;
    connection.reset();
    Form_Admin = nullptr;
    admin.reset();
    Form_Settings = nullptr;
    settingsWindow.reset();
    Form_Login = nullptr;
    login.reset();
    return code;
}
