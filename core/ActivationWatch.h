#pragma once
// When the operator comes to a window from another window of the program. The window then becomes
// active in the program's sense (the connection window brings its clusters on line again, the station
// data window resets its station page). Getting the activation back when a box closes (a message box,
// or any dialog such as the wait dialog, the small parameter table or a folder chooser) is not such a
// return, nor is getting it back from another program: the window goes on where it was.
//
// The watch sees every window of the program become active: the window the activation last went to
// before the watched window got it back is where the operator came from. The activation that follows
// a showing of the window is the showing's own and is left to the window.

#include <QObject>
#include <QPointer>

class QWidget;

namespace kalver {

class ActivationWatch : public QObject {
    Q_OBJECT
public:
    // Watches `window` (a top-level widget); the watch belongs to it.
    explicit ActivationWatch(QWidget* window);
    ~ActivationWatch() override;

    // A window that does not count as another window of the program when the activation comes back
    // from it: a dialog or message box, a modal window, a pop-up.
    static bool isBox(const QWidget* window);

signals:
    // Emitted when the watched window is activated coming from another window of the program.
    void cameFromProgramWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    // The last other window that became active while the watched one was not; null after the
    // watched window lost the activation to another program.
    QPointer<QWidget> m_cameFrom;
};

} // namespace kalver
