#pragma once
// The selection range dialog "Ввод фильтра": two spin edits "С" (se_Beg) and "по" (se_End) and the
// button b_OK. SelectionController prepares it from the table's start/end boxes (a number range) or
// drift boxes (a drift range) and shows it modally for "по номеру" and "по уходу часов".
//
// Leaving se_Beg makes its value the lowest value se_End accepts; leaving se_End makes its value the
// highest se_Beg accepts. Only OK gives a range; any other way of closing changes nothing.

#include "work/SelectionFilters.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kalver::work {

// Limits and value of one of the dialog's boxes.
struct RangeBox {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

class TForm_SelFilter : public QDialog {
    Q_OBJECT
public:
    explicit TForm_SelFilter(QWidget* parent = nullptr);

    // Sets the boxes' limits and values.
    void prepare(const RangeBox& begin, const RangeBox& end);
    // The range the boxes hold now.
    Range range() const;
    // Prepares, shows modally and gives the range on OK.
    std::optional<Range> ask(const RangeBox& begin, const RangeBox& end);

    QLabel* Label1 = nullptr;
    QSpinBox* se_Beg = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* se_End = nullptr;
    QPushButton* b_OK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The program's range dialog, created with the other windows at start.
extern TForm_SelFilter* Form_SelFilter;

} // namespace kalver::work
