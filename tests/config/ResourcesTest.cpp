// The default files installed into the program folder: the settings pass the settings window's own
// checks, and there is one account per level with "Demo" among them.

#include "config/SettingsChecks.h"
#include "config/SettingsFile.h"
#include "config/UsersFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kalver;

namespace {

QByteArray resource(const char* name) {
    QFile f(QStringLiteral(KALVER_RESOURCES "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DefaultResources, SettingsHoldFourLocalClustersThatPassTheChecks) {
    const auto values = settings::parse(resource("settings.ini"));
    ASSERT_TRUE(values);
    EXPECT_EQ(values->clusters, 4);
    EXPECT_EQ(settings::toBytes(*values), resource("settings.ini")) << "written exactly as the program writes it";
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(values->grid.at(k + 1).at(1), QStringLiteral("127.0.0.1"));
    const settings::FolderSteps noFolders{[](const QString&) { return true; }, [](const QString&) { return true; }};
    EXPECT_TRUE(settings::firstFailedCloseCheck(*values, noFolders).isEmpty());
    // Every cluster port distinct, also from the last row's (which the window does not compare).
    QStringList ports;
    for (int k = 1; k <= 4; ++k)
        ports << values->grid.at(k + 1).at(2);
    ports.removeDuplicates();
    EXPECT_EQ(ports.size(), 4);
}

TEST(DefaultResources, OneAccountPerLevelAndDemoIsADeveloper) {
    const QByteArray bytes = resource("users.dat");
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<users::TUser> accounts = users::parseAccounts(users::linesOf(bytes));
    ASSERT_EQ(accounts.size(), 4);
    QList<int> levels;
    for (const users::TUser& u : accounts)
        levels << u.level;
    std::sort(levels.begin(), levels.end());
    EXPECT_EQ(levels, QList<int>({0, 1, 2, 3}));
    EXPECT_EQ(users::credentialLevel(users::linesOf(bytes), "Demo", "demo"), 3);
    EXPECT_EQ(bytes.count("\r\n"), 4);
}
