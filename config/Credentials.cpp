#include "config/Credentials.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/UsersFile.h"
#include "core/ProgramValues.h"

namespace kalver::users {

QString accountFilePath() { return program().programFolder + QStringLiteral("users.dat"); }

std::optional<QStringList> loadAccountFile(const QString& path) {
    std::optional<QStringList> lines = readLines(path);
    if (!lines) {
        catalogue::show(u"e001", MessageIcon::Error, MessageButtons::Ok);
        journal::write(QStringLiteral("e001"));
    }
    return lines;
}

CredentialCheck checkCredentials(const QString& login, const QString& password) {
    const std::optional<QStringList> lines = loadAccountFile(accountFilePath());
    if (!lines)
        return {-1, false};
    return {credentialLevel(*lines, login, password), true};
}

} // namespace kalver::users
