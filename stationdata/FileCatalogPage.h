#pragma once
// Page 1 of the station data window, "Информация по Станции" (the contents of tab sheet
// `ts_RegData`): on the left the chosen station's recorded files as read from its file catalogue,
// and the range pickers with which the operator narrows one file's time range; on the right the
// station's error list `Memo_StationErrors` in `GroupBox1`, which the window fills.
//
// How the station data window uses it:
//   - puts the page into `ts_RegData` and hands it `pb_StartStop` (setProgressBar);
//   - tells it the chosen cluster and station (setStation) whenever `cbServer` or `cbStation` change,
//     and calls requestCatalogue() where the window itself requests one (station change on page 1);
//     `tb_ShowData` requests the catalogue of the station last set;
//   - calls resetView() when the page is about to change, when it closes and on cluster close-up and
//     station change, undoZoom() on cluster close-up and station change, cancelWait() when it closes;
//   - applies downloadPeriodChosen(begin, end) to the download period of page 0: `dtp_Dwnl_BegTime` and
//     `dtp_Dwnl_BegDate` take begin, `dtp_Dwnl_EndTime` and `dtp_Dwnl_EndDate` take end, then it
//     refreshes the quick entry `me_SpeedDT`. The date-times are wall-clock readings (Qt::UTC used as
//     a plain clock): take their date() and time().
// A catalogue request disables the whole window (window()) for its wait; a second request cannot
// start while one waits.

#include "link/TKlvRack.h"
#include "stationdata/ChosenStation.h"

#include <QDateTime>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QPlainTextEdit;
class QRadioButton;
class QTimeEdit;
class QToolButton;

namespace kalver::stationdata {

class FileCatalogPage : public QWidget {
    Q_OBJECT
public:
    explicit FileCatalogPage(QWidget* parent = nullptr);

    void setProgressBar(QProgressBar* bar);
    // The station `tb_ShowData` asks for, and whose cluster keeps the file entries.
    void setStation(link::ClusterList& list, int clusterPosition, std::int32_t stationNumber);

    // Request catalogue (the `tb_ShowData` click).
    void requestCatalogue();
    // Reset view: the file list and the range pickers disabled, no file chosen, the cluster's file
    // entries freed. The texts of the list stay.
    void resetView();
    // Undo zoom: this page draws no recorded data, so there is no chart range to give the download
    // period; it lets pending events run and leaves the period as it is.
    void undoZoom();
    void cancelWait();
    bool isWaiting() const { return m_waiting; }

    // The clock of the catalogue wait's time limit, in milliseconds (a monotonic clock by default).
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // The chosen file (item index), -1 when none.
    int chosenFile() const { return m_chosenFile; }

    QWidget* sv_Folders;
    QToolButton* tb_ShowData;
    QGroupBox* rg_SelectedFile;
    QButtonGroup* fileButtons; // the items of rg_SelectedFile; id = item index
    QTimeEdit* dtp_BegTime;
    QDateEdit* dtp_BegDate;
    QTimeEdit* dtp_EndTime;
    QDateEdit* dtp_EndDate;
    QToolButton* tb_ShowStationFileData;
    QGroupBox* GroupBox1;
    QPlainTextEdit* Memo_StationErrors;

signals:
    // The range to copy into the download period of page 0.
    void downloadPeriodChosen(const QDateTime& begin, const QDateTime& end);

private:
    QRadioButton* item(int index) const;
    void chooseFile(int index);
    void beginChanged();
    void endChanged();
    void setRangeEnabled(bool enabled);
    void setBegin(const QDateTime& dateTime);
    void setEnd(const QDateTime& dateTime);
    QDateTime pickedBegin() const;
    QDateTime pickedEnd() const;
    void emitPeriod();
    std::optional<link::FileViewEntry> chosenEntry() const;
    // The wait of a request: true when the catalogue is complete in time; false after e074, a wait
    // that ended, or an unanswered request the operator does not repeat.
    bool sendAndWait(std::int32_t station, quint64 generation);
    void showCatalogue(std::int32_t station);
    void finishRequest();
    void fitFolderWidth();

    ChosenStation m_chosen;
    QPointer<QProgressBar> m_progress;
    std::function<qint64()> m_clock;
    int m_chosenFile = -1;
    bool m_waiting = false;
    bool m_settingPickers = false;
    quint64 m_generation = 0;
};

} // namespace kalver::stationdata
