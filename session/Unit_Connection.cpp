#include "session/Unit_Connection.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "config/TextTables.h"
#include "core/ActivationWatch.h"
#include "core/ByteWriter.h"
#include "core/ProgramValues.h"
#include "link/PermissionAnswer.h"
#include "link/SendServerMessage.h"
#include "link/TrafficCounter.h"
#include "session/ButtonIcons.h"
#include "session/ClusterInWork.h"
#include "session/ConnectionBoxPlaces.h"
#include "session/ConnectionTexts.h"
#include "session/PollTick.h"
#include "session/SessionWindows.h"
#include "session/Unit_Login.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver {

TForm_Connection* Form_Connection = nullptr;

namespace ct = session::connection_text;

namespace {

constexpr int kPermissionRequest = 1;
constexpr int kGridColumns = 5;
constexpr int kColumnWidth = 120;
constexpr int kRowHeight = 24;
constexpr int kColumnAddress = 1;
constexpr int kColumnLink = 2;
constexpr int kColumnAccess = 3;
constexpr int kColumnInWork = 4;

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

int g_commandLinePauseMs = 1000;

QString text(const char16_t* s) { return QString::fromUtf16(s); }

// Runs the event loop for `ms` milliseconds.
void pause(int ms) {
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int portNumber(const QString& field) { return field.trimmed().toInt(); }

} // namespace

TForm_Connection::TForm_Connection(link::ClusterList& clusters, QWidget* parent, const QStringList& arguments)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_clusters(clusters), m_sync(new session::SyncLink(clusters, this)) {
    setObjectName(QStringLiteral("Form_Connection"));
    buildControls();

    setWindowTitle(texts::windowCaption(texts::Window::Connection));
    const QStringList captions = ct::gridCaptions();
    for (int c = 0; c < captions.size(); ++c)
        setCell(0, c, captions.at(c));
    setCell(1, 0, settings::networkCell(1, 0));

    m_clusters.setPermissionHandler(
        [this](int cluster, QByteArrayView payload) { onPermissionAnswer(cluster, payload); });

    // Back from another window of the program (not from a box, not from another program).
    connect(new ActivationWatch(this), &ActivationWatch::cameFromProgramWindow, this, &TForm_Connection::becomeActive,
            Qt::QueuedConnection);

    readCommandLine(arguments);

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm_Connection::~TForm_Connection() {
    m_clusters.setPermissionHandler({});
    if (Form_Connection == this)
        Form_Connection = nullptr;
}

QStringList TForm_Connection::programArguments() { return QCoreApplication::arguments(); }

void TForm_Connection::setCommandLinePauseMs(int ms) { g_commandLinePauseMs = ms; }

namespace {
constexpr int kDesignedWidth = 648;
constexpr int kDesignedHeight = 366;
const char* const kBoxPosition = "clusterPosition";
} // namespace

void TForm_Connection::buildControls() {
    setFixedSize(kDesignedWidth, kDesignedHeight);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(session::kConnectionTopRowHeight);
    // A connection check box that goes with its cluster record gives its row back.
    Panel1->installEventFilter(this);

    sp_UpdateServerState = new QToolButton(Panel1);
    sp_UpdateServerState->setObjectName(QStringLiteral("sp_UpdateServerState"));
    sp_UpdateServerState->setToolTip(QStringLiteral("Обновить состояние Кластеров"));
    sp_UpdateServerState->setIcon(session::icons::refresh());
    sp_UpdateServerState->setIconSize(QSize(18, 18));
    sp_UpdateServerState->setGeometry(1, 1, 26, 26);

    Lbl_Selected = new QLabel(QStringLiteral("Работать с: "), Panel1);
    Lbl_Selected->setObjectName(QStringLiteral("Lbl_Selected"));
    Lbl_Selected->setGeometry(34, 1, 90, 26);

    tb_ToWork = new QToolButton(Panel1);
    tb_ToWork->setObjectName(QStringLiteral("tb_ToWork"));
    tb_ToWork->setText(QStringLiteral("К работе"));
    tb_ToWork->setToolTip(QStringLiteral("Перейти к окну работы"));
    tb_ToWork->setIcon(session::icons::toWork());
    tb_ToWork->setIconSize(QSize(16, 16));
    tb_ToWork->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tb_ToWork->setFixedSize(87, 26);
    tb_ToWork->setEnabled(false);

    sg_Connection = new QTableWidget(2, kGridColumns, this);
    sg_Connection->setObjectName(QStringLiteral("sg_Connection"));
    sg_Connection->horizontalHeader()->hide();
    sg_Connection->verticalHeader()->hide();
    sg_Connection->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    sg_Connection->verticalHeader()->setDefaultSectionSize(kRowHeight);
    sg_Connection->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg_Connection->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_Connection->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_Connection->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg_Connection->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    pb_ConnectionProgress = new QProgressBar(this);
    pb_ConnectionProgress->setObjectName(QStringLiteral("pb_ConnectionProgress"));
    pb_ConnectionProgress->setFixedHeight(26);
    pb_ConnectionProgress->setTextVisible(false);
    pb_ConnectionProgress->setRange(0, 0);
    pb_ConnectionProgress->setMaximum(1);
    pb_ConnectionProgress->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(sg_Connection, 1);
    layout->addWidget(pb_ConnectionProgress);

    Timer_NotCriticalMsgs = new QTimer(this);
    Timer_NotCriticalMsgs->setObjectName(QStringLiteral("Timer_NotCriticalMsgs"));
    TimerMnemoProceed = new QTimer(this);
    TimerMnemoProceed->setObjectName(QStringLiteral("TimerMnemoProceed"));
    TimerMnemoProceed->setInterval(1000);
    Timer_SynchroQuant = new QTimer(this);
    Timer_SynchroQuant->setObjectName(QStringLiteral("Timer_SynchroQuant"));
    Timer_SynchroQuant->setInterval(kSyncTickMs);

    connect(sp_UpdateServerState, &QToolButton::clicked, this, &TForm_Connection::updateServerState);
    connect(tb_ToWork, &QToolButton::clicked, this, &TForm_Connection::toWork);
    connect(Timer_NotCriticalMsgs, &QTimer::timeout, this, &TForm_Connection::pollTick);
    connect(TimerMnemoProceed, &QTimer::timeout, this, &TForm_Connection::mnemoCountdownTick);
    connect(Timer_SynchroQuant, &QTimer::timeout, this, &TForm_Connection::syncTick);
}

void TForm_Connection::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tb_ToWork->move(Panel1->width() - tb_ToWork->width() - 1, 1);
}

// ---- the command line

void TForm_Connection::readCommandLine(const QStringList& arguments) {
    m_mnemo = session::parseMnemoCommandLine(arguments);
    if (!m_mnemo.requested)
        return;
    pause(g_commandLinePauseMs);
    program().accessLevel = AccessMnemo;
    if (m_mnemo.badNumber) {
        catalogue::show(u"e049", MessageIcon::Error, MessageButtons::Ok);
        journal::write(QStringLiteral("e049"));
    }
}

void TForm_Connection::startMnemonicSessionIfRequested() {
    if (!m_mnemo.requested)
        return;
    TimerMnemoProceed->start();
    if (Form_Login)
        Form_Login->showMnemo();
}

// ---- becoming active

void TForm_Connection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Every showing makes the window the active one, whether or not the desktop gives it the focus.
    QMetaObject::invokeMethod(this, &TForm_Connection::becomeActive, Qt::QueuedConnection);
}

void TForm_Connection::becomeActive() {
    if (m_activating)
        return;
    m_activating = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_activating};

    Timer_NotCriticalMsgs->setInterval(settings::queryIntervalSeconds() * 1000);
    const int configured = settings::clusterCount();
    pb_ConnectionProgress->setMaximum(qMax(1, configured * 2));
    setProgress(0);

    if (configured != m_clusters.count()) {
        sg_Connection->setRowCount(settings::networkRowCount());
        for (int row = m_clusters.count() + 2; row <= configured + 1; ++row) {
            setCell(row, 0, settings::networkCell(row, 0));
            setCell(row, kColumnAddress, ct::addressCell(settings::networkCell(row, 1), settings::networkCell(row, 2)));
        }
        if (m_clusters.count() < configured) {
            // A record is always made: its sockets take no system resource before they open (an address
            // that cannot be opened is e020 below), so the record itself never fails.
            for (int p = m_clusters.count(); p < configured; p = m_clusters.count()) {
                createCluster(p);
                setProgress(p);
                QCoreApplication::processEvents();
            }
        } else {
            while (m_clusters.count() > configured) {
                m_clusters.destroyLast();
                QCoreApplication::processEvents();
            }
        }
        updateToWorkButton();
    }

    // The connections follow the settings' addresses and ports.
    const int syncPort = portNumber(settings::syncPortText());
    for (int p = 0; p < m_clusters.count(); ++p) {
        const QString address = settings::clusterIpAddress(p);
        const QString portField = settings::clusterPortText(p);
        link::ClientSocket* cluster = m_clusters.at(p).clusterConnection();
        if (cluster->address() != address || cluster->port() != portNumber(portField)) {
            cluster->close();
            if (!m_clusters.isValid(p))
                break;
            cluster->setAddress(address);
            cluster->setPort(portNumber(portField));
            setCell(p + 2, kColumnAddress, ct::addressCell(address, portField));
        }
        link::ClientSocket* sync = m_clusters.at(p).syncConnection();
        if (sync->address() != address || sync->port() != syncPort) {
            sync->close();
            if (!m_clusters.isValid(p))
                break;
            sync->setAddress(address);
            sync->setPort(syncPort);
        }
    }

    // Every connection is opened; the open ones are asked again below.
    bool someWereOpen = false;
    for (int p = 0; p < m_clusters.count(); ++p) {
        link::TKlvRack& rack = m_clusters.at(p);
        bool opened = true;
        if (rack.clusterConnection()->isConnected())
            someWereOpen = true;
        else
            opened = rack.clusterConnection()->open();
        log(ct::withNumber(ct::kAskingPermission, p + 1), false, kBlue);
        if (!opened)
            catalogue::show(u"e020", MessageIcon::Error, MessageButtons::Ok);
        if (m_clusters.isValid(p))
            m_clusters.at(p).syncConnection()->open();
        setProgress(configured + p + 1);
        QCoreApplication::processEvents();
    }
    if (someWereOpen)
        updateServerState();
}

void TForm_Connection::createCluster(int position) {
    const int p = m_clusters.create(settings::clusterIpAddress(position), portNumber(settings::clusterPortText(position)),
                                    portNumber(settings::syncPortText()));
    m_clusters.at(p).connectionCheckBox = makeCheckBox(p);
    attachClusterEvents(p);
    m_sync->attach(p);
}

QCheckBox* TForm_Connection::makeCheckBox(int cluster) {
    auto* box = new QCheckBox(QString::number(cluster + 1), Panel1);
    box->setObjectName(QStringLiteral("ConnectionCheckBox%1").arg(cluster + 1));
    box->setToolTip(ct::checkBoxHint(cluster + 1));
    box->setProperty(kBoxPosition, cluster);
    box->setGeometry(session::connectionBoxRect(cluster, boxStrip()));
    box->hide();
    fitBoxRows();
    // A change of the checked state, by the operator or by the program, counts as the box's click.
    connect(box, &QCheckBox::toggled, this, [this, box](bool checked) { onCheckBoxToggled(box, checked); });
    return box;
}

session::ConnectionBoxStrip TForm_Connection::boxStrip() const {
    session::ConnectionBoxStrip strip;
    strip.panelWidth = kDesignedWidth;
    strip.firstRowEnd = kDesignedWidth - tb_ToWork->width() - 1 - 4;
    const QStyle* style = Panel1->style();
    const int caption = Panel1->fontMetrics().horizontalAdvance(QStringLiteral("100"));
    strip.rowBoxWidth = std::max(30, style->pixelMetric(QStyle::PM_IndicatorWidth) +
                                         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + caption + 8);
    return strip;
}

void TForm_Connection::fitBoxRows() {
    int count = 0;
    for (const QObject* child : Panel1->children())
        if (const QVariant position = child->property(kBoxPosition); position.isValid())
            count = std::max(count, position.toInt() + 1);
    const int height = session::connectionPanelHeight(count, boxStrip());
    if (height == Panel1->height() && Panel1->minimumHeight() == height)
        return;
    Panel1->setFixedHeight(height);
    setFixedSize(kDesignedWidth, kDesignedHeight + height - session::kConnectionTopRowHeight);
}

bool TForm_Connection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::ChildRemoved)
        fitBoxRows();
    return QWidget::eventFilter(watched, event);
}

void TForm_Connection::attachClusterEvents(int cluster) {
    link::ClientSocket* socket = m_clusters.at(cluster).clusterConnection();
    connect(socket, &link::ClientSocket::connected, this, [this, socket] { onConnected(socket); });
    connect(socket, &link::ClientSocket::disconnected, this, [this, socket] { onDisconnected(socket); });
    connect(socket, &link::ClientSocket::errorOccurred, this,
            [this, socket](int& errorCode) { onError(socket, errorCode); });
}

// ---- cluster connection events

void TForm_Connection::onConnected(QObject* socket) {
    const int p = m_clusters.findByClusterSocket(socket);
    if (p < 0)
        return;
    log(ct::withNumber(ct::kConnected, p + 1), true, kBlue);
    setStateCells(p, text(ct::kLinked), QString(), QString());
    sendPermissionRequest(p);
}

void TForm_Connection::onDisconnected(QObject* socket) {
    const int p = m_clusters.findByClusterSocket(socket);
    if (p < 0)
        return;
    log(ct::withNumber(ct::kDisconnected, p + 1), true, kBlue);
    if (QCheckBox* box = session::connectionCheckBox(m_clusters.at(p))) {
        box->setChecked(false);
        box->hide();
    }
    setStateCells(p, text(ct::kNotLinked), QString(), QString());
    session::sessionWindows().destroyRackWidgets(p);
    m_clusters.observer().refreshTable();
    session::sessionWindows().refreshSelectionSummary();
}

void TForm_Connection::onError(QObject* socket, int& errorCode) {
    const int p = m_clusters.findByClusterSocket(socket);
    if (p < 0)
        return;
    if (errorCode == link::kErrorConnectionRefused) {
        setStateCells(p, text(ct::kNotLinked), QString(), QString());
        if (QCheckBox* box = session::connectionCheckBox(m_clusters.at(p)))
            box->setChecked(false);
        log(ct::withNumber(ct::kConnectionRefused, p + 1), true, kRed);
    } else {
        log(ct::exchangeError(p + 1, errorCode), true, kRed);
    }
    errorCode = 0;
}

void TForm_Connection::sendPermissionRequest(int cluster) {
    ByteWriter payload;
    payload.putI32(program().accessLevel);
    link::SendServerMessage(m_clusters, cluster, true, kPermissionRequest, true, payload.bytes());
}

void TForm_Connection::onPermissionAnswer(int cluster, QByteArrayView payload) {
    if (!m_clusters.isValid(cluster))
        return;
    const bool granted = link::permissionGranted(payload, program().accessLevel);
    if (QCheckBox* box = session::connectionCheckBox(m_clusters.at(cluster))) {
        box->setVisible(granted);
        box->setChecked(granted);
    }
    if (granted) {
        setCell(cluster + 2, kColumnAccess, text(ct::kGranted));
        setCell(cluster + 2, kColumnInWork, text(ct::kInWork));
        log(ct::withNumber(ct::kPermissionGranted, cluster + 1), false, kGreen);
    } else {
        setCell(cluster + 2, kColumnAccess, text(ct::kRefused));
        setCell(cluster + 2, kColumnInWork, QString());
        log(ct::withNumber(ct::kPermissionRefused, cluster + 1), false, kRed);
    }
}

void TForm_Connection::onCheckBoxToggled(QObject* box, bool checked) {
    for (int p = 0; p < m_clusters.count(); ++p) {
        if (m_clusters.at(p).connectionCheckBox.data() == box) {
            setCell(p + 2, kColumnInWork, text(checked ? ct::kInWork : ct::kNotInWork));
            break;
        }
    }
    updateToWorkButton();
}

void TForm_Connection::updateToWorkButton() {
    bool any = false;
    for (int p = 0; p < m_clusters.count(); ++p)
        any = any || session::clusterInWork(m_clusters.at(p));
    tb_ToWork->setEnabled(any);
}

// ---- the buttons

void TForm_Connection::updateServerState() {
    TimerMnemoProceed->stop();
    pb_ConnectionProgress->setMaximum(qMax(1, m_clusters.count()));
    setProgress(0);
    for (int p = 0; p < m_clusters.count(); ++p) {
        link::TKlvRack& rack = m_clusters.at(p);
        if (rack.clusterConnection()->isConnected())
            sendPermissionRequest(p);
        else
            rack.clusterConnection()->open();
        if (m_clusters.isValid(p) && !m_clusters.at(p).syncConnection()->isConnected())
            m_clusters.at(p).syncConnection()->open();
        setProgress(p + 1);
        QCoreApplication::processEvents();
    }
}

void TForm_Connection::toWork() {
    TimerMnemoProceed->stop();
    session::sessionWindows().enterWorkSession();
    for (int p = 0; p < m_clusters.count(); ++p)
        if (session::clusterInWork(m_clusters.at(p))) {
            link::SendServerMessage(m_clusters, p, true, link::kStatusPollCode, false);
            link::countPollSent(p);
        }
    Timer_SynchroQuant->start();
    Timer_NotCriticalMsgs->start();
    session::sessionWindows().showSessionWindow();
    hide();
}

// ---- the timers

void TForm_Connection::pollTick() {
    if (session::runPollTick(m_clusters) > 0)
        return;
    Timer_NotCriticalMsgs->stop();
    log(text(ct::kPollStopped), false, kBlack);
}

void TForm_Connection::syncTick() { m_sync->tick(); }

void TForm_Connection::mnemoCountdownTick() {
    --m_countdown;
    setWindowTitle(ct::countdownCaption(m_countdown));

    bool selectedInWork = false;
    if (!m_mnemo.positions.isEmpty()) {
        for (int p = 0; p < m_clusters.count(); ++p) {
            link::TKlvRack& rack = m_clusters.at(p);
            if (!session::clusterInWork(rack))
                continue;
            if (m_mnemo.positions.contains(p))
                selectedInWork = true;
            else
                session::connectionCheckBox(rack)->setChecked(false);
        }
    }
    if (m_countdown > 0)
        return;

    TimerMnemoProceed->stop();
    if (m_mnemo.allClusters || selectedInWork) {
        toWork();
        return;
    }
    updateServerState();
    m_countdown = kMnemoCountdownSeconds;
    setWindowTitle(ct::countdownCaption(m_countdown));
    TimerMnemoProceed->start();
}

void TForm_Connection::stopSessionTimers() {
    Timer_SynchroQuant->stop();
    Timer_NotCriticalMsgs->stop();
}

// ---- closing

void TForm_Connection::closeEvent(QCloseEvent* event) {
    TimerMnemoProceed->stop();
    event->accept();
    if (Form_Login)
        Form_Login->show();
}

// ---- helpers

void TForm_Connection::setCell(int row, int column, const QString& value) {
    if (row >= sg_Connection->rowCount())
        sg_Connection->setRowCount(row + 1);
    QTableWidgetItem* item = sg_Connection->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (row == 0 || column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(palette().button());
            item->setForeground(palette().buttonText());
        }
        sg_Connection->setItem(row, column, item);
    }
    item->setText(value);
}

void TForm_Connection::setStateCells(int cluster, const QString& link, const QString& access, const QString& inWork) {
    setCell(cluster + 2, kColumnLink, link);
    setCell(cluster + 2, kColumnAccess, access);
    setCell(cluster + 2, kColumnInWork, inWork);
}

void TForm_Connection::log(const QString& line, bool bold, const QColor& colour) {
    m_clusters.observer().logLine(line, bold, colour);
}

void TForm_Connection::setProgress(int value) { pb_ConnectionProgress->setValue(value); }

} // namespace kalver
