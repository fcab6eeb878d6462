#pragma once
// The subsystem description files the cluster serves from: "<folder>/<station type key>/<name>.sub",
// the same files the client reads. A subsystem key from the wire is "<type key>\<file name>"; it is
// untrusted, so a key names a file only when its type key is the station's and its file name stays
// inside the type's folder.

#include "stationdata/SubsystemFile.h"

#include <map>
#include <QString>

namespace kalver::demo {

class SubsystemLibrary {
public:
    // `folder` holds one folder per station type key; "" serves no subsystems.
    explicit SubsystemLibrary(QString folder);

    const QString& folder() const { return m_folder; }

    // The file the key names for a station of type `typeKey`; null when the key is malformed or
    // foreign, the file does not exist or cannot be read, or its check value is wrong.
    const SubsystemFile* find(const QString& key, const QString& typeKey);

private:
    QString m_folder;
    std::map<QString, SubsystemFile> m_files; // by key, only files that exist and pass their check; stable addresses
};

} // namespace kalver::demo
