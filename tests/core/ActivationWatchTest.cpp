// Where the activation came from decides whether a window becomes active again: another window of the
// program does; a message box, a dialog, another program (no window) or the window's own showing do not.
// The desktop's activation changes are made directly, in the order a desktop makes them.

#include "core/ActivationWatch.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace kalver {
namespace {

TEST(ActivationWatch, OnlyAReturnFromAnotherWindowOfTheProgramCounts) {
    QWidget window;
    ActivationWatch watch(&window);
    QSignalSpy returns(&watch, &ActivationWatch::cameFromProgramWindow);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(returns.count(), 0) << "the showing's own activation is left to the window";

    QWidget otherWindow;
    QDialog dialog;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("e020"), QStringLiteral("text"), QMessageBox::Ok, &window);
    QWidget modalWindow;
    modalWindow.setWindowModality(Qt::ApplicationModal);
    const struct {
        const char* from;
        QWidget* other; // nullptr: another program
        int returns;
    } cases[] = {
        {"a message box", &box, 0},
        {"a dialog", &dialog, 0},
        {"a modal window", &modalWindow, 0},
        {"another program", nullptr, 0},
        {"another window of the program", &otherWindow, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        returns.clear();
        if (c.other)
            c.other->show();
        QApplication::setActiveWindow(c.other);
        ASSERT_EQ(QApplication::activeWindow(), c.other);
        if (c.other)
            c.other->hide();
        QApplication::setActiveWindow(&window);
        EXPECT_EQ(returns.count(), c.returns);
    }
}

// A box closes and the desktop activates another window of the program; coming from there counts.
TEST(ActivationWatch, TheLastWindowActivatedBeforeTheReturnIsWhereTheOperatorCameFrom) {
    QWidget window;
    QWidget otherWindow;
    ActivationWatch watch(&window);
    QSignalSpy returns(&watch, &ActivationWatch::cameFromProgramWindow);
    window.show();
    otherWindow.show();
    QApplication::setActiveWindow(&window);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("e024"), QStringLiteral("text"), QMessageBox::Ok, &window);
    box.show();
    QApplication::setActiveWindow(&box);
    box.hide();
    QApplication::setActiveWindow(&otherWindow);
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(returns.count(), 1);

    // Shown again (hidden and shown by its owner): again the showing's own activation.
    returns.clear();
    QApplication::setActiveWindow(&otherWindow);
    window.hide();
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(returns.count(), 0);
}

} // namespace
} // namespace kalver
