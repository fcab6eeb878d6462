#include "app/UnattendedStart.h"

#include "config/SettingsAccess.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "link/ClusterList.h"
#include "session/ClusterInWork.h"
#include "session/Unit_Connection.h"
#include "session/Unit_Login.h"
#include "work/Unit_Work.h"

#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

namespace kalver::app {

namespace {
void report(const QString& text) {
    std::fprintf(stderr, "unattended: %s\n", qPrintable(text));
    std::fflush(stderr);
}
} // namespace

UnattendedStart::UnattendedStart(const StartOptions& options, const QString& password, QObject* parent)
    : QObject(parent), m_options(options), m_password(password),
      m_startup([](const QString& name, std::int64_t ms) { report(QStringLiteral("start-up: %1: %2 ms").arg(name).arg(ms)); }) {}

void UnattendedStart::begin() {
    if (m_options.quitAfterSeconds)
        QTimer::singleShot(*m_options.quitAfterSeconds * 1000, this, &UnattendedStart::quit);
    if (m_options.login)
        logIn();
}

void UnattendedStart::logIn() {
    if (!Form_Login)
        return;
    Form_Login->lbl_UserName->setText(*m_options.login);
    Form_Login->lbl_Password->setText(m_password);
    Form_Login->sb_Autorize->click();
    if (!Form_Login)
        return;
    report(QStringLiteral("logged in as %1, access level %2").arg(*m_options.login).arg(program().accessLevel));
    if (!m_options.work)
        return;
    if (!Form_Login->sb_ShowWork->isEnabled()) {
        report(QStringLiteral("this access level does not lead to the connection window"));
        return;
    }
    m_startup.connectionShowing();
    Form_Login->sb_ShowWork->click();
    m_permissionCheck = new QTimer(this);
    m_permissionCheck->setInterval(kCheckStepMs);
    connect(m_permissionCheck, &QTimer::timeout, this, &UnattendedStart::checkPermissions);
    m_permissionCheck->start();
}

void UnattendedStart::checkPermissions() {
    m_waitedMs += kCheckStepMs;
    link::ClusterList& list = link::clusters();
    int inWork = 0;
    for (int p = 0; p < list.count(); ++p)
        inWork += session::clusterInWork(list.at(p)) ? 1 : 0;
    const int configured = settings::clusterCount();
    const bool all = inWork >= configured;
    if (!all && m_waitedMs < kPermissionWaitMs)
        return;
    m_permissionCheck->stop();
    report(QStringLiteral("%1 of %2 clusters granted permission").arg(inWork).arg(configured));
    if (!Form_Connection || !Form_Connection->tb_ToWork->isEnabled()) {
        report(QStringLiteral("no cluster to work with"));
        return;
    }
    m_startup.sessionStarting();
    Form_Connection->tb_ToWork->click();
    report(QStringLiteral("work session entered"));
}

void UnattendedStart::quit() {
    report(QStringLiteral("ending the program"));
    if (m_permissionCheck)
        m_permissionCheck->stop();
    if (Form_Mnemo && Form_Mnemo->isVisible())
        Form_Mnemo->close();
    if (Form_Work && Form_Work->isVisible())
        Form_Work->close();
    if (Form_Connection && Form_Connection->isVisible())
        Form_Connection->close();
    if (!Form_Login)
        return;
    // The end steps' one question; anything else is left to whoever answers now.
    const MessageResponder previous = messageResponder();
    const bool deleteFiles = m_options.deleteChargeFiles;
    setMessageResponder([previous, deleteFiles](const MessageRequest& request) {
        if (request.code == u"e040") {
            report(deleteFiles ? QStringLiteral("charge-trend files: deleted") : QStringLiteral("charge-trend files: kept"));
            return deleteFiles ? MessageAnswer::Yes : MessageAnswer::No;
        }
        return previous ? previous(request) : showMessageBox(request);
    });
    Form_Login->close();
    setMessageResponder(previous);
}

} // namespace kalver::app
