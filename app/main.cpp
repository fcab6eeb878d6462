// The client's entry: applies the visual style and the title, creates every window once in the fixed
// order, runs the message loop, and ends when the log-in window has closed. The maintainers' options
// (statistics log, unattended run) are described in app/StartOptions.h.

#include "app/ClientApplication.h"
#include "app/Program.h"
#include "app/QtTranslation.h"
#include "app/StartOptions.h"
#include "app/StatisticsLog.h"
#include "app/UnattendedStart.h"
#include "core/ProgramValues.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace kalver;

int main(int argc, char** argv) {
    app::ClientApplication app(argc, argv);
    app::StartOptions options = app::parseStartOptions(QCoreApplication::arguments());
    if (options.error.isEmpty())
        options.error = app::useProgramFolder(options);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    // Created before the windows and destroyed after them, so its last line follows the program's end.
    std::unique_ptr<app::StatisticsLog> statistics;
    if (!options.statisticsFile.isEmpty())
        statistics = std::make_unique<app::StatisticsLog>(options.statisticsFile, options.statisticsIntervalSeconds);
    if (statistics)
        app.setBusyMeter(&statistics->busyMeter());

    // Qt's own texts in Russian; without the translation file they stay English.
    app::installQtTranslation(app);
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));
    program().applicationTitle = QStringLiteral("Kalver Client v1.3");
    program().applicationTitle += QStringLiteral(" DEMO");
    QApplication::setApplicationName(program().applicationTitle);
    // The installed program's desktop entry and icon (package/); without them the window keeps the
    // default icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kalver-client"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kalver-client")));
    // The program ends when the log-in window closes, not when its last visible window does (the
    // log-in window is hidden while a session runs).
    QApplication::setQuitOnLastWindowClosed(false);

    app::Program windows(options.remainingArguments);
    if (windows.startupFailed())
        return 1;
    QObject::connect(Form_Login, &TForm_Login::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);

    app::UnattendedStart unattended(options, qEnvironmentVariable("KALVER_PASSWORD"));
    if (statistics)
        unattended.setBusyMeter(&statistics->busyMeter());
    QTimer::singleShot(0, &unattended, &app::UnattendedStart::begin);
    return QApplication::exec();
}
