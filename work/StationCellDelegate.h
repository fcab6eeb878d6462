#pragma once
// Draws the cells of the station table: the cell's text on one line, left-aligned and clipped to the
// cell, on the selection colour when the row is selected. The table repaints its visible rows after
// every refresh (up to 100 times per poll interval), so a cell is drawn with one text call instead of
// the style's full item layout.

#include <QStyledItemDelegate>

namespace kalver::work {

class StationCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kalver::work
