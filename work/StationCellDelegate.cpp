#include "work/StationCellDelegate.h"

#include <QPainter>

namespace kalver::work {

void StationCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics& metrics = option.fontMetrics;
    const int baseline = option.rect.top() + (option.rect.height() + metrics.ascent() - metrics.descent()) / 2;
    painter->drawText(QPoint(option.rect.left() + 3, baseline), text);
    painter->restore();
}

} // namespace kalver::work
