#pragma once
// The wait-for-confirmation dialog `TForm_Timeout` (`Form_Timeout`): shown while the station data window
// waits for a cluster's acknowledgement. It does not wait by itself: the waiting window shows it, reads
// its abort flag at every 250-ms step and closes it when the wait is over.
//
// Its label names the server time-out that the settings held when the dialog was created at start-up;
// later changes of the setting do not change it. "Прервать ожидание" sets the abort flag, logs
// "Ожидание подтверждения прервано по запросу Оператора!" (bold, black) and asks for the same text as
// a notification balloon, which the station data window shows through its tray icon.
//
// While a wait runs the dialog stays up until the waiting window closes it: Esc and the window's close
// request give the wait up as "Прервать ожидание" does, and never hide the dialog.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kalver {

class TForm_Timeout : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Timeout(QWidget* parent = nullptr);

    // Shows the dialog without making it modal; the abort flag is cleared.
    void showForWait();
    // Hides the dialog when the wait is over.
    void closeAfterWait();
    bool abortRequested() const { return m_abort; }

    QLabel* lbl_Timeout;
    QPushButton* b_TimeoutStop;

    static QString abortText();

    // Esc and the window's close request: while a wait runs, the abort (once); the dialog stays shown.
    void reject() override;

signals:
    // The notification-area announcement of an abort: balloon title and text, the icon's hint, and
    // the balloon's time-out.
    void balloonRequested(const QString& title, const QString& text, const QString& hint, int timeoutMs);
    // The dialog has been shown for a wait.
    void shownForWait();

private:
    void b_TimeoutStopClick();

    bool m_abort = false;
    bool m_waiting = false; // between showForWait() and closeAfterWait()
};

// The program's instance, created at start-up after the settings are loaded.
extern TForm_Timeout* Form_Timeout;

} // namespace kalver
