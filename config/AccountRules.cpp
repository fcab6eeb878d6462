#include "config/AccountRules.h"

#include "core/ProgramValues.h"

namespace kalver::users {

namespace {

QString entry(std::initializer_list<QString> parts) { return QStringList(parts).join(QLatin1Char('|')); }

} // namespace

void AccountEditor::load(const QList<TUser>& accounts, int sessionLevel) {
    m_accounts = accounts;
    m_sessionLevel = sessionLevel;
    m_selected = -1;
    m_editsEnabled = false;
    m_changed = false;
}

void AccountEditor::clear() { load({}, m_sessionLevel); }

const TUser* AccountEditor::selectedAccount() const {
    return m_selected >= 0 && m_selected < m_accounts.size() ? &m_accounts.at(m_selected) : nullptr;
}

void AccountEditor::select(int index) {
    m_selected = index >= 0 && index < m_accounts.size() ? index : -1;
    const TUser* a = selectedAccount();
    m_editsEnabled = a && a->level < m_sessionLevel;
}

bool AccountEditor::unlock(const QString& password) {
    const TUser* a = selectedAccount();
    if (!a || a->password != password)
        return false;
    m_editsEnabled = true;
    return true;
}

bool AccountEditor::loginTaken(const QString& login) const {
    for (const TUser& u : m_accounts)
        if (u.login == login)
            return true;
    return false;
}

bool AccountEditor::anotherDeveloperThan(int index) const {
    for (int i = 0; i < m_accounts.size(); ++i)
        if (i != index && m_accounts.at(i).level >= AccessDeveloper)
            return true;
    return false;
}

int AccountEditor::countAtLevel(int level) const {
    int n = 0;
    for (const TUser& u : m_accounts)
        n += u.level == level ? 1 : 0;
    return n;
}

ApplyResult AccountEditor::apply(const ApplyRequest& request) {
    ApplyResult result;
    if (!selectedAccount())
        return result;
    m_changed = true;
    TUser& a = m_accounts[m_selected];

    // 1. Login.
    if (request.login != a.login) {
        if (loginTaken(request.login)) {
            result.refusal = QStringLiteral("e005");
            result.restoreLogin = true;
            return result;
        }
        result.journal << entry({QStringLiteral("w006"), a.login, request.login});
        a.login = request.login;
    }
    // 2. Passwords must match.
    if (request.newPassword1 != request.newPassword2) {
        result.refusal = QStringLiteral("e003");
        result.clearNewPasswords = true;
        return result;
    }
    // 3. A new password.
    if (!request.newPassword1.isEmpty()) {
        a.password = request.newPassword1;
        result.journal << entry({QStringLiteral("w005"), request.login});
    }
    // 4. Level. No item chosen (an account whose level has no item, 4 to 9 or not a digit) keeps the
    // level as it is.
    if (request.level >= 0 && request.level != a.level) {
        if (!anotherDeveloperThan(m_selected) && request.level != AccessDeveloper) {
            result.refusal = QStringLiteral("e006");
            result.restoreLevel = true;
            result.journal << QStringLiteral("e006");
            return result;
        }
        if (request.level > m_sessionLevel) {
            result.refusal = QStringLiteral("e004");
            result.restoreLevel = true;
            result.journal << QStringLiteral("e004");
            return result;
        }
        result.journal << entry({QStringLiteral("w007"), request.login, a.level >= 0 ? QString::number(a.level) : a.levelText,
                                 QString::number(request.level)});
        a.level = request.level;
        a.levelText.clear();
    }
    return result;
}

int AccountEditor::add() {
    m_accounts.append({QStringLiteral("User"), QStringLiteral("marnu"), AccessMnemo, {}});
    m_changed = true;
    select(int(m_accounts.size()) - 1);
    return m_selected;
}

RemoveResult AccountEditor::remove() {
    RemoveResult result;
    const TUser* a = selectedAccount();
    if (!a)
        return result;
    m_changed = true;
    const bool allowed = a->level < AccessAdmin || (a->level == AccessAdmin && countAtLevel(AccessAdmin) > 1) ||
                         (a->level == AccessDeveloper && countAtLevel(AccessDeveloper) > 1);
    if (!allowed) {
        result.refusal = QStringLiteral("e007");
        return result;
    }
    result.journal << entry({QStringLiteral("w008"), a->login, a->level >= 0 ? QString::number(a->level) : a->levelText});
    const int index = m_selected;
    m_accounts.removeAt(index);
    select(qMin(index, int(m_accounts.size()) - 1));
    return result;
}

} // namespace kalver::users
