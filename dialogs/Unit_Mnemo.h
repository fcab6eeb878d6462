#pragma once
// The mnemonic diagram window `TForm_Mnemo` (`Form_Mnemo`): a view of the racks for a wall screen.
// The window is only a frame: the grid panel xGP of 4 columns of 476 px and 2 rows of 521 px, all of
// fixed size, into whose cells the work window puts one rack panel per cluster in work, in the order
// the panels are created (left to right, then top to bottom). A ninth and later panel open further
// rows of the same cells, and a rack whose tiles need more rows than its cell holds makes its row
// taller: the grid then scrolls vertically inside the window (gridScroll()), its narrow scroll bar in
// the 10 px beside the four columns, so every rack of up to 100 clusters can be reached and the cells
// keep their width. The rack panels and their tiles belong to the work window, which builds, lays out
// and animates them in mnemonic-diagram mode.
//
// Every time the window becomes active its caption is the application title + " - Мнемосхема" and
// it reports `activated()` (the work window then clears its hovered station and starts the tile
// timer). Closing it reports `closeRequested()`: the work window ends the session exactly as its own
// close does.

#include <QPointer>
#include <QWidget>

class QGridLayout;
class QScrollArea;

namespace kalver {

class TForm_Mnemo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 4;
    static constexpr int kRows = 2;
    static constexpr int kCellWidth = 476;
    static constexpr int kCellHeight = 521;
    static constexpr int kScrollBarWidth = 10;

    explicit TForm_Mnemo(QWidget* parent = nullptr);

    // The container of the rack panels.
    QWidget* xGP = nullptr;

    // Puts `panel` into the next cell (its parent becomes xGP). A panel that is destroyed leaves the
    // grid; the panels left keep their order.
    void addRackPanel(QWidget* panel);
    // The cell (row, column) a panel stands in; (-1, -1) for one not in the grid.
    QPoint cellOf(const QWidget* panel) const;
    int panelCount() const;
    // The scroll area around xGP.
    QScrollArea* gridScroll() const;

signals:
    void activated();
    void closeRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placePanels();

    QGridLayout* m_grid = nullptr;
    QScrollArea* m_scroll = nullptr;
    QList<QPointer<QWidget>> m_panels;
};

// The one instance, set by the program when it creates the window.
extern TForm_Mnemo* Form_Mnemo;

} // namespace kalver
