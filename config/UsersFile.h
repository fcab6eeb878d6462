#pragma once
// The account file "users.dat": UTF-8 text with a byte-order mark, one account per line, lines ended by
// CR LF. A line is a run of blanks, then login "|" password "/" level digit, then another run of blanks;
// each run is 0 … 14 blanks drawn at random when the file is written. Reading trims blanks and control
// characters from every line. A login holding "|" or "/", or a password holding "/", cannot be
// represented, so the administration window does not let them be typed.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kalver::users {

// One account. `level` is 0 … 3, or −1 when the character after "/" is not a digit; such an account never
// logs in, and `levelText` keeps that character (or nothing) so that saving writes the line back as it
// was. `levelText` is empty for an account with a digit level.
struct TUser {
    QString login;
    QString password;
    int level = 0;
    QString levelText;

    bool operator==(const TUser&) const = default;
};

// Larger than any account file an operator keeps; a larger file is treated as one that cannot be loaded.
inline constexpr qsizetype kMaxFileBytes = 1024 * 1024;

// The file's lines: UTF-8, a leading byte-order mark dropped, lines ended by CR LF, LF or CR. An empty
// file (or one holding only the mark) has no lines.
QStringList linesOf(QByteArrayView bytes);

// The line with blanks and control characters removed from both ends.
QString trimmedLine(const QString& line);

// An account line: after trimming it holds a "|" and, after that, a "/". The login is the text before the
// first "|", the password the text between it and the first "/" after it, the level the one character
// after that "/". Other lines are not accounts.
std::optional<TUser> parseAccountLine(const QString& line);
// Every account line of `lines`, in file order.
QList<TUser> parseAccounts(const QStringList& lines);

// The level of the first account whose login and password equal the given ones exactly; −1 when there is
// none or when its level character is not a digit.
int credentialLevel(const QStringList& lines, const QString& login, const QString& password);

// The length of one run of blanks, 0 … 14.
using BlankRun = std::function<int()>;
int randomBlankRun();

// The file's bytes: the mark, then one line per account with a run of blanks before and after it.
QByteArray toBytes(const QList<TUser>& accounts, const BlankRun& blankRun = randomBlankRun);

// The lines of the file at `path`; nullopt when it is missing, cannot be read, is too large or has no lines.
std::optional<QStringList> readLines(const QString& path);
// Replaces the file at `path` atomically; false when it cannot be written.
bool writeFile(const QString& path, const QList<TUser>& accounts, const BlankRun& blankRun = randomBlankRun);

} // namespace kalver::users
