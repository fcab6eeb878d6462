#pragma once
// Page 0 of the station data window, `ts_StartStop` "Операции управления": the choice of one of the
// fifteen operations (`rg_OpMode`), "Выполнить" (`b_StartStop`), the start settings of the start family
// (`gb_StartSettings`: sampling frequency, registration schedule, inclinometer schedule, channel set
// type and the channel groups), the download period with its quick-entry field (`gb_DownloadTime`) and
// the per-cluster status grid (`sg_StartStopStatus`).
//
// The page keeps the operator's inputs and the channel entries that the window saves in
// "settings_StD.ini"; the channel groups are built from the listing of the window's fill. Choosing an
// operation asks the window to fill again (fillRequested) and then applies the operation's channel
// mode and inclinometer rule. The rules themselves live in plain pieces: ChannelGroups, QuickEntry.

#include "stationdata/ChannelGroups.h"
#include "stationdata/CommandBodies.h"
#include "stationdata/SelectionListing.h"
#include "stationdata/StationDataInputs.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableWidget;

namespace kalver::stationdata {

class RadioGroup;
class TChannelSettings;

class OperationsPage : public QWidget {
    Q_OBJECT
public:
    explicit OperationsPage(QWidget* parent = nullptr);

    // --- the operation
    int operation() const;
    // Sets `rg_OpMode` and runs its click handler.
    void chooseOperation(int operation);

    // --- the status grid: one row per listed cluster
    void showListing(const SelectionListing& listing);
    int rowCount() const;
    int rowCluster(int row) const;
    QList<std::int32_t> rowStations(int row) const;
    void setRowState(int row, const QString& text);

    // Fill step for the start family: keeps, creates or destroys the channel groups from the merged
    // configuration, locks the use boxes for the type mark, and applies the inclinometer state.
    void applyChannelListing(const SelectionListing& listing);
    // Destroys every channel group (after reading their entries back into the kept channel entries).
    void closeChannelGroups();
    bool anyChannelGroup() const { return m_groups.any(); }
    const ChannelGroups& channelGroups() const { return m_groups; }

    // Check start settings: enables `b_StartStop`.
    void checkStartSettings();
    // Refresh quick entry: rewrites `me_SpeedDT` from the four download pickers.
    void refreshQuickEntry();

    // --- the inputs kept in "settings_StD.ini"
    StationDataInputs inputs() const;
    // Sets the controls from `inputs` as the window's creation reads them: each check box runs its
    // click handler, the date-times go to both their pickers, the quick entry is refreshed.
    void applyInputs(const StationDataInputs& inputs);

    // --- what the commands take
    StartSettings startSettings() const;
    TDateTime downloadBegin() const;
    TDateTime downloadEnd() const;

    // Asked when the operator picks another operation: the window fills again for it.
    std::function<void(int operation)> fillRequested;

    RadioGroup* rg_OpMode;
    QPushButton* b_StartStop;
    QGroupBox* gb_StartSettings;
    QLabel* lbl_Freq;
    QComboBox* cb_Freq;
    QLabel* Label8;
    QDateTimeEdit* dtp_BeginRegTime;
    QDateTimeEdit* dtp_BeginRegDate;
    QCheckBox* cb_Now;
    QLabel* Label9;
    QDateTimeEdit* dtp_EndRegTime;
    QDateTimeEdit* dtp_EndRegDate;
    QCheckBox* cb_ByCommand;
    QCheckBox* cb_UseInclin;
    QGroupBox* gb_InclinSettings;
    QLabel* Label4;
    QDateTimeEdit* dtp_BegInclinTime;
    QDateTimeEdit* dtp_BegInclinDate;
    QCheckBox* cb_IncNow;
    QLabel* Label5;
    QSpinBox* se_InclinStep;
    QCheckBox* cb_InclinOnce;
    RadioGroup* rg_ChannelSetType;
    QScrollArea* sb_Channels;
    QGroupBox* gb_DownloadTime;
    QDateTimeEdit* dtp_Dwnl_BegTime;
    QDateTimeEdit* dtp_Dwnl_BegDate;
    QDateTimeEdit* dtp_Dwnl_EndTime;
    QDateTimeEdit* dtp_Dwnl_EndDate;
    QLineEdit* me_SpeedDT;
    QTableWidget* sg_StartStopStatus;

    // The channel group box of `channel`, or nullptr.
    TChannelSettings* channelBox(int channel) const;

    // The colour of a greyed label or check box (8421504).
    static QColor greyText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildOperationRow();
    void buildStartSettings();
    void buildDownloadTime();
    void buildStatusGrid();

    void rg_OpModeClick();
    void cb_NowClick();
    void cb_ByCommandClick();
    void cb_UseInclinClick();
    void cb_IncNowClick();
    void cb_InclinOnceClick();
    void rg_ChannelSetTypeClick();
    void downloadPickerChanged(QDateTimeEdit* picker);
    void me_SpeedDTKeyUp();

    // Channel groups: the boxes follow the state after every change.
    void createChannelBox(int channel);
    void destroyChannelBox(int channel);
    void showChannelGroups();
    void connectChannelBox(TChannelSettings* box);
    void afterChannelChange();

    std::array<TChannelSettings*, kChannels> m_boxes{};
    ChannelGroups m_groups;
    ChannelEntries m_entries{}; // the kept channel entries; groups start from them
    QWidget* m_channelArea = nullptr;
    bool m_applyingQuickEntry = false;
};

} // namespace kalver::stationdata
