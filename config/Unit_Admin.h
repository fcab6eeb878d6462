#pragma once
// The user administration window: lists the accounts of "users.dat" and lets an administrator or a
// developer add, edit and remove them under the rules of config/AccountRules.h. Shown modally from the
// log-in window; reads the file at every show and forgets the list at every close.

#include "config/AccountRules.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace kalver {

class TForm_Admin : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Admin(QWidget* parent = nullptr);

    // The account list and its rules, for the window's own handlers and for tests.
    const users::AccountEditor& editor() const { return m_editor; }
    // The account file: "users.dat" in the program's folder.
    QString accountFilePath() const;
    // The level-name list, in level order.
    const QStringList& levelNames() const { return m_levelNames; }

    QToolBar* ToolBar1 = nullptr;
    QToolButton* tb_SaveUsers = nullptr;
    QToolButton* tb_AddUser = nullptr;
    QToolButton* tb_RemoveUser = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Le_Login = nullptr;
    QLineEdit* Le_Pass = nullptr;
    QGroupBox* gb_Edits = nullptr;
    QLineEdit* Le_NewPass1 = nullptr;
    QLineEdit* Le_NewPass2 = nullptr;
    QGroupBox* rg_AccessLevel = nullptr;    // its items' checked id is the level
    QButtonGroup* rg_AccessLevelItems = nullptr;
    QPushButton* b_ApplyEdits = nullptr;
    QTableWidget* sg_Users = nullptr;       // row i shows account i: its login and its level's name

public slots:
    // Closing: asks to save unsaved changes, then forgets the list.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    bool loadAccounts();
    void fillGrid();
    void showRow(int row);
    void selectRow(int row);
    void showSelected();
    void setEditsEnabled(bool enabled);
    void setLevelChoice(int level);
    int levelChoice() const;
    QString levelName(int level) const;

    void onLoginEnter();
    void onPasswordEnter();
    void onApply();
    void onAdd();
    void onRemove();
    void onSave();

    users::AccountEditor m_editor;
    QStringList m_levelNames;
    bool m_filling = false;
};

// The one instance, set by the program when it creates the window.
extern TForm_Admin* Form_Admin;

} // namespace kalver
