#include "stationdata/SubsystemPage.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "link/ClusterRef.h"
#include "link/SendServerMessage.h"
#include "link/SubsystemData.h"
#include "stationdata/ContentsDisabled.h"
#include "stationdata/SubsystemList.h"
#include "stationdata/SubsystemRequest.h"
#include "stationdata/SubsystemRows.h"
#include "stationdata/SubsystemWrite.h"
#include "stationdata/Unit_SmallTable.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver::stationdata {

namespace {

enum Column { Name = 0, Access = 1, Type = 2, Minimum = 3, Maximum = 4, Value = 5, NewValue = 6, ColumnCount = 7 };

const QString& successText() {
    static const QString text = QStringLiteral("Данные подсистемы успешно записаны в Станцию!");
    return text;
}

QString cellText(const link::ParameterRow& row, int column) {
    switch (column) {
    case Name: return row.name;
    case Access: return row.access;
    case Type: return row.type;
    case Minimum: return row.minimum;
    case Maximum: return row.maximum;
    case Value: return row.value;
    default: return row.newValue;
    }
}

} // namespace

SubsystemPage::SubsystemPage(QWidget* parent)
    : QWidget(parent), ToolBar4(new QToolBar), cb_SubsystemType(new QComboBox), tb_ParamReload(new QToolButton),
      tb_ParamSave(new QToolButton), sg_StationParams(new QTableWidget(1, ColumnCount)) {
    setObjectName(QStringLiteral("SubsystemPage"));
    ToolBar4->setObjectName(QStringLiteral("ToolBar4"));
    cb_SubsystemType->setObjectName(QStringLiteral("cb_SubsystemType"));
    tb_ParamReload->setObjectName(QStringLiteral("tb_ParamReload"));
    tb_ParamSave->setObjectName(QStringLiteral("tb_ParamSave"));
    sg_StationParams->setObjectName(QStringLiteral("sg_StationParams"));

    cb_SubsystemType->setMinimumContentsLength(40);
    cb_SubsystemType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cb_SubsystemType->setEnabled(false);
    tb_ParamReload->setToolTip(QStringLiteral("Загрузить из станции"));
    tb_ParamReload->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    tb_ParamReload->setEnabled(false);
    tb_ParamSave->setToolTip(QStringLiteral("Записать в станцию"));
    tb_ParamSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    tb_ParamSave->setEnabled(false);
    ToolBar4->addWidget(new QLabel(QStringLiteral("Подсистема ")));
    ToolBar4->addWidget(cb_SubsystemType);
    ToolBar4->addSeparator();
    ToolBar4->addWidget(tb_ParamReload);
    ToolBar4->addWidget(tb_ParamSave);

    sg_StationParams->setHorizontalHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("r/w"),
                                                 QStringLiteral("Тип"), QStringLiteral("Мин"), QStringLiteral("Макс"),
                                                 QStringLiteral("Значение"), QStringLiteral("Новое значение")});
    sg_StationParams->verticalHeader()->setVisible(false);
    sg_StationParams->setSelectionMode(QAbstractItemView::SingleSelection);
    sg_StationParams->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sg_StationParams->setColumnWidth(Name, 250);
    sg_StationParams->setColumnWidth(Access, 30);
    sg_StationParams->setColumnWidth(Value, 60);
    sg_StationParams->setColumnWidth(NewValue, 100);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar4);
    layout->addWidget(sg_StationParams);

    connect(cb_SubsystemType, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            chooseSubsystem();
    });
    connect(tb_ParamReload, &QToolButton::clicked, this, &SubsystemPage::readValues);
    connect(tb_ParamSave, &QToolButton::clicked, this, &SubsystemPage::writeValues);
    connect(sg_StationParams, &QTableWidget::cellChanged, this, &SubsystemPage::cellEdited);
    sg_StationParams->viewport()->installEventFilter(this);
    clearGrid(1);
}

void SubsystemPage::setProgressBar(QProgressBar* bar) { m_progress = bar; }

void SubsystemPage::setSmallTableWindow(TForm_SmallTable* window) { m_smallTable = window; }

// --- the list and the grid

void SubsystemPage::resetPage() {
    ++m_generation;
    {
        const QSignalBlocker block(cb_SubsystemType);
        cb_SubsystemType->setCurrentIndex(-1);
    }
    m_grid.rows.clear();
    clearGrid(1);
    tb_ParamReload->setEnabled(false);
    tb_ParamSave->setEnabled(false);
}

void SubsystemPage::loadSubsystemList(link::ClusterList& list, int clusterPosition, std::int32_t stationNumber) {
    m_chosen = ChosenStation{&list, clusterPosition, stationNumber};
    m_filling = true;
    cb_SubsystemType->clear();
    m_filling = false;
    const link::TKlvStation* station = m_chosen.station();
    if (!station)
        return;
    const std::optional<QStringList> items = subsystemItems(program().programFolder, station->status.typeText());
    if (!items)
        return;
    m_filling = true;
    cb_SubsystemType->addItems(*items);
    m_filling = false;
    resetPage();
    cb_SubsystemType->setEnabled(true);
}

QString SubsystemPage::selectedSubsystem() const {
    return cb_SubsystemType->currentIndex() >= 0 ? cb_SubsystemType->currentText() : QString();
}

void SubsystemPage::chooseSubsystem() {
    ++m_generation;
    m_grid.rows.clear();
    clearGrid(1);
    tb_ParamReload->setEnabled(false);
    tb_ParamSave->setEnabled(false);
    const QString item = selectedSubsystem();
    if (item.isEmpty())
        return;
    SubsystemRows rows = readSubsystemRows(subsystemFilePath(program().programFolder, item));
    if (!rows.checkPassed) {
        journal::write(QStringLiteral("e061|") + item);
        catalogue::show(u"e061", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    m_grid = std::move(rows.grid);
    showGrid();
    tb_ParamReload->setEnabled(true);
}

void SubsystemPage::showDecodedValues() {
    m_filling = true;
    for (int r = 0; r < m_grid.rows.size() && r < sg_StationParams->rowCount(); ++r)
        setCell(r, Value, m_grid.rows.at(r).value);
    m_filling = false;
}

void SubsystemPage::clearGrid(int emptyRows) {
    m_filling = true;
    sg_StationParams->clearContents();
    sg_StationParams->setRowCount(emptyRows);
    m_filling = false;
}

void SubsystemPage::showGrid() {
    m_filling = true;
    sg_StationParams->clearContents();
    sg_StationParams->setRowCount(static_cast<int>(m_grid.rows.size()));
    for (int r = 0; r < m_grid.rows.size(); ++r)
        for (int c = 0; c < ColumnCount; ++c)
            setCell(r, c, cellText(m_grid.rows.at(r), c));
    m_filling = false;
}

void SubsystemPage::setCell(int row, int column, const QString& text) {
    QTableWidgetItem* item = sg_StationParams->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column != NewValue)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        sg_StationParams->setItem(row, column, item);
    }
    item->setText(text);
}

void SubsystemPage::cellEdited(int row, int column) {
    if (m_filling || column != NewValue || row < 0 || row >= m_grid.rows.size())
        return;
    const QTableWidgetItem* item = sg_StationParams->item(row, column);
    const QString text = item ? item->text() : QString();
    link::ParameterRow& edited = m_grid.rows[row];
    if (edited.value == QString::fromUtf16(link::kTableValueText) && text == QStringLiteral(">")) {
        edited.newValue.clear();
        m_filling = true;
        setCell(row, NewValue, QString());
        m_filling = false;
        if (TForm_SmallTable* table = m_smallTable ? m_smallTable.data() : Form_SmallTable)
            table->exec();
        return;
    }
    if (!text.isEmpty() && !edited.access.contains(QLatin1Char('w'))) {
        catalogue::show(u"e050", MessageIcon::Error, MessageButtons::Ok);
        if (row < m_grid.rows.size())
            m_grid.rows[row].newValue.clear();
        m_filling = true;
        setCell(row, NewValue, QString());
        m_filling = false;
        return;
    }
    edited.newValue = text;
}

// --- reading and writing

void SubsystemPage::setProgress(int maximum, int position) {
    if (!m_progress)
        return;
    m_progress->setMaximum(maximum);
    m_progress->setValue(position);
}

std::int32_t SubsystemPage::sendAndWait(int code, const QByteArray& body, std::initializer_list<std::int32_t> answers,
                                        bool& ended) {
    ended = true;
    const quint64 generation = m_generation;
    if (!m_chosen.list)
        return link::ack::None;
    link::ClusterRef cluster(*m_chosen.list, m_chosen.clusterPosition);
    if (!cluster.valid())
        return link::ack::None;
    cluster.rack()->ackResult = link::ack::None;
    link::SendServerMessage(cluster.list(), cluster.position(), true, code, true, body);
    const int steps = settings::serverTimeOutSeconds() * 4;
    setProgress(steps, 0);
    for (int step = 0;; ++step) {
        if (generation != m_generation || !cluster.refresh())
            return link::ack::None;
        const std::int32_t result = cluster.rack()->ackResult;
        if (std::find(answers.begin(), answers.end(), result) != answers.end()) {
            ended = false;
            return result;
        }
        if (step >= steps)
            break;
        waitStep();
        setProgress(steps, step + 1);
    }
    ended = false;
    return link::ack::None;
}

void SubsystemPage::readValues() {
    const QString item = selectedSubsystem();
    if (m_waiting || item.isEmpty() || !m_chosen.rack())
        return;
    m_waiting = true;
    const quint64 generation = m_generation;
    const ContentsDisabled contents(window());
    const QString cluster = QString::number(m_chosen.clusterNumber());
    const QString station = QString::number(m_chosen.stationNumber);
    const QByteArray body = subsystemRequestBody(m_chosen.stationNumber, item);
    bool repeat = true;
    while (repeat && generation == m_generation) {
        repeat = false;
        bool ended = false;
        const std::int32_t result = sendAndWait(kSubsystemReadCode, body,
                                                {link::ack::Accepted, link::ack::SizeMismatch,
                                                 link::ack::UnknownType, link::ack::Refused},
                                                ended);
        if (ended)
            break;
        switch (result) {
        case link::ack::Accepted:
            tb_ParamSave->setEnabled(true);
            for (link::ParameterRow& row : m_grid.rows)
                row.newValue.clear();
            showGrid();
            if (m_progress)
                m_progress->setValue(m_progress->maximum());
            break;
        case link::ack::SizeMismatch:
            showDecodedValues();
            journal::write(QStringLiteral("e052|") + cluster + QLatin1Char('|') + station);
            repeat = catalogue::show(u"e052", MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes;
            break;
        case link::ack::UnknownType:
            showDecodedValues();
            journal::write(QStringLiteral("e053|") + item);
            catalogue::show(u"e053", MessageIcon::Error, MessageButtons::Ok, {item});
            break;
        case link::ack::Refused:
            repeat = catalogue::show(u"e073", MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes;
            break;
        default:
            journal::write(QStringLiteral("e054|") + cluster + QLatin1Char('|') + item);
            repeat = catalogue::show(u"e054", MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes;
            break;
        }
    }
    m_waiting = false;
}

void SubsystemPage::writeValues() {
    const QString item = selectedSubsystem();
    if (m_waiting || item.isEmpty() || !m_chosen.rack())
        return;
    if (!hasNewValues(m_grid)) {
        catalogue::show(u"e051", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    const SubsystemWrite write = buildSubsystemWrite(m_chosen.stationNumber, item, m_grid);
    if (!write.ok()) {
        catalogue::show(u"e057", MessageIcon::Error, MessageButtons::Ok, {write.errors});
        return;
    }
    m_waiting = true;
    const quint64 generation = m_generation;
    const QString cluster = QString::number(m_chosen.clusterNumber());
    const QString station = QString::number(m_chosen.stationNumber);
    bool repeat = true;
    while (repeat && generation == m_generation) {
        repeat = false;
        bool ended = false;
        const std::int32_t result =
            sendAndWait(kSubsystemWriteCode, write.body, {link::ack::Accepted, link::ack::SizeMismatch}, ended);
        if (ended)
            break;
        if (result == link::ack::Accepted) {
            for (link::ParameterRow& row : m_grid.rows) {
                if (!row.newValue.isEmpty())
                    row.value = row.newValue;
                row.newValue.clear();
            }
            showGrid();
            if (m_progress)
                m_progress->setValue(m_progress->maximum());
            catalogue::showInformation(successText());
        } else if (result == link::ack::SizeMismatch) {
            journal::write(QStringLiteral("e058|") + cluster + QLatin1Char('|') + station + QLatin1Char('|') + item);
            repeat = catalogue::show(u"e058", MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes;
        } else {
            journal::write(QStringLiteral("e059|") + cluster + QLatin1Char('|') + item);
            repeat = catalogue::show(u"e059", MessageIcon::Error, MessageButtons::YesNo) == MessageAnswer::Yes;
        }
    }
    m_waiting = false;
}

void SubsystemPage::cancelWait() { ++m_generation; }

// --- layout

bool SubsystemPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sg_StationParams->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    return QWidget::eventFilter(watched, event);
}

// Columns 5 and 6 share what columns 0 ... 4 leave of the grid's width (its visible part, so that no
// horizontal scroll bar appears).
void SubsystemPage::sizeColumns() {
    int fixed = 0;
    for (int c = Name; c <= Maximum; ++c)
        fixed += sg_StationParams->columnWidth(c);
    const int share = (sg_StationParams->viewport()->width() - fixed) / 2;
    if (share > 0) {
        sg_StationParams->setColumnWidth(Value, share);
        sg_StationParams->setColumnWidth(NewValue, share);
    }
    sg_StationParams->setColumnWidth(Name, 250);
    sg_StationParams->setColumnWidth(Access, 30);
}

} // namespace kalver::stationdata
