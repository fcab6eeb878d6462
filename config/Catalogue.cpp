#include "config/Catalogue.h"

#include <QtGlobal>

namespace kalver::catalogue {

namespace {

QList<Entry> makeEntries() {
    // Title, text pieces, code; in code order.
    return {
        {QStringLiteral("Ошибка авторизации"),
         {QStringLiteral("Логин и/или пароль введен(ы) неверно!\nПроверьте правильность ввода.")},
         QStringLiteral("e002")},
        {QString(), {QStringLiteral("Начат новый файл архива")}, QStringLiteral("e013")},
    };
}

} // namespace

QString Entry::textWith(const QStringList& inserts) const {
    QString out;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        out += pieces.at(i);
        if (i < inserts.size() && i + 1 < pieces.size())
            out += inserts.at(i);
    }
    for (qsizetype i = qMax<qsizetype>(pieces.size() - 1, 0); i < inserts.size(); ++i)
        out += inserts.at(i);
    return out;
}

const QList<Entry>& entries() {
    static const QList<Entry> all = makeEntries();
    return all;
}

const Entry* find(QStringView code) {
    for (const Entry& e : entries())
        if (e.code == code)
            return &e;
    return nullptr;
}

const Entry& entry(QStringView code) {
    const Entry* e = find(code);
    Q_ASSERT_X(e, "catalogue::entry", "unknown catalogue code");
    static const Entry missing;
    return e ? *e : missing;
}

MessageAnswer show(QStringView code, MessageIcon icon, MessageButtons buttons, const QStringList& inserts) {
    const Entry& e = entry(code);
    return showMessage({e.title, e.textWith(inserts), icon, buttons, e.code});
}

} // namespace kalver::catalogue
