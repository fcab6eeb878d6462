#include "config/SettingsFile.h"

#include "core/Cp1251.h"

#include <QFile>
#include <QSaveFile>

namespace kalver::settings {

namespace {

const QString kDefaultIp = QStringLiteral("127.0.0.1");
const QString kDefaultMac = QStringLiteral("00-00-00-00-00-00");

// Walks the decoded text line by line; a line ends at CR LF, LF or a lone CR.
class LineSource {
public:
    explicit LineSource(const QString& text) : m_text(text) {}

    std::optional<QString> next() {
        if (m_pos >= m_text.size())
            return std::nullopt;
        qsizetype end = m_pos;
        while (end < m_text.size() && m_text.at(end) != QLatin1Char('\r') && m_text.at(end) != QLatin1Char('\n'))
            ++end;
        QString line = m_text.mid(m_pos, end - m_pos);
        if (end < m_text.size() && m_text.at(end) == QLatin1Char('\r'))
            ++end;
        if (end < m_text.size() && m_text.at(end) == QLatin1Char('\n'))
            ++end;
        m_pos = end;
        return line;
    }

    std::optional<int> nextNumber() {
        const std::optional<QString> line = next();
        if (!line)
            return std::nullopt;
        const QString text = line->trimmed();
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
        return value;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

QStringList captionRow() {
    return {QStringLiteral("Кластер"), QStringLiteral("IP-адрес"), QStringLiteral("Порт"), QStringLiteral("MAC-адрес")};
}

QStringList defaultClientRow() {
    return {QStringLiteral("IP клиента/порт синхр."), kDefaultIp, QStringLiteral("13001"), kDefaultMac};
}

QStringList defaultClusterRow(int k) { return {QString::number(k), kDefaultIp, QStringLiteral("151500"), kDefaultMac}; }

QList<QStringList> defaultGrid(int clusters) {
    QList<QStringList> rows;
    rows.reserve(clusters + 2);
    rows.append(captionRow());
    rows.append(defaultClientRow());
    for (int k = 1; k <= clusters; ++k)
        rows.append(defaultClusterRow(k));
    return rows;
}

SettingsValues defaults(int clusters, const QString& journalFolder) {
    SettingsValues v;
    v.clusters = kClustersRange.clamp(clusters);
    v.journalFolder = normalisedFolder(journalFolder);
    v.grid = defaultGrid(v.clusters);
    return v;
}

QString normalisedFolder(QString folder) {
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

std::optional<SettingsValues> parse(QByteArrayView bytes) {
    if (bytes.size() > kMaxFileBytes)
        return std::nullopt;
    const QString text = fromCp1251(bytes);
    LineSource lines(text);
    SettingsValues v;

    const auto clusters = lines.nextNumber();
    if (!clusters || !kClustersRange.contains(*clusters))
        return std::nullopt;
    v.clusters = *clusters;

    const auto stations = lines.nextNumber();
    if (!stations)
        return std::nullopt;
    v.stationsPerCluster = kStationsRange.clamp(*stations);

    const auto journal = lines.next();
    const auto charge = journal ? lines.next() : std::nullopt;
    if (!charge)
        return std::nullopt;
    v.journalFolder = normalisedFolder(*journal);
    v.chargeFolder = normalisedFolder(*charge);

    const auto interval = lines.nextNumber();
    const auto horiz = interval ? lines.nextNumber() : std::nullopt;
    const auto vert = horiz ? lines.nextNumber() : std::nullopt;
    const auto maxNum = vert ? lines.nextNumber() : std::nullopt;
    const auto columns = maxNum ? lines.nextNumber() : std::nullopt;
    if (!columns || *columns != kGridColumns)
        return std::nullopt;
    v.queryInterval = kQueryIntervalRange.clamp(*interval);
    v.stationsInRackHoriz = kRackSideRange.clamp(*horiz);
    v.stationsInRackVert = kRackSideRange.clamp(*vert);
    v.maxStationNum = kMaxStationNumRange.clamp(*maxNum);
    v.gridColumns = *columns;

    const int rows = v.clusters + 2;
    v.grid.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(v.gridColumns);
        for (int c = 0; c < v.gridColumns; ++c) {
            auto cell = lines.next();
            if (!cell)
                return std::nullopt;
            row.append(*cell);
        }
        v.grid.append(row);
    }

    const auto timeOut = lines.nextNumber();
    if (!timeOut)
        return std::nullopt;
    v.serverTimeOut = kServerTimeOutRange.clamp(*timeOut);
    return v;
}

QByteArray toBytes(const SettingsValues& v) {
    QString text;
    // A text holding a line break would shift every line after it; the break becomes a blank.
    const auto line = [&text](QString s) {
        s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += s;
        text += QStringLiteral("\r\n");
    };
    const auto number = [&line](int n) { line(QString::number(n)); };

    number(v.clusters);
    number(v.stationsPerCluster);
    line(v.journalFolder);
    line(v.chargeFolder);
    number(v.queryInterval);
    number(v.stationsInRackHoriz);
    number(v.stationsInRackVert);
    number(v.maxStationNum);
    number(v.gridColumns);
    const int rows = v.clusters + 2;
    for (int r = 0; r < rows; ++r) {
        const QStringList row = r < v.grid.size() ? v.grid.at(r) : QStringList();
        for (int c = 0; c < v.gridColumns; ++c)
            line(c < row.size() ? row.at(c) : QString());
    }
    number(v.serverTimeOut);
    return toCp1251(text);
}

std::optional<SettingsValues> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > kMaxFileBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    return parse(bytes);
}

bool writeFile(const QString& path, const SettingsValues& values) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes(values);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kalver::settings
