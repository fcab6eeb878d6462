// The log-in window: creation, log-in at every access level, a failed log-in, the keyboard, the
// password display, the missing account file, and the program's end when the window closes.

#include "SessionTestSupport.h"

#include "config/Journal.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "link/ClusterList.h"
#include "session/Unit_Login.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QCheckBox>
#include <QApplication>
#include <QAbstractButton>
#include <QTimer>
#include <QPointer>
#include <QMessageBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

using namespace kalver;
using test::MessageRecorder;
using test::journalEntries;

namespace {

const QList<users::TUser> kAccounts = {
    {"mnemo", "m0", 0, {}},
    {"oper", "op", 1, {}},
    {"admin", "adm", 2, {}},
    {"Demo", "dev", 3, {}},
};

class LoginWindow : public ::testing::Test {
protected:
    LoginWindow() : m_oldLevel(program().accessLevel) {
        journal::startNewFile(program().journalFilePath);
        users::writeFile(folder.file("users.dat"), kAccounts);
        window = std::make_unique<TForm_Login>(clusters);
    }
    ~LoginWindow() override {
        window.reset();
        program().accessLevel = m_oldLevel;
    }

    void logIn(const QString& login, const QString& password) {
        window->lbl_UserName->setText(login);
        window->lbl_Password->setText(password);
        window->sb_Autorize->click();
    }
    // The enabled states of sb_ShowWork, sb_ShowMnemo, sb_ShowSettings, sb_ShowAdmin.
    session::AccessControls buttons() const {
        return {window->sb_ShowWork->isEnabled(), window->sb_ShowMnemo->isEnabled(),
                window->sb_ShowSettings->isEnabled(), window->sb_ShowAdmin->isEnabled(),
                windows.developerItems.value(windows.developerItems.size() - 1, false)};
    }

    test::ScratchFolder folder;
    MessageRecorder messages;
    test::RecordingSessionWindows windows;
    link::ClusterList clusters;
    std::unique_ptr<TForm_Login> window;

private:
    int m_oldLevel;
};

TEST_F(LoginWindow, StartsCollapsedWithoutAccess) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kalver Client v1.3 DEMO - Авторизация"));
    EXPECT_EQ(window->height(), 113);
    EXPECT_EQ(window->minimumHeight(), 113);
    EXPECT_EQ(window->maximumHeight(), 113);
    EXPECT_EQ(window->width(), 281);
    EXPECT_EQ(program().accessLevel, -1);
    EXPECT_EQ(window->lbl_UserName->text(), QStringLiteral("Demo"));
    EXPECT_EQ(window->lbl_Password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(buttons(), session::kNoAccess);
    // Everything a collapsed window shows lies within its 113 pixels.
    for (QWidget* w : {static_cast<QWidget*>(window->lbl_UserName), static_cast<QWidget*>(window->lbl_Password),
                       static_cast<QWidget*>(window->chb_ShowPass), static_cast<QWidget*>(window->sb_Autorize)})
        EXPECT_LE(w->geometry().bottom(), 113) << w->objectName().toStdString();
    for (QToolButton* b : {window->sb_ShowWork, window->sb_ShowMnemo, window->sb_ShowSettings, window->sb_ShowAdmin}) {
        EXPECT_GE(b->geometry().top(), 113) << b->objectName().toStdString();
        EXPECT_LE(b->geometry().bottom(), 398) << b->objectName().toStdString();
    }
    // The program folder holds no demonstration cluster: the operator is told so.
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.shown().at(0).text,
              QStringLiteral("Ошибка запуска демонстрационного Кластера.\nПопробуйте запустить его вручную из папки с программой."));
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
}

struct LevelCase {
    const char* login;
    const char* password;
    int level;
    const char* name;
    session::AccessControls buttons;
    int height;
    const char* journal;
};

TEST_F(LoginWindow, EachAccountLevelOpensItsButtons) {
    const LevelCase cases[] = {
        {"mnemo", "m0", 0, "Мнемосхема", {false, true, false, false, false}, 398, "w001|mnemo"},
        {"oper", "op", 1, "Оператор", {true, true, false, false, false}, 398, "w002|oper"},
        {"admin", "adm", 2, "Администратор", {false, false, false, true, false}, 398, "w003|admin"},
        {"Demo", "dev", 3, "Разработчик", {true, true, true, true, true}, 398, "w004|Demo"},
        // A failed log-in after a good one takes every button away and keeps the level's name.
        {"Demo", "wrong", -1, "Разработчик", {false, false, false, false, false}, 113, "e002|Demo|wrong"},
        {"oper", "op", 1, "Оператор", {true, true, false, false, false}, 398, "w002|oper"},
        {"nobody", "op", -1, "Оператор", {false, false, false, false, false}, 113, "e002|nobody|op"},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.login + std::string("/") + c.password);
        messages.clear();
        const int refills = windows.stateFilterRefills;
        logIn(QString::fromUtf8(c.login), QString::fromUtf8(c.password));

        EXPECT_EQ(program().accessLevel, c.level);
        EXPECT_EQ(window->lbl_AccessLevel->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(buttons(), c.buttons);
        EXPECT_EQ(window->height(), c.height);
        EXPECT_EQ(window->minimumHeight(), c.height);
        EXPECT_EQ(window->maximumHeight(), c.height);
        EXPECT_EQ(journalEntries().value(journalEntries().size() - 1), QString::fromUtf8(c.journal));
        EXPECT_EQ(windows.stateFilterRefills, refills + 1);
        if (c.level < 0) {
            EXPECT_EQ(messages.codes(), QStringList{QStringLiteral("e002")});
            EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Ошибка авторизации"));
            EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
        } else {
            EXPECT_TRUE(messages.shown().isEmpty());
        }
    }
}

TEST_F(LoginWindow, EnterInEitherFieldLogsIn) {
    window->lbl_UserName->setText(QStringLiteral("oper"));
    window->lbl_Password->setText(QStringLiteral("op"));
    QTest::keyClick(window->lbl_Password, Qt::Key_Return);
    EXPECT_EQ(program().accessLevel, 1);
    EXPECT_EQ(window->lbl_AccessLevel->text(), QStringLiteral("Оператор"));
    EXPECT_EQ(window->height(), 398);

    window->lbl_UserName->setText(QStringLiteral("admin"));
    window->lbl_Password->setText(QStringLiteral("adm"));
    QTest::keyClick(window->lbl_UserName, Qt::Key_Enter);
    EXPECT_EQ(program().accessLevel, 2);
    EXPECT_EQ(journalEntries().mid(1), (QStringList{QStringLiteral("w002|oper"), QStringLiteral("w003|admin")}));
}

TEST_F(LoginWindow, ShowPasswordShowsItInClear) {
    window->chb_ShowPass->click();
    EXPECT_EQ(window->lbl_Password->echoMode(), QLineEdit::Normal);
    window->chb_ShowPass->click();
    EXPECT_EQ(window->lbl_Password->echoMode(), QLineEdit::Password);
}

TEST_F(LoginWindow, MissingAccountFileEndsTheProgram) {
    QFile::remove(folder.file("users.dat"));
    QSignalSpy ended(window.get(), &TForm_Login::programEnded);
    messages.clear();
    logIn(QStringLiteral("oper"), QStringLiteral("op"));

    EXPECT_EQ(program().accessLevel, -1);
    EXPECT_EQ(messages.codes(), (QStringList{QStringLiteral("e001"), QStringLiteral("e002")}));
    EXPECT_EQ(window->height(), 113);
    // The window closes once the handler has returned, and the program ends.
    EXPECT_TRUE(ended.isEmpty());
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(journalEntries().mid(1), (QStringList{QStringLiteral("e001"), QStringLiteral("e002|oper|op")}));
}

namespace {
// Stands at the real message boxes as an operator: each box, once shown, is answered with its OK
// button from the event loop, and what it said is recorded with `ended()` at the moment of the answer.
class BoxOperator : public QObject {
public:
    explicit BoxOperator(std::function<bool()> ended) : m_ended(std::move(ended)) {
        qApp->installEventFilter(this);
    }
    ~BoxOperator() override { qApp->removeEventFilter(this); }

    struct Answer {
        QString title;
        QString text;
        bool programEnded = false;
    };
    QList<Answer> answers;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(object)) {
                QPointer<QMessageBox> shown(box);
                QTimer::singleShot(0, this, [this, shown] {
                    if (!shown)
                        return;
                    answers.append({shown->windowTitle(), shown->text(), m_ended()});
                    if (QAbstractButton* ok = shown->button(QMessageBox::Ok))
                        ok->click();
                    else
                        shown->reject();
                });
            }
        return false;
    }

private:
    std::function<bool()> m_ended;
};
} // namespace

TEST_F(LoginWindow, MissingAccountFileEndsTheProgramOnceE002IsAnswered) {
    // The real boxes, as the operator sees them: e001, then e002, and only then does the program end.
    QFile::remove(folder.file("users.dat"));
    QSignalSpy ended(window.get(), &TForm_Login::programEnded);
    setMessageResponder({});
    BoxOperator operatorAtTheBoxes([&] { return !ended.isEmpty(); });
    window->show();
    logIn(QStringLiteral("oper"), QStringLiteral("op"));

    ASSERT_EQ(operatorAtTheBoxes.answers.size(), 2);
    EXPECT_EQ(operatorAtTheBoxes.answers[0].title, QStringLiteral("Ошибка настройки"));
    EXPECT_FALSE(operatorAtTheBoxes.answers[0].programEnded);
    EXPECT_EQ(operatorAtTheBoxes.answers[1].title, QStringLiteral("Ошибка авторизации"));
    EXPECT_EQ(operatorAtTheBoxes.answers[1].text,
              QStringLiteral("Логин и/или пароль введен(ы) неверно!\nПроверьте правильность ввода."));
    EXPECT_FALSE(operatorAtTheBoxes.answers[1].programEnded) << "e002 stays up until it is answered";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 10000));
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(window->isVisible());
}

// ---- the program's end

class ProgramEnd : public LoginWindow {
protected:
    ProgramEnd() : settings({{QStringLiteral("127.0.0.1"), QStringLiteral("151500")}}, QStringLiteral("13001")) {
        QDir().mkpath(settings.chargeFolder() + QStringLiteral("stuck.crg"));
        for (const char* name : {"1.crg", "25.crg", ".7.crg", "notes.txt"})
            writeFile(settings.chargeFolder() + QString::fromLatin1(name));
        writeFile(folder.file("FileSystem.tmp"));
        clusters.create(QStringLiteral("127.0.0.1"), 1, 2);
        clusters.create(QStringLiteral("127.0.0.1"), 3, 4);
        messages.clear();
    }
    static void writeFile(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QStringList chargeFiles() const {
        return QDir(settings.chargeFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    void closeWindow() {
        QSignalSpy ended(window.get(), &TForm_Login::programEnded);
        window->close();
        EXPECT_EQ(ended.size(), 1);
    }

    test::TestSettings settings;
};

TEST_F(ProgramEnd, DeveloperMayClearTheChargeFiles) {
    logIn(QStringLiteral("Demo"), QStringLiteral("dev"));
    messages.script({MessageAnswer::Yes});
    closeWindow();

    EXPECT_EQ(messages.codes(), QStringList{QStringLiteral("e040")});
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown().at(0).buttons, MessageButtons::YesNo);
    // Every "*.crg" file went, hidden ones included; the folder named like one was skipped and the
    // sweep still ended.
    EXPECT_EQ(chargeFiles(), (QStringList{QStringLiteral("notes.txt"), QStringLiteral("stuck.crg")}));
    EXPECT_FALSE(QFile::exists(folder.file("FileSystem.tmp")));
    EXPECT_EQ(clusters.count(), 0);
    EXPECT_EQ(windows.trayHidden, 1);
}

TEST_F(ProgramEnd, ChargeFilesStayWhenTheDeveloperSaysNo) {
    logIn(QStringLiteral("Demo"), QStringLiteral("dev"));
    messages.script({MessageAnswer::No});
    closeWindow();
    EXPECT_EQ(messages.codes(), QStringList{QStringLiteral("e040")});
    EXPECT_EQ(chargeFiles().size(), 5);
    EXPECT_FALSE(QFile::exists(folder.file("FileSystem.tmp")));
}

TEST_F(ProgramEnd, OtherLevelsAreNotAsked) {
    logIn(QStringLiteral("oper"), QStringLiteral("op"));
    closeWindow();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(chargeFiles().size(), 5);
    EXPECT_EQ(clusters.count(), 0);
    EXPECT_FALSE(QFile::exists(folder.file("FileSystem.tmp")));
}

} // namespace
