#include "demo/Faults.h"

#include <optional>

namespace kalver::demo {

namespace {

std::optional<bool> onOff(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v.isEmpty() || v == u"on" || v == u"1" || v == u"true")
        return true;
    if (v == u"off" || v == u"0" || v == u"false")
        return false;
    return std::nullopt;
}

std::optional<int> count(const QString& value, int whenEmpty) {
    const QString v = value.trimmed().toLower();
    if (v.isEmpty())
        return whenEmpty;
    if (v == u"off")
        return 0;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < 0 || n > 86400)
        return std::nullopt;
    return n;
}

} // namespace

QString applyFault(Faults& faults, const QString& name, const QString& value) {
    const QString n = name.trimmed().toLower();
    bool* flag = nullptr;
    if (n == u"silent") flag = &faults.silent;
    else if (n == u"refuse-permission") flag = &faults.refusePermission;
    else if (n == u"refuse-catalogue") flag = &faults.refuseCatalogue;
    else if (n == u"refuse-subsystem") flag = &faults.refuseSubsystem;
    else if (n == u"save-error") flag = &faults.saveError;
    else if (n == u"shuffle-chunks") flag = &faults.shuffleChunks;
    else if (n == u"sync-error") flag = &faults.syncError;
    else if (n == u"sync-unknown") flag = &faults.syncTimeUnknown;
    if (flag) {
        const std::optional<bool> on = onOff(value);
        if (!on)
            return QStringLiteral("%1 takes on or off, not \"%2\"").arg(n, value);
        *flag = *on;
        return {};
    }
    if (n == u"slow-ack" || n == u"reset-after") {
        const std::optional<int> c = count(value, n == u"slow-ack" ? kDefaultSlowAckSeconds : 1);
        if (!c)
            return QStringLiteral("%1 takes a number from 0 to 86400, not \"%2\"").arg(n, value);
        (n == u"slow-ack" ? faults.slowAckSeconds : faults.resetAfterFrames) = *c;
        return {};
    }
    if (n == u"malformed") {
        const QString v = value.trimmed().toLower();
        if (v == u"magic") faults.malformed = Malformation::WrongMagic;
        else if (v == u"code") faults.malformed = Malformation::UnknownCode;
        else if (v == u"short") faults.malformed = Malformation::ShortLength;
        else if (v == u"off" || v == u"none") faults.malformed = Malformation::None;
        else return QStringLiteral("malformed takes magic, code, short or off, not \"%1\"").arg(value);
        return {};
    }
    if (n == u"stubborn") {
        const QString v = value.trimmed().toLower();
        if (v == u"all" || v.isEmpty()) {
            faults.allStubborn = true;
            return {};
        }
        if (v == u"none" || v == u"off") {
            faults.allStubborn = false;
            faults.stubborn.clear();
            return {};
        }
        QSet<qint32> stations;
        for (const QString& part : v.split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const int number = part.trimmed().toInt(&ok);
            if (!ok)
                return QStringLiteral("stubborn takes all, none or station numbers, not \"%1\"").arg(value);
            stations.insert(number);
        }
        faults.stubborn = stations;
        faults.allStubborn = false;
        return {};
    }
    return QStringLiteral("no fault called \"%1\"").arg(name);
}

QString applyFault(Faults& faults, const QString& assignment) {
    const qsizetype eq = assignment.indexOf(u'=');
    return eq < 0 ? applyFault(faults, assignment, QString())
                  : applyFault(faults, assignment.left(eq), assignment.mid(eq + 1));
}

QStringList describeFaults(const Faults& f) {
    QStringList words;
    if (f.silent) words << "silent";
    if (f.refusePermission) words << "refuse-permission";
    if (f.slowAckSeconds > 0) words << QStringLiteral("slow-ack=%1").arg(f.slowAckSeconds);
    if (f.refuseCatalogue) words << "refuse-catalogue";
    if (f.refuseSubsystem) words << "refuse-subsystem";
    if (f.saveError) words << "save-error";
    if (f.shuffleChunks) words << "shuffle-chunks";
    if (f.allStubborn) {
        words << "stubborn=all";
    } else if (!f.stubborn.isEmpty()) {
        QList<qint32> numbers = f.stubborn.values();
        std::sort(numbers.begin(), numbers.end());
        QStringList texts;
        for (qint32 n : numbers)
            texts << QString::number(n);
        words << "stubborn=" + texts.join(u',');
    }
    if (f.malformed == Malformation::WrongMagic) words << "malformed=magic";
    if (f.malformed == Malformation::UnknownCode) words << "malformed=code";
    if (f.malformed == Malformation::ShortLength) words << "malformed=short";
    if (f.resetAfterFrames > 0) words << QStringLiteral("reset-after=%1").arg(f.resetAfterFrames);
    if (f.syncError) words << "sync-error";
    if (f.syncTimeUnknown) words << "sync-unknown";
    return words;
}

} // namespace kalver::demo
