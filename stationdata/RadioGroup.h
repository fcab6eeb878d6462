#pragma once
// A radio group: a titled box of radio buttons laid out in columns, whose item index is the index of
// the checked button (-1 when none). `clicked` comes when the operator picks an item; setting the
// index from code runs no handler.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace kalver::stationdata {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QRadioButton* button(int index) const;

    // At least as wide as the title where the style draws it (a style sheet may set the title off
    // from the frame's edge and pad it, which a plain group box does not count), so that a group whose
    // buttons are narrower than its title, as "Настройки каналов", shows the whole title.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    void clicked(int index);

private:
    QButtonGroup* m_buttons;
};

} // namespace kalver::stationdata
