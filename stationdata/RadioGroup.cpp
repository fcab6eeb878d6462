#include "stationdata/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace kalver::stationdata {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(2);
    layout->setHorizontalSpacing(8);
    const int perColumn = static_cast<int>((items.size() + columns - 1) / columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        m_buttons->addButton(button, i);
        layout->addWidget(button, i % perColumn, i / perColumn);
    }
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

QSize RadioGroup::minimumSizeHint() const {
    const QSize size = QGroupBox::minimumSizeHint();
    if (title().isEmpty())
        return size;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.rect.setWidth(QWIDGETSIZE_MAX / 2); // where the title lies when nothing squeezes it
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    // The title's end, and after it the gap the style leaves before it.
    return size.expandedTo(QSize(label.right() + 1 + label.left(), 0));
}

QSize RadioGroup::sizeHint() const { return QGroupBox::sizeHint().expandedTo(minimumSizeHint()); }

int RadioGroup::itemIndex() const { return m_buttons->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    if (QAbstractButton* checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

int RadioGroup::count() const { return static_cast<int>(m_buttons->buttons().size()); }

QRadioButton* RadioGroup::button(int index) const { return qobject_cast<QRadioButton*>(m_buttons->button(index)); }

} // namespace kalver::stationdata
