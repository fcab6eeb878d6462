#include "stationdata/StationErrorText.h"

#include "config/TextTables.h"
#include "stationdata/StationType.h"

namespace kalver::stationdata {

namespace {

// Appends the table text of every set bit from..to (inclusive); returns how many were added.
int addBitTexts(QStringList& lines, std::uint32_t word, int from, int to, const QStringList& table) {
    int added = 0;
    for (int bit = from; bit <= to; ++bit) {
        if ((word >> bit) & 1u) {
            lines.append(texts::textAt(table, bit));
            ++added;
        }
    }
    return added;
}

} // namespace

QStringList stationErrorLines(const link::StatusBlock& station) {
    QStringList lines;
    lines.append(texts::interfaceErrorsHeading());
    const std::uint32_t iface = station.interfaceErrors();
    if (iface == 0 || addBitTexts(lines, iface, 0, 15, texts::interfaceErrors()) == 0)
        lines.append(texts::noErrorsFiller());

    lines.append(QString());
    lines.append(texts::recorderErrorsHeading());
    const std::uint32_t recorder = station.recorderErrors();
    int added = 0;
    if (recorder != 0) {
        if (isQm7Type(station)) {
            added = addBitTexts(lines, recorder, 0, 24, texts::recorderErrors());
        } else {
            added = addBitTexts(lines, recorder, 0, 3, texts::bankFailures());
            const QString type = texts::textAt(texts::failureTypes(), (recorder >> 8) & 7u);
            if (added > 0 && !type.isEmpty())
                lines.append(type);
        }
    }
    if (added == 0)
        lines.append(texts::noErrorsFiller());
    return lines;
}

} // namespace kalver::stationdata
