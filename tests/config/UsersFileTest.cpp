#include "config/Credentials.h"
#include "config/Journal.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::users;

namespace kalver::users {
void PrintTo(const TUser& u, std::ostream* os) {
    *os << u.login.toStdString() << "|" << u.password.toStdString() << "/" << u.level << " [" << u.levelText.toStdString()
        << "]";
}
} // namespace kalver::users

namespace {

// Blank runs from a fixed list, repeated.
BlankRun runsOf(QList<int> runs) {
    auto next = std::make_shared<int>(0);
    return [runs, next] { return runs.at((*next)++ % runs.size()); };
}

} // namespace

TEST(UsersFile, BytesAreUtf8WithMarkBlankRunsAndCrLf) {
    const QList<TUser> accounts = {{"Demo", "kalver", 3, {}}, {"Оператор1", "пароль", 1, {}}};
    const QByteArray expected = QByteArray("\xEF\xBB\xBF") + "Demo|kalver/3" + QByteArray(14, ' ') + "\r\n" + "  " +
                                QStringLiteral("Оператор1|пароль/1").toUtf8() + "     \r\n";
    EXPECT_EQ(toBytes(accounts, runsOf({0, 14, 2, 5})), expected);
}

TEST(UsersFile, RoundTripWithRandomBlankRuns) {
    const QList<TUser> accounts = {
        {"Demo", "kalver", 3, {}}, {"admin", "a d m", 2, {}}, {"Иван", "", 0, {}}, {"op", "p|ipe", 1, {}}};
    for (int i = 0; i < 20; ++i) {
        const QByteArray bytes = toBytes(accounts);
        EXPECT_EQ(parseAccounts(linesOf(bytes)), accounts) << bytes.toStdString();
    }
    test::ScratchFolder folder;
    ASSERT_TRUE(writeFile(folder.file("users.dat"), accounts));
    const auto lines = readLines(folder.file("users.dat"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(parseAccounts(*lines), accounts);
}

TEST(UsersFile, WhichLinesAreAccounts) {
    struct Case {
        const char* line;
        std::optional<TUser> account;
    };
    const Case cases[] = {
        {"Demo|pw/1", TUser{"Demo", "pw", 1, {}}},
        {"   \t Demo|pw/1 \x01  ", TUser{"Demo", "pw", 1, {}}},
        {"Demo|p w/1", TUser{"Demo", "p w", 1, {}}},
        {"Demo|pw/12", TUser{"Demo", "pw", 1, {}}},
        {"Demo|pw/x", TUser{"Demo", "pw", -1, "x"}},
        {"Demo|pw/", TUser{"Demo", "pw", -1, ""}},
        {"Demo|pw/a/3", TUser{"Demo", "pw", -1, "a"}},
        {"|/0", TUser{"", "", 0, {}}},
        {"Demo pw 1", std::nullopt},
        {"Demo|pw1", std::nullopt},
        {"Demo/pw|1", std::nullopt}, // the "/" must follow the "|"
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseAccountLine(QString::fromUtf8(c.line)), c.account) << c.line;
}

TEST(UsersFile, CredentialCheck) {
    const QStringList lines = linesOf(QByteArray("\xEF\xBB\xBF") +
                                      "  Demo|Pass1/1    \r\n"
                                      "comment line\r\n"
                                      "twin|same/2\r\n"
                                      "twin|same/0\r\n"
                                      "odd|x/Z\r\n"
                                      "high|h/7\r\n");
    struct Case {
        const char* login;
        const char* password;
        int level;
    };
    const Case cases[] = {
        {"Demo", "Pass1", 1},  {"Demo", "Pass1x", -1}, {"Demo", "Pass", -1}, {"Demo", "", -1},
        {"demo", "Pass1", -1}, {"Demo ", "Pass1", -1}, {"twin", "same", 2},  {"odd", "x", -1},
        {"high", "h", 7},      {"", "", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(credentialLevel(lines, QString::fromUtf8(c.login), QString::fromUtf8(c.password)), c.level)
            << c.login << "/" << c.password;
}

TEST(UsersFile, MissingOrEmptyFileIsE001AndJournaled) {
    test::ScratchFolder folder;
    ASSERT_TRUE(journal::startNewFile(program().journalFilePath));
    const QString e001Line = QStringLiteral("|e001\r\n");
    const QByteArray e001Bytes(reinterpret_cast<const char*>(e001Line.utf16()), e001Line.size() * 2);
    for (const QByteArray& content : {QByteArray(), QByteArray("\xEF\xBB\xBF"), QByteArray("missing")}) {
        if (content != "missing")
            folder.write("users.dat", content);
        test::MessageRecorder recorder;
        const CredentialCheck check = checkCredentials("Demo", "x");
        EXPECT_FALSE(check.fileLoaded);
        EXPECT_EQ(check.level, -1);
        EXPECT_EQ(recorder.codes(), QStringList({"e001"}));
        ASSERT_EQ(recorder.shown().size(), 1);
        EXPECT_EQ(recorder.shown()[0].text,
                  QStringLiteral("Не найден файл пользователей!\nОбратитесь к разработчику.\nПриложение будет закрыто."));
        EXPECT_TRUE(folder.read("arch.res").endsWith(e001Bytes));
        QFile::remove(folder.file("users.dat"));
    }
    folder.write("users.dat", "\r\n");
    test::MessageRecorder recorder;
    const CredentialCheck check = checkCredentials("Demo", "x");
    EXPECT_TRUE(check.fileLoaded) << "a file with one (empty) line is loaded";
    EXPECT_EQ(check.level, -1);
    EXPECT_TRUE(recorder.shown().isEmpty());
}

TEST(UsersFile, DamagedFilesNeverYieldMalformedAccounts) {
    const QByteArray good = toBytes({{"Demo", "kalver", 3, {}}, {"Иван", "пароль", 1, {}}, {"x", "y", 0, {}}});
    QRandomGenerator random(7);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = good;
        if (i % 3 == 0)
            bytes.truncate(random.bounded(int(bytes.size())));
        for (int flips = random.bounded(4); flips > 0 && !bytes.isEmpty(); --flips)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        for (const TUser& u : parseAccounts(linesOf(bytes))) {
            ASSERT_FALSE(u.login.contains(QLatin1Char('|')));
            ASSERT_FALSE(u.password.contains(QLatin1Char('/')));
            ASSERT_TRUE(u.level >= -1 && u.level <= 9);
            ASSERT_TRUE(u.level >= 0 ? u.levelText.isEmpty() : u.levelText.size() <= 1);
        }
    }
}
