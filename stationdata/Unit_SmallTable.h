#pragma once
// The small parameter table window `TForm_SmallTable` (one instance, `Form_SmallTable`): the elements
// of a table parameter of a station's subsystem, which do not fit into the value column of the
// subsystem page's parameter grid (that column shows "Введите символ >" for them).
//
// How the program uses it: app creates `Form_SmallTable` once at start and keeps it until the end.
// The link's observer hands `contents()` to the subsystem data decoding (LinkObserver::smallTable())
// and, when a subsystem was decoded (LinkObserver::parametersDecoded()), calls `showContents()`, so
// the window always shows the table of the latest subsystem read that held one, whether or not it is
// open. The subsystem page shows it modally when the operator types ">" into such a row.
//
// Closing the window only closes it: the station data window behind it stays open and enabled.

#include "link/ParameterGrid.h"

#include <QDialog>

class QPlainTextEdit;
class QSplitter;
class QTableWidget;

namespace kalver::stationdata {

class TForm_SmallTable : public QDialog {
    Q_OBJECT
public:
    explicit TForm_SmallTable(QWidget* parent = nullptr);

    // What the subsystem data decoding fills: caption, element rows and the memo line.
    link::SmallTable* contents() { return &m_contents; }
    // Shows the contents: the caption, one grid row per element (index, value), the memo line. Empty
    // contents show the headings and one empty row.
    void showContents();

    QTableWidget* sg_SmallParams;
    QSplitter* Splitter1;
    QPlainTextEdit* xMemo;

private:
    link::SmallTable m_contents;
};

} // namespace kalver::stationdata

// The program's one small parameter table window; nullptr until the program creates it.
extern kalver::stationdata::TForm_SmallTable* Form_SmallTable;
