#include "work/StationTexts.h"

#include "config/TextTables.h"

#include <QLocale>

#include <cmath>

namespace kalver::work {

using link::StatusBlock;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

QString withLocalePoint(QString text) {
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// Mantissa text and decimal exponent of `value` rounded to `precision` significant digits.
struct Scientific {
    QString mantissa;
    int exponent;
};
Scientific scientific(double value, int precision) {
    const QString e = QString::number(value, 'e', std::max(0, precision - 1));
    const qsizetype at = e.indexOf(QLatin1Char('e'));
    return {e.left(at), e.mid(at + 1).toInt()};
}

QString stripTrailingZeros(QString text) {
    if (!text.contains(QLatin1Char('.')))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// The locale's time format with seconds, without a time-zone field.
QString timeFormatWithSeconds() {
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

QString dateText(const QDate& date) { return QLocale().toString(date, QLocale::ShortFormat); }

} // namespace

// ---------------------------------------------------------------- number formats

QString fixedText(double value, int precision, int digits) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value != 0.0 && scientific(value, precision).exponent >= precision)
        return generalText(value, precision);
    // A negative value that rounds to zero reads as zero, not "-0.0".
    if (std::abs(value) < 0.5 * std::pow(10.0, -digits))
        value = 0.0;
    return withLocalePoint(QString::number(value, 'f', digits));
}

QString exponentText(double value, int precision, int exponentDigits) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const Scientific s = scientific(value, precision);
    QString exponent = QString::number(std::abs(s.exponent)).rightJustified(exponentDigits, QLatin1Char('0'));
    return withLocalePoint(s.mantissa) + QLatin1Char('E') + (s.exponent < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           exponent;
}

QString generalText(double value, int precision) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0.0)
        return QStringLiteral("0");
    const Scientific s = scientific(value, precision);
    if (s.exponent >= -5 && s.exponent < precision) {
        const int decimals = std::max(0, precision - 1 - s.exponent);
        return withLocalePoint(stripTrailingZeros(QString::number(value, 'f', decimals)));
    }
    return withLocalePoint(stripTrailingZeros(s.mantissa)) + QLatin1Char('E') + QString::number(s.exponent);
}

QString hexWordText(std::uint32_t value) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

// ---------------------------------------------------------------- dates and times

QDateTime utcFromSeconds(qint64 seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC); }

QString timeOfDayText(const QTime& time) { return QLocale().toString(time, timeFormatWithSeconds()); }

QString dateTimeText(qint64 seconds) {
    const QDateTime dt = utcFromSeconds(seconds);
    if (!dt.isValid())
        return kPanelUnknown;
    return dateText(dt.date()) + QLatin1Char(' ') + timeOfDayText(dt.time());
}

QString timeDateText(qint64 seconds) {
    const QDateTime dt = utcFromSeconds(seconds);
    if (!dt.isValid())
        return kPanelUnknown;
    return timeOfDayText(dt.time()) + QLatin1Char(' ') + dateText(dt.date());
}

// ---------------------------------------------------------------- values

std::optional<QString> valueCharge(const StatusBlock& b) {
    if (b.chargeLevel() == link::kUnknown)
        return std::nullopt;
    return QString::number(b.chargeLevel());
}

std::optional<QString> valuePressureKpa(const StatusBlock& b) {
    if (b.pressure() == link::kUnknown)
        return std::nullopt;
    return fixedText(b.pressure() / 1000.0, 5, 1);
}

std::optional<QString> valueClockDrift(const StatusBlock& b, int driftUnknown) {
    if (b.clockDrift() == driftUnknown)
        return std::nullopt;
    return QString::number(b.clockDrift());
}

std::optional<QString> valueSamples(const StatusBlock& b) {
    if (!b.samplesKnown())
        return std::nullopt;
    return QString::number(b.samplesRecorded());
}

std::optional<QString> valueFreeMemory(const StatusBlock& b) {
    if (b.freeMemory() == link::kUnknown)
        return std::nullopt;
    return QString::number(b.freeMemory());
}

std::optional<QString> valueFileCount(const StatusBlock& b) {
    if (b.fileCount() == link::kUnknown)
        return std::nullopt;
    return QString::number(b.fileCount());
}

std::optional<QString> valueGeneratorReal(double value) {
    if (value == -1.0)
        return std::nullopt;
    return exponentText(value, 3, 1);
}

std::optional<QString> valueGeneratorTime(std::int32_t seconds) {
    if (seconds == -1 || seconds == 0)
        return std::nullopt;
    return dateTimeText(seconds);
}

QString chargingCurrentText(const StatusBlock& b) { return fixedText(b.chargingCurrent() / 10.0, 5, 1); }

// ---------------------------------------------------------------- detail panel

QString panelChargeLevel(const StatusBlock& b) {
    const auto v = valueCharge(b);
    return v ? *v + QStringLiteral(" %") : kPanelUnknown;
}

QString panelPressure(const StatusBlock& b) {
    const auto v = valuePressureKpa(b);
    return v ? *v + QStringLiteral(" кПа") : kPanelUnknown;
}

QString panelStationTime(const StatusBlock& b) {
    if (b.stationTime() == link::kUnknown)
        return kPanelUnknown;
    return timeDateText(b.stationTime());
}

QString panelClockDrift(const StatusBlock& b, int driftUnknown) {
    const auto v = valueClockDrift(b, driftUnknown);
    return v ? *v + QStringLiteral(" мкс") : kPanelUnknown;
}

QString panelSamples(const StatusBlock& b) { return valueSamples(b).value_or(kPanelUnknown); }

QString panelFreeMemory(const StatusBlock& b) {
    const auto v = valueFreeMemory(b);
    return v ? *v + QStringLiteral(" %") : kPanelUnknown;
}

QString panelFileCount(const StatusBlock& b) { return valueFileCount(b).value_or(kPanelUnknown); }

QString panelCharging(const StatusBlock& b) {
    if (!b.charging())
        return QStringLiteral(" откл");
    return chargingCurrentText(b) + QStringLiteral(" мА");
}

QString panelDownload(const StatusBlock& b) {
    if (!b.downloading())
        return QStringLiteral(" откл");
    return QString::number(b.downloadProgress()) + QStringLiteral("%");
}

TestTexts panelTest(const StatusBlock& b) {
    if (b.isRegistering() && b.inclinometerCalibrating())
        return {QStringLiteral(" калибр."), QStringLiteral(" угломера")};
    if (b.isRegistering() && b.isTesting())
        return {QStringLiteral(" вкл"), QString()};
    return {QStringLiteral(" откл"), QString()};
}

QString panelGeneratorReal(double value) { return valueGeneratorReal(value).value_or(kPanelUnknown); }

QString panelGeneratorTime(std::int32_t seconds) { return valueGeneratorTime(seconds).value_or(kPanelUnknown); }

QString registrationStateText(std::int8_t state) {
    if (state < -1 || state > 15)
        return QStringLiteral("? (") + QString::number(state) + QLatin1Char(')');
    return texts::textAt(texts::registrationStates(), state + 1);
}

QString lastEventText(std::uint16_t code, std::uint32_t detail) {
    if (code > 13)
        return QStringLiteral("неизв. код 0х") + QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    QString text = texts::textAt(texts::powerOffWords(), code);
    if (code == 12)
        text += QString::number(detail, 16).toUpper().rightJustified(8, QLatin1Char('0'));
    return text;
}

LastStateTexts panelLastState(const StatusBlock& b) {
    const auto s = b.lastState();
    if (!s)
        return {kPanelUnknown, kPanelUnknown, kPanelUnknown, kPanelUnknown};
    return {lastEventText(s->eventCode, s->eventDetail), dateTimeText(s->time), hexWordText(s->stateFlags),
            hexWordText(s->errorFlags)};
}

// ---------------------------------------------------------------- generator tuning

namespace {

struct GeneratorMatch {
    QString text;
    QColor colour;
};

// The texts of `state` in the order the rules are evaluated: running, low four bits, whole byte.
QList<GeneratorMatch> generatorMatches(std::uint8_t state) {
    QList<GeneratorMatch> matches;
    if (state == link::kGeneratorTuningRunning)
        matches.append({QStringLiteral("запущен"), kBlack});
    switch (state & 0x0F) {
    case 1: matches.append({QStringLiteral("готов"), kGreen}); break;
    case 3: matches.append({QStringLiteral("нет PPS"), kRed}); break;
    case 4: matches.append({QStringLiteral("остановлен"), kBlack}); break;
    case 5: matches.append({QStringLiteral("завершен"), kGreen}); break;
    default: break;
    }
    switch (state >> 4) {
    case 0x1: matches.append({QStringLiteral("завершен"), kBlack}); break;
    case 0x2: matches.append({QStringLiteral("остановлен"), kGreen}); break;
    case 0x3: matches.append({QStringLiteral("остановлен"), kYellow}); break;
    case 0x4: matches.append({QStringLiteral("таймаут"), kGreen}); break;
    case 0x5: matches.append({QStringLiteral("таймаут"), kYellow}); break;
    case 0x6: matches.append({QStringLiteral("ошибка 1"), kRed}); break;
    case 0x7: matches.append({QStringLiteral("ошибка 2"), kRed}); break;
    case 0x8: matches.append({QStringLiteral("ошибка 3"), kRed}); break;
    case 0x9: matches.append({QStringLiteral("ручной"), kBlack}); break;
    case 0xA: matches.append({QStringLiteral("нет PPS"), kRed}); break;
    case 0xF: matches.append({QStringLiteral("недопустимо"), kRed}); break;
    default: break;
    }
    return matches;
}

const QString kGeneratorUnknown = QStringLiteral("неизвестно");

} // namespace

GeneratorLabel generatorLabel(std::uint8_t state) {
    const QList<GeneratorMatch> matches = generatorMatches(state);
    if (matches.isEmpty())
        return {kGeneratorUnknown, std::nullopt};
    return {matches.last().text, matches.last().colour};
}

// ---------------------------------------------------------------- table lines

QString statusLine(const StatusBlock& b) {
    QString line;
    if (b.charging())
        line += chargingCurrentText(b) + QStringLiteral(" мА зар+ / ");
    else
        line += QStringLiteral("зар- / ");

    const auto unsignedState = static_cast<std::uint8_t>(b.registrationState());
    switch (unsignedState) {
    case 255: line += QStringLiteral("рег? / "); break;
    case 0: line += QStringLiteral("рег- / "); break;
    case 1: case 2: case 3: case 6: case 7: line += QStringLiteral("рег+ / "); break;
    default: line += QStringLiteral("рег! / "); break;
    }

    if (b.downloading())
        line += QStringLiteral("скач: ") + generalText(b.downloadProgress(), 3) + QStringLiteral("%");
    else
        line += QStringLiteral("скач- ");

    const int state = b.registrationState();
    if ((state >= 1 && state <= 3) || state >= 5) {
        if (b.isTesting())
            line += QStringLiteral(" / тест");
        if (b.inclinometerCalibrating())
            line += QStringLiteral(" / угл");
    }
    return line;
}

QString lastStateLine(const StatusBlock& b) {
    const auto s = b.lastState();
    if (!s)
        return kTableUnknown;
    return lastEventText(s->eventCode, s->eventDetail) + QLatin1Char(' ') + dateTimeText(s->time) +
           QLatin1Char(' ') + hexWordText(s->stateFlags) + QLatin1Char(' ') + hexWordText(s->errorFlags);
}

QString generatorLine(const StatusBlock& b) {
    QString line;
    for (const GeneratorMatch& m : generatorMatches(b.generatorState()))
        line += m.text;
    if (line.isEmpty())
        line = kGeneratorUnknown;
    if (const auto f = valueGeneratorReal(b.generatorFrequency()))
        line += QStringLiteral(" частота ") + *f;
    if (const auto e = valueGeneratorReal(b.generatorError()))
        line += QStringLiteral(" погреш. ") + *e;
    if (const auto t = valueGeneratorTime(b.generatorTime()))
        line += QStringLiteral(" время ") + *t;
    return line;
}

} // namespace kalver::work
