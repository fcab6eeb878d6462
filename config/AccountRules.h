#pragma once
// The rules of the user administration window, without the window: which account is selected, whether
// its fields may be edited, and what applying, adding and removing do to the account list. Every operation
// says which message (if any) refuses it and which journal entries it records; the window shows and
// writes them.
//
//  - An account below the operator's own level can be edited at once; one of his level or above only after
//    its password has been entered.
//  - Nobody raises a level above his own (e004), and the last developer cannot be lowered (e006).
//  - A login that another account already has is refused (e005); new passwords must match (e003).
//  - The last administrator and the last developer cannot be removed (e007).

#include "config/UsersFile.h"

#include <QList>
#include <QStringList>

namespace kalver::users {

struct ApplyRequest {
    QString login;        // Le_Login
    QString newPassword1; // Le_NewPass1
    QString newPassword2; // Le_NewPass2
    int level = -1;       // the checked item of rg_AccessLevel, −1 for none (the level stays as it is)
};

struct ApplyResult {
    QString refusal;               // "e005", "e003", "e006" or "e004"; empty when every step passed
    QStringList journal;           // entries to record, in order
    bool restoreLogin = false;     // e005: Le_Login := the account's login
    bool clearNewPasswords = false; // e003: both new-password fields emptied
    bool restoreLevel = false;     // e006, e004: rg_AccessLevel := the account's level
};

struct RemoveResult {
    QString refusal;     // "e007" or empty
    QStringList journal; // "w008|login|level" when removed
};

class AccountEditor {
public:
    // Starts editing `accounts` for an operator of `sessionLevel`; nothing selected, nothing changed.
    void load(const QList<TUser>& accounts, int sessionLevel);
    // Forgets the list (the window closes).
    void clear();

    const QList<TUser>& accounts() const { return m_accounts; }
    int sessionLevel() const { return m_sessionLevel; }
    bool changed() const { return m_changed; }
    void clearChanged() { m_changed = false; }

    // The selected account's index, −1 for none.
    int selected() const { return m_selected; }
    const TUser* selectedAccount() const;
    // Selects account `index` (−1 or an index outside the list selects none); its fields may be edited at
    // once when its level is below the session level.
    void select(int index);
    bool editsEnabled() const { return m_editsEnabled; }
    // The password of the selected account unlocks its fields; true when it matched.
    bool unlock(const QString& password);

    // Applies the edits to the selected account, step by step; a refused step stops the rest, steps
    // already applied stay. Sets the changed flag, even when refused.
    ApplyResult apply(const ApplyRequest& request);
    // Appends "User" / "marnu" / level 0 and selects it; returns its index.
    int add();
    // Removes the selected account unless it is the last administrator or developer; sets the changed flag.
    // The selection moves to the account that takes its place (or the new last one).
    RemoveResult remove();

private:
    bool loginTaken(const QString& login) const;
    bool anotherDeveloperThan(int index) const;
    int countAtLevel(int level) const;

    QList<TUser> m_accounts;
    int m_sessionLevel = -1;
    int m_selected = -1;
    bool m_editsEnabled = false;
    bool m_changed = false;
};

} // namespace kalver::users
