#include "stationdata/ConfigurationWarning.h"

#include "config/Catalogue.h"
#include "stationdata/ChannelMerge.h"

namespace kalver::stationdata {

QString refusedListText(const QList<std::int32_t>& refused) {
    QString text;
    for (qsizetype i = 0; i < refused.size(); ++i) {
        text += QString::number(refused.at(i));
        if (i + 1 < refused.size())
            text += QLatin1Char(',');
        if (i % 10 == 0)
            text += QLatin1Char('\n');
    }
    return text;
}

QString configurationWarningText(int differenceFlags, const QList<std::int32_t>& refused) {
    QString text;
    if (differenceFlags != 0) {
        text = catalogue::entry(u"e082").text();
        if (differenceFlags & difference::ChannelCount)
            text += QStringLiteral(" - число каналов\n");
        if (differenceFlags & difference::PreampPresence)
            text += QStringLiteral(" - наличие предусилителей\n");
        if (differenceFlags & difference::PreampGains)
            text += QStringLiteral(" - коэффициенты предусилителей\n");
        if (differenceFlags & difference::Inclinometer)
            text += QStringLiteral(" - наличие угломера\n");
    }
    if (!refused.isEmpty()) {
        text += QStringLiteral(
            "\nСледующие Станции не допущены к запуску, т.к. имеют критические ошибки в работе:\n");
        text += refusedListText(refused);
    }
    return text;
}

} // namespace kalver::stationdata
