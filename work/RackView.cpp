#include "work/RackView.h"

#include "link/ClusterList.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace kalver::work {

namespace {

QFont headerFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(10);
    return f;
}

QFont tileNumberFont(bool bold) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(12);
    f.setBold(bold);
    return f;
}

// il_Icons: 0 folds the panel (chevrons pointing left), 1 opens it (pointing right).
QIcon drawCollapseIcon(int index) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 120), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal dir = index == 0 ? -1.0 : 1.0;
    for (int k = 0; k < 2; ++k) {
        const qreal cx = 12 + (k == 0 ? -3.5 : 3.5);
        QPainterPath chevron;
        chevron.moveTo(cx - dir * 3.5, 6);
        chevron.lineTo(cx + dir * 3.5, 12);
        chevron.lineTo(cx - dir * 3.5, 18);
        p.drawPath(chevron);
    }
    return QIcon(pm);
}

// Drawn once for every rack of the container; kept to the program's end (a pixmap must not outlive
// the application object, so it is never destroyed).
const QIcon& collapseIcon(int index) {
    static const QIcon* const icons = new QIcon[2]{drawCollapseIcon(0), drawCollapseIcon(1)};
    return icons[index == 0 ? 0 : 1];
}

// `font`, narrowed until `text` fits `width` (long numbers in bold on small tiles).
QFont fittingFont(const QFont& font, const QString& text, int width) {
    const int advance = QFontMetrics(font).horizontalAdvance(text);
    if (advance <= width || advance == 0)
        return font;
    QFont narrow = font;
    narrow.setStretch(std::max(50, width * 100 / advance));
    return narrow;
}

} // namespace

RackView::RackView(link::ClusterList& clusters, int cluster, RackMode mode, TilePictures& pictures,
                   const int& blinkPhase, int stationsPerRow, QWidget* parent)
    : QFrame(parent), m_clusters(clusters), m_cluster(cluster), m_mode(mode), m_pictures(pictures),
      m_phase(blinkPhase), m_stationsPerRow(std::max(1, stationsPerRow)) {
    const int number = cluster + 1;
    setObjectName(QStringLiteral("RackPanel%1").arg(number));
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(238, 240, 244));
    setPalette(pal);

    rackHeader = new QWidget(this);
    rackHeader->setObjectName(QStringLiteral("RackHeader"));
    rackHeader->setAutoFillBackground(true);
    QPalette hp = rackHeader->palette();
    hp.setColor(QPalette::Window, QColor(214, 222, 236));
    rackHeader->setPalette(hp);
    auto* row = new QHBoxLayout(rackHeader);
    row->setContentsMargins(3, 1, 1, 1);
    row->setSpacing(4);

    if (mode == RackMode::Container) {
        selectAllBox = new QCheckBox(QStringLiteral("Выбрать"), rackHeader);
        selectAllBox->setObjectName(QStringLiteral("cb_SelectAll"));
        selectAllBox->setFont(headerFont());
        row->addWidget(selectAllBox);
        connect(selectAllBox, &QCheckBox::clicked, this, [this](bool checked) { emit selectAllClicked(m_cluster, checked); });
    }
    syncLabel = new QLabel(QStringLiteral(" []"), rackHeader);
    syncLabel->setObjectName(QStringLiteral("lbl_Sync"));
    syncLabel->setFont(headerFont());
    row->addWidget(syncLabel);
    row->addStretch(1);
    numberLabel = new QLabel(QString::number(number), rackHeader);
    numberLabel->setObjectName(QStringLiteral("lbl_RackNumber"));
    QFont nf = headerFont();
    nf.setBold(true);
    numberLabel->setFont(nf);
    numberLabel->setProperty("Tag", number);
    row->addWidget(numberLabel);
    if (mode == RackMode::Container) {
        collapseButton = new QToolButton(rackHeader);
        collapseButton->setObjectName(QStringLiteral("tb_Collapse"));
        collapseButton->setIcon(collapseIcon(0));
        collapseButton->setProperty("ImageIndex", 0);
        collapseButton->setIconSize(QSize(24, 24));
        collapseButton->setAutoRaise(true);
        collapseButton->setToolTip(QStringLiteral("Свернуть / развернуть"));
        row->addWidget(collapseButton);
        connect(collapseButton, &QToolButton::clicked, this, [this] { setCollapsed(!m_collapsed); });
    }
    rackHeader->adjustSize();

    if (mode == RackMode::Container) {
        setFixedWidth(openedWidth());
        setMouseTracking(true);
    } else {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    rackHeader->setGeometry(0, 0, width(), rackHeader->sizeHint().height());
    syncPlaces();
    updateHeight();
}

int RackView::openedWidth() const {
    return m_stationsPerRow * tileGeometry().width;
}

link::TKlvRack* RackView::rack() const {
    return m_clusters.find(m_cluster);
}

int RackView::stationCount() const {
    const link::TKlvRack* r = rack();
    return r ? r->stationCount() : 0;
}

void RackView::syncPlaces() {
    const auto count = static_cast<std::size_t>(stationCount());
    if (m_places.size() != count)
        m_places.resize(count);
}

void RackView::setCollapsed(bool collapsed) {
    if (m_mode != RackMode::Container)
        return;
    m_collapsed = collapsed;
    const int image = collapsed ? 1 : 0;
    collapseButton->setIcon(collapseIcon(image));
    collapseButton->setProperty("ImageIndex", image);
    selectAllBox->setVisible(!collapsed);
    syncLabel->setVisible(!collapsed);
    setFixedWidth(collapsed ? tileGeometry().width : openedWidth());
    layOutTiles();
}

void RackView::stationAppended() {
    m_places.push_back(Place{});
    syncPlaces();
}

void RackView::stationRemoving(int station) {
    if (station < 0 || station >= static_cast<int>(m_places.size()))
        return;
    const QRect gone = tileRect(station);
    m_places.erase(m_places.begin() + station);
    if (m_hovered == station) {
        m_hovered = -1;
        emit hoverLeft(m_cluster);
    } else if (m_hovered > station) {
        --m_hovered;
    }
    if (m_pressed >= station)
        m_pressed = -1;
    if (!gone.isEmpty())
        update(gone);
}

void RackView::layOutTiles() {
    syncPlaces();
    const link::TKlvRack* r = rack();
    if (!r || r->stationCount() == 0) {
        updateHeight();
        return;
    }
    std::vector<std::int32_t> numbers;
    numbers.reserve(static_cast<std::size_t>(r->stationCount()));
    for (const link::TKlvStation& s : r->stations)
        numbers.push_back(s.number());
    const int top = rackHeader->height();
    const std::vector<QPoint> places = work::layOutTiles(numbers, contentsRect().width(), top, tileGeometry());
    bool moved = false;
    for (std::size_t i = 0; i < places.size(); ++i) {
        Place& place = m_places[i];
        if (!place.shown || place.topLeft != places[i]) {
            place.topLeft = places[i];
            moved = true;
        }
        if (!place.shown) {
            place.shown = true;
            redrawTile(static_cast<int>(i));
        }
    }
    updateHeight();
    if (moved)
        update();
}

bool RackView::isTileShown(int station) const {
    return station >= 0 && station < static_cast<int>(m_places.size()) && m_places[static_cast<std::size_t>(station)].shown;
}

QRect RackView::tileRect(int station) const {
    if (!isTileShown(station))
        return {};
    return tileGeometry().tileRect(m_places[static_cast<std::size_t>(station)].topLeft);
}

int RackView::stationAt(QPoint point) const {
    const int count = std::min(static_cast<int>(m_places.size()), stationCount());
    for (int s = 0; s < count; ++s)
        if (tileRect(s).contains(point))
            return s;
    return -1;
}

bool RackView::frameFor(int station, int* frame) const {
    const link::TKlvRack* r = rack();
    if (!r || station < 0 || station >= r->stationCount())
        return false;
    const link::TKlvStation& s = r->station(station);
    if (s.tile.colour == kFrozenTileColour && s.tile.frame != 0)
        return false;
    *frame = tileFrame(tileFrameInput(s, m_phase));
    return true;
}

int RackView::redrawTiles() {
    link::TKlvRack* r = rack();
    if (!r)
        return 0;
    syncPlaces();
    int changed = 0;
    QRect dirty;
    const int count = r->stationCount();
    for (int s = 0; s < count; ++s) {
        link::TKlvStation& station = r->station(s);
        if (station.tile.colour == kFrozenTileColour && station.tile.frame != 0)
            continue;
        const int frame = tileFrame(tileFrameInput(station, m_phase));
        if (frame == station.tile.frame)
            continue;
        station.tile.frame = frame;
        ++changed;
        if (m_places[static_cast<std::size_t>(s)].shown)
            dirty |= tileRect(s);
    }
    // One repaint request for the tiles that changed: a request per tile costs more than painting.
    if (!dirty.isEmpty())
        update(dirty);
    return changed;
}

void RackView::redrawTile(int station) {
    int frame = 0;
    if (!frameFor(station, &frame))
        return;
    link::TKlvStation& s = rack()->station(station);
    if (s.tile.frame != frame) {
        s.tile.frame = frame;
        repaintTile(station);
    }
}

void RackView::repaintTile(int station) {
    const QRect r = tileRect(station);
    if (!r.isEmpty())
        update(r);
}

void RackView::updateHeight() {
    int bottom = rackHeader->height();
    for (const Place& place : m_places)
        if (place.shown)
            bottom = std::max(bottom, place.topLeft.y() + tileGeometry().height);
    // In the mnemonic diagram the panel fills its cell and grows beyond it when its tiles need more
    // rows than the cell holds.
    setMinimumHeight(bottom);
}

QPixmap RackView::indicator(bool checked, bool hover) const {
    const int index = (checked ? 1 : 0) + (hover ? 2 : 0);
    QPixmap& pm = m_indicators[static_cast<std::size_t>(index)];
    if (pm.isNull()) {
        const int size = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
        pm = QPixmap(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = QRect(0, 0, size, size);
        option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        if (hover)
            option.state |= QStyle::State_MouseOver;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &p, this);
    }
    return pm;
}

void RackView::paintEvent(QPaintEvent* event) {
    const link::TKlvRack* r = rack();
    if (!r)
        return;
    QPainter p(this);
    const TileGeometry& g = tileGeometry();
    const QRect dirty = event->rect();
    const int count = std::min(static_cast<int>(m_places.size()), r->stationCount());
    const QFont normal = tileNumberFont(false);
    const QFont bold = tileNumberFont(true);
    for (int s = 0; s < count; ++s) {
        const Place& place = m_places[static_cast<std::size_t>(s)];
        if (!place.shown)
            continue;
        const QRect tile = g.tileRect(place.topLeft);
        if (!tile.intersects(dirty))
            continue;
        const link::TKlvStation& station = r->station(s);
        p.fillRect(tile, station.tile.colour);
        if (station.tile.frame > 0)
            p.drawPixmap(tile.topLeft(), m_pictures.picture(station.tile.frame));

        // The check box: a light strip keeps the number legible on every alarm colour.
        const QRect box = g.checkBoxRect(place.topLeft);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 210));
        p.drawRoundedRect(box, 3, 3);
        const QPixmap mark = indicator(station.tile.checked, station.tile.hover);
        const QRect markRect(QPoint(box.left() + 2, box.center().y() - mark.height() / 2), mark.size());
        p.drawPixmap(markRect.topLeft(), mark);
        p.setPen(Qt::black);
        const QRect text(markRect.right() + 3, box.top(), box.right() - markRect.right() - 2, box.height());
        const QString number = QString::number(station.number());
        p.setFont(fittingFont(station.tile.hover ? bold : normal, number, text.width()));
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, number);
    }
}

void RackView::setHovered(int station) {
    if (station == m_hovered)
        return;
    link::TKlvRack* r = rack();
    if (m_hovered >= 0) {
        const int old = m_hovered;
        m_hovered = -1;
        if (r && old < r->stationCount()) {
            r->station(old).tile.hover = false;
            redrawTile(old);
            repaintTile(old);
        }
        emit hoverLeft(m_cluster);
    }
    r = rack(); // the handlers above may have changed the records
    if (station >= 0 && r && station < r->stationCount()) {
        m_hovered = station;
        r->station(station).tile.hover = true;
        redrawTile(station);
        repaintTile(station);
        emit hoverEntered(m_cluster, station);
    }
}

void RackView::mouseMoveEvent(QMouseEvent* event) {
    if (m_mode != RackMode::Container)
        return QFrame::mouseMoveEvent(event);
    setHovered(stationAt(event->position().toPoint()));
}

void RackView::leaveEvent(QEvent* event) {
    if (m_mode == RackMode::Container)
        setHovered(-1);
    QFrame::leaveEvent(event);
}

void RackView::mousePressEvent(QMouseEvent* event) {
    if (m_mode != RackMode::Container || event->button() != Qt::LeftButton)
        return QFrame::mousePressEvent(event);
    m_pressed = stationAt(event->position().toPoint());
}

void RackView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_mode != RackMode::Container || event->button() != Qt::LeftButton)
        return QFrame::mouseReleaseEvent(event);
    const int station = stationAt(event->position().toPoint());
    const bool click = station >= 0 && station == m_pressed;
    m_pressed = -1;
    if (click)
        emit tileClicked(m_cluster, station);
}

void RackView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_mode != RackMode::Container)
        return QFrame::contextMenuEvent(event);
    const int station = stationAt(event->pos());
    if (station < 0)
        return QFrame::contextMenuEvent(event);
    event->accept();
    emit contextMenuRequested(m_cluster, station, event->globalPos());
}

void RackView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        m_indicators = {};
    QFrame::changeEvent(event);
}

void RackView::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    rackHeader->setGeometry(0, 0, width(), rackHeader->sizeHint().height());
    if (m_mode == RackMode::Mnemo)
        layOutTiles();
}

QLabel* rackSyncLabel(const link::TKlvRack& rack) {
    RackView* view = rackViewOf(rack);
    return view ? view->syncLabel : nullptr;
}

RackView* rackViewOf(const link::TKlvRack& rack) {
    return qobject_cast<RackView*>(rack.rackView.data());
}

} // namespace kalver::work
