#include "stationdata/SubsystemRows.h"

namespace kalver::stationdata {

link::ParameterGrid parameterGrid(const SubsystemFile& file) {
    link::ParameterGrid grid;
    grid.rows.reserve(file.parameters().size());
    for (const SubsystemParameter& p : file.parameters())
        grid.rows.append({p.name, p.access, p.type, p.minimum, p.maximum, QString(), QString()});
    return grid;
}

SubsystemRows readSubsystemRows(const QString& path) {
    const std::optional<SubsystemFile> file = SubsystemFile::read(path);
    if (!file)
        return {};
    return {parameterGrid(*file), file->checkPassed()};
}

} // namespace kalver::stationdata
