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

signals:
    void clicked(int index);

private:
    QButtonGroup* m_buttons;
};

} // namespace kalver::stationdata
