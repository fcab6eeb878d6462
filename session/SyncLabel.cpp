#include "session/SyncLabel.h"

#include "session/TimeRequest.h"

#include <QDateTime>
#include <QTimeZone>

namespace kalver::session::sync_label {

QString longTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

QString forSeconds(std::int32_t seconds, const QLocale& locale) {
    if (seconds == session::kTimeNotDetermined)
        return QString::fromUtf16(kTimeUnknown);
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    return QStringLiteral(" [") + locale.toString(utc.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(utc.time(), longTimeFormat(locale)) + u']';
}

} // namespace kalver::session::sync_label
