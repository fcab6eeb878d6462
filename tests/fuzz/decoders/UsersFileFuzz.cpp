// Arbitrary bytes read as "users.dat": its lines, the accounts, a credential check. The accounts read
// are written back (without blank runs) and must read back the same.

#include "config/UsersFile.h"

#include <cstddef>
#include <cstdint>

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = users::linesOf(bytes);
    const QList<users::TUser> accounts = users::parseAccounts(lines);
    for (const users::TUser& account : accounts) {
        if (account.level < -1 || account.level > 9)
            __builtin_trap();
    }
    if (!accounts.isEmpty())
        (void)users::credentialLevel(lines, accounts.first().login, accounts.first().password);
    (void)users::credentialLevel(lines, QStringLiteral("admin"), QStringLiteral("admin"));
    const QByteArray written = users::toBytes(accounts, [] { return 0; });
    const QList<users::TUser> again = users::parseAccounts(users::linesOf(written));
    // Only accounts that the file format can hold are compared: the administration window never lets
    // a login with "|" or "/", or a password with "/", be typed.
    bool representable = true;
    for (const users::TUser& account : accounts) {
        if (account.login.contains(QLatin1Char('/')) || account.password.contains(QLatin1Char('/')))
            representable = false;
    }
    if (representable && again.size() != accounts.size())
        __builtin_trap();
    return 0;
}
