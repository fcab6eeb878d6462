#include "demo/FileCatalogue.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <cstring>

namespace kalver::demo {

namespace {

void writeName(char* entry, int slot) {
    const QByteArray name = QStringLiteral("REC%1.DAT").arg(slot, 5, 10, QLatin1Char('0')).toLatin1();
    std::memcpy(entry + 128, name.constData(), static_cast<std::size_t>(name.size()));
}

QByteArray validFlagLayout(const Station& station) {
    QByteArray bytes(station.catalogue.size() * kCatalogueEntrySize, '\0');
    for (int slot = 0; slot < station.catalogue.size(); ++slot) {
        const RecordedFile& f = station.catalogue.at(slot);
        char* e = bytes.data() + slot * kCatalogueEntrySize;
        storeLE<quint64>(e, 16, f.firstSample);
        storeLE<quint64>(e, 24, f.lastSample);
        storeLE<quint32>(e, 44, f.frequency);
        storeLE<quint32>(e, 48, f.startTime);
        storeLE<quint32>(e, 124, f.deleted ? 0 : 1);
        writeName(e, slot);
    }
    return bytes;
}

QByteArray emptyMarkLayout(const Station& station) {
    const QList<RecordedFile> live = station.liveFiles();
    const qsizetype erased = station.catalogue.size() - live.size();
    QByteArray bytes((live.size() + erased) * kCatalogueEntrySize, '\0');
    for (int slot = 0; slot < live.size(); ++slot) {
        const RecordedFile& f = live.at(slot);
        char* e = bytes.data() + slot * kCatalogueEntrySize;
        storeLE<qint32>(e, 0, slot);
        storeLE<quint64>(e, 32, f.firstSample);
        storeLE<quint64>(e, 40, f.lastSample);
        storeLE<quint32>(e, 76, f.startTime);
        storeLE<quint32>(e, 80, f.frequency);
        writeName(e, slot);
    }
    for (qsizetype slot = live.size(); slot < live.size() + erased; ++slot)
        storeLE<qint32>(bytes.data() + slot * kCatalogueEntrySize, 0, -1);
    return bytes;
}

} // namespace

QByteArray writeFileCatalogue(const Station& station) {
    return station.type().layout == CatalogueLayout::ValidFlagAt124 ? validFlagLayout(station)
                                                                     : emptyMarkLayout(station);
}

QList<QByteArray> catalogueChunks(qint32 station, QByteArrayView catalogue, int chunkBytes) {
    const qsizetype count = catalogue.isEmpty() ? 1 : (catalogue.size() + chunkBytes - 1) / chunkBytes;
    QList<QByteArray> chunks;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArrayView data = catalogue.sliced(i * chunkBytes).first(std::min<qsizetype>(chunkBytes, catalogue.size() - i * chunkBytes));
        ByteWriter w(12 + data.size());
        w.putI32(station).putU32(static_cast<quint32>(count)).putU32(static_cast<quint32>(i));
        w.putBytes(data.data(), data.size());
        chunks.append(w.take());
    }
    return chunks;
}

} // namespace kalver::demo
