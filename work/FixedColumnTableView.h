#pragma once
// A table view whose first column stays in place while the other columns scroll sideways, as a string
// grid with a fixed first column does. The first column is drawn by a second view laid over the
// table's left edge: it shares the model, the selection and the item delegate, shows only column 0,
// scrolls vertically with the table and keeps column 0's width. A click, key or context-menu request
// on it acts on the same rows as on the table: its viewport and itself are exposed for event filters
// (fixedViewport(), fixedView()), and its context-menu requests are passed on as the table's own
// customContextMenuRequested, in the table viewport's coordinates.

#include <QTableView>

namespace kalver::work {

class FixedColumnTableView : public QTableView {
    Q_OBJECT
public:
    explicit FixedColumnTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void setItemDelegate(QAbstractItemDelegate* delegate);
    void setSelectionModel(QItemSelectionModel* selectionModel) override;
    // Column 0 is always in view: for it only the rows scroll.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Gives the fixed column the table's selection behaviour and mode, edit triggers, text settings and
    // row height, and hides every column but the first in it; called again after changing those.
    void followTable();

    QTableView* fixedView() const { return m_fixed; }
    QWidget* fixedViewport() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void placeFixedView();

    QTableView* m_fixed;
};

} // namespace kalver::work
