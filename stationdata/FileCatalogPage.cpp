#include "stationdata/FileCatalogPage.h"

#include "config/Catalogue.h"
#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "core/ByteWriter.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "core/WaitStep.h"
#include "link/ClusterRef.h"
#include "link/SendServerMessage.h"
#include "stationdata/ContentsDisabled.h"
#include "stationdata/CatalogueAssembly.h"
#include "stationdata/CatalogueEntries.h"
#include "stationdata/FileListText.h"
#include "stationdata/RangeClamp.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStyle>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalver::stationdata {

namespace {

inline constexpr int kCatalogueRequestCode = 5;
inline constexpr int kFileItems = link::kFileViewEntries;

qint64 monotonicMsecs() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

template <typename Edit>
Edit* picker(const char* name, const QString& format, const QString& hint) {
    auto* edit = new Edit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(format);
    edit->setTimeSpec(Qt::UTC);
    edit->setToolTip(hint);
    edit->setEnabled(false);
    return edit;
}

} // namespace

FileCatalogPage::FileCatalogPage(QWidget* parent)
    : QWidget(parent), sv_Folders(new QWidget), tb_ShowData(new QToolButton),
      rg_SelectedFile(new QGroupBox(QStringLiteral("Каталог"))), fileButtons(new QButtonGroup(this)),
      dtp_BegTime(picker<QTimeEdit>("dtp_BegTime", QStringLiteral("HH:mm:ss"), QStringLiteral("Начало диапазона времени"))),
      dtp_BegDate(picker<QDateEdit>("dtp_BegDate", QStringLiteral("dd.MM.yyyy"), QStringLiteral("Начало диапазона времени"))),
      dtp_EndTime(picker<QTimeEdit>("dtp_EndTime", QStringLiteral("HH:mm:ss"), QStringLiteral("Конец диапазона времени"))),
      dtp_EndDate(picker<QDateEdit>("dtp_EndDate", QStringLiteral("dd.MM.yyyy"), QStringLiteral("Конец диапазона времени"))),
      tb_ShowStationFileData(new QToolButton),
      GroupBox1(new QGroupBox(QStringLiteral("Ошибки в работе Станции"))), Memo_StationErrors(new QPlainTextEdit),
      m_clock(monotonicMsecs) {
    setObjectName(QStringLiteral("FileCatalogPage"));
    sv_Folders->setObjectName(QStringLiteral("sv_Folders"));
    tb_ShowData->setObjectName(QStringLiteral("tb_ShowData"));
    rg_SelectedFile->setObjectName(QStringLiteral("rg_SelectedFile"));
    tb_ShowStationFileData->setObjectName(QStringLiteral("tb_ShowStationFileData"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Memo_StationErrors->setObjectName(QStringLiteral("Memo_StationErrors"));

    tb_ShowData->setToolTip(QStringLiteral("Обновить данные по файлам выбранной Станции"));
    tb_ShowData->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    tb_ShowData->setText(QStringLiteral("Каталог файлов"));
    tb_ShowData->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tb_ShowStationFileData->setToolTip(QStringLiteral("Показать данные по выбранному временному диапазону"));
    tb_ShowStationFileData->setVisible(false);
    tb_ShowStationFileData->setEnabled(false);
    Memo_StationErrors->setReadOnly(true);

    auto* items = new QVBoxLayout(rg_SelectedFile);
    items->setSpacing(2);
    for (int j = 0; j < kFileItems; ++j) {
        auto* button = new QRadioButton(QStringLiteral("Файл ") + QString::number(j));
        button->setObjectName(QStringLiteral("rg_SelectedFile_") + QString::number(j));
        fileButtons->addButton(button, j);
        items->addWidget(button);
    }
    rg_SelectedFile->setEnabled(false);

    auto* range = new QGridLayout;
    range->addWidget(new QLabel(QStringLiteral("с")), 0, 0);
    range->addWidget(dtp_BegTime, 0, 1);
    range->addWidget(dtp_BegDate, 0, 2);
    range->addWidget(new QLabel(QStringLiteral("по")), 1, 0);
    range->addWidget(dtp_EndTime, 1, 1);
    range->addWidget(dtp_EndDate, 1, 2);
    range->addWidget(tb_ShowStationFileData, 2, 2);

    auto* left = new QVBoxLayout(sv_Folders);
    left->setContentsMargins(4, 4, 4, 4);
    left->addWidget(tb_ShowData, 0, Qt::AlignLeft);
    left->addWidget(rg_SelectedFile);
    left->addLayout(range);
    left->addStretch(1);
    fitFolderWidth();

    auto* errors = new QVBoxLayout(GroupBox1);
    errors->addWidget(Memo_StationErrors);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sv_Folders);
    layout->addWidget(GroupBox1, 1);

    connect(tb_ShowData, &QToolButton::clicked, this, &FileCatalogPage::requestCatalogue);
    connect(fileButtons, &QButtonGroup::idClicked, this, &FileCatalogPage::chooseFile);
    connect(dtp_BegTime, &QDateTimeEdit::dateTimeChanged, this, &FileCatalogPage::beginChanged);
    connect(dtp_BegDate, &QDateTimeEdit::dateTimeChanged, this, &FileCatalogPage::beginChanged);
    connect(dtp_EndTime, &QDateTimeEdit::dateTimeChanged, this, &FileCatalogPage::endChanged);
    connect(dtp_EndDate, &QDateTimeEdit::dateTimeChanged, this, &FileCatalogPage::endChanged);
}

QRadioButton* FileCatalogPage::item(int index) const {
    return static_cast<QRadioButton*>(fileButtons->button(index));
}

void FileCatalogPage::setProgressBar(QProgressBar* bar) { m_progress = bar; }

void FileCatalogPage::setStation(link::ClusterList& list, int clusterPosition, std::int32_t stationNumber) {
    m_chosen = ChosenStation{&list, clusterPosition, stationNumber};
}

// --- the catalogue request

void FileCatalogPage::requestCatalogue() {
    if (m_waiting)
        return;
    const link::TKlvRack* rack = m_chosen.rack();
    if (!rack || rack->stations.empty())
        return;
    const link::TKlvStation* station = m_chosen.station();
    if (!station)
        station = &rack->stations.front();
    const std::int8_t registration = station->status.registrationState();
    if (station->status.downloading() || registration == 1 || registration == 2) {
        catalogue::show(u"e079", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    m_waiting = true;
    const quint64 generation = m_generation;
    const std::int32_t requested = m_chosen.stationNumber;
    const ContentsDisabled contents(window());
    undoZoom();
    if (sendAndWait(requested, generation))
        showCatalogue(requested);
    finishRequest();
    m_waiting = false;
}

bool FileCatalogPage::sendAndWait(std::int32_t station, quint64 generation) {
    const QString cluster = QString::number(m_chosen.clusterNumber());
    const QByteArray body = ByteWriter(4).putI32(station).take();
    for (;;) {
        if (generation != m_generation || !m_chosen.list)
            return false;
        link::ClusterRef ref(*m_chosen.list, m_chosen.clusterPosition);
        if (!ref.valid())
            return false;
        // Chunks of an earlier, unanswered request must not mix with this one's.
        ref.rack()->receivedChunks.clear();
        ref.rack()->ackResult = link::ack::None;
        link::SendServerMessage(ref.list(), ref.position(), true, kCatalogueRequestCode, true, body);
        const int steps = settings::serverTimeOutSeconds() * 4;
        const qint64 limit = qint64(steps) * waitStepMs();
        const qint64 start = m_clock();
        if (m_progress) {
            m_progress->setMaximum(steps);
            m_progress->setValue(0);
        }
        bool complete = false;
        for (int i = 0; i < steps;) {
            if (generation != m_generation || !ref.refresh())
                return false;
            std::int32_t& result = ref.rack()->ackResult;
            if (result == link::ack::Accepted || result == link::ack::Complete) {
                i = 0;
                if (m_progress)
                    m_progress->setValue(0);
                if (result == link::ack::Accepted)
                    result = link::ack::None;
            }
            if (result == link::ack::Complete) {
                complete = true;
                break;
            }
            if (m_clock() - start > limit)
                break;
            if (result == link::ack::Refused) {
                catalogue::show(u"e074", MessageIcon::Error, MessageButtons::Ok);
                return false;
            }
            waitStep();
            if (m_progress)
                m_progress->setValue(i);
            ++i;
        }
        if (m_progress)
            m_progress->setValue(steps);
        // A catalogue that did not come whole, or whose last chunk came after the time-out, is
        // unanswered.
        if (complete && m_clock() - start <= limit)
            return true;
        journal::write(QStringLiteral("e033|") + cluster + QLatin1Char('|') + QString::number(station));
        QCoreApplication::processEvents();
        if (catalogue::show(u"e033", MessageIcon::Error, MessageButtons::YesNo) != MessageAnswer::Yes)
            return false;
    }
}

void FileCatalogPage::showCatalogue(std::int32_t station) {
    link::TKlvRack* rack = m_chosen.rack();
    if (!rack)
        return;
    const AssembledCatalogue assembled = assembleCatalogue(rack->receivedChunks, station);
    if (assembled.foreignStation) {
        const QString received = QString::number(*assembled.foreignStation);
        showMessage({program().applicationTitle, received, MessageIcon::None, MessageButtons::Ok, QString()});
        catalogue::show(u"e034", MessageIcon::Error, MessageButtons::Ok);
        journal::write(QStringLiteral("e034|") + QString::number(m_chosen.clusterNumber()) + QLatin1Char('|') +
                       QString::number(station) + QLatin1Char('|') + received);
        return;
    }
    const link::TKlvStation* record = m_chosen.station();
    if (!record && !rack->stations.empty())
        record = &rack->stations.front();
    const QByteArray typeText = record ? record->status.typeText() : QByteArray();
    const std::int32_t fileCount = record ? record->status.fileCount() : 0;
    const QList<link::FileViewEntry> entries = readCatalogueEntries(assembled.bytes, typeText, fileCount);
    rack->fileViews.fill(std::nullopt);
    for (int j = 0; j < entries.size(); ++j) {
        rack->fileViews[static_cast<std::size_t>(j)] = entries.at(j);
        item(j)->setText(fileItemText(entries.at(j)));
    }
    fitFolderWidth();
    rg_SelectedFile->setEnabled(true);
}

// The catalogue side is 260 wide, or wider when the file texts need it.
void FileCatalogPage::fitFolderWidth() {
    rg_SelectedFile->layout()->invalidate();
    const QMargins margins = sv_Folders->layout()->contentsMargins();
    sv_Folders->setFixedWidth(std::max(260, rg_SelectedFile->sizeHint().width() + margins.left() + margins.right()));
}

void FileCatalogPage::finishRequest() {
    if (link::TKlvRack* rack = m_chosen.rack()) {
        rack->receivedChunks.clear();
        rack->fileAssembly.reset();
    }
}

void FileCatalogPage::cancelWait() { ++m_generation; }

// --- reset

void FileCatalogPage::resetView() {
    rg_SelectedFile->setEnabled(false);
    fileButtons->setExclusive(false);
    for (QAbstractButton* button : fileButtons->buttons())
        button->setChecked(false);
    fileButtons->setExclusive(true);
    m_chosenFile = -1;
    setRangeEnabled(false);
    if (link::TKlvRack* rack = m_chosen.rack())
        rack->fileViews.fill(std::nullopt);
}

void FileCatalogPage::undoZoom() { QCoreApplication::processEvents(); }

// --- the chosen file and its range

std::optional<link::FileViewEntry> FileCatalogPage::chosenEntry() const {
    const link::TKlvRack* rack = m_chosen.rack();
    if (!rack || m_chosenFile < 0 || m_chosenFile >= link::kFileViewEntries)
        return std::nullopt;
    return rack->fileViews[static_cast<std::size_t>(m_chosenFile)];
}

void FileCatalogPage::chooseFile(int index) {
    if (item(index)->text() == QString::fromUtf16(kDeletedFileText)) {
        m_chosenFile = -1;
        setRangeEnabled(false);
        return;
    }
    const link::TKlvRack* rack = m_chosen.rack();
    if (!rack || index < 0 || index >= link::kFileViewEntries || !rack->fileViews[static_cast<std::size_t>(index)])
        return;
    m_chosenFile = index;
    const link::FileViewEntry& entry = *rack->fileViews[static_cast<std::size_t>(index)];
    setBegin(fileBegin(entry));
    setEnd(fileEnd(entry));
    setRangeEnabled(true);
    emitPeriod();
}

void FileCatalogPage::beginChanged() {
    if (m_settingPickers)
        return;
    const std::optional<link::FileViewEntry> entry = chosenEntry();
    if (!entry)
        return;
    const PickedRange range = beginMoved(pickedBegin(), pickedEnd(), fileBegin(*entry), fileEnd(*entry));
    setBegin(range.begin);
    if (range.reversed) {
        catalogue::show(u"e024", MessageIcon::Error, MessageButtons::Ok);
        setEnd(range.end);
    }
    emitPeriod();
}

void FileCatalogPage::endChanged() {
    if (m_settingPickers)
        return;
    const std::optional<link::FileViewEntry> entry = chosenEntry();
    if (!entry)
        return;
    const PickedRange range = endMoved(pickedBegin(), pickedEnd(), fileBegin(*entry), fileEnd(*entry));
    setEnd(range.end);
    if (range.reversed) {
        catalogue::show(u"e024", MessageIcon::Error, MessageButtons::Ok);
        setBegin(range.begin);
    }
    emitPeriod();
}

void FileCatalogPage::setRangeEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(dtp_BegTime), static_cast<QWidget*>(dtp_EndTime),
                       static_cast<QWidget*>(dtp_BegDate), static_cast<QWidget*>(dtp_EndDate),
                       static_cast<QWidget*>(tb_ShowStationFileData)})
        w->setEnabled(enabled);
}

void FileCatalogPage::setBegin(const QDateTime& dateTime) {
    m_settingPickers = true;
    dtp_BegDate->setDate(dateTime.date());
    dtp_BegTime->setTime(dateTime.time());
    m_settingPickers = false;
}

void FileCatalogPage::setEnd(const QDateTime& dateTime) {
    m_settingPickers = true;
    dtp_EndDate->setDate(dateTime.date());
    dtp_EndTime->setTime(dateTime.time());
    m_settingPickers = false;
}

QDateTime FileCatalogPage::pickedBegin() const {
    return QDateTime(dtp_BegDate->date(), dtp_BegTime->time(), Qt::UTC);
}

QDateTime FileCatalogPage::pickedEnd() const {
    return QDateTime(dtp_EndDate->date(), dtp_EndTime->time(), Qt::UTC);
}

void FileCatalogPage::emitPeriod() { emit downloadPeriodChosen(pickedBegin(), pickedEnd()); }

} // namespace kalver::stationdata
