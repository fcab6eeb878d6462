// The client's entry: applies the visual style and the title, creates every window once in the fixed
// order, runs the message loop, and ends when the log-in window has closed.

#include "app/Program.h"
#include "core/ProgramValues.h"
#include "session/Unit_Login.h"
#include "session/VisualStyle.h"

#include <QApplication>

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

    app::Program windows(program().commandLine);
    if (windows.startupFailed())
        return 1;
    QObject::connect(Form_Login, &TForm_Login::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
    return QApplication::exec();
}
