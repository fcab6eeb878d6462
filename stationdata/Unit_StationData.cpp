#include "stationdata/Unit_StationData.h"

#include "config/Catalogue.h"
#include "config/TextTables.h"
#include "core/ActivationWatch.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Timeout.h"
#include "stationdata/ChargeCurvesPage.h"
#include "stationdata/ConfigurationWarning.h"
#include "stationdata/FileCatalogPage.h"
#include "stationdata/Operation.h"
#include "stationdata/OperationTexts.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/StationDataInputs.h"
#include "stationdata/StationDataObserver.h"
#include "stationdata/StationErrorText.h"
#include "stationdata/SubsystemPage.h"
#include "stationdata/TrayBalloon.h"
#include "stationdata/WorkWindowBridge.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kalver::stationdata {

TForm_StationData* Form_StationData = nullptr;

namespace {

constexpr int kBalloonTimeoutMs = 10000;

void letEventsRun() { QCoreApplication::processEvents(); }

// A sorted drop-down list keeps its items in text order.
void fillSorted(QComboBox* box, QStringList items) {
    std::sort(items.begin(), items.end());
    box->addItems(items);
}

// A tab sheet holding `contents`.
QWidget* sheet(QWidget* parent, const QString& name, QWidget* contents) {
    auto* page = new QWidget(parent);
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    contents->setParent(page);
    layout->addWidget(contents);
    return page;
}

} // namespace

void openStationDataForSelection(int page, int operation) {
    if (Form_StationData)
        Form_StationData->openForSelection(page, operation);
}

TForm_StationData::TForm_StationData(link::ClusterList& clusters, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_clusters(clusters) {
    setObjectName(QStringLiteral("Form_StationData"));
    setWindowTitle(program().applicationTitle + kalver::texts::captionSuffix(kalver::texts::Window::Work));
    setMinimumSize(792, 585);
    resize(784, 761);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    buildPages();
    pb_StartStop = new QProgressBar(this);
    pb_StartStop->setObjectName(QStringLiteral("pb_StartStop"));
    pb_StartStop->setMaximum(60);
    pb_StartStop->setValue(0);
    pb_StartStop->setToolTip(QStringLiteral("Прогресс операции"));
    pb_StartStop->setTextVisible(false);
    layout->addWidget(tb_RackTurt);
    layout->addWidget(pc_ControlMode, 1);
    layout->addWidget(pb_StartStop);

    tray = new TrayBalloon(m_clusters, this);
    fileCatalog->setProgressBar(pb_StartStop);
    subsystems->setProgressBar(pb_StartStop);
    m_observer = std::make_unique<StationDataObserver>(*subsystems, *pb_StartStop, *tray);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    loadInputsFile();
    sizeStatusGrid();

    // Becoming active: the showing by Open for selection, and the return from another window of the
    // program (not the close of a message box such as e024, not the return from another program).
    connect(new ActivationWatch(this), &ActivationWatch::cameFromProgramWindow, this, &TForm_StationData::becomeActive,
            Qt::QueuedConnection);
}

TForm_StationData::~TForm_StationData() {
    delete m_ownTimeout;
    if (Form_StationData == this)
        Form_StationData = nullptr;
}

QString TForm_StationData::inputsFilePath() { return program().programFolder + QLatin1String(kInputsFileName); }

link::LinkObserver& TForm_StationData::linkObserver() { return *m_observer; }

void TForm_StationData::setDeveloperPages(bool developer) {
    // The charge curves page is shown at every level; below level 3 its chart stays empty.
    pc_ControlMode->setTabVisible(page::ChargeCurves, true);
    pc_ControlMode->setTabVisible(page::Subsystems, developer);
}

void TForm_StationData::hideTrayIcon() { tray->zTrayIcon1->hide(); }

void TForm_StationData::buildToolBar() {
    tb_RackTurt = new QToolBar(this);
    tb_RackTurt->setObjectName(QStringLiteral("tb_RackTurt"));
    Label1 = new QLabel(QStringLiteral("Кластер: "), tb_RackTurt);
    Label1->setObjectName(QStringLiteral("Label1"));
    cbServer = new QComboBox(tb_RackTurt);
    cbServer->setObjectName(QStringLiteral("cbServer"));
    cbServer->setMinimumWidth(70);
    Label2 = new QLabel(QStringLiteral("Станция:"), tb_RackTurt);
    Label2->setObjectName(QStringLiteral("Label2"));
    cbStation = new QComboBox(tb_RackTurt);
    cbStation->setObjectName(QStringLiteral("cbStation"));
    cbStation->setMinimumWidth(70);
    tb_RackTurt->addWidget(Label1);
    tb_RackTurt->addWidget(cbServer);
    tb_RackTurt->addSeparator();
    tb_RackTurt->addWidget(Label2);
    tb_RackTurt->addWidget(cbStation);
    tb_RackTurt->hide();
    connect(cbServer, &QComboBox::activated, this, [this] {
        cbServerChange();
        cbServerCloseUp();
    });
    connect(cbStation, &QComboBox::activated, this, [this] { cbStationChange(); });
}

void TForm_StationData::buildPages() {
    pc_ControlMode = new QTabWidget(this);
    pc_ControlMode->setObjectName(QStringLiteral("pc_ControlMode"));

    ts_StartStop = new OperationsPage(pc_ControlMode);
    ts_StartStop->fillRequested = [this](int operation) { fillFromSelection(false, operation); };
    connect(ts_StartStop->b_StartStop, &QPushButton::clicked, this, [this] { b_StartStopClick(); });

    fileCatalog = new FileCatalogPage;
    ts_RegData = sheet(pc_ControlMode, QStringLiteral("ts_RegData"), fileCatalog);
    GroupBox1 = fileCatalog->GroupBox1;
    Memo_StationErrors = fileCatalog->Memo_StationErrors;
    connect(fileCatalog, &FileCatalogPage::downloadPeriodChosen, this, &TForm_StationData::takeDownloadPeriod);
    chargeCurves = new ChargeCurvesPage;
    ts_ChargeData = sheet(pc_ControlMode, QStringLiteral("ts_ChargeData"), chargeCurves);
    subsystems = new SubsystemPage;
    ts_StationParam = sheet(pc_ControlMode, QStringLiteral("ts_StationParam"), subsystems);

    pc_ControlMode->addTab(ts_StartStop, QStringLiteral("Операции управления"));
    pc_ControlMode->addTab(ts_RegData, QStringLiteral("Информация по Станции"));
    pc_ControlMode->addTab(ts_ChargeData, QStringLiteral("Просмотр кривых заряда"));
    pc_ControlMode->addTab(ts_StationParam, QStringLiteral("Подсистемы Станции"));
    connect(pc_ControlMode, &QTabWidget::currentChanged, this, &TForm_StationData::pageChanged);
}

void TForm_StationData::loadInputsFile() {
    // Without the file the design values stand and the channel entries are all zero.
    StationDataInputs inputs = ts_StartStop->inputs();
    inputs.channels = ChannelEntries{};
    readInputsFile(inputsFilePath(), inputs);
    ts_StartStop->applyInputs(inputs);
}

// ---- Open for selection and Fill from selection

void TForm_StationData::openForSelection(int page, int operation) {
    if (m_running || m_closing)
        return;
    if (page != page::Operations)
        operation = op::Search;
    workWindowBridge().suspendWorkSession();
    if (program().accessLevel == AccessDeveloper)
        removeChargeCurves();
    cbStation->clear();
    m_closedWhileFilling = false;
    setDeveloperPages(program().accessLevel == AccessDeveloper);

    letEventsRun();
    if (pc_ControlMode->currentIndex() != page)
        pc_ControlMode->setCurrentIndex(page);
    letEventsRun();

    if (pc_ControlMode->currentIndex() == page::Operations)
        ts_StartStop->chooseOperation(operation);
    else
        fillFromSelection(true, operation);
    if (m_closedWhileFilling)
        return;

    show();
    raise();
    activateWindow();
    becomeActive();
    if (page != page::Operations)
        pageChanged(pc_ControlMode->currentIndex());
}

void TForm_StationData::fillFromSelection(bool withChargeCurves, int operation) {
    if (m_running)
        return;
    cbServer->clear();
    cbStation->clear();
    const bool merge = pc_ControlMode->currentIndex() == page::Operations && isStartFamily(operation);
    const SelectionListing listing = listSelection(m_clusters, workWindowBridge(), operation, merge);
    if (listing.invalidConfiguration) {
        showMessage({program().applicationTitle, QString::fromUtf16(texts::kInvalidChannelConfiguration),
                     MessageIcon::Error, MessageButtons::Ok, {}});
        m_closedWhileFilling = true;
        finishClose();
        hide();
        return;
    }
    setChoosersFrom(listing);
    ts_StartStop->showListing(listing);
    ts_StartStop->checkStartSettings();
    if (withChargeCurves && program().accessLevel == AccessDeveloper)
        for (const ListedStation& s : listing.listed)
            addChargeCurve(s.clusterNumber, s.stationNumber);
    if (isStartFamily(operation))
        ts_StartStop->applyChannelListing(listing);
    showConfigurationWarning(listing);
}

void TForm_StationData::setChoosersFrom(const SelectionListing& listing) {
    QStringList servers;
    for (int n : listing.serverItems)
        servers.append(QString::number(n));
    QStringList stations;
    for (std::int32_t n : listing.stationItems)
        stations.append(QString::number(n));
    fillSorted(cbServer, servers);
    fillSorted(cbStation, stations);
    cbServer->setCurrentIndex(cbServer->count() > 0 ? 0 : -1);
    cbStation->setCurrentIndex(cbStation->count() > 0 ? 0 : -1);
}

void TForm_StationData::showConfigurationWarning(const SelectionListing& listing) {
    tray->zTrayIcon1->setToolTip(QString());
    const QString text = configurationWarningText(listing.channels.differences(), listing.refused);
    if (text.isEmpty())
        return;
    tray->show(catalogue::entry(u"e082").title, text, text, kBalloonTimeoutMs);
}

// ---- "Выполнить"

void TForm_StationData::b_StartStopClick() {
    if (m_running || m_closing)
        return;
    m_running = true;
    m_closeRequested = false;
    tb_RackTurt->setEnabled(false);
    pc_ControlMode->setEnabled(false);

    OperationInputs in;
    in.operation = ts_StartStop->operation();
    in.start = ts_StartStop->startSettings();
    in.downloadBegin = ts_StartStop->downloadBegin();
    in.downloadEnd = ts_StartStop->downloadEnd();
    OperationRunner runner(m_clusters, *this, workWindowBridge());
    const OperationOutcome outcome = runner.run(in);
    m_lastWaitSteps = runner.lastWaitSteps();

    m_running = false;
    tb_RackTurt->setEnabled(true);
    pc_ControlMode->setEnabled(true);
    if (m_closeRequested) {
        m_closeRequested = false;
        close();
        return;
    }
    if (outcome.rowsHandled)
        catalogue::showInformation(QString::fromUtf16(outcome.allSucceeded ? texts::kSummaryAllDone : texts::kSummaryNotAll));
    fillFromSelection(false, ts_StartStop->operation());
}

// ---- OperationView

int TForm_StationData::rowCount() const { return ts_StartStop->rowCount(); }
int TForm_StationData::rowCluster(int row) const { return ts_StartStop->rowCluster(row); }
QList<std::int32_t> TForm_StationData::rowStations(int row) const { return ts_StartStop->rowStations(row); }
void TForm_StationData::setRowState(int row, const QString& text) { ts_StartStop->setRowState(row, text); }

void TForm_StationData::setProgress(int maximum, int position) {
    pb_StartStop->setMaximum(maximum);
    pb_StartStop->setValue(position);
}

TForm_Timeout* TForm_StationData::timeoutDialog() {
    TForm_Timeout* dialog = Form_Timeout;
    if (!dialog) {
        if (!m_ownTimeout)
            m_ownTimeout = new TForm_Timeout;
        dialog = m_ownTimeout;
    }
    if (m_connectedTimeout != dialog) {
        m_connectedTimeout = dialog;
        connect(dialog, &TForm_Timeout::balloonRequested, this,
                [this](const QString& title, const QString& text, const QString& hint, int timeoutMs) {
                    tray->show(title, text, hint, timeoutMs, true);
                });
    }
    return dialog;
}

void TForm_StationData::showWaitDialog() { timeoutDialog()->showForWait(); }
bool TForm_StationData::waitAborted() const {
    const TForm_Timeout* dialog = Form_Timeout ? Form_Timeout : m_ownTimeout;
    return dialog && dialog->abortRequested();
}
void TForm_StationData::closeWaitDialog() { timeoutDialog()->closeAfterWait(); }

// ---- window events

void TForm_StationData::becomeActive() {
    setDeveloperPages(program().accessLevel == AccessDeveloper);
    ts_StartStop->refreshQuickEntry();
    resetFileView();
}

void TForm_StationData::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sizeStatusGrid();
}

void TForm_StationData::sizeStatusGrid() {
    // Column 1 stretches over what columns 0 and 2 leave (its header is in stretch mode).
    ts_StartStop->sg_StartStopStatus->setColumnWidth(2, 160);
}

void TForm_StationData::pageChanged(int index) {
    resetFileView();
    tb_RackTurt->setVisible(index == page::StationInfo || index == page::Subsystems);
    if (index == page::StationInfo && cbStation->count() > 0)
        cbStationChange();
    if (index == page::Subsystems) {
        subsystems->cb_SubsystemType->setEnabled(false);
        if (cbStation->count() == 0)
            resetSubsystems();
        else
            loadSubsystemList(cbServer->currentText().toInt() - 1, cbStation->currentText().toInt());
    }
}

void TForm_StationData::cbServerChange() {
    cbStation->clear();
    const int cluster = cbServer->currentText().toInt();
    for (int row = 0; row < ts_StartStop->rowCount(); ++row) {
        if (ts_StartStop->rowCluster(row) != cluster)
            continue;
        QStringList stations;
        for (std::int32_t n : ts_StartStop->rowStations(row))
            stations.append(QString::number(n));
        fillSorted(cbStation, stations);
        break;
    }
    cbStation->setCurrentIndex(cbStation->count() > 0 ? 0 : -1);
}

void TForm_StationData::cbServerCloseUp() {
    Memo_StationErrors->clear();
    resetFileView();
    resetSubsystems();
    undoFileZoom();
    cbStationChange();
}

void TForm_StationData::cbStationChange() {
    if (cbStation->count() == 0)
        return;
    resetFileView();
    resetSubsystems();
    undoFileZoom();
    const int index = pc_ControlMode->currentIndex();
    if (index != page::StationInfo && index != page::Subsystems)
        return;
    const int position = cbServer->currentText().toInt() - 1;
    const std::int32_t number = cbStation->currentText().toInt();
    const link::TKlvRack* rack = m_clusters.find(position);
    const link::TKlvStation* station = nullptr;
    if (rack)
        for (const link::TKlvStation& s : rack->stations)
            if (s.number() == number)
                station = &s;
    if (index == page::Subsystems) {
        if (station)
            loadSubsystemList(position, number);
        return;
    }
    fileCatalog->setStation(m_clusters, position, number);
    if (!station) {
        Memo_StationErrors->clear();
        return;
    }
    const link::StatusBlock block = station->status; // a copy: the request below runs events
    if (!block.downloading())
        fileCatalog->requestCatalogue();
    link::TKlvStation copy(block);
    fillStationErrors(copy);
}

void TForm_StationData::fillStationErrors(const link::TKlvStation& station) {
    Memo_StationErrors->clear();
    Memo_StationErrors->setPlainText(stationErrorLines(station.status).join(QLatin1Char('\n')));
}

void TForm_StationData::closeEvent(QCloseEvent* event) {
    if (m_running) {
        // The running operation ends at its next step and closes the window when it has unwound.
        m_closeRequested = true;
        event->ignore();
        return;
    }
    finishClose();
    QWidget::closeEvent(event);
}

void TForm_StationData::finishClose() {
    if (m_closing)
        return;
    m_closing = true;
    fileCatalog->cancelWait();
    subsystems->cancelWait();
    resetFileView();
    removeChargeCurves();
    StationDataInputs inputs = ts_StartStop->inputs();
    const bool withChannels = ts_StartStop->anyChannelGroup();
    writeInputsFile(inputsFilePath(), inputs, withChannels);
    ts_StartStop->closeChannelGroups();
    workWindowBridge().resumeWorkSession();
    m_closing = false;
}

// ---- pages 1...3

void TForm_StationData::resetFileView() { fileCatalog->resetView(); }

void TForm_StationData::undoFileZoom() { fileCatalog->undoZoom(); }

void TForm_StationData::removeChargeCurves() { chargeCurves->removeChargeCurves(); }

void TForm_StationData::addChargeCurve(int clusterNumber, std::int32_t stationNumber) {
    const link::TKlvRack* rack = m_clusters.find(clusterNumber - 1);
    const int station = rack ? rack->findStation(stationNumber) : -1;
    if (station >= 0)
        chargeCurves->addChargeCurve(m_clusters, clusterNumber - 1, station);
}

void TForm_StationData::resetSubsystems() { subsystems->resetPage(); }

void TForm_StationData::loadSubsystemList(int clusterPosition, std::int32_t stationNumber) {
    subsystems->cb_SubsystemType->setEnabled(false);
    subsystems->loadSubsystemList(m_clusters, clusterPosition, stationNumber);
}

void TForm_StationData::takeDownloadPeriod(const QDateTime& begin, const QDateTime& end) {
    ts_StartStop->dtp_Dwnl_BegTime->setDateTime(begin);
    ts_StartStop->dtp_Dwnl_BegDate->setDateTime(begin);
    ts_StartStop->dtp_Dwnl_EndTime->setDateTime(end);
    ts_StartStop->dtp_Dwnl_EndDate->setDateTime(end);
    ts_StartStop->refreshQuickEntry();
}

} // namespace kalver::stationdata
