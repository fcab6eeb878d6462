#include "stationdata/OperationsPage.h"

#include "stationdata/Operation.h"
#include "stationdata/QuickEntry.h"
#include "stationdata/RadioGroup.h"
#include "stationdata/StartChecks.h"
#include "stationdata/StationListText.h"
#include "stationdata/TChannelSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kalver::stationdata {

namespace {

constexpr int kChannelAreaTop = 150;

QDateTimeEdit* picker(QWidget* parent, const QString& name, bool date) {
    auto* edit = new QDateTimeEdit(parent);
    edit->setObjectName(name);
    // The pickers hold wall-clock readings as entered: a plain clock without daylight-saving gaps.
    edit->setTimeSpec(Qt::UTC);
    edit->setDisplayFormat(date ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("HH:mm:ss"));
    edit->setCalendarPopup(date);
    edit->setMinimumWidth(date ? 110 : 90);
    const QDateTime now = QDateTime::currentDateTime();
    edit->setDateTime(QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC));
    return edit;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, const QString& hint, bool checked) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setChecked(checked);
    return box;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// Shows a label or check box in grey or in the normal text colour.
void setGreyed(QWidget* widget, bool grey) {
    QPalette palette = QApplication::palette(widget);
    if (grey) {
        palette.setColor(QPalette::WindowText, OperationsPage::greyText());
        palette.setColor(QPalette::Text, OperationsPage::greyText());
        palette.setColor(QPalette::ButtonText, OperationsPage::greyText());
    }
    widget->setPalette(palette);
}

TDateTime wholeValue(const QDateTimeEdit* edit) { return TDateTime::fromWallClock(edit->dateTime()); }

TDateTime combined(const QDateTimeEdit* date, const QDateTimeEdit* time) {
    return TDateTime::fromWallClock(date->date(), time->time());
}

void setWhole(QDateTimeEdit* edit, TDateTime value) { edit->setDateTime(value.toQDateTime(Qt::UTC)); }

} // namespace

QColor OperationsPage::greyText() { return QColor(128, 128, 128); }

OperationsPage::OperationsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ts_StartStop"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    buildOperationRow();
    buildStartSettings();
    buildDownloadTime();
    buildStatusGrid();
    rg_OpMode->setItemIndex(op::Search);
    gb_StartSettings->hide();
    gb_DownloadTime->hide();
    cb_NowClick();
    cb_ByCommandClick();
    cb_UseInclinClick();
    refreshQuickEntry();
    checkStartSettings();
}

void OperationsPage::buildOperationRow() {
    QStringList captions;
    for (int i = 0; i < op::Count; ++i)
        captions.append(operationCaption(i));
    rg_OpMode = new RadioGroup(QStringLiteral("Операция"), captions, 3, this);
    rg_OpMode->setObjectName(QStringLiteral("rg_OpMode"));
    connect(rg_OpMode, &RadioGroup::clicked, this, [this] { rg_OpModeClick(); });

    b_StartStop = new QPushButton(QStringLiteral("Выполнить"), this);
    b_StartStop->setObjectName(QStringLiteral("b_StartStop"));
    b_StartStop->setMinimumSize(90, 48);

    auto* row = new QHBoxLayout;
    row->addWidget(rg_OpMode, 1);
    row->addWidget(b_StartStop, 0, Qt::AlignVCenter);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void OperationsPage::buildStartSettings() {
    gb_StartSettings = new QGroupBox(QStringLiteral("Настройки запуска"), this);
    gb_StartSettings->setObjectName(QStringLiteral("gb_StartSettings"));

    lbl_Freq = label(gb_StartSettings, QStringLiteral("lbl_Freq"), QStringLiteral("Частота дискретизации, Гц"));
    cb_Freq = new QComboBox(gb_StartSettings);
    cb_Freq->setObjectName(QStringLiteral("cb_Freq"));
    cb_Freq->addItems({QStringLiteral("250"), QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("2000"),
                       QStringLiteral("4000")});

    Label8 = label(gb_StartSettings, QStringLiteral("Label8"), QStringLiteral("Начало регистрации"));
    dtp_BeginRegTime = picker(gb_StartSettings, QStringLiteral("dtp_BeginRegTime"), false);
    dtp_BeginRegDate = picker(gb_StartSettings, QStringLiteral("dtp_BeginRegDate"), true);
    cb_Now = checkBox(gb_StartSettings, QStringLiteral("cb_Now"), QStringLiteral("Сразу"),
                      QStringLiteral("Запустить Станции сразу по переходу в режим регистрации"), true);
    Label9 = label(gb_StartSettings, QStringLiteral("Label9"), QStringLiteral("Окончание регистрации"));
    dtp_EndRegTime = picker(gb_StartSettings, QStringLiteral("dtp_EndRegTime"), false);
    dtp_EndRegDate = picker(gb_StartSettings, QStringLiteral("dtp_EndRegDate"), true);
    cb_ByCommand = checkBox(gb_StartSettings, QStringLiteral("cb_ByCommand"), QStringLiteral("По команде"),
                            QStringLiteral("Остановка регистрации не по времени, а по команде на остановку"), true);
    cb_UseInclin = checkBox(gb_StartSettings, QStringLiteral("cb_UseInclin"), QStringLiteral("Использовать угломер"),
                            QString(), true);

    gb_InclinSettings = new QGroupBox(QStringLiteral("Настройки угломера"), gb_StartSettings);
    gb_InclinSettings->setObjectName(QStringLiteral("gb_InclinSettings"));
    Label4 = label(gb_InclinSettings, QStringLiteral("Label4"), QStringLiteral("Начало работы"));
    dtp_BegInclinTime = picker(gb_InclinSettings, QStringLiteral("dtp_BegInclinTime"), false);
    dtp_BegInclinDate = picker(gb_InclinSettings, QStringLiteral("dtp_BegInclinDate"), true);
    cb_IncNow = checkBox(gb_InclinSettings, QStringLiteral("cb_IncNow"), QStringLiteral("Сразу"),
                         QStringLiteral("Запустить угломер сразу по отключению от стойки"), true);
    Label5 = label(gb_InclinSettings, QStringLiteral("Label5"), QStringLiteral("Период, с"));
    se_InclinStep = new QSpinBox(gb_InclinSettings);
    se_InclinStep->setObjectName(QStringLiteral("se_InclinStep"));
    se_InclinStep->setRange(5, 43200);
    se_InclinStep->setValue(5);
    cb_InclinOnce = checkBox(gb_InclinSettings, QStringLiteral("cb_InclinOnce"), QStringLiteral("Однократно"),
                             QStringLiteral("Угол фиксируется один раз в указанное время"), false);
    auto* inclin = new QHBoxLayout(gb_InclinSettings);
    inclin->setContentsMargins(6, 2, 6, 4);
    inclin->addWidget(Label4);
    inclin->addWidget(dtp_BegInclinTime);
    inclin->addWidget(dtp_BegInclinDate);
    inclin->addWidget(cb_IncNow);
    inclin->addSpacing(12);
    inclin->addWidget(Label5);
    inclin->addWidget(se_InclinStep);
    inclin->addWidget(cb_InclinOnce);
    inclin->addStretch();

    rg_ChannelSetType = new RadioGroup(QStringLiteral("Настройки каналов"),
                                       {QStringLiteral("Общие"), QStringLiteral("Раздельные")}, 1, gb_StartSettings);
    rg_ChannelSetType->setObjectName(QStringLiteral("rg_ChannelSetType"));
    rg_ChannelSetType->setItemIndex(kCommonChannelSettings);
    connect(rg_ChannelSetType, &RadioGroup::clicked, this, [this] { rg_ChannelSetTypeClick(); });

    // The channel groups stand side by side at left = channel x group width + 3; the area scrolls sideways.
    sb_Channels = new QScrollArea(gb_StartSettings);
    sb_Channels->setObjectName(QStringLiteral("sb_Channels"));
    sb_Channels->setFrameShape(QFrame::NoFrame);
    sb_Channels->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    sb_Channels->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_channelArea = new QWidget;
    m_channelArea->setFixedSize(kChannels * TChannelSettings::kWidth + 6, TChannelSettings::kHeight);
    sb_Channels->setWidget(m_channelArea);
    sb_Channels->setFixedHeight(TChannelSettings::kHeight + sb_Channels->horizontalScrollBar()->sizeHint().height() + 2);

    auto* schedule = new QGridLayout;
    schedule->setVerticalSpacing(3);
    schedule->addWidget(lbl_Freq, 0, 0);
    schedule->addWidget(cb_Freq, 0, 1);
    schedule->addWidget(cb_UseInclin, 0, 2, 1, 2);
    schedule->addWidget(Label8, 1, 0);
    schedule->addWidget(dtp_BeginRegTime, 1, 1);
    schedule->addWidget(dtp_BeginRegDate, 1, 2);
    schedule->addWidget(cb_Now, 1, 3);
    schedule->addWidget(Label9, 2, 0);
    schedule->addWidget(dtp_EndRegTime, 2, 1);
    schedule->addWidget(dtp_EndRegDate, 2, 2);
    schedule->addWidget(cb_ByCommand, 2, 3);

    auto* top = new QHBoxLayout;
    top->addLayout(schedule);
    top->addStretch();
    top->addWidget(rg_ChannelSetType);

    auto* box = new QVBoxLayout(gb_StartSettings);
    box->setContentsMargins(6, 4, 6, 4);
    box->addLayout(top);
    box->addWidget(gb_InclinSettings);
    box->addWidget(sb_Channels);
    static_cast<QVBoxLayout*>(layout())->addWidget(gb_StartSettings);

    connect(cb_Now, &QCheckBox::clicked, this, [this] { cb_NowClick(); });
    connect(cb_ByCommand, &QCheckBox::clicked, this, [this] { cb_ByCommandClick(); });
    connect(cb_UseInclin, &QCheckBox::clicked, this, [this] { cb_UseInclinClick(); });
    connect(cb_IncNow, &QCheckBox::clicked, this, [this] { cb_IncNowClick(); });
    connect(cb_InclinOnce, &QCheckBox::clicked, this, [this] { cb_InclinOnceClick(); });
}

void OperationsPage::buildDownloadTime() {
    gb_DownloadTime = new QGroupBox(QStringLiteral("Скачиваемый участок"), this);
    gb_DownloadTime->setObjectName(QStringLiteral("gb_DownloadTime"));
    dtp_Dwnl_BegTime = picker(gb_DownloadTime, QStringLiteral("dtp_Dwnl_BegTime"), false);
    dtp_Dwnl_BegDate = picker(gb_DownloadTime, QStringLiteral("dtp_Dwnl_BegDate"), true);
    dtp_Dwnl_EndTime = picker(gb_DownloadTime, QStringLiteral("dtp_Dwnl_EndTime"), false);
    dtp_Dwnl_EndDate = picker(gb_DownloadTime, QStringLiteral("dtp_Dwnl_EndDate"), true);
    me_SpeedDT = new QLineEdit(gb_DownloadTime);
    me_SpeedDT->setObjectName(QStringLiteral("me_SpeedDT"));
    me_SpeedDT->setInputMask(quickEntryMask());
    me_SpeedDT->setMaxLength(kQuickEntryLength);
    me_SpeedDT->setToolTip(QStringLiteral("Поле для быстрого ввода даты и времени периода скачивания"));
    me_SpeedDT->installEventFilter(this);
    me_SpeedDT->setMinimumWidth(me_SpeedDT->fontMetrics().horizontalAdvance(quickEntryText({}, {}, {}, {})) + 40);

    auto* grid = new QGridLayout(gb_DownloadTime);
    grid->addWidget(new QLabel(QStringLiteral("Начало скачивания"), gb_DownloadTime), 0, 0);
    grid->addWidget(dtp_Dwnl_BegTime, 0, 1);
    grid->addWidget(dtp_Dwnl_BegDate, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Окончание скачивания"), gb_DownloadTime), 1, 0);
    grid->addWidget(dtp_Dwnl_EndTime, 1, 1);
    grid->addWidget(dtp_Dwnl_EndDate, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Быстрый ввод"), gb_DownloadTime), 2, 0);
    grid->addWidget(me_SpeedDT, 2, 1, 1, 3);
    grid->setColumnStretch(4, 1);
    static_cast<QVBoxLayout*>(layout())->addWidget(gb_DownloadTime);

    for (QDateTimeEdit* p : {dtp_Dwnl_BegTime, dtp_Dwnl_BegDate, dtp_Dwnl_EndTime, dtp_Dwnl_EndDate})
        connect(p, &QDateTimeEdit::dateTimeChanged, this, [this, p] { downloadPickerChanged(p); });
}

void OperationsPage::buildStatusGrid() {
    sg_StartStopStatus = new QTableWidget(0, 3, this);
    sg_StartStopStatus->setObjectName(QStringLiteral("sg_StartStopStatus"));
    sg_StartStopStatus->setHorizontalHeaderLabels(
        {QStringLiteral("Кластер"), QStringLiteral("Станция (-и)"), QStringLiteral("Состояние")});
    sg_StartStopStatus->verticalHeader()->hide();
    sg_StartStopStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_StartStopStatus->setSelectionMode(QAbstractItemView::NoSelection);
    sg_StartStopStatus->setWordWrap(false);
    sg_StartStopStatus->setColumnWidth(2, 160);
    // Column 1 takes the width the other two leave.
    sg_StartStopStatus->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    static_cast<QVBoxLayout*>(layout())->addWidget(sg_StartStopStatus, 1);
}

// ---- the operation

int OperationsPage::operation() const { return rg_OpMode->itemIndex(); }

void OperationsPage::chooseOperation(int operation) {
    rg_OpMode->setItemIndex(operation);
    rg_OpModeClick();
}

void OperationsPage::rg_OpModeClick() {
    const int op = operation();
    gb_StartSettings->setVisible(isStartFamily(op));
    gb_DownloadTime->setVisible(op == op::StartDownload);
    if (fillRequested)
        fillRequested(op);
    if (!gb_StartSettings->isHidden()) {
        const int mode = channelModeFor(op);
        if (mode >= 0)
            m_groups.setModeOfAll(mode);
        showChannelGroups();
    }
    checkStartSettings();
    if (cb_UseInclin->isEnabled()) {
        const bool calibration = op == op::InclinometerCalibration;
        cb_UseInclin->setChecked(!calibration);
        cb_UseInclin->setEnabled(!calibration);
        cb_UseInclinClick();
    }
}

// ---- schedule check boxes

void OperationsPage::cb_NowClick() {
    const bool on = cb_Now->isChecked();
    dtp_BeginRegTime->setEnabled(!on);
    dtp_BeginRegDate->setEnabled(!on);
    setGreyed(Label8, on);
}

void OperationsPage::cb_ByCommandClick() {
    const bool on = cb_ByCommand->isChecked();
    dtp_EndRegTime->setEnabled(!on);
    dtp_EndRegDate->setEnabled(!on);
    setGreyed(Label9, on);
}

void OperationsPage::cb_IncNowClick() {
    const bool on = cb_IncNow->isChecked();
    dtp_BegInclinTime->setEnabled(!on);
    dtp_BegInclinDate->setEnabled(!on);
    setGreyed(Label4, on);
}

void OperationsPage::cb_InclinOnceClick() {
    const bool on = cb_InclinOnce->isChecked();
    se_InclinStep->setEnabled(!on);
    setGreyed(Label5, on);
}

void OperationsPage::cb_UseInclinClick() {
    const bool on = cb_UseInclin->isChecked();
    gb_InclinSettings->setEnabled(on);
    if (on) {
        cb_IncNowClick();
        cb_InclinOnceClick();
        setGreyed(cb_IncNow, false);
        setGreyed(cb_InclinOnce, false);
        return;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, cb_IncNow, Label5, cb_InclinOnce, dtp_BegInclinTime,
                                                     dtp_BegInclinDate, se_InclinStep})
        setGreyed(w, true);
}

void OperationsPage::rg_ChannelSetTypeClick() { m_groups.setChannelSetType(rg_ChannelSetType->itemIndex()); }

// ---- the status grid

void OperationsPage::showListing(const SelectionListing& listing) {
    sg_StartStopStatus->setRowCount(static_cast<int>(listing.rows.size()));
    for (int r = 0; r < listing.rows.size(); ++r) {
        const ListedRow& row = listing.rows.at(r);
        sg_StartStopStatus->setItem(r, 0, new QTableWidgetItem(QString::number(row.clusterNumber)));
        sg_StartStopStatus->setItem(r, 1, new QTableWidgetItem(joinStationList(row.stations)));
        sg_StartStopStatus->setItem(r, 2, new QTableWidgetItem(QString()));
    }
}

int OperationsPage::rowCount() const { return sg_StartStopStatus->rowCount(); }

int OperationsPage::rowCluster(int row) const {
    const QTableWidgetItem* item = sg_StartStopStatus->item(row, 0);
    return item ? item->text().toInt() : 0;
}

QList<std::int32_t> OperationsPage::rowStations(int row) const {
    const QTableWidgetItem* item = sg_StartStopStatus->item(row, 1);
    return item ? parseStationList(item->text()) : QList<std::int32_t>{};
}

void OperationsPage::setRowState(int row, const QString& text) {
    if (row < 0 || row >= sg_StartStopStatus->rowCount())
        return;
    sg_StartStopStatus->setItem(row, 2, new QTableWidgetItem(text));
}

// ---- channel groups

TChannelSettings* OperationsPage::channelBox(int channel) const {
    return channel >= 0 && channel < kChannels ? m_boxes[static_cast<std::size_t>(channel)] : nullptr;
}

void OperationsPage::createChannelBox(int channel) {
    auto& box = m_boxes[static_cast<std::size_t>(channel)];
    if (box)
        return;
    box = new TChannelSettings(channel, m_channelArea);
    box->move(channel * TChannelSettings::kWidth + 3, 0);
    connectChannelBox(box);
    box->show();
}

void OperationsPage::destroyChannelBox(int channel) {
    auto& box = m_boxes[static_cast<std::size_t>(channel)];
    delete box;
    box = nullptr;
}

void OperationsPage::connectChannelBox(TChannelSettings* box) {
    connect(box, &TChannelSettings::useChanged, this, [this](int j, bool on) {
        m_groups.changeUse(j, on);
        afterChannelChange();
    });
    connect(box, &TChannelSettings::modeChanged, this, [this](int j, int mode) {
        m_groups.changeMode(j, mode);
        afterChannelChange();
    });
    connect(box, &TChannelSettings::gainChanged, this, [this](int j, int gain) {
        m_groups.changeGain(j, gain);
        afterChannelChange();
    });
    connect(box, &TChannelSettings::preampGainChanged, this, [this](int j, int gain) {
        m_groups.changePreampGain(j, gain);
        afterChannelChange();
    });
    connect(box, &TChannelSettings::preampOnChanged, this, [this](int j, bool on) {
        m_groups.changePreampOn(j, on);
        afterChannelChange();
    });
}

void OperationsPage::afterChannelChange() {
    showChannelGroups();
    checkStartSettings();
}

void OperationsPage::showChannelGroups() {
    for (int j = 0; j < kChannels; ++j)
        if (TChannelSettings* box = channelBox(j); box && m_groups.exists(j))
            box->showState(m_groups.at(j));
}

void OperationsPage::applyChannelListing(const SelectionListing& listing) {
    const ChannelMerge& merge = listing.channels;
    for (int j = 0; j < kChannels; ++j) {
        if (merge.channelState(j) == kStatePresent) {
            const bool preamp = merge.preampState(j) == kStatePresent;
            if (m_groups.exists(j))
                m_groups.rebuild(j, preamp, merge.gains());
            else
                m_groups.build(j, preamp, merge.gains(), m_entries[static_cast<std::size_t>(j)]);
            m_groups.setUseLocked(j, listing.typeMark);
            createChannelBox(j);
        } else {
            m_groups.destroy(j);
            destroyChannelBox(j);
        }
    }
    showChannelGroups();
    checkStartSettings();
    if (merge.inclinometerState() == kStateAbsent) {
        cb_UseInclin->setChecked(false);
        cb_UseInclin->setEnabled(false);
    } else {
        cb_UseInclin->setEnabled(true);
    }
    cb_UseInclinClick();
}

void OperationsPage::closeChannelGroups() {
    if (!m_groups.any())
        return;
    m_entries = m_groups.entries();
    m_groups.clear();
    for (int j = 0; j < kChannels; ++j)
        destroyChannelBox(j);
}

// ---- check start settings

void OperationsPage::checkStartSettings() {
    const bool usable = !isStartFamily(operation()) || m_groups.startSettingsUsable();
    const QTableWidgetItem* first = sg_StartStopStatus->rowCount() > 0 ? sg_StartStopStatus->item(0, 1) : nullptr;
    b_StartStop->setEnabled(usable && first && !first->text().isEmpty());
}

// ---- download period and quick entry

void OperationsPage::refreshQuickEntry() {
    me_SpeedDT->setText(quickEntryText(dtp_Dwnl_BegTime->time(), dtp_Dwnl_BegDate->date(), dtp_Dwnl_EndTime->time(),
                                       dtp_Dwnl_EndDate->date()));
    me_SpeedDT->setCursorPosition(0);
}

void OperationsPage::downloadPickerChanged(QDateTimeEdit* picker) {
    if (m_applyingQuickEntry)
        return;
    const QString text = me_SpeedDT->displayText();
    if (picker == dtp_Dwnl_BegTime)
        me_SpeedDT->setText(withQuickTime(text, QuickPiece::BeginTime, picker->time()));
    else if (picker == dtp_Dwnl_BegDate)
        me_SpeedDT->setText(withQuickDate(text, QuickPiece::BeginDate, picker->date()));
    else if (picker == dtp_Dwnl_EndTime)
        me_SpeedDT->setText(withQuickTime(text, QuickPiece::EndTime, picker->time()));
    else if (picker == dtp_Dwnl_EndDate)
        me_SpeedDT->setText(withQuickDate(text, QuickPiece::EndDate, picker->date()));
}

void OperationsPage::me_SpeedDTKeyUp() {
    const QuickValues v = readQuickEntry(me_SpeedDT->displayText());
    m_applyingQuickEntry = true;
    if (v.beginTime)
        dtp_Dwnl_BegTime->setTime(*v.beginTime);
    if (v.beginDate)
        dtp_Dwnl_BegDate->setDate(*v.beginDate);
    if (v.endTime)
        dtp_Dwnl_EndTime->setTime(*v.endTime);
    if (v.endDate)
        dtp_Dwnl_EndDate->setDate(*v.endDate);
    m_applyingQuickEntry = false;
}

bool OperationsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == me_SpeedDT) {
        if (event->type() == QEvent::KeyRelease)
            me_SpeedDTKeyUp();
        else if (event->type() == QEvent::FocusOut)
            refreshQuickEntry();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- inputs

StationDataInputs OperationsPage::inputs() const {
    StationDataInputs in;
    in.frequencyIndex = cb_Freq->currentIndex();
    in.now = cb_Now->isChecked();
    in.byCommand = cb_ByCommand->isChecked();
    in.registrationBegin = combined(dtp_BeginRegDate, dtp_BeginRegTime);
    in.registrationEnd = combined(dtp_EndRegDate, dtp_EndRegTime);
    in.useInclinometer = cb_UseInclin->isChecked();
    in.inclinometerStart = combined(dtp_BegInclinDate, dtp_BegInclinTime);
    in.inclinometerNow = cb_IncNow->isChecked();
    in.inclinometerStep = se_InclinStep->value();
    in.inclinometerOnce = cb_InclinOnce->isChecked();
    in.downloadBeginTime = wholeValue(dtp_Dwnl_BegTime);
    in.downloadBeginDate = wholeValue(dtp_Dwnl_BegDate);
    in.downloadEndTime = wholeValue(dtp_Dwnl_EndTime);
    in.downloadEndDate = wholeValue(dtp_Dwnl_EndDate);
    in.channelSetType = rg_ChannelSetType->itemIndex();
    in.channels = m_groups.any() ? m_groups.entries() : m_entries;
    return in;
}

void OperationsPage::applyInputs(const StationDataInputs& in) {
    if (in.frequencyIndex >= 0 && in.frequencyIndex < cb_Freq->count())
        cb_Freq->setCurrentIndex(in.frequencyIndex);
    cb_Now->setChecked(in.now);
    cb_NowClick();
    cb_ByCommand->setChecked(in.byCommand);
    cb_ByCommandClick();
    setWhole(dtp_BeginRegTime, in.registrationBegin);
    setWhole(dtp_BeginRegDate, in.registrationBegin);
    setWhole(dtp_EndRegTime, in.registrationEnd);
    setWhole(dtp_EndRegDate, in.registrationEnd);
    cb_UseInclin->setChecked(in.useInclinometer);
    cb_UseInclinClick();
    setWhole(dtp_BegInclinTime, in.inclinometerStart);
    setWhole(dtp_BegInclinDate, in.inclinometerStart);
    cb_IncNow->setChecked(in.inclinometerNow);
    cb_IncNowClick();
    se_InclinStep->setValue(in.inclinometerStep);
    cb_InclinOnce->setChecked(in.inclinometerOnce);
    cb_InclinOnceClick();
    setWhole(dtp_Dwnl_BegTime, in.downloadBeginTime);
    setWhole(dtp_Dwnl_BegDate, in.downloadBeginDate);
    setWhole(dtp_Dwnl_EndTime, in.downloadEndTime);
    setWhole(dtp_Dwnl_EndDate, in.downloadEndDate);
    refreshQuickEntry();
    rg_ChannelSetType->setItemIndex(in.channelSetType);
    m_groups.setChannelSetType(in.channelSetType);
    m_entries = in.channels;
}

// ---- what the commands take

StartSettings OperationsPage::startSettings() const {
    StartSettings s;
    s.frequencyHz = cb_Freq->currentText().toInt();
    for (int j = 0; j < kChannels; ++j)
        if (m_groups.exists(j))
            s.channels[static_cast<std::size_t>(j)] = m_groups.at(j).entry();
    s.inclinometerOnce = cb_InclinOnce->isChecked();
    s.inclinometerStep = se_InclinStep->value();
    s.beginNow = cb_Now->isChecked();
    s.begin = combined(dtp_BeginRegDate, dtp_BeginRegTime);
    s.endByCommand = cb_ByCommand->isChecked();
    s.end = combined(dtp_EndRegDate, dtp_EndRegTime);
    s.inclinometerNow = cb_IncNow->isChecked();
    s.inclinometerStart = combined(dtp_BegInclinDate, dtp_BegInclinTime);
    s.useInclinometer = cb_UseInclin->isChecked();
    return s;
}

TDateTime OperationsPage::downloadBegin() const { return combined(dtp_Dwnl_BegDate, dtp_Dwnl_BegTime); }

TDateTime OperationsPage::downloadEnd() const { return combined(dtp_Dwnl_EndDate, dtp_Dwnl_EndTime); }

} // namespace kalver::stationdata
