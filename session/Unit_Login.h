#pragma once
// The log-in window, the program's main window: the operator logs in, the session's access level
// follows from the account, and the level decides which of the four large buttons lead on (the
// connection window, the mnemonic diagram, the settings, the user administration). Its creation starts
// the demonstration cluster; its close ends the program.
//
// Window: single border, width fixed at 281, height 113 (collapsed: only the fields, "Показывать
// пароль" and the authorize button) or 398 (the large buttons below the separator).

#include "link/ClusterList.h"
#include "session/AccessTable.h"
#include "session/DemoClusterLauncher.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kalver {

class TForm_Login : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 281;
    static constexpr int kCollapsedHeight = 113;
    static constexpr int kExpandedHeight = 398;

    // Creation: the demonstration cluster is started unless it runs; the caption; the window
    // collapsed; access level −1; login "Demo". `clusters` is the list torn down at the end.
    explicit TForm_Login(link::ClusterList& clusters = link::clusters(), QWidget* parent = nullptr);
    ~TForm_Login() override;

    // Applies one row of the access-level table: the four buttons, the window's height, the developer
    // items of the other windows and the state filter of the work window.
    void SetAccessControls(const session::AccessControls& controls);

    // The handlers of the buttons, for the flows that perform them without a click ("-mnemo").
    void authorize();
    void showWork();
    void showMnemo();
    void showSettings();
    void showAdmin();

    session::DemoClusterLauncher& demoCluster() { return m_demo; }

    QLineEdit* lbl_UserName = nullptr;
    QLineEdit* lbl_Password = nullptr;
    QCheckBox* chb_ShowPass = nullptr;
    QToolButton* sb_Autorize = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl_AccessLevel = nullptr;
    QToolButton* sb_ShowWork = nullptr;
    QToolButton* sb_ShowMnemo = nullptr;
    QToolButton* sb_ShowSettings = nullptr;
    QToolButton* sb_ShowAdmin = nullptr;

signals:
    // The program's end steps have run: the message loop may end.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void startDemoCluster();
    void setHeightLimit(int height);

    link::ClusterList& m_clusters;
    session::DemoClusterLauncher m_demo;
    bool m_ended = false;
};

// The one instance, set by the program when it creates the window.
extern TForm_Login* Form_Login;

} // namespace kalver
