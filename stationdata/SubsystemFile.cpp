#include "stationdata/SubsystemFile.h"

#include "core/Cp1251.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <utility>

namespace kalver {

namespace {

QString decodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        return utf8.decode(bytes.sliced(3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringConverter::Flag::Stateless);
        return utf16.decode(bytes.sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16BE, QStringConverter::Flag::Stateless);
        return utf16.decode(bytes.sliced(2));
    }
    return fromCp1251(bytes);
}

// The last line holds 1 to 8 hexadecimal digits (blanks around them are tolerated).
std::optional<quint32> parseCheckLine(const QString& line) {
    const QString digits = line.trimmed();
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : digits) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<quint32>(digit);
    }
    return value;
}

QStringList bodyLines(const QString& header0, const QString& header1, const QList<SubsystemParameter>& parameters) {
    QStringList lines{header0, header1};
    for (const SubsystemParameter& p : parameters)
        lines << p.name << p.access << p.type << p.minimum << p.maximum << p.extra;
    return lines;
}

} // namespace

SubsystemFile::SubsystemFile(QString header0, QString header1, QList<SubsystemParameter> parameters)
    : m_header{std::move(header0), std::move(header1)}, m_parameters(std::move(parameters)) {
    m_lineCount = kHeaderLines + kLinesPerParameter * static_cast<int>(m_parameters.size()) + 1;
    m_checkPassed = true;
}

QStringList SubsystemFile::splitLines(QByteArrayView bytes) {
    const QString text = decodeText(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

quint8 SubsystemFile::checkValue(const QStringList& lines) {
    quint8 check = 0;
    for (const QString& line : lines)
        for (const QChar c : line)
            check ^= static_cast<quint8>(c.unicode() & 0xFF);
    return check;
}

SubsystemFile SubsystemFile::fromLines(const QStringList& lines) {
    SubsystemFile file;
    const int count = static_cast<int>(lines.size());
    file.m_lineCount = count;
    if (count > 0)
        file.m_header[0] = lines.at(0);
    if (count > 1)
        file.m_header[1] = lines.at(1);

    const int parameterCount = (count - 3) / kLinesPerParameter; // toward zero: none below 9 lines
    file.m_parameters.reserve(parameterCount > 0 ? parameterCount : 0);
    for (int r = 0; r < parameterCount; ++r) {
        const int first = kHeaderLines + kLinesPerParameter * r;
        file.m_parameters.append({lines.at(first), lines.at(first + 1), lines.at(first + 2), lines.at(first + 3),
                                  lines.at(first + 4), lines.at(first + 5)});
    }

    if (count > 0) {
        const std::optional<quint32> stored = parseCheckLine(lines.last());
        file.m_checkPassed = stored && *stored == checkValue(lines.mid(0, count - 1));
    }
    return file;
}

SubsystemFile SubsystemFile::fromBytes(QByteArrayView bytes) { return fromLines(splitLines(bytes)); }

std::optional<SubsystemFile> SubsystemFile::read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes)
        return std::nullopt;
    const QByteArray bytes = f.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return fromBytes(bytes);
}

QByteArray SubsystemFile::toBytes() const {
    // Each line as a reader will see it: line breaks inside a field would shift every later line, so
    // they become blanks; characters outside Windows-1251 become "?". The check covers that text.
    QStringList written;
    QByteArray bytes;
    for (QString line : bodyLines(m_header[0], m_header[1], m_parameters)) {
        line.replace(u'\r', u' ').replace(u'\n', u' ');
        const QByteArray encoded = toCp1251(line);
        written << fromCp1251(encoded);
        bytes += encoded;
        bytes += "\r\n";
    }
    bytes += QByteArray::number(checkValue(written), 16).toUpper().rightJustified(2, '0');
    bytes += "\r\n";
    return bytes;
}

bool SubsystemFile::write(const QString& path) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes();
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}

} // namespace kalver
