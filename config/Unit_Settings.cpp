#include "config/Unit_Settings.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "config/SettingsChecks.h"
#include "config/TextTables.h"
#include "core/ProgramValues.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver {

TForm_Settings* Form_Settings = nullptr;

namespace {

TForm_Settings::FolderChooser& folderChooser() {
    static TForm_Settings::FolderChooser chooser;
    return chooser;
}

QString platformFolderChooser(QWidget* parent) {
    // No folder preselected; Qt's own dialog lets the operator create a new folder after confirming.
    return QFileDialog::getExistingDirectory(parent, QString(), QString(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

QSpinBox* makeSpin(QWidget* parent, const char* name, settings::Range range, int designValue) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(range.min, range.max);
    spin->setValue(designValue);
    return spin;
}

} // namespace

TForm_Settings::TForm_Settings(QWidget* parent, EndProgramHook endProgram)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_endProgram(std::move(endProgram)) {
    setObjectName(QStringLiteral("Form_Settings"));
    setModal(true);
    buildControls();

    setWindowTitle(texts::windowCaption(texts::Window::Settings));
    Le_UserActionsPath->setText(program().programFolder);
    se_Servers->setEnabled(false);
    se_Stations->setEnabled(false);
    m_settingsFilePath = program().programFolder + QStringLiteral("settings.ini");

    loadSettings();
    openJournalAndChargeFolder();
}

void TForm_Settings::buildControls() {
    setMinimumSize(420, 380);
    resize(448, 406);

    pc_Settings = new QTabWidget(this);
    pc_Settings->setObjectName(QStringLiteral("pc_Settings"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(pc_Settings);

    // "Общие": the numbers and the two folders.
    ts_Common = new QWidget;
    ts_Common->setObjectName(QStringLiteral("ts_Common"));
    auto* form = new QFormLayout(ts_Common);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    se_Servers = makeSpin(ts_Common, "se_Servers", settings::kClustersRange, 1);
    se_Stations = makeSpin(ts_Common, "se_Stations", settings::kStationsRange, 48);
    se_StationsInRackHoriz = makeSpin(ts_Common, "se_StationsInRackHoriz", settings::kRackSideRange, 8);
    se_StationsInRackVert = makeSpin(ts_Common, "se_StationsInRackVert", settings::kRackSideRange, 6);
    se_MaxStationNum = makeSpin(ts_Common, "se_MaxStationNum", settings::kMaxStationNumRange, 9999);
    se_QueryInterval = makeSpin(ts_Common, "se_QueryInterval", settings::kQueryIntervalRange, 5);
    se_ServerTimeOut = makeSpin(ts_Common, "se_ServerTimeOut", settings::kServerTimeOutRange, 60);
    form->addRow(QStringLiteral("Количество Кластеров"), se_Servers);
    form->addRow(QStringLiteral("Количество Станций в Кластере"), se_Stations);
    form->addRow(QStringLiteral("Станций в Кластере по горизонтали"), se_StationsInRackHoriz);
    form->addRow(QStringLiteral("Станций в Кластере по вертикали"), se_StationsInRackVert);
    form->addRow(QStringLiteral("Максимальный номер Станции"), se_MaxStationNum);
    form->addRow(QStringLiteral("Период запроса обновления данных, с"), se_QueryInterval);
    form->addRow(QStringLiteral("Тайм-аут на операции Сервера, с"), se_ServerTimeOut);

    const auto folderRow = [&](const char* editName, const char* buttonName, const QString& label, QLineEdit*& edit,
                               QToolButton*& button) {
        auto* caption = new QLabel(label, ts_Common);
        edit = new QLineEdit(ts_Common);
        edit->setObjectName(QLatin1String(editName));
        caption->setBuddy(edit);
        button = new QToolButton(ts_Common);
        button->setObjectName(QLatin1String(buttonName));
        button->setText(QStringLiteral("…"));
        button->setToolTip(QStringLiteral("Задать"));
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(button);
        form->addRow(caption);
        form->addRow(row);
    };
    folderRow("Le_UserActionsPath", "sb_UserActionsPath", QStringLiteral("Путь к архиву действий пользователя"),
              Le_UserActionsPath, sb_UserActionsPath);
    folderRow("Le_ChargePath", "sb_ChargePath", QStringLiteral("Путь к каталогу процесса зарядки станций"), Le_ChargePath,
              sb_ChargePath);
    Le_ChargePath->setText(QStringLiteral("Charge/"));
    pc_Settings->addTab(ts_Common, QStringLiteral("Общие"));

    // "Сетевые": the network table; row 0 and column 0 are fixed.
    ts_Network = new QWidget;
    ts_Network->setObjectName(QStringLiteral("ts_Network"));
    auto* networkLayout = new QVBoxLayout(ts_Network);
    networkLayout->setContentsMargins(0, 0, 0, 0);
    sg_NetworkSettings = new QTableWidget(ts_Network);
    sg_NetworkSettings->setObjectName(QStringLiteral("sg_NetworkSettings"));
    sg_NetworkSettings->setColumnCount(settings::kGridColumns);
    sg_NetworkSettings->horizontalHeader()->hide();
    sg_NetworkSettings->verticalHeader()->hide();
    sg_NetworkSettings->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg_NetworkSettings->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    networkLayout->addWidget(sg_NetworkSettings);
    pc_Settings->addTab(ts_Network, QStringLiteral("Сетевые"));

    // Any edit sets the changed flag.
    for (QSpinBox* spin : {se_Servers, se_Stations, se_StationsInRackHoriz, se_StationsInRackVert, se_MaxStationNum,
                           se_QueryInterval, se_ServerTimeOut})
        connect(spin, &QSpinBox::valueChanged, this, [this] { markChanged(); });
    connect(se_Servers, &QSpinBox::valueChanged, this, [this](int n) { setClusterCount(n); });
    for (QLineEdit* edit : {Le_UserActionsPath, Le_ChargePath})
        connect(edit, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(sg_NetworkSettings, &QTableWidget::cellChanged, this, [this] { markChanged(); });
    connect(sb_UserActionsPath, &QToolButton::clicked, this, [this] { chooseFolder(Le_UserActionsPath); });
    connect(sb_ChargePath, &QToolButton::clicked, this, [this] { chooseFolder(Le_ChargePath); });
}

void TForm_Settings::openJournalAndChargeFolder() {
    if (!journal::openOrStart(program().journalFilePath)) {
        catalogue::show(u"e000", MessageIcon::Error, MessageButtons::Ok);
        m_startupFailed = true;
        if (m_endProgram)
            m_endProgram();
        return;
    }
    journal::write(QStringLiteral("w000|") + program().commandLine);

    if (!settings::prepareChargeFolder(Le_ChargePath->text())) {
        catalogue::show(u"e039", MessageIcon::Error, MessageButtons::Ok);
        m_startupFailed = true;
        if (m_endProgram)
            m_endProgram();
    }
}

void TForm_Settings::loadSettings() {
    std::optional<settings::SettingsValues> values;
    if (!QFileInfo::exists(m_settingsFilePath)) {
        catalogue::show(u"e009", MessageIcon::Error, MessageButtons::Ok);
    } else {
        values = settings::readFile(m_settingsFilePath);
        if (!values)
            catalogue::show(u"e008", MessageIcon::Error, MessageButtons::Ok);
    }
    // A file that cannot be read is applied not at all: the defaults take its place whole.
    applyValues(values ? *values : defaultsFromControls());
    se_ServerTimeOut->setValue(settings::kDefaultServerTimeOut);
}

settings::SettingsValues TForm_Settings::defaultsFromControls() const {
    settings::SettingsValues v = currentValues();
    v.gridColumns = settings::kGridColumns;
    v.grid = settings::defaultGrid(v.clusters);
    return v;
}

void TForm_Settings::applyValues(const settings::SettingsValues& v) {
    se_Servers->setValue(v.clusters);
    setClusterCount(v.clusters);
    se_Stations->setValue(v.stationsPerCluster);
    Le_UserActionsPath->setText(v.journalFolder);
    program().journalFilePath = settings::journalFileIn(v.journalFolder);
    Le_ChargePath->setText(v.chargeFolder);
    applyFixedTileSizes();
    se_QueryInterval->setValue(v.queryInterval);
    se_StationsInRackHoriz->setValue(v.stationsInRackHoriz);
    se_StationsInRackVert->setValue(v.stationsInRackVert);
    se_MaxStationNum->setValue(v.maxStationNum);
    sg_NetworkSettings->setColumnCount(v.gridColumns);
    sg_NetworkSettings->setRowCount(v.clusters + 2);
    for (int r = 0; r < v.clusters + 2; ++r)
        for (int c = 0; c < v.gridColumns; ++c)
            setCell(r, c, r < v.grid.size() && c < v.grid.at(r).size() ? v.grid.at(r).at(c) : QString());
    se_ServerTimeOut->setValue(v.serverTimeOut);
    fitNetworkColumns();
}

void TForm_Settings::fitNetworkColumns() {
    // The designed widths, widened where this platform's font needs more room for a cell's text.
    static constexpr int kDesignedWidths[settings::kGridColumns] = {128, 80, 80, 106};
    int total = 0;
    for (int c = 0; c < sg_NetworkSettings->columnCount(); ++c) {
        const int designed = c < settings::kGridColumns ? kDesignedWidths[c] : 80;
        sg_NetworkSettings->resizeColumnToContents(c);
        const int width = qMax(designed, sg_NetworkSettings->columnWidth(c) + 4);
        sg_NetworkSettings->setColumnWidth(c, width);
        total += width;
    }
    const int needed = total + sg_NetworkSettings->verticalScrollBar()->sizeHint().width() +
                       2 * sg_NetworkSettings->frameWidth() + 16;
    if (width() < needed)
        resize(needed, height());
}

settings::SettingsValues TForm_Settings::currentValues() const {
    settings::SettingsValues v;
    v.clusters = se_Servers->value();
    v.stationsPerCluster = se_Stations->value();
    // A typed folder without its closing "/" would put the journal beside the folder instead of in it.
    v.journalFolder = settings::normalisedFolder(Le_UserActionsPath->text());
    v.chargeFolder = settings::normalisedFolder(Le_ChargePath->text());
    v.queryInterval = se_QueryInterval->value();
    v.stationsInRackHoriz = se_StationsInRackHoriz->value();
    v.stationsInRackVert = se_StationsInRackVert->value();
    v.maxStationNum = se_MaxStationNum->value();
    v.gridColumns = sg_NetworkSettings->columnCount();
    v.grid.clear();
    for (int r = 0; r < sg_NetworkSettings->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < v.gridColumns; ++c) {
            const QTableWidgetItem* item = sg_NetworkSettings->item(r, c);
            row.append(item ? item->text() : QString());
        }
        v.grid.append(row);
    }
    v.serverTimeOut = se_ServerTimeOut->value();
    return v;
}

void TForm_Settings::applyFixedTileSizes() {
    m_tileWidth = settings::kContainerTileSize.width;
    m_tileHeight = settings::kContainerTileSize.height;
    m_mnemoTileWidth = settings::kMnemoTileSize.width;
    m_mnemoTileHeight = settings::kMnemoTileSize.height;
}

void TForm_Settings::setClusterCount(int clusters) {
    sg_NetworkSettings->setRowCount(clusters + 2);
    for (int k = 1; k <= clusters; ++k)
        setCell(k + 1, 0, QString::number(k));
    markChanged();
}

void TForm_Settings::setCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = sg_NetworkSettings->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (row == 0 || column == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(palette().button());
            item->setForeground(palette().buttonText());
        }
        sg_NetworkSettings->setItem(row, column, item);
    }
    item->setText(text);
}

void TForm_Settings::chooseFolder(QLineEdit* edit) {
    const FolderChooser& chooser = folderChooser();
    const QString chosen = chooser ? chooser(this) : platformFolderChooser(this);
    if (chosen.isEmpty())
        return;
    edit->setText(settings::normalisedFolder(chosen));
    markChanged();
}

void TForm_Settings::setFolderChooser(FolderChooser chooser) { folderChooser() = std::move(chooser); }

bool TForm_Settings::saveSettings() {
    if (settings::writeFile(m_settingsFilePath, currentValues()))
        return true;
    catalogue::show(u"e010", MessageIcon::Error, MessageButtons::Ok);
    journal::write(QStringLiteral("e010"));
    return false;
}

bool TForm_Settings::closingSteps() {
    if (!m_changed) {
        applyFixedTileSizes();
        return true;
    }
    const QString failed = settings::firstFailedCloseCheck(currentValues());
    if (!failed.isEmpty()) {
        if (catalogue::show(failed, MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes)
            return false; // back to editing
        loadSettings();   // leave without saving: every change is discarded
        applyFixedTileSizes();
        m_changed = false;
        return true;
    }
    if (catalogue::askSaveChanges()) {
        if (!saveSettings())
            return true; // closes with the edits in the controls and the changed flag still set
        program().journalFilePath = settings::journalFileIn(currentValues().journalFolder);
    } else {
        loadSettings();
    }
    applyFixedTileSizes();
    m_changed = false;
    return true;
}

void TForm_Settings::reject() {
    if (closingSteps())
        QDialog::reject();
}

void TForm_Settings::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_changed = false;
}

} // namespace kalver
