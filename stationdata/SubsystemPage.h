#pragma once
// Page 3 of the station data window, "Подсистемы Станции" (the contents of tab sheet
// `ts_StationParam`): the parameters of one subsystem of the chosen station, read from the station,
// edited within their limits and written back.
//
// How the station data window uses it:
//   - puts the page into `ts_StationParam` and hands it `pb_StartStop` (setProgressBar) and, when it
//     is not the program's `Form_SmallTable`, the small table window (setSmallTableWindow);
//   - calls resetPage() on every cluster or station change, and loadSubsystemList() with the chosen
//     cluster and station when page 3 is shown or another station is chosen (it disables
//     `cb_SubsystemType` before, as the page leaves the control as it was when there is no folder);
//   - forwards the link's observer calls: parameterGrid() and selectedSubsystem() to the page,
//     parametersDecoded() to showDecodedValues() (and the small table's showContents());
//   - calls cancelWait() when it closes, so that a running wait ends at its next step.
// Reading disables the whole window (window()) for its wait; writing does not. A second read or write
// cannot start while one waits.

#include "link/ParameterGrid.h"
#include "stationdata/ChosenStation.h"
#include "stationdata/Unit_SmallTable.h"

#include <QPointer>
#include <QProgressBar>
#include <QWidget>

class QComboBox;
class QTableWidget;
class QToolBar;
class QToolButton;

namespace kalver::stationdata {

class SubsystemPage : public QWidget {
    Q_OBJECT
public:
    explicit SubsystemPage(QWidget* parent = nullptr);

    void setProgressBar(QProgressBar* bar);
    void setSmallTableWindow(TForm_SmallTable* window);

    // Reset subsystems page: no subsystem chosen, the grid one empty row, both buttons disabled.
    void resetPage();
    // Load subsystem list: the subsystem files of the station's type; with its folder present the
    // page is reset and `cb_SubsystemType` enabled.
    void loadSubsystemList(link::ClusterList& list, int clusterPosition, std::int32_t stationNumber);

    // --- for the link's observer
    link::ParameterGrid* parameterGrid() { return &m_grid; }
    // The text of `cb_SubsystemType`: type key + "\" + file name.
    QString selectedSubsystem() const;
    // Shows the value column after the subsystem data message wrote it.
    void showDecodedValues();

    void cancelWait();
    bool isWaiting() const { return m_waiting; }

    // The operations of the two buttons.
    void readValues();
    void writeValues();

    QToolBar* ToolBar4;
    QComboBox* cb_SubsystemType;
    QToolButton* tb_ParamReload;
    QToolButton* tb_ParamSave;
    QTableWidget* sg_StationParams;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseSubsystem();
    void cellEdited(int row, int column);
    void showGrid();
    void clearGrid(int emptyRows);
    void setCell(int row, int column, const QString& text);
    void setProgress(int maximum, int position);
    // Sends `code` with `body` to the chosen cluster after clearing its acknowledgement result and
    // waits up to the server time-out for one of `answers`; 0 when none came (or the wait ended).
    std::int32_t sendAndWait(int code, const QByteArray& body, std::initializer_list<std::int32_t> answers,
                             bool& ended);
    void sizeColumns();

    ChosenStation m_chosen;
    link::ParameterGrid m_grid;
    QPointer<QProgressBar> m_progress;
    QPointer<TForm_SmallTable> m_smallTable;
    bool m_waiting = false;
    bool m_filling = false;
    // Changes with every reset, subsystem choice and cancel: a wait that sees it change ends.
    quint64 m_generation = 0;
};

} // namespace kalver::stationdata
