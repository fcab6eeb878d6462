#include "link/SubsystemData.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "core/ByteReader.h"
#include "core/Cp1251.h"
#include "link/FloatText.h"

#include <optional>

namespace kalver::link {

namespace {

enum class ValueType { Int32, UInt32, UInt64, Int64, Float, Hex32 };

// The six value types, compared for equality in the order int32, uint32, uint64, int64, float, hex32.
std::optional<ValueType> valueType(QStringView text) {
    if (text == u"int32") return ValueType::Int32;
    if (text == u"uint32") return ValueType::UInt32;
    if (text == u"uint64") return ValueType::UInt64;
    if (text == u"int64") return ValueType::Int64;
    if (text == u"float") return ValueType::Float;
    if (text == u"hex32") return ValueType::Hex32;
    return std::nullopt;
}

qsizetype valueSize(ValueType type) {
    return type == ValueType::UInt64 || type == ValueType::Int64 ? 8 : 4;
}

QString hexText(std::uint32_t v) { return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper(); }

// The text of one value at `data` (which holds valueSize(type) bytes). In the small table unsigned
// 32-bit elements are shown signed, as the table has always shown them.
QString valueText(ValueType type, const char* data, bool tableElement) {
    switch (type) {
    case ValueType::Int32: return QString::number(loadLE<std::int32_t>(data, 0));
    case ValueType::UInt32:
        return tableElement ? QString::number(loadLE<std::int32_t>(data, 0))
                            : QString::number(loadLE<std::uint32_t>(data, 0));
    case ValueType::UInt64:
    case ValueType::Int64: return QString::number(loadLE<qint64>(data, 0));
    case ValueType::Float: return generalSingleText(loadLE<float>(data, 0));
    case ValueType::Hex32: return hexText(loadLE<std::uint32_t>(data, 0));
    }
    return QString();
}

// The memo line: the raw bytes as characters, bytes below 32 as ".".
QString memoText(QByteArrayView raw) {
    QByteArray printable(raw.data(), raw.size());
    for (char& c : printable)
        if (static_cast<std::uint8_t>(c) < 32)
            c = '.';
    return fromCp1251(printable);
}

struct TableSpec {
    qint64 count = 0;
    ValueType element = ValueType::Int32;
};

// "table" + count + "/" + element type; the text after the first five characters is read.
std::optional<TableSpec> tableSpec(const QString& typeText) {
    const QString layout = typeText.mid(5);
    const qsizetype slash = layout.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return std::nullopt;
    bool ok = false;
    const int count = layout.left(slash).toInt(&ok);
    if (!ok || count < 0)
        return std::nullopt;
    const std::optional<ValueType> element = valueType(QStringView(layout).mid(slash + 1));
    if (!element)
        return std::nullopt;
    return TableSpec{count, *element};
}

void fillTable(SmallTable* table, const QString& caption, ValueType element, qint64 count, QByteArrayView raw) {
    if (!table)
        return;
    table->caption = caption;
    table->rows.clear();
    table->rows.reserve(static_cast<qsizetype>(count));
    const qsizetype size = valueSize(element);
    for (qint64 i = 0; i < count; ++i)
        table->rows.append({QString::number(i), valueText(element, raw.data() + i * size, true)});
    table->memo = memoText(raw);
}

} // namespace

std::int32_t decodeSubsystemData(ParameterGrid& grid, SmallTable* table, QByteArrayView payload) {
    if (payload.size() == 1 && static_cast<std::uint8_t>(payload[0]) == 0xFF)
        return ack::Refused;
    ByteReader reader(payload.data(), static_cast<std::size_t>(payload.size()));
    for (ParameterRow& row : grid.rows) {
        if (row.access == u"w")
            continue;
        if (const std::optional<ValueType> type = valueType(row.type)) {
            const qsizetype size = valueSize(*type);
            if (reader.remaining() < static_cast<std::size_t>(size))
                return ack::SizeMismatch;
            row.value = valueText(*type, reinterpret_cast<const char*>(reader.current()), false);
            reader.skip(static_cast<std::size_t>(size));
        } else if (row.type.contains(u"table")) {
            const std::optional<TableSpec> layout = tableSpec(row.type);
            if (!layout)
                return ack::UnknownType;
            const qint64 bytes = layout->count * valueSize(layout->element);
            if (static_cast<qint64>(reader.remaining()) < bytes)
                return ack::SizeMismatch;
            const QByteArrayView raw(reinterpret_cast<const char*>(reader.current()), static_cast<qsizetype>(bytes));
            fillTable(table, row.name, layout->element, layout->count, raw);
            reader.skip(static_cast<std::size_t>(bytes));
            row.value = QString::fromUtf16(kTableValueText);
        } else if (row.type.contains(u"tab2")) {
            const qint64 bytes = qint64(kBadBlockWords) * 4;
            if (static_cast<qint64>(reader.remaining()) < bytes)
                return ack::SizeMismatch;
            const QByteArrayView raw(reinterpret_cast<const char*>(reader.current()), static_cast<qsizetype>(bytes));
            fillTable(table, QString::fromUtf16(kBadBlocksCaption), ValueType::Hex32, kBadBlockWords, raw);
            reader.skip(static_cast<std::size_t>(bytes));
            row.value = QString::fromUtf16(kTableValueText);
        } else {
            return ack::UnknownType;
        }
    }
    return ack::Accepted;
}

bool isSystemConfiguration(const QString& selected) {
    const QString file = QString::fromUtf16(kSystemConfigurationFile);
    return selected == file || selected.endsWith(QLatin1Char('\\') + file) || selected.endsWith(QLatin1Char('/') + file);
}

std::int32_t handleSubsystemData(ClusterRef& cluster, QByteArrayView payload) {
    LinkObserver& observer = cluster.observer();
    ParameterGrid noGrid;
    ParameterGrid* grid = observer.parameterGrid();
    const std::int32_t result = decodeSubsystemData(grid ? *grid : noGrid, observer.smallTable(), payload);
    observer.parametersDecoded(cluster.position());
    if (result != ack::Accepted)
        return result;
    if (grid && isSystemConfiguration(observer.selectedSubsystem())) {
        const QString value = grid->rows.size() >= 6 ? grid->rows[5].value : QString();
        bool converts = false;
        QLocale().toDouble(value.trimmed(), &converts);
        if (!converts) {
            const QString parameter = QStringLiteral("ADCdigitValue");
            journal::write(QStringLiteral("e055|") + QString::number(cluster.number()) + QLatin1Char('|') + parameter);
            catalogue::show(u"e055", MessageIcon::Error, MessageButtons::Ok, {parameter});
        }
    }
    return ack::Accepted;
}

} // namespace kalver::link
