#include "stationdata/CatalogueEntries.h"

#include "core/ByteReader.h"

#include <algorithm>
#include <cmath>

namespace kalver::stationdata {

namespace {

const QDateTime& latestDateTime() {
    static const QDateTime latest(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
    return latest;
}

link::FileViewEntry readEntry(const char* e, CatalogueLayout layout, bool withinFileCount) {
    link::FileViewEntry entry;
    if (layout == CatalogueLayout::ValidFlagAt124) {
        entry.firstSample = loadLE<quint64>(e, 16);
        entry.lastSample = loadLE<quint64>(e, 24);
        entry.samplingFrequency = loadLE<quint32>(e, 44);
        entry.startTime = loadLE<quint32>(e, 48);
        entry.valid = loadLE<qint32>(e, 124) != 0 ? 1 : 0;
        return entry;
    }
    if (!withinFileCount)
        return entry;
    entry.valid = loadLE<qint32>(e, 0) != -1 ? 1 : 0;
    entry.firstSample = loadLE<quint64>(e, 32);
    entry.lastSample = loadLE<quint64>(e, 40);
    entry.startTime = loadLE<quint32>(e, 76);
    entry.samplingFrequency = loadLE<quint32>(e, 80);
    return entry;
}

} // namespace

CatalogueLayout catalogueLayout(QByteArrayView typeText) {
    return typeText == QByteArrayView("qm7  521", 8) ? CatalogueLayout::ValidFlagAt124 : CatalogueLayout::EmptyMarkAt0;
}

QList<link::FileViewEntry> readCatalogueEntries(QByteArrayView catalogue, QByteArrayView typeText,
                                                std::int32_t fileCount) {
    const CatalogueLayout layout = catalogueLayout(typeText);
    const qsizetype count = std::min<qsizetype>(catalogue.size() / kCatalogueEntrySize, link::kFileViewEntries);
    QList<link::FileViewEntry> entries;
    entries.reserve(count);
    for (qsizetype j = 0; j < count; ++j)
        entries.append(readEntry(catalogue.data() + j * kCatalogueEntrySize, layout, j < fileCount));
    return entries;
}

QDateTime fileBegin(const link::FileViewEntry& entry) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(entry.startTime), Qt::UTC);
}

QDateTime fileEnd(const link::FileViewEntry& entry) {
    const QDateTime begin = fileBegin(entry);
    if (entry.samplingFrequency == 0)
        return begin;
    const quint64 samples = entry.lastSample - entry.firstSample;
    const double msecs = std::round(static_cast<double>(samples) * 1000.0 / static_cast<double>(entry.samplingFrequency));
    const double room = static_cast<double>(begin.msecsTo(latestDateTime()));
    if (msecs >= room)
        return latestDateTime();
    return begin.addMSecs(static_cast<qint64>(msecs));
}

} // namespace kalver::stationdata
