#include "work/Unit_Work.h"

#include "config/Catalogue.h"
#include "config/SettingsAccess.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "dialogs/Unit_Mnemo.h"
#include "work/BufferCheck.h"
#include "work/PageSwitch.h"
#include "work/SelectionButtons.h"
#include "work/StationDataBridge.h"
#include "work/ToolImages.h"
#include "work/WorkLinkObserver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace kalver {

using work::RackView;

TForm_Work* Form_Work = nullptr;

namespace {

constexpr int kBlinkIntervalMs = 750;
constexpr int kBufferCheckIntervalMs = 1000;
constexpr int kCloseWaitMs = 500;

const QColor kSelectionColour(255, 234, 255);
const QColor kCommandsColour(234, 234, 255);
const QColor kClustersColour(255, 235, 234);

QString clusterItemCaption(int number, bool shown) {
    return (shown ? QStringLiteral("√ ") : QStringLiteral("× ")) + QString::number(number);
}

QString clusterItemHint(int number, bool shown) {
    return (shown ? QStringLiteral("Скрыть Кластер №") : QStringLiteral("Показать Кластер №")) + QString::number(number);
}

bool defaultClusterInWork(const link::TKlvRack& rack) {
    return work::connectionChecked(rack);
}

} // namespace

TForm_Work::TForm_Work(link::ClusterList& clusters, QWidget* parent)
    : QMainWindow(parent), m_clusters(clusters), m_containerPictures(work::containerTileGeometry()),
      m_mnemoPictures(work::mnemoTileGeometry()) {
    setObjectName(QStringLiteral("Form_Work"));
    setWindowTitle(program().applicationTitle);
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);
    resize(1284, 671);
    setMinimumSize(1292, 457);

    m_hooks.clusterInWork = defaultClusterInWork;
    m_observer = std::make_unique<work::WorkLinkObserver>(*this);
    m_stationDataBridge = std::make_unique<work::StationDataBridge>(*this);

    selection = new work::SelectionController(m_clusters, this, this);
    entryPoints = new work::EntryPoints(this, this);

    Timer_StationAnim = new QTimer(this);
    Timer_StationAnim->setObjectName(QStringLiteral("Timer_StationAnim"));
    Timer_StationAnim->setInterval(kBlinkIntervalMs);
    connect(Timer_StationAnim, &QTimer::timeout, this, &TForm_Work::blinkTick);
    Timer_BufferChecker = new QTimer(this);
    Timer_BufferChecker->setObjectName(QStringLiteral("Timer_BufferChecker"));
    Timer_BufferChecker->setInterval(kBufferCheckIntervalMs);
    connect(Timer_BufferChecker, &QTimer::timeout, this, [this] {
        work::checkReceiveBuffers(m_clusters, [this](const link::TKlvRack& rack) { return inWork(rack); });
    });

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    centralLayout->addWidget(Splitter1);

    pc_ShowMode = new QTabWidget(Splitter1);
    pc_ShowMode->setObjectName(QStringLiteral("pc_ShowMode"));
    buildContainerPage();
    ts_Layout = new QWidget;
    ts_Layout->setObjectName(QStringLiteral("ts_Layout"));
    auto* layoutText = new QLabel(QStringLiteral("Здесь будет карта расстановки подключенных станций"), ts_Layout);
    (new QVBoxLayout(ts_Layout))->addWidget(layoutText);
    pc_ShowMode->addTab(ts_Layout, QStringLiteral("Расстановка"));
    pc_ShowMode->setTabVisible(work::kLayoutPage, false);
    ts_Table = new QWidget;
    ts_Table->setObjectName(QStringLiteral("ts_Table"));
    table = new work::TablePage(m_clusters, ts_Table);
    auto* tableLayout = new QVBoxLayout(ts_Table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(table);
    pc_ShowMode->addTab(ts_Table, QStringLiteral("Таблица Станций"));
    Splitter1->addWidget(pc_ShowMode);

    GridPanel2 = new work::MessageLog(Splitter1);
    GridPanel2->setMinimumHeight(41);
    Splitter1->addWidget(GridPanel2);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({630, 41});
    setCentralWidget(central);

    alarms = new work::StationAlarms(
        m_clusters, [this](const QString& text, bool bold, const QColor& colour) { GridPanel2->appendLine(text, bold, colour); },
        this);
    buildMenu();
    buildButtonBar();
    wireSelection();

    Timer_BufferChecker->start();
}

TForm_Work::~TForm_Work() {
    if (Form_Work == this)
        Form_Work = nullptr;
    if (&m_clusters.observer() == m_observer.get())
        m_clusters.setObserver(nullptr);
    // The rack panels read the cluster list while they live; let them go before the records do.
    for (int c = 0; c < m_clusters.count(); ++c)
        if (RackView* view = rackView(c)) {
            m_clusters.at(c).rackView = nullptr;
            delete view;
        }
}

link::LinkObserver& TForm_Work::observer() {
    return *m_observer;
}

void TForm_Work::setStationDataObserver(link::LinkObserver* observer) {
    m_observer->setStationDataObserver(observer);
}

work::StationDataBridge& TForm_Work::stationDataBridge() { return *m_stationDataBridge; }

QTimer* TForm_Work::pollTimer() const { return m_hooks.pollTimer ? m_hooks.pollTimer() : nullptr; }

void TForm_Work::setHooks(WorkWindowHooks hooks) {
    if (!hooks.clusterInWork)
        hooks.clusterInWork = defaultClusterInWork;
    m_hooks = std::move(hooks);
}

void TForm_Work::setOpenStationData(work::EntryPoints::OpenStationData open) {
    entryPoints->setOpenStationData(std::move(open));
}

void TForm_Work::setMnemoWindow(TForm_Mnemo* mnemo) {
    if (m_mnemo)
        m_mnemo->disconnect(this);
    m_mnemo = mnemo;
    if (!mnemo)
        return;
    connect(mnemo, &TForm_Mnemo::activated, this, [this] {
        m_hoveredNumber = -1;
        m_hoveredCluster = -1;
        Timer_StationAnim->start();
    });
    connect(mnemo, &TForm_Mnemo::closeRequested, this, &TForm_Work::endSession);
}

// --- building the window

void TForm_Work::buildContainerPage() {
    ts_Racks = new QWidget;
    ts_Racks->setObjectName(QStringLiteral("ts_Racks"));
    auto* page = new QVBoxLayout(ts_Racks);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    MnemoPanel = new QWidget(ts_Racks);
    MnemoPanel->setObjectName(QStringLiteral("MnemoPanel"));
    MnemoPanel->setFixedHeight(150);
    auto* top = new QHBoxLayout(MnemoPanel);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(2);
    cat_Buttons = new work::CategoryButtonBar(MnemoPanel);
    top->addWidget(cat_Buttons, 1);
    GridPanel1 = new work::DetailPanel(MnemoPanel);
    top->addWidget(GridPanel1, 0);
    page->addWidget(MnemoPanel);

    scrlB = new QScrollArea(ts_Racks);
    scrlB->setObjectName(QStringLiteral("scrlB"));
    scrlB->setWidgetResizable(true);
    m_rackRow = new QWidget;
    m_rackRow->setObjectName(QStringLiteral("scrlB_Racks"));
    m_rackLayout = new QHBoxLayout(m_rackRow);
    m_rackLayout->setContentsMargins(0, 0, 0, 0);
    m_rackLayout->setSpacing(4);
    m_rackLayout->addStretch(1);
    scrlB->setWidget(m_rackRow);
    page->addWidget(scrlB, 1);

    pc_ShowMode->addTab(ts_Racks, QStringLiteral("Контейнер"));
}

void TForm_Work::buildMenu() {
    MainMenu_Work = menuBar();
    MainMenu_Work->setObjectName(QStringLiteral("MainMenu_Work"));
    miWork = MainMenu_Work->addMenu(QStringLiteral("Работа"));
    miWork->setObjectName(QStringLiteral("miWork"));
    miSettings = miWork->addAction(QStringLiteral("Настройки"));
    miSettings->setObjectName(QStringLiteral("miSettings"));
    miSettings->setVisible(false);
    miWork->addSeparator();
    miExit = miWork->addAction(QStringLiteral("Завершить"));
    miExit->setObjectName(QStringLiteral("miExit"));
    connect(miSettings, &QAction::triggered, this, &TForm_Work::settingsClicked);
    connect(miExit, &QAction::triggered, this, &QWidget::close);

    miStations = MainMenu_Work->addMenu(QStringLiteral("Станции"));
    miStations->setObjectName(QStringLiteral("miStations"));
    miStations->addMenu(entryPoints->selectedMenu());
    miStations->addMenu(selection->selectMenu());
}

void TForm_Work::buildButtonBar() {
    cat_Buttons->setImageSource([](int index) {
        const QPixmap pm = work::mnemoToolImage(index);
        return pm.isNull() ? QIcon() : QIcon(pm);
    });
    cat_Buttons->addCategory(QStringLiteral("Выделение"), kSelectionColour);
    cat_Buttons->addCategory(QStringLiteral("Управление"), kCommandsColour);
    cat_Buttons->addCategory(QStringLiteral("Кластеры"), kClustersColour);
    for (int i = 0; i < work::kSelectionItemCount; ++i)
        cat_Buttons->addItem(category::Selection, QString(), work::selectionItemHint(i),
                             work::selectionItemInactiveImage(i));
    for (int i = 0; i < work::kCommandItemCount; ++i) {
        const work::CommandItem item = work::commandItem(i);
        cat_Buttons->addItem(category::Commands, item.caption, item.hint, entryPoints->commandImage(i));
    }
    connect(cat_Buttons, &work::CategoryButtonBar::itemClicked, this, &TForm_Work::barItemClicked);
    connect(cat_Buttons, &work::CategoryButtonBar::mouseEntered, this, [this] {
        Timer_StationAnim->stop();
        cat_Buttons->setFocus();
    });
    connect(cat_Buttons, &work::CategoryButtonBar::mouseLeft, this, &TForm_Work::restartBlinkAfterHover);
    connect(GridPanel2, &work::MessageLog::autoScrollButtonHovered, this, [this](bool inside) {
        if (inside)
            Timer_StationAnim->stop();
        else
            restartBlinkAfterHover();
    });
}

void TForm_Work::wireSelection() {
    work::RackQuery query;
    query.rackHidden = [this](int cluster) {
        const RackView* view = rackView(cluster);
        return view == nullptr || view->isHidden();
    };
    query.selectAllChecked = [this](int cluster) {
        const RackView* view = rackView(cluster);
        return view && view->selectAllBox && view->selectAllBox->isChecked();
    };
    selection->setRackQuery(query);
    selection->setRangeBoxes(table->se_FilterStationStart, table->se_FilterStationEnd, table->se_FilterClockErrMin,
                             table->se_FilterClockErrMax);
    table->setStationMenu(entryPoints->stationMenu());

    connect(selection, &work::SelectionController::tilesChanged, this, [this] {
        for (int c = 0; c < m_clusters.count(); ++c)
            if (RackView* view = rackView(c)) {
                view->redrawTiles();
                view->update();
            }
    });
    connect(selection, &work::SelectionController::summaryChanged, this, [this](const work::SelectionSummary& s) {
        if (pc_ShowMode->currentIndex() == work::kContainerPage)
            entryPoints->showSummary(s);
    });
    connect(table, &work::TablePage::summaryChanged, this, [this](const work::SelectionSummary& s) {
        if (pc_ShowMode->currentIndex() == work::kTablePage)
            entryPoints->showSummary(s);
    });
    connect(selection, &work::SelectionController::selectionImagesChanged, this, &TForm_Work::showSelectionImages);
    connect(entryPoints, &work::EntryPoints::commandImagesChanged, this, &TForm_Work::showCommandImages);
    connect(entryPoints, &work::EntryPoints::acknowledgeRequested, alarms, &work::StationAlarms::acknowledgeAll);
    connect(alarms, &work::StationAlarms::tileChanged, this, [this](int cluster, int station) {
        if (RackView* view = rackView(cluster))
            view->repaintTile(station);
    });
    connect(alarms, &work::StationAlarms::allTilesChanged, this, [this] {
        for (int c = 0; c < m_clusters.count(); ++c)
            if (RackView* view = rackView(c)) {
                view->redrawTiles();
                view->update();
            }
    });
    connect(pc_ShowMode, &QTabWidget::currentChanged, this, [this](int page) {
        work::PageSwitchTargets t;
        t.blinkTimer = Timer_StationAnim;
        t.selectMenu = selection->selectMenu();
        t.table = table;
        t.selection = selection;
        t.entryPoints = entryPoints;
        t.anyStations = work::anyStations(m_clusters);
        work::switchPage(page, t);
    });
}

void TForm_Work::showSelectionImages() {
    for (int i = 0; i < work::kSelectionItemCount; ++i)
        cat_Buttons->setItemImage(category::Selection, i, work::selectionItemImage(i, selection->filters()));
}

void TForm_Work::showCommandImages() {
    for (int i = 0; i < work::kCommandItemCount; ++i)
        cat_Buttons->setItemImage(category::Commands, i, entryPoints->commandImage(i));
}

void TForm_Work::barItemClicked(int cat, int item) {
    switch (cat) {
    case category::Selection: selection->clickSelectionItem(item); break;
    case category::Commands: entryPoints->clickCommandItem(item); break;
    case category::Clusters: clickClusterItem(item); break;
    default: break;
    }
}

void TForm_Work::restartBlinkAfterHover() {
    if (m_sessionActive && pc_ShowMode->currentIndex() == work::kContainerPage)
        Timer_StationAnim->start();
}

bool TForm_Work::inWork(const link::TKlvRack& rack) const {
    return m_hooks.clusterInWork ? m_hooks.clusterInWork(rack) : defaultClusterInWork(rack);
}

// --- the session

void TForm_Work::enterWorkSession() {
    const bool mnemo = program().mnemonicMode;
    // 1. Rack widgets for the clusters in work, none for the others.
    for (int c = 0; c < m_clusters.count(); ++c) {
        if (!inWork(m_clusters.at(c)))
            destroyRackWidgets(c);
        else if (!rackView(c))
            createRackWidgets(c);
    }
    // 2. The panels stand side by side in cluster order (placeRackPanel keeps that order).
    if (!mnemo)
        for (int c = 0; c < m_clusters.count(); ++c)
            if (RackView* view = rackView(c))
                view->show();
    // 3, 4. The table's cluster filter and station-number limits.
    table->fillClusterFilter(settings::clusterCount());
    table->setStationNumberMaximum(settings::maxStationNumber());
    // 5. Command images for an empty selection.
    entryPoints->showSummary(work::summaryOfCount(0, 0, 0));
    // 6. Nothing hovered; the tiles blink.
    m_hoveredNumber = -1;
    m_hoveredCluster = -1;
    m_sessionActive = true;
    Timer_StationAnim->start();
    // 7. The controls of the access level.
    applyAccessLevel(program().accessLevel);
}

void TForm_Work::showSessionWindow() {
    if (program().mnemonicMode && m_mnemo) {
        m_mnemo->show();
        m_mnemo->raise();
        m_mnemo->activateWindow();
    } else {
        showMaximized();
    }
    selection->reset();
}

void TForm_Work::endSession() {
    if (m_endingSession)
        return;
    m_endingSession = true;
    if (m_hooks.stopConnectionTimers)
        m_hooks.stopConnectionTimers();
    Timer_StationAnim->stop();
    // The wait lets events run; the list is read again afterwards.
    for (int waited = 0; waited < kCloseWaitMs; waited += kWaitStepMs)
        waitStep();
    for (int c = m_clusters.count() - 1; c >= 0; --c)
        destroyRackWidgets(c);
    m_sessionActive = false;
    m_hoveredNumber = -1;
    m_hoveredCluster = -1;
    if (isVisible())
        hide();
    if (m_mnemo && m_mnemo->isVisible())
        m_mnemo->hide();
    if (m_hooks.showLogin)
        m_hooks.showLogin();
    if (m_hooks.closeConnection)
        m_hooks.closeConnection();
    m_endingSession = false;
}

void TForm_Work::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!m_endingSession)
        endSession();
}

void TForm_Work::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    // A minimize of the work window minimizes the whole application.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && !w->isMinimized())
            w->showMinimized();
}

void TForm_Work::settingsClicked() {
    const MessageAnswer answer = catalogue::show(u"e023", MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    close();
    if (m_hooks.openSettings)
        m_hooks.openSettings();
    else if (Form_Settings)
        Form_Settings->exec();
}

// --- rack widgets

RackView* TForm_Work::rackView(int cluster) const {
    const link::TKlvRack* rack = m_clusters.find(cluster);
    return rack ? work::rackViewOf(*rack) : nullptr;
}

void TForm_Work::placeRackPanel(RackView* view) {
    int index = 0;
    for (int i = 0; i < m_rackLayout->count(); ++i) {
        auto* other = qobject_cast<RackView*>(m_rackLayout->itemAt(i)->widget());
        if (other && other->cluster() < view->cluster())
            index = i + 1;
    }
    m_rackLayout->insertWidget(index, view, 0, Qt::AlignTop | Qt::AlignLeft);
}

void TForm_Work::createRackWidgets(int cluster) {
    link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack || work::rackViewOf(*rack))
        return;
    const bool mnemo = program().mnemonicMode && m_mnemo;
    auto* view = new RackView(m_clusters, cluster, mnemo ? work::RackMode::Mnemo : work::RackMode::Container,
                              mnemo ? m_mnemoPictures : m_containerPictures, m_blinkPhase,
                              settings::stationsInRackHoriz(), mnemo ? static_cast<QWidget*>(m_mnemo->xGP) : m_rackRow);
    connect(view, &RackView::tileClicked, this, &TForm_Work::clickTile);
    connect(view, &RackView::hoverEntered, this, &TForm_Work::hoverEntered);
    connect(view, &RackView::hoverLeft, this, &TForm_Work::hoverLeft);
    connect(view, &RackView::contextMenuRequested, this, &TForm_Work::tileContextMenu);
    connect(view, &RackView::selectAllClicked, selection, &work::SelectionController::selectAllClicked);
    rack->rackView = view;
    if (mnemo)
        m_mnemo->addRackPanel(view);
    else
        placeRackPanel(view);
    view->layOutTiles();

    const int number = cluster + 1;
    cat_Buttons->addItem(category::Clusters, clusterItemCaption(number, true), clusterItemHint(number, true), -1);
    m_clusterItems.append(cluster);
    rack->reportFlag = true;
}

void TForm_Work::destroyRackWidgets(int cluster) {
    link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack)
        return;
    RackView* view = work::rackViewOf(*rack);
    if (view) {
        for (int s = rack->stationCount() - 1; s >= 0; --s) {
            view->stationRemoving(s);
            rack->stations.erase(rack->stations.begin() + s);
        }
        view->disconnect(this);
        view->disconnect(selection);
        m_rackLayout->removeWidget(view);
        view->hide();
        view->deleteLater();
    }
    rack->rackView = nullptr;
    const int item = m_clusterItems.indexOf(cluster);
    if (item >= 0) {
        cat_Buttons->removeItem(category::Clusters, item);
        m_clusterItems.removeAt(item);
    }
    if (m_hoveredCluster == cluster) {
        m_hoveredCluster = -1;
        m_hoveredNumber = -1;
    }
    if (view)
        refreshSelectionSummary();
}

void TForm_Work::stationAppended(int cluster) {
    if (RackView* view = rackView(cluster))
        view->stationAppended();
}

void TForm_Work::stationRemoving(int cluster, int station) {
    if (RackView* view = rackView(cluster))
        view->stationRemoving(station);
    m_summaryDue = true;
}

void TForm_Work::layOutRack(int cluster) {
    if (RackView* view = rackView(cluster))
        view->layOutTiles();
    // A station that left may have been selected: the summary follows once it is gone.
    if (m_summaryDue) {
        m_summaryDue = false;
        refreshSelectionSummary();
    }
}

int TForm_Work::clusterItemOf(int cluster) const {
    return m_clusterItems.indexOf(cluster);
}

void TForm_Work::clickClusterItem(int item) {
    if (item < 0 || item >= m_clusterItems.size())
        return;
    const int cluster = m_clusterItems[item];
    link::TKlvRack* rack = m_clusters.find(cluster);
    RackView* view = rack ? work::rackViewOf(*rack) : nullptr;
    if (!rack || !view || !inWork(*rack))
        return;
    const int number = cluster + 1;
    const bool wasShown = !view->isHidden();
    cat_Buttons->setItemCaption(category::Clusters, item, clusterItemCaption(number, !wasShown));
    cat_Buttons->setItemHint(category::Clusters, item, clusterItemHint(number, !wasShown));
    view->setVisible(!wasShown);
    // The layout keeps the shown panels in cluster order; the selection follows the visible racks.
    selection->recompute();
}

void TForm_Work::setSyncLabel(int cluster, const QString& text) {
    if (RackView* view = rackView(cluster))
        view->syncLabel->setText(text);
}

// --- tiles and the detail panel

void TForm_Work::blinkTick() {
    if (m_hooks.stationDataVisible && m_hooks.stationDataVisible())
        return;
    m_blinkPhase = m_blinkPhase == 0 ? 1 : 0;
    for (int c = 0; c < m_clusters.count(); ++c)
        if (RackView* view = rackView(c))
            view->redrawTiles();
    if (m_hoveredNumber < 0)
        GridPanel1->clearValues();
}

void TForm_Work::redrawTile(int cluster, int station) {
    if (RackView* view = rackView(cluster)) {
        view->redrawTile(station);
        view->repaintTile(station);
    }
}

void TForm_Work::repaintRack(int cluster) {
    if (RackView* view = rackView(cluster))
        view->update();
}

void TForm_Work::fillDetailPanel(int cluster, int station) {
    const link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack || station < 0 || station >= rack->stationCount())
        return;
    const link::TKlvStation& s = rack->station(station);
    // The hovered station is a station of one cluster: the same number in another rack is another
    // station.
    if (m_hoveredNumber < 0 || s.number() != m_hoveredNumber || cluster != m_hoveredCluster)
        return;
    GridPanel1->fill(s.status, table->driftUnknown());
}

void TForm_Work::hoverEntered(int cluster, int station) {
    const link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack || station < 0 || station >= rack->stationCount())
        return;
    m_hoveredCluster = cluster;
    m_hoveredNumber = rack->station(station).number();
    fillDetailPanel(cluster, station);
}

void TForm_Work::hoverLeft(int cluster) {
    if (cluster != m_hoveredCluster)
        return;
    m_hoveredCluster = -1;
    m_hoveredNumber = -1;
}

void TForm_Work::clickTile(int cluster, int station) {
    link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack || station < 0 || station >= rack->stationCount())
        return;
    link::TKlvStation& s = rack->station(station);
    s.tile.checked = !s.tile.checked;
    redrawTile(cluster, station);
    refreshSelectionSummary();
}

bool TForm_Work::anyStationSelected() const {
    for (int c = 0; c < m_clusters.count(); ++c)
        for (const link::TKlvStation& s : m_clusters.at(c).stations)
            if (s.tile.checked)
                return true;
    return false;
}

void TForm_Work::tileContextMenu(int cluster, int station, const QPoint& globalPos) {
    if (program().accessLevel == AccessMnemo)
        return;
    link::TKlvRack* rack = m_clusters.find(cluster);
    if (!rack || station < 0 || station >= rack->stationCount())
        return;
    if (!anyStationSelected()) {
        link::TKlvStation& s = rack->station(station);
        entryPoints->pm_StationNoSettings->setText(QStringLiteral("Свойства Станции ") + QString::number(s.number()));
        s.tile.checked = true;
        redrawTile(cluster, station);
        refreshSelectionSummary();
    }
    entryPoints->stationMenu()->popup(globalPos);
}

// --- selection and the access level

void TForm_Work::refreshSelectionSummary() {
    selection->refreshSummary();
}

void TForm_Work::setDeveloperItems(bool developer) {
    miSettings->setVisible(developer);
    entryPoints->setAccessLevel(developer ? AccessDeveloper : std::min(program().accessLevel, int(AccessAdmin)));
}

void TForm_Work::refillStateFilter() {
    table->refillStateFilter();
}

void TForm_Work::applyAccessLevel(int level) {
    const bool shown = level != AccessMnemo;
    MainMenu_Work->setVisible(shown);
    MnemoPanel->setVisible(shown);
    GridPanel2->m_Msgs->setVisible(shown);
    GridPanel2->Memo1->setVisible(shown);
    GridPanel2->setVisible(shown);
    pc_ShowMode->setTabVisible(work::kTablePage, shown);
    GridPanel1->setDeveloperRowsVisible(level == AccessDeveloper);
}

} // namespace kalver
