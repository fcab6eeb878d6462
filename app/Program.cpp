#include "app/Program.h"

#include "config/Unit_Admin.h"
#include "config/Unit_Settings.h"
#include "dialogs/Unit_Mnemo.h"
#include "dialogs/Unit_Timeout.h"
#include "link/ClusterList.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "stationdata/Unit_SmallTable.h"
#include "stationdata/Unit_StationData.h"
#include "work/Unit_SelFilter.h"
#include "work/StationDataBridge.h"
#include "work/Unit_Work.h"

namespace kalver::app {

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
    hooks.stationDataVisible = [] {
        return stationdata::Form_StationData && stationdata::Form_StationData->isVisible();
    };
    hooks.pollTimer = []() -> QTimer* { return Form_Connection ? Form_Connection->Timer_NotCriticalMsgs : nullptr; };
    return hooks;
}

} // namespace

Program::Program(const QStringList& arguments) {
    session::setSessionWindows(&m_windows);

    m_login = std::make_unique<TForm_Login>();
    Form_Login = m_login.get();
    Form_Login->show();

    m_settings = std::make_unique<TForm_Settings>(nullptr, [] {
        if (Form_Login)
            Form_Login->close();
    });
    Form_Settings = m_settings.get();
    if (Form_Settings->startupFailed()) {
        m_startupFailed = true;
        return;
    }

    m_admin = std::make_unique<TForm_Admin>();
    Form_Admin = m_admin.get();

    m_work = std::make_unique<TForm_Work>();
    Form_Work = m_work.get();
    link::clusters().setObserver(&Form_Work->observer());
    Form_Work->setHooks(workWindowHooks());

    m_mnemo = std::make_unique<TForm_Mnemo>();
    Form_Mnemo = m_mnemo.get();
    Form_Work->setMnemoWindow(Form_Mnemo);

    m_stationData = std::make_unique<stationdata::TForm_StationData>();
    stationdata::Form_StationData = m_stationData.get();
    Form_Work->setStationDataObserver(&stationdata::Form_StationData->linkObserver());
    Form_Work->setOpenStationData(&stationdata::openStationDataForSelection);
    stationdata::setWorkWindowBridge(&Form_Work->stationDataBridge());

    m_selFilter = std::make_unique<work::TForm_SelFilter>();
    work::Form_SelFilter = m_selFilter.get();

    m_connection = std::make_unique<TForm_Connection>(link::clusters(), nullptr, arguments);
    Form_Connection = m_connection.get();
    Form_Connection->startMnemonicSessionIfRequested();

    m_smallTable = std::make_unique<stationdata::TForm_SmallTable>();
    Form_SmallTable = m_smallTable.get();

    m_timeout = std::make_unique<TForm_Timeout>();
    Form_Timeout = m_timeout.get();
}

Program::~Program() {
    // The cluster records go first (they were torn down already if the log-in window closed), so that
    // no record refers to a window that is gone.
    link::clusters().clear();

    Form_Timeout = nullptr;
    m_timeout.reset();
    Form_SmallTable = nullptr;
    m_smallTable.reset();
    Form_Connection = nullptr;
    m_connection.reset();
    work::Form_SelFilter = nullptr;
    m_selFilter.reset();
    if (m_work)
        m_work->setStationDataObserver(nullptr);
    stationdata::setWorkWindowBridge(nullptr);
    stationdata::Form_StationData = nullptr;
    m_stationData.reset();
    if (m_work)
        m_work->setMnemoWindow(nullptr);
    Form_Mnemo = nullptr;
    m_mnemo.reset();
    link::clusters().setObserver(nullptr);
    Form_Work = nullptr;
    m_work.reset();
    Form_Admin = nullptr;
    m_admin.reset();
    Form_Settings = nullptr;
    m_settings.reset();
    Form_Login = nullptr;
    m_login.reset();
    session::setSessionWindows(nullptr);
}

} // namespace kalver::app
