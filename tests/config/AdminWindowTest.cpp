#include "config/Journal.h"
#include "config/Unit_Admin.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kalver;
using test::MessageRecorder;

namespace {

const QList<users::TUser> kAccounts = {
    {"Demo", "demo", 3, {}},
    {"admin", "adm", 2, {}},
    {"oper", "op", 1, {}},
};

class AdminWindow : public ::testing::Test {
protected:
    AdminWindow() : m_oldLevel(program().accessLevel) {
        journal::startNewFile(program().journalFilePath);
        users::writeFile(folder.file("users.dat"), kAccounts);
    }
    ~AdminWindow() override { program().accessLevel = m_oldLevel; }

    // Shows the window for an operator logged in at `level`.
    void showAs(int level) {
        program().accessLevel = level;
        window.show();
    }
    QList<users::TUser> fileAccounts() const {
        return users::parseAccounts(users::linesOf(folder.read("users.dat")));
    }
    QString journalText() const {
        const QByteArray bytes = folder.read("arch.res");
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = window.sg_Users->item(row, column);
        return item ? item->text() : QString();
    }
    void clickRow(int row) {
        const QRect r = window.sg_Users->visualRect(window.sg_Users->model()->index(row, 0));
        QTest::mouseClick(window.sg_Users->viewport(), Qt::LeftButton, {}, r.center());
    }
    void chooseLevel(int level) { window.rg_AccessLevelItems->button(level)->click(); }
    bool editsEnabled() const {
        return window.gb_Edits->isEnabled() && window.b_ApplyEdits->isEnabled() && !window.Le_Pass->isEnabled();
    }

    test::ScratchFolder folder;
    TForm_Admin window;

private:
    int m_oldLevel;
};

} // namespace

TEST_F(AdminWindow, ShowListsTheAccounts) {
    showAs(3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kalver Client v1.3 DEMO - Администрирование"));
    ASSERT_EQ(window.sg_Users->rowCount(), 3);
    EXPECT_EQ(cell(1, 0), QStringLiteral("admin"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("Администратор"));
    EXPECT_EQ(window.sg_Users->horizontalHeaderItem(0)->text(), QStringLiteral("Логин"));
    EXPECT_EQ(window.sg_Users->horizontalHeaderItem(1)->text(), QStringLiteral("Уровень"));
    EXPECT_EQ(window.levelNames().at(3), QStringLiteral("Разработчик"));
    clickRow(2);
    EXPECT_EQ(window.Le_Login->text(), QStringLiteral("oper"));
    EXPECT_EQ(window.rg_AccessLevelItems->checkedId(), 1);
    EXPECT_TRUE(editsEnabled());
}

TEST_F(AdminWindow, MissingFileShowsE001AndClosesAtOnce) {
    QFile::remove(folder.file("users.dat"));
    MessageRecorder recorder;
    showAs(3);
    EXPECT_EQ(recorder.codes(), QStringList({"e001"}));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 10000);
    EXPECT_TRUE(journalText().endsWith(QStringLiteral("|e001\r\n")));
}

TEST_F(AdminWindow, OwnLevelIsEditedOnlyAfterItsPassword) {
    showAs(2);
    MessageRecorder recorder;
    clickRow(1); // the administrator's own level
    EXPECT_FALSE(editsEnabled());
    // Enter in the login field while locked explains how to rename.
    QTest::keyClick(window.Le_Login, Qt::Key_Return);
    EXPECT_EQ(recorder.shown().size(), 1);
    EXPECT_EQ(recorder.shown().at(0).text,
              QStringLiteral("Для принятия нового имени введите пароль,\nнажимте <Ввод> и подтвердите изменения"));
    QTest::keyClicks(window.Le_Pass, QStringLiteral("wrong"));
    QTest::keyClick(window.Le_Pass, Qt::Key_Return);
    EXPECT_FALSE(editsEnabled());
    window.Le_Pass->clear();
    QTest::keyClicks(window.Le_Pass, QStringLiteral("adm"));
    QTest::keyClick(window.Le_Pass, Qt::Key_Return);
    EXPECT_TRUE(editsEnabled());
    // Unlocked, yet no level above his own.
    chooseLevel(3);
    recorder.clear();
    window.b_ApplyEdits->click();
    EXPECT_EQ(recorder.codes(), QStringList({"e004"}));
    EXPECT_EQ(window.rg_AccessLevelItems->checkedId(), 2);
    EXPECT_TRUE(journalText().endsWith(QStringLiteral("|e004\r\n")));
    // Another row locks again.
    clickRow(2);
    clickRow(1);
    EXPECT_FALSE(editsEnabled());
}

TEST_F(AdminWindow, ApplyChangesTheRowAndJournals) {
    showAs(3);
    MessageRecorder recorder;
    clickRow(2);
    window.Le_Login->setText(QStringLiteral("operator"));
    window.Le_NewPass1->setText(QStringLiteral("pw"));
    window.Le_NewPass2->setText(QStringLiteral("pw"));
    chooseLevel(2);
    window.b_ApplyEdits->click();
    ASSERT_EQ(recorder.shown().size(), 1);
    EXPECT_EQ(recorder.shown().at(0).text, QStringLiteral("Редактирование записи прошло успешно!"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("operator"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("Администратор"));
    // Login, password and level, journaled in the order they were applied.
    const QString journal = journalText();
    const qsizetype w006 = journal.indexOf(QStringLiteral("|w006|oper|operator\r\n"));
    const qsizetype w005 = journal.indexOf(QStringLiteral("|w005|operator\r\n"));
    EXPECT_GT(w006, 0);
    EXPECT_GT(w005, w006);
    EXPECT_TRUE(journal.endsWith(QStringLiteral("|w007|operator|1|2\r\n")));
    // The passwords must match; they are emptied when they do not.
    window.Le_NewPass1->setText(QStringLiteral("a"));
    window.Le_NewPass2->setText(QStringLiteral("b"));
    recorder.clear();
    window.b_ApplyEdits->click();
    EXPECT_EQ(recorder.codes(), QStringList({"e003"}));
    EXPECT_TRUE(window.Le_NewPass1->text().isEmpty());
    EXPECT_TRUE(window.Le_NewPass2->text().isEmpty());
    // A login that exists is refused and put back.
    window.Le_Login->setText(QStringLiteral("admin"));
    recorder.clear();
    window.b_ApplyEdits->click();
    EXPECT_EQ(recorder.codes(), QStringList({"e005"}));
    EXPECT_EQ(window.Le_Login->text(), QStringLiteral("operator"));
}

TEST_F(AdminWindow, AddRemoveSave) {
    showAs(3);
    MessageRecorder recorder;
    window.tb_AddUser->click();
    window.tb_AddUser->click();
    ASSERT_EQ(window.sg_Users->rowCount(), 5);
    EXPECT_EQ(cell(4, 0), QStringLiteral("User"));
    EXPECT_EQ(cell(4, 1), QStringLiteral("Мнемосхема"));
    EXPECT_EQ(window.sg_Users->currentRow(), 4);
    EXPECT_EQ(window.Le_Login->text(), QStringLiteral("User"));

    clickRow(0); // the only developer
    window.tb_RemoveUser->click();
    EXPECT_EQ(recorder.codes(), QStringList({"e007"}));
    EXPECT_EQ(window.sg_Users->rowCount(), 5);

    clickRow(2);
    window.tb_RemoveUser->click();
    EXPECT_EQ(window.sg_Users->rowCount(), 4);
    EXPECT_EQ(cell(2, 0), QStringLiteral("User"));
    EXPECT_TRUE(journalText().endsWith(QStringLiteral("|w008|oper|1\r\n")));

    window.tb_SaveUsers->click();
    const QList<users::TUser> saved = fileAccounts();
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.at(2), (users::TUser{"User", "marnu", 0, {}}));
    EXPECT_EQ(saved.at(3), (users::TUser{"User", "marnu", 0, {}}));
    // Saved: closing asks nothing.
    recorder.clear();
    window.close();
    EXPECT_TRUE(recorder.shown().isEmpty());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(AdminWindow, ClosingWithChangesAsksAndNoDiscards) {
    showAs(3);
    const QByteArray before = folder.read("users.dat");
    MessageRecorder recorder(MessageAnswer::No);
    window.tb_AddUser->click();
    window.close();
    EXPECT_EQ(recorder.codes(), QStringList({QStringLiteral("Сохранить изменения?")}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(folder.read("users.dat"), before);
    EXPECT_TRUE(window.editor().accounts().isEmpty());
    // The next show reads the file again, unchanged.
    window.show();
    EXPECT_EQ(window.sg_Users->rowCount(), 3);

    recorder.setDefaultAnswer(MessageAnswer::Yes);
    window.tb_AddUser->click();
    window.close();
    EXPECT_EQ(fileAccounts().size(), 4);
}

// An account whose level digit has no item (4 to 9): the grid shows the digit, no item is chosen, and an
// Apply that changes only the password keeps the level in the list, the journal and the file.
TEST_F(AdminWindow, ALevelWithoutAnItemIsKeptByAnApplyThatDoesNotChooseOne) {
    QList<users::TUser> accounts = kAccounts;
    accounts.append({"legacy", "old", 7, {}});
    users::writeFile(folder.file("users.dat"), accounts);
    showAs(3);
    MessageRecorder recorder;
    EXPECT_EQ(cell(3, 1), QStringLiteral("7"));
    clickRow(3);
    EXPECT_EQ(window.rg_AccessLevelItems->checkedId(), -1);
    window.Le_Pass->setText(QStringLiteral("old"));
    QTest::keyClick(window.Le_Pass, Qt::Key_Return);
    ASSERT_TRUE(editsEnabled());
    window.Le_NewPass1->setText(QStringLiteral("new"));
    window.Le_NewPass2->setText(QStringLiteral("new"));
    window.b_ApplyEdits->click();
    EXPECT_EQ(recorder.codes(), QStringList{program().applicationTitle});
    EXPECT_EQ(cell(3, 1), QStringLiteral("7"));
    EXPECT_FALSE(journalText().contains(QStringLiteral("|w007|"))) << journalText().toStdString();
    window.tb_SaveUsers->click();
    const QList<users::TUser> saved = fileAccounts();
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[3].password, QStringLiteral("new"));
    EXPECT_EQ(saved[3].level, 7);

    // Choosing an item changes it as for any account.
    chooseLevel(1);
    window.b_ApplyEdits->click();
    EXPECT_EQ(cell(3, 1), QStringLiteral("Оператор"));
    EXPECT_TRUE(journalText().endsWith(QStringLiteral("|w007|legacy|7|1\r\n")));
}
