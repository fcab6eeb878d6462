#pragma once
// One cluster's rack panel: the rack header (select-all box "Выбрать", sync label, cluster number,
// collapse button) over the station tiles. The panel paints every tile itself (background colour,
// picture of the tile's frame, the check box with the station number, bold while hovered) and does the
// hit-testing for clicks, hover and the context menu; the tile's state lives in the station record
// (TKlvStation::tile), so a tile is not a widget of its own.
//
// Tiles flow in order of station number and wrap at the panel's client width (TileLayout.h). The
// panel is as wide as the configured stations per rack row when opened, one tile wide when collapsed;
// in the mnemonic diagram it fills its cell, has no select-all box and no collapse button, and its
// tiles answer no mouse.
//
// The panel reads its cluster's stations from the cluster list at every use and keeps only the tile
// places, parallel to the station list; the window tells it when a station is appended or removed.

#include "work/TileLayout.h"
#include "work/TilePictures.h"

#include <QFrame>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;
class QToolButton;

namespace kalver::link {
class ClusterList;
class TKlvRack;
} // namespace kalver::link

namespace kalver::work {

enum class RackMode { Container, Mnemo };

// The gray of alarm 9: a tile of this colour keeps its frame.
inline const QColor kFrozenTileColour(128, 128, 128);

class RackView : public QFrame {
    Q_OBJECT
public:
    // `blinkPhase` is the window's blink phase (0 or 1), read whenever a tile is redrawn.
    RackView(link::ClusterList& clusters, int cluster, RackMode mode, TilePictures& pictures,
             const int& blinkPhase, int stationsPerRow, QWidget* parent = nullptr);

    int cluster() const { return m_cluster; }
    RackMode mode() const { return m_mode; }
    const TileGeometry& tileGeometry() const { return m_pictures.geometry(); }

    // --- the rack header
    QWidget* rackHeader = nullptr;
    QCheckBox* selectAllBox = nullptr;    // none in the mnemonic diagram
    QLabel* syncLabel = nullptr;          // objectName "lbl_Sync"; text " []" at first
    QLabel* numberLabel = nullptr;        // the cluster number; property "Tag" = cluster number
    QToolButton* collapseButton = nullptr; // none in the mnemonic diagram

    bool isCollapsed() const { return m_collapsed; }
    // Opened or compact width, the collapse button's image 0 or 1, the select-all box and the sync
    // label shown only while opened; the tiles are laid out again for the new width.
    void setCollapsed(bool collapsed);
    int openedWidth() const;

    // --- tiles
    // The cluster appended a station: its tile stays invisible until the next layout.
    void stationAppended();
    // The station at `station` is about to leave the cluster's list.
    void stationRemoving(int station);
    // Lays the tiles out again by station number (nothing to do without stations).
    void layOutTiles();
    bool isTileShown(int station) const;
    QRect tileRect(int station) const;    // an empty rectangle for a tile not laid out
    // The station position of the tile under `point`, -1 for none.
    int stationAt(QPoint point) const;

    // Recomputes every tile's frame and repaints the tiles whose frame changed. Gray tiles keep their
    // frame. Returns how many tiles changed.
    int redrawTiles();
    // The same for one tile.
    void redrawTile(int station);
    // Repaints a tile whose colour or check mark changed.
    void repaintTile(int station);

    // The station position under the mouse, -1 for none.
    int hoveredStation() const { return m_hovered; }

signals:
    void tileClicked(int cluster, int station);
    void hoverEntered(int cluster, int station);
    void hoverLeft(int cluster);
    void contextMenuRequested(int cluster, int station, const QPoint& globalPos);
    void selectAllClicked(int cluster, bool checked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    link::TKlvRack* rack() const;
    int stationCount() const;
    void syncPlaces();
    void setHovered(int station);
    void updateHeight();
    bool frameFor(int station, int* frame) const;
    // The check box's mark, drawn once by the style.
    QPixmap indicator(bool checked, bool hover) const;

    struct Place {
        QPoint topLeft;
        bool shown = false;
    };

    link::ClusterList& m_clusters;
    int m_cluster;
    RackMode m_mode;
    TilePictures& m_pictures;
    const int& m_phase;
    int m_stationsPerRow;
    bool m_collapsed = false;
    std::vector<Place> m_places;
    int m_hovered = -1;
    int m_pressed = -1;
    mutable std::array<QPixmap, 4> m_indicators;
};

// The sync label of a cluster's rack header, or nullptr while the cluster has no rack widgets.
QLabel* rackSyncLabel(const link::TKlvRack& rack);
// The rack panel of a cluster, or nullptr.
RackView* rackViewOf(const link::TKlvRack& rack);

} // namespace kalver::work
