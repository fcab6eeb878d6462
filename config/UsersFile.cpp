#include "config/UsersFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

namespace kalver::users {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

bool isBlankOrControl(QChar c) { return c.unicode() <= 0x20; }

QString levelTextOf(int level) { return QString::number(level); }

} // namespace

QStringList linesOf(QByteArrayView bytes) {
    if (bytes.startsWith(QByteArrayView(kByteOrderMark)))
        bytes = bytes.sliced(kByteOrderMark.size());
    const QString text = QString::fromUtf8(bytes);
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        lines.append(text.mid(start, end - start));
        if (end < text.size() && text.at(end) == QLatin1Char('\r'))
            ++end;
        if (end < text.size() && text.at(end) == QLatin1Char('\n'))
            ++end;
        start = end;
    }
    return lines;
}

QString trimmedLine(const QString& line) {
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlankOrControl(line.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(line.at(end - 1)))
        --end;
    return line.mid(begin, end - begin);
}

std::optional<TUser> parseAccountLine(const QString& rawLine) {
    const QString line = trimmedLine(rawLine);
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return std::nullopt;
    const qsizetype slash = line.indexOf(QLatin1Char('/'), bar + 1);
    if (slash < 0)
        return std::nullopt;
    TUser user;
    user.login = line.left(bar);
    user.password = line.mid(bar + 1, slash - bar - 1);
    const QString levelChar = line.mid(slash + 1, 1);
    const bool digit = !levelChar.isEmpty() && levelChar.at(0) >= QLatin1Char('0') && levelChar.at(0) <= QLatin1Char('9');
    user.level = digit ? levelChar.at(0).unicode() - '0' : -1;
    if (!digit)
        user.levelText = levelChar;
    return user;
}

QList<TUser> parseAccounts(const QStringList& lines) {
    QList<TUser> accounts;
    for (const QString& line : lines)
        if (auto user = parseAccountLine(line))
            accounts.append(*user);
    return accounts;
}

int credentialLevel(const QStringList& lines, const QString& login, const QString& password) {
    for (const QString& line : lines) {
        const auto user = parseAccountLine(line);
        if (user && user->login == login && user->password == password)
            return user->level;
    }
    return -1;
}

int randomBlankRun() { return int(QRandomGenerator::global()->bounded(15)); }

QByteArray toBytes(const QList<TUser>& accounts, const BlankRun& blankRun) {
    QString text;
    for (const TUser& u : accounts) {
        const QString level = u.level >= 0 ? levelTextOf(u.level) : u.levelText;
        text += QString(qBound(0, blankRun(), 14), QLatin1Char(' '));
        text += u.login + QLatin1Char('|') + u.password + QLatin1Char('/') + level;
        text += QString(qBound(0, blankRun(), 14), QLatin1Char(' '));
        text += QStringLiteral("\r\n");
    }
    return kByteOrderMark + text.toUtf8();
}

std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    const QStringList lines = linesOf(file.read(kMaxFileBytes + 1));
    if (lines.isEmpty())
        return std::nullopt;
    return lines;
}

bool writeFile(const QString& path, const QList<TUser>& accounts, const BlankRun& blankRun) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes(accounts, blankRun);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kalver::users
