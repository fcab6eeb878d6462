#include "demo/ControlCommands.h"

#include <QRegularExpression>

namespace kalver::demo {

namespace {

const QString kOk = QStringLiteral("ok");

QStringList error(const QString& what) { return {QStringLiteral("error: ") + what}; }

std::optional<quint32> hexValue(QString text) {
    text = text.trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    bool ok = false;
    const quint32 v = text.toUInt(&ok, 16);
    return ok ? std::optional<quint32>(v) : std::nullopt;
}

} // namespace

ControlCommands::ControlCommands(QList<Rack*> racks, Hooks hooks) : m_racks(std::move(racks)), m_hooks(std::move(hooks)) {}

QStringList ControlCommands::execute(const QString& line) {
    QStringList words = line.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<Rack*> racks = m_racks;
    if (words.size() >= 2 && words.first().toLower() == u"rack") {
        bool ok = false;
        const int n = words.at(1).toInt(&ok);
        if (!ok || n < 1 || n > m_racks.size())
            return error(QStringLiteral("no rack %1").arg(words.at(1)));
        racks = {m_racks.at(n - 1)};
        words = words.mid(2);
    }
    if (words.isEmpty())
        return error(QStringLiteral("no command"));
    const QString command = words.first().toLower();

    if (command == u"help") {
        return {QStringLiteral("[rack N] status | stations | fault NAME[=VALUE] | clear | reset | notice FLAGS TEXT |"),
                QStringLiteral("[rack N] set STATION FIELD VALUE | poweroff STATION | poweron STATION | quit"),
                kOk};
    }
    if (command == u"status" || command == u"stations") {
        QStringList lines;
        for (Rack* rack : racks) {
            QStringList numbers;
            for (const Station& s : rack->stations())
                if (!s.poweredOff)
                    numbers << QString::number(s.number);
            if (command == u"stations") {
                lines << QStringLiteral("rack %1: %2").arg(rack->number()).arg(numbers.join(u' '));
            } else {
                const QStringList faults = describeFaults(rack->faults);
                lines << QStringLiteral("rack %1 %2 stations %3 faults %4")
                             .arg(rack->number())
                             .arg(m_hooks.describeEndpoint ? m_hooks.describeEndpoint(*rack) : QString())
                             .arg(numbers.size())
                             .arg(faults.isEmpty() ? QStringLiteral("none") : faults.join(u' '));
            }
        }
        return lines << kOk;
    }
    if (command == u"fault") {
        if (words.size() < 2)
            return error(QStringLiteral("fault needs a name"));
        for (Rack* rack : racks) {
            const QString wrong = words.size() >= 3 ? applyFault(rack->faults, words.at(1), words.mid(2).join(u' '))
                                                    : applyFault(rack->faults, words.at(1));
            if (!wrong.isEmpty())
                return error(wrong);
        }
        return {kOk};
    }
    if (command == u"clear") {
        for (Rack* rack : racks)
            rack->faults = Faults{};
        return {kOk};
    }
    if (command == u"reset") {
        for (Rack* rack : racks)
            if (m_hooks.reset)
                m_hooks.reset(*rack);
        return {kOk};
    }
    if (command == u"notice") {
        bool ok = false;
        const quint32 flags = words.value(1).toUInt(&ok);
        if (!ok || words.size() < 3)
            return error(QStringLiteral("notice needs flags and a text"));
        const QString text = line.trimmed().section(QRegularExpression(QStringLiteral("\\s+")),
                                                    line.trimmed().startsWith(u"rack", Qt::CaseInsensitive) ? 4 : 2);
        for (Rack* rack : racks)
            rack->queueNotice(flags, text);
        return {kOk};
    }
    if (command == u"set" || command == u"poweroff" || command == u"poweron")
        return setStationField(racks, words);
    if (command == u"quit") {
        if (m_hooks.quit)
            m_hooks.quit();
        return {kOk};
    }
    return error(QStringLiteral("unknown command \"%1\"").arg(words.first()));
}

QStringList ControlCommands::setStationField(const QList<Rack*>& racks, const QStringList& words) {
    bool ok = false;
    const qint32 number = words.value(1).toInt(&ok);
    Station* station = nullptr;
    for (Rack* rack : racks)
        if (ok && !station)
            station = rack->findStation(number);
    if (!station)
        return error(QStringLiteral("no station %1").arg(words.value(1)));

    const QString command = words.first().toLower();
    if (command == u"poweroff") {
        station->poweredOff = true;
        return {kOk};
    }
    if (command == u"poweron") {
        station->poweredOff = false;
        return {kOk};
    }
    if (words.size() < 4)
        return error(QStringLiteral("set needs a station, a field and a value"));
    const QString field = words.at(2).toLower();
    const QString value = words.at(3);
    bool valid = false;
    if (field == u"charge") {
        const double v = value.toDouble(&valid);
        valid = valid && v >= 0 && v <= 100;
        if (valid)
            station->charge = v;
    } else if (field == u"charger") {
        valid = value == u"on" || value == u"off";
        if (valid) {
            station->chargerWorks = value == u"on";
            station->charging = station->chargerWorks;
        }
    } else if (field == u"pressure") {
        const double v = value.toDouble(&valid);
        if (valid) {
            station->pressureKnown = v >= 0;
            if (v >= 0)
                station->pressure = station->pressureBase = v;
        }
    } else if (field == u"drift") {
        station->driftUs = value.toDouble(&valid);
    } else if (field == u"interface-errors" || field == u"recorder-errors") {
        const std::optional<quint32> v = hexValue(value);
        valid = v.has_value();
        if (valid) {
            (field == u"interface-errors" ? station->interfaceErrors : station->recorderErrors) = *v;
            station->incidentRemaining = 0; // set by hand: stays until set again
        }
    } else if (field == u"registration") {
        const int v = value.toInt(&valid);
        valid = valid && v >= -1 && v <= 15;
        if (valid) {
            station->registrationState = v;
            station->fileOpen = false; // set by hand: no file is recorded
        }
    } else if (field == u"tuning-state") {
        const std::optional<quint32> v = hexValue(value);
        valid = v && *v <= 0xFF;
        if (valid) {
            station->tuningState = static_cast<quint8>(*v);
            station->tuningRemaining = 1e12; // set by hand: a running tuning lasts until stopped
        }
    } else {
        return error(QStringLiteral("no field \"%1\"").arg(words.at(2)));
    }
    if (!valid)
        return error(QStringLiteral("\"%1\" is not a value for %2").arg(value, field));
    return {kOk};
}

} // namespace kalver::demo
