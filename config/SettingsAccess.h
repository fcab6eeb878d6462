#pragma once
// Read access to the settings for every other window: each function reads the control of the settings
// window that holds the value, at the moment it is called, so a saved change takes effect at once.
// Before the settings window exists (some tests of other windows) the functions give the default
// settings of one cluster.

#include <QString>

namespace kalver::settings {

int clusterCount();            // se_Servers
int stationsPerCluster();      // se_Stations
int stationsInRackHoriz();     // se_StationsInRackHoriz
int stationsInRackVert();      // se_StationsInRackVert
int maxStationNumber();        // se_MaxStationNum
int queryIntervalSeconds();    // se_QueryInterval; the poll timer runs at this × 1000 ms
int serverTimeOutSeconds();    // se_ServerTimeOut
QString journalFolder();       // Le_UserActionsPath, ends in "/" or is empty
QString chargeFolder();        // Le_ChargePath, ends in "/" or is empty

// The network table sg_NetworkSettings: rows 0 (captions), 1 (this client: IP address, sync port, MAC) and
// 1 + k for cluster k; columns 0 … 3. A cell outside the table is an empty text.
int networkRowCount();
QString networkCell(int row, int column);
// Row 1: the client's IP address and the sync-server port of every cluster.
QString clientIpAddress();
QString syncPortText();
// The cells of the cluster at `position` (0-based; its row is position + 2).
QString clusterIpAddress(int position);
QString clusterPortText(int position);
QString clusterMacText(int position);

// Tile sizes of the container and of the mnemonic diagram.
struct TileSize {
    int width;
    int height;
};
inline constexpr TileSize kContainerTileSize{66, 123};
inline constexpr TileSize kMnemoTileSize{59, 82};
TileSize containerTileSize();
TileSize mnemoTileSize();

} // namespace kalver::settings
