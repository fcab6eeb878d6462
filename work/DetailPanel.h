#pragma once
// The station detail panel (GridPanel1) at the right of the button bar: a grid of 4 columns (80, 120,
// 80, 100 px) and 11 rows of 13 px. Column 0 and 2 hold captions, columns 1 and 3 the values of the hovered station; every value
// shows "-" while no station is hovered. Rows 8 and 9 (last state, state and error flags) are the
// developer rows, shown only at access level 3.

#include "work/DetailTexts.h"

#include <QFrame>

class QGridLayout;
class QLabel;

namespace kalver::work {

class DetailPanel : public QFrame {
    Q_OBJECT
public:
    explicit DetailPanel(QWidget* parent = nullptr);

    // Fills every value label from `block`.
    void fill(const link::StatusBlock& block, int driftUnknown);
    void showTexts(const DetailTexts& texts);
    // Every value label "-".
    void clearValues();
    void setDeveloperRowsVisible(bool visible);

    // Value labels, named as the window names them.
    QLabel* lbl_StatNo = nullptr;
    QLabel* lbl_ChargeLvl = nullptr;
    QLabel* lbl_StatPressure = nullptr;
    QLabel* lbl_StatTime = nullptr;
    QLabel* lbl_StatFreqErr = nullptr;
    QLabel* lbl_StatFreeMem = nullptr;
    QLabel* lbl_GenCor = nullptr;
    QLabel* lbl_GenCorrTime = nullptr;
    QLabel* lbl_LastState = nullptr;
    QLabel* lbl_StateFlags = nullptr;
    QLabel* lbl_StatSamples = nullptr;
    QLabel* lbl_Charge = nullptr;
    QLabel* lbl_Reg = nullptr;
    QLabel* lbl_Dwnl = nullptr;
    QLabel* lbl_Test1 = nullptr;
    QLabel* lbl_Test2 = nullptr;
    QLabel* lbl_StatFiles = nullptr;
    QLabel* lbl_GenCorrFreq = nullptr;
    QLabel* lbl_GenCorrQuality = nullptr;
    QLabel* lbl_StateTime = nullptr;
    QLabel* lbl_StateErrors = nullptr;
    // Captions of the developer rows.
    QLabel* Label_LastState = nullptr;
    QLabel* Label_Flags = nullptr;
    QLabel* Label_Errors = nullptr;

    // Every value label, in row order.
    QList<QLabel*> valueLabels() const { return m_values; }

private:
    QLabel* caption(const QString& text, int row, int column, const char* name = nullptr);
    QLabel* value(const char* name, int row, int column, int columnSpan = 1);

    QFont m_font;
    QGridLayout* m_grid = nullptr;
    QList<QLabel*> m_values;
};

} // namespace kalver::work
