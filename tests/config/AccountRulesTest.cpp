#include "config/AccountRules.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kalver::users;

namespace {

const QList<TUser> kAccounts = {
    {"dev", "d", 3, {}},   // 0
    {"admin", "a", 2, {}}, // 1
    {"op", "o", 1, {}},    // 2
    {"mn", "m", 0, {}},    // 3
};

// An apply that keeps everything of the selected account except what `edit` changes.
ApplyRequest unchanged(const AccountEditor& e) {
    const TUser& a = *e.selectedAccount();
    return {a.login, {}, {}, a.level};
}

} // namespace

TEST(AccountRules, WhoMayEditWhichAccount) {
    struct Case {
        int session;
        int row;
        const char* unlockWith; // nullptr: no unlock attempt
        bool enabled;
    };
    const Case cases[] = {
        {3, 1, nullptr, true},   // below own level
        {3, 0, nullptr, false},  // own level: only after the password
        {3, 0, "wrong", false},
        {3, 0, "d", true},
        {2, 2, nullptr, true},
        {2, 1, nullptr, false},
        {2, 1, "a", true},
        {2, 0, nullptr, false},  // above own level
        {2, 0, "d", true},       // unlocked by the developer's password (the level rules still apply)
        {2, 0, "a", false},      // another account's password does not unlock
    };
    for (const Case& c : cases) {
        AccountEditor e;
        e.load(kAccounts, c.session);
        e.select(c.row);
        if (c.unlockWith)
            e.unlock(QString::fromLatin1(c.unlockWith));
        EXPECT_EQ(e.editsEnabled(), c.enabled) << "session " << c.session << " row " << c.row;
    }
}

TEST(AccountRules, Apply) {
    struct Case {
        const char* what;
        QList<TUser> accounts;
        int session;
        int row;
        std::function<void(ApplyRequest&)> edit;
        const char* refusal;
        QStringList journal;
        std::function<bool(const QList<TUser>&)> after;
        bool restoreLogin = false;
        bool clearPasswords = false;
        bool restoreLevel = false;
    };
    const auto same = [](const QList<TUser>& a) { return a == kAccounts; };
    const Case cases[] = {
        {"nothing changed", kAccounts, 3, 2, [](auto&) {}, "", {}, same},
        {"new login", kAccounts, 3, 2, [](auto& r) { r.login = "op2"; }, "", {"w006|op|op2"},
         [](const auto& a) { return a[2].login == "op2"; }},
        {"duplicate login", kAccounts, 3, 2, [](auto& r) { r.login = "mn"; }, "e005", {}, same, true},
        {"new password", kAccounts, 3, 2, [](auto& r) { r.newPassword1 = r.newPassword2 = "x"; }, "", {"w005|op"},
         [](const auto& a) { return a[2].password == "x"; }},
        {"passwords differ", kAccounts, 3, 2, [](auto& r) {
             r.newPassword1 = "x";
             r.newPassword2 = "y";
         }, "e003", {}, same, false, true},
        {"login applied, then passwords differ: the login stays", kAccounts, 3, 2, [](auto& r) {
             r.login = "op2";
             r.newPassword1 = "x";
         }, "e003", {"w006|op|op2"}, [](const auto& a) { return a[2].login == "op2" && a[2].password == "o"; }, false,
         true},
        {"level raised to own level", kAccounts, 3, 2, [](auto& r) { r.level = 3; }, "", {"w007|op|1|3"},
         [](const auto& a) { return a[2].level == 3; }},
        {"level above own level, even unlocked", kAccounts, 2, 1, [](auto& r) { r.level = 3; }, "e004", {"e004"}, same,
         false, false, true},
        {"admin lowers an operator", kAccounts, 2, 2, [](auto& r) { r.level = 0; }, "", {"w007|op|1|0"},
         [](const auto& a) { return a[2].level == 0; }},
        {"last developer lowered", kAccounts, 3, 0, [](auto& r) { r.level = 2; }, "e006", {"e006"}, same, false, false,
         true},
        {"one of two developers lowered", QList<TUser>(kAccounts) << TUser{"dev2", "x", 3, {}}, 3, 0,
         [](auto& r) { r.level = 2; }, "", {"w007|dev|3|2"}, [](const auto& a) { return a[0].level == 2; }},
        {"without any developer only level 3 may be given", QList<TUser>(kAccounts.mid(1)), 2, 1,
         [](auto& r) { r.level = 0; }, "e006", {"e006"}, [](const auto& a) { return a == kAccounts.mid(1); }, false,
         false, true},
        {"password applied, then level refused", kAccounts, 3, 0, [](auto& r) {
             r.newPassword1 = r.newPassword2 = "new";
             r.level = 1;
         }, "e006", {"w005|dev", "e006"}, [](const auto& a) { return a[0].password == "new" && a[0].level == 3; },
         false, false, true},
    };
    for (const Case& c : cases) {
        AccountEditor e;
        e.load(c.accounts, c.session);
        e.select(c.row);
        ApplyRequest request = unchanged(e);
        c.edit(request);
        const ApplyResult r = e.apply(request);
        EXPECT_EQ(r.refusal, QString::fromLatin1(c.refusal)) << c.what;
        EXPECT_EQ(r.journal, c.journal) << c.what;
        EXPECT_TRUE(c.after(e.accounts())) << c.what;
        EXPECT_EQ(r.restoreLogin, c.restoreLogin) << c.what;
        EXPECT_EQ(r.clearNewPasswords, c.clearPasswords) << c.what;
        EXPECT_EQ(r.restoreLevel, c.restoreLevel) << c.what;
        EXPECT_TRUE(e.changed()) << c.what << ": every apply counts as a change";
    }
}

TEST(AccountRules, AddTwiceGivesTwoUsersAndRenamingToATakenLoginIsRefused) {
    AccountEditor e;
    e.load(kAccounts, 3);
    EXPECT_EQ(e.add(), 4);
    EXPECT_EQ(e.add(), 5);
    EXPECT_EQ(e.selected(), 5);
    EXPECT_TRUE(e.editsEnabled());
    const TUser user{"User", "marnu", 0, {}};
    EXPECT_EQ(e.accounts().mid(4), QList<TUser>({user, user}));
    // Renaming either "User" to a login that exists is refused.
    ApplyRequest r = unchanged(e);
    r.login = QStringLiteral("op");
    EXPECT_EQ(e.apply(r).refusal, QStringLiteral("e005"));
    e.select(4);
    r = unchanged(e);
    r.login = QStringLiteral("User2");
    EXPECT_TRUE(e.apply(r).refusal.isEmpty());
    e.select(5);
    r = unchanged(e);
    r.login = QStringLiteral("User2");
    EXPECT_EQ(e.apply(r).refusal, QStringLiteral("e005"));
}

TEST(AccountRules, Remove) {
    struct Case {
        const char* what;
        QList<TUser> accounts;
        int row;
        const char* refusal;
        QStringList journal;
    };
    const Case cases[] = {
        {"only developer", kAccounts, 0, "e007", {}},
        {"only administrator", kAccounts, 1, "e007", {}},
        {"operator", kAccounts, 2, "", {"w008|op|1"}},
        {"mnemonic", kAccounts, 3, "", {"w008|mn|0"}},
        {"one of two developers", QList<TUser>(kAccounts) << TUser{"dev2", "x", 3, {}}, 0, "", {"w008|dev|3"}},
        {"one of two administrators", QList<TUser>(kAccounts) << TUser{"adm2", "x", 2, {}}, 1, "", {"w008|admin|2"}},
    };
    for (const Case& c : cases) {
        AccountEditor e;
        e.load(c.accounts, 3);
        e.select(c.row);
        const RemoveResult r = e.remove();
        EXPECT_EQ(r.refusal, QString::fromLatin1(c.refusal)) << c.what;
        EXPECT_EQ(r.journal, c.journal) << c.what;
        EXPECT_TRUE(e.changed()) << c.what;
        QList<TUser> expected = c.accounts;
        if (r.refusal.isEmpty())
            expected.removeAt(c.row);
        EXPECT_EQ(e.accounts(), expected) << c.what;
    }
    // The selection moves to the account that took the removed one's place, then to the new last one.
    AccountEditor e;
    e.load(kAccounts, 3);
    e.select(2);
    e.remove();
    EXPECT_EQ(e.selectedAccount()->login, QStringLiteral("mn"));
    e.remove();
    EXPECT_EQ(e.selectedAccount()->login, QStringLiteral("admin"));
    // Nothing selected: nothing happens.
    e.select(-1);
    EXPECT_TRUE(e.remove().journal.isEmpty());
    EXPECT_EQ(e.accounts().size(), 2);
}
