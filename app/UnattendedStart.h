#pragma once
// An unattended run of the client (app/StartOptions.h: --login, --work, --quit-after), performed on
// the program's windows exactly as an operator would: the login and password are typed into the log-in
// window and sb_Autorize is pressed (the accounts file decides the level; a failed log-in shows e002 as
// always), sb_ShowWork and tb_ToWork are pressed only while the level enables them, and the end closes
// the session window and then the log-in window, which runs the program's end steps. At access level 3
// those steps ask whether to delete the charge-trend files (e040); the run answers it as
// --charge-files says (No unless "delete"), and nothing else.
//
// It also times the start (app/StartupTimes.h): from pressing sb_ShowWork to every cluster's
// permission, and from pressing tb_ToWork to every tile drawn.
//
// Progress goes to the standard error, one line per step ("unattended: …").

#include "app/StartOptions.h"
#include "app/StartupTimes.h"

#include <QObject>

class QTimer;

namespace kalver::app {

class UnattendedStart : public QObject {
    Q_OBJECT
public:
    // How long --work waits for every cluster's permission before it goes on with those it has.
    static constexpr int kPermissionWaitMs = 60'000;
    static constexpr int kCheckStepMs = 250;

    // `password` is the account's password (the caller takes it from KALVER_PASSWORD).
    UnattendedStart(const StartOptions& options, const QString& password, QObject* parent = nullptr);

    // Runs the first steps; the rest follow from the event loop.
    void begin();

    const StartupTimes& startupTimes() const { return m_startup; }
    // The statistics log's meter, for the longest stall of the start.
    void setBusyMeter(BusyMeter* meter) { m_startup.setBusyMeter(meter); }

private:
    void logIn();
    void checkPermissions();
    void quit();

    StartOptions m_options;
    QString m_password;
    QTimer* m_permissionCheck = nullptr;
    int m_waitedMs = 0;
    StartupTimes m_startup;
};

} // namespace kalver::app
