#include "config/SettingsAccess.h"

#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

namespace kalver::settings {

namespace {

const SettingsValues& fallback() {
    static const SettingsValues values = defaults(1, QString());
    return values;
}

} // namespace

int clusterCount() { return Form_Settings ? Form_Settings->se_Servers->value() : fallback().clusters; }
int stationsPerCluster() { return Form_Settings ? Form_Settings->se_Stations->value() : fallback().stationsPerCluster; }
int stationsInRackHoriz() {
    return Form_Settings ? Form_Settings->se_StationsInRackHoriz->value() : fallback().stationsInRackHoriz;
}
int stationsInRackVert() {
    return Form_Settings ? Form_Settings->se_StationsInRackVert->value() : fallback().stationsInRackVert;
}
int maxStationNumber() { return Form_Settings ? Form_Settings->se_MaxStationNum->value() : fallback().maxStationNum; }
int queryIntervalSeconds() {
    return Form_Settings ? Form_Settings->se_QueryInterval->value() : fallback().queryInterval;
}
int serverTimeOutSeconds() {
    return Form_Settings ? Form_Settings->se_ServerTimeOut->value() : fallback().serverTimeOut;
}
QString journalFolder() {
    return Form_Settings ? normalisedFolder(Form_Settings->Le_UserActionsPath->text()) : program().programFolder;
}
QString chargeFolder() {
    return Form_Settings ? normalisedFolder(Form_Settings->Le_ChargePath->text()) : fallback().chargeFolder;
}

int networkRowCount() {
    return Form_Settings ? Form_Settings->sg_NetworkSettings->rowCount() : int(fallback().grid.size());
}

QString networkCell(int row, int column) {
    if (!Form_Settings) {
        const auto& grid = fallback().grid;
        return row >= 0 && row < grid.size() && column >= 0 && column < grid.at(row).size() ? grid.at(row).at(column)
                                                                                             : QString();
    }
    const QTableWidgetItem* item = Form_Settings->sg_NetworkSettings->item(row, column);
    return item ? item->text() : QString();
}

QString clientIpAddress() { return networkCell(1, 1); }
QString syncPortText() { return networkCell(1, 2); }
QString clusterIpAddress(int position) { return networkCell(position + 2, 1); }
QString clusterPortText(int position) { return networkCell(position + 2, 2); }
QString clusterMacText(int position) { return networkCell(position + 2, 3); }

TileSize containerTileSize() {
    return Form_Settings ? TileSize{Form_Settings->tileWidth(), Form_Settings->tileHeight()} : kContainerTileSize;
}
TileSize mnemoTileSize() {
    return Form_Settings ? TileSize{Form_Settings->mnemoTileWidth(), Form_Settings->mnemoTileHeight()} : kMnemoTileSize;
}

} // namespace kalver::settings
