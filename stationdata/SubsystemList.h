#pragma once
// The subsystems a station offers: one description file "*.sub" per subsystem in the folder of its
// station type, "<program folder>Subsystems/<type key>/". Each file becomes one item of
// `cb_SubsystemType` whose text is the subsystem key: type key + "\" + file name. That text is also
// what the cluster is told, so it keeps its "\" whatever the local folder separator.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace kalver::stationdata {

// "<program folder>Subsystems/<type key>/"; the program folder ends in "/".
QString subsystemFolder(const QString& programFolder, const QString& typeKey);

// The item texts for a station of `typeText`, one per file matching "*.sub" (any letter case) in its
// folder, sorted by file name; nothing when the folder does not exist.
std::optional<QStringList> subsystemItems(const QString& programFolder, QByteArrayView typeText);

// The file an item names: "<program folder>Subsystems/" + the item text with "\" read as "/".
QString subsystemFilePath(const QString& programFolder, const QString& itemText);

} // namespace kalver::stationdata
