#pragma once
// The values of one subsystem of one station, as the cluster keeps them: one byte string per parameter
// row, in the binary form of the row's type (empty for a write-only row).
//
// The sixth line of each parameter group of the demonstration's subsystem files holds the initial
// value in the type's text form (decimal; hexadecimal digits for "hex32"; for a table, elements
// separated by ";", repeated to fill it). A sixth line "=<name>" binds the parameter to a live value
// of the station instead (see liveValueNames()); such a parameter always reads the station's state.

#include "demo/ParameterType.h"
#include "demo/Station.h"
#include "stationdata/SubsystemFile.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

namespace kalver::demo {

class SubsystemData {
public:
    // Nothing when a parameter's type is unknown: the cluster refuses to serve such a subsystem.
    static std::optional<SubsystemData> create(const SubsystemFile& file);

    // The payload of the subsystem data reply (wire code 112): the value of every row whose access
    // is not exactly "w", in row order.
    QByteArray reply(const SubsystemFile& file, const Station& station) const;

    // Applies the entries of a write request (wire code 13): one per writable row whose type travels
    // in a write (flag byte, then 4 or 8 bytes). All or nothing: false when the entries do not match
    // the subsystem exactly or a new value lies outside its row's limits.
    bool applyWrite(const SubsystemFile& file, QByteArrayView entries);

    static QStringList liveValueNames();

private:
    QList<QByteArray> m_values;
};

} // namespace kalver::demo
