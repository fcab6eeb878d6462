#include "stationdata/Unit_SmallTable.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>

kalver::stationdata::TForm_SmallTable* Form_SmallTable = nullptr;

namespace kalver::stationdata {

TForm_SmallTable::TForm_SmallTable(QWidget* parent)
    : QDialog(parent), sg_SmallParams(new QTableWidget(1, 2)), Splitter1(new QSplitter(Qt::Horizontal)),
      xMemo(new QPlainTextEdit) {
    setObjectName(QStringLiteral("Form_SmallTable"));
    sg_SmallParams->setObjectName(QStringLiteral("sg_SmallParams"));
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    xMemo->setObjectName(QStringLiteral("xMemo"));

    sg_SmallParams->setHorizontalHeaderLabels({QStringLiteral("Номер"), QStringLiteral("Значение")});
    sg_SmallParams->verticalHeader()->setVisible(false);
    sg_SmallParams->horizontalHeader()->setDefaultSectionSize(200);
    sg_SmallParams->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg_SmallParams->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg_SmallParams->setMinimumWidth(120);
    xMemo->setReadOnly(true);
    xMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Splitter1->addWidget(sg_SmallParams);
    Splitter1->addWidget(xMemo);
    Splitter1->setSizes({447, 722 - 447});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);

    resize(722, 398);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    showContents();
}

void TForm_SmallTable::showContents() {
    setWindowTitle(m_contents.caption);
    const qsizetype count = m_contents.rows.size();
    sg_SmallParams->clearContents();
    sg_SmallParams->setRowCount(count == 0 ? 1 : static_cast<int>(count));
    for (qsizetype i = 0; i < count; ++i) {
        const link::SmallTableRow& row = m_contents.rows.at(i);
        sg_SmallParams->setItem(static_cast<int>(i), 0, new QTableWidgetItem(row.index));
        sg_SmallParams->setItem(static_cast<int>(i), 1, new QTableWidgetItem(row.value));
    }
    xMemo->setPlainText(m_contents.memo);
}

} // namespace kalver::stationdata
