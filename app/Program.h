#pragma once
// The program's windows: every one created once, in the fixed order, and destroyed in the reverse
// order at the end. The creation of each runs its start-up steps: the log-in window (the main window,
// shown) starts the demonstration cluster; the settings window loads the settings and opens the
// journal; the connection window reads the command line and, with "-mnemo", goes straight on to the
// mnemonic diagram.
//
//   log-in, settings, user administration, work, mnemonic diagram, station data, selection range,
//   connection, small parameter table, wait-for-confirmation
//
// The windows are reached through their one instances (Form_Login, Form_Work, …) while the program
// lives; the cluster list's observer is the work window, and session control reaches the other
// windows through ProgramWindows.

#include "app/ProgramWindows.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace kalver {
class TForm_Admin;
class TForm_Connection;
class TForm_Login;
class TForm_Mnemo;
class TForm_Settings;
class TForm_Timeout;
class TForm_Work;
namespace stationdata {
class TForm_SmallTable;
class TForm_StationData;
} // namespace stationdata
namespace work {
class TForm_SelFilter;
}
} // namespace kalver

namespace kalver::app {

class Program {
public:
    // Creates the windows; `arguments` (the program's path first) are what the connection window
    // reads ("-mnemo").
    explicit Program(const QStringList& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The settings window could not open the journal or the charge-curve folder: the log-in window has
    // closed and the later windows were not created.
    bool startupFailed() const { return m_startupFailed; }

private:
    ProgramWindows m_windows;
    std::unique_ptr<TForm_Login> m_login;
    std::unique_ptr<TForm_Settings> m_settings;
    std::unique_ptr<TForm_Admin> m_admin;
    std::unique_ptr<TForm_Work> m_work;
    std::unique_ptr<TForm_Mnemo> m_mnemo;
    std::unique_ptr<stationdata::TForm_StationData> m_stationData;
    std::unique_ptr<work::TForm_SelFilter> m_selFilter;
    std::unique_ptr<TForm_Connection> m_connection;
    std::unique_ptr<stationdata::TForm_SmallTable> m_smallTable;
    std::unique_ptr<TForm_Timeout> m_timeout;
    bool m_startupFailed = false;
};

} // namespace kalver::app
