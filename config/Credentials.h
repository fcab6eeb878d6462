#pragma once
// The credential check of the log-in window and the loading of the account file that it shares with the
// administration window.

#include <QString>
#include <QStringList>

#include <optional>

namespace kalver::users {

// "users.dat" in the program's folder.
QString accountFilePath();

// The lines of the account file at `path`. When it is missing or has no lines: the message e001 (error
// icon), the journal entry "e001", and nullopt.
std::optional<QStringList> loadAccountFile(const QString& path);

struct CredentialCheck {
    int level = -1;          // the account's level, or −1 (a failed log-in when outside 0 … 3)
    bool fileLoaded = true;  // false after e001: the log-in window closes and the program ends
};

// Loads the account file and finds the first account with exactly this login and password.
CredentialCheck checkCredentials(const QString& login, const QString& password);

} // namespace kalver::users
