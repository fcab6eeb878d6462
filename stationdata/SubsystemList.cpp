#include "stationdata/SubsystemList.h"

#include "stationdata/StationTypeKey.h"

#include <QDir>

namespace kalver::stationdata {

QString subsystemFolder(const QString& programFolder, const QString& typeKey) {
    return programFolder + QStringLiteral("Subsystems/") + typeKey + QLatin1Char('/');
}

std::optional<QStringList> subsystemItems(const QString& programFolder, QByteArrayView typeText) {
    const QString key = stationTypeKey(typeText);
    const QDir folder(subsystemFolder(programFolder, key));
    if (!folder.exists())
        return std::nullopt;
    const QStringList files =
        folder.entryList({QStringLiteral("*.sub")}, QDir::Files | QDir::Readable, QDir::Name);
    QStringList items;
    items.reserve(files.size());
    for (const QString& file : files)
        items << key + QLatin1Char('\\') + file;
    return items;
}

QString subsystemFilePath(const QString& programFolder, const QString& itemText) {
    QString relative = itemText;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return programFolder + QStringLiteral("Subsystems/") + relative;
}

} // namespace kalver::stationdata
