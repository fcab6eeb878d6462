#include "stationdata/FileListText.h"

#include "stationdata/CatalogueEntries.h"

namespace kalver::stationdata {

QString catalogueDateTimeText(const QDateTime& dateTime) {
    const QString date = dateTime.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (dateTime.time().msecsSinceStartOfDay() == 0)
        return date;
    return date + QLatin1Char(' ') + dateTime.time().toString(QStringLiteral("HH:mm:ss"));
}

QString fileItemText(const link::FileViewEntry& entry) {
    if (entry.valid == 0)
        return QString::fromUtf16(kDeletedFileText);
    return catalogueDateTimeText(fileBegin(entry)) + QStringLiteral(" - ") + catalogueDateTimeText(fileEnd(entry));
}

} // namespace kalver::stationdata
