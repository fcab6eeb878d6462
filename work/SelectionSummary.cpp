#include "work/SelectionSummary.h"

#include <algorithm>
#include <limits>

namespace kalver::work {

SelectionSummary summaryOfCount(int count, int lowest, int highest) {
    SelectionSummary s;
    if (count <= 0) {
        s.selectedCaption = QStringLiteral("Выбранных нет");
        return s;
    }
    s.enabled = true;
    s.anySelected = true;
    if (count == 1) {
        s.selectedCaption = QStringLiteral("Выбранная ") + QString::number(lowest);
        s.propertiesCaption = QStringLiteral("Свойства Станции ") + QString::number(lowest);
    } else {
        const QString range = QString::number(lowest) + QLatin1Char(':') + QString::number(highest);
        s.selectedCaption = QStringLiteral("Выбранные ") + range;
        s.propertiesCaption = QStringLiteral("Свойства Станций ") + range;
    }
    return s;
}

SelectionSummary containerSummary(const link::ClusterList& clusters) {
    int count = 0;
    int lowest = std::numeric_limits<int>::max();
    int highest = std::numeric_limits<int>::min();
    for (int c = 0; c < clusters.count(); ++c) {
        for (const link::TKlvStation& st : clusters.at(c).stations) {
            if (!st.tile.checked)
                continue;
            ++count;
            lowest = std::min(lowest, st.number());
            highest = std::max(highest, st.number());
        }
    }
    return summaryOfCount(count, lowest, highest);
}

SelectionSummary tableSummary(int selectedRows, int topNumber, int bottomNumber) {
    SelectionSummary s;
    if (selectedRows <= 0) {
        s.selectedCaption = QStringLiteral("Выбранных нет");
        return s;
    }
    s.enabled = true;
    s.anySelected = true;
    if (selectedRows == 1) {
        s.selectedCaption = QStringLiteral("Выбранная ") + QString::number(topNumber);
        s.propertiesCaption = QStringLiteral("Свойства Станции ") + QString::number(topNumber);
    } else {
        const QString range = QString::number(topNumber) + QLatin1Char(':') + QString::number(bottomNumber);
        s.selectedCaption = QStringLiteral("Выбранные ") + range;
        s.propertiesCaption = QStringLiteral("Свойства Станций ") + range;
    }
    return s;
}

} // namespace kalver::work
