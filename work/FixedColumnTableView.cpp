#include "work/FixedColumnTableView.h"

#include <QHeaderView>
#include <QScrollBar>

namespace kalver::work {

FixedColumnTableView::FixedColumnTableView(QWidget* parent) : QTableView(parent), m_fixed(new QTableView(this)) {
    m_fixed->setObjectName(QStringLiteral("FixedColumn"));
    m_fixed->setFocusPolicy(Qt::NoFocus);
    m_fixed->verticalHeader()->hide();
    m_fixed->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_fixed->horizontalHeader()->setHighlightSections(false);
    m_fixed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixed->setHorizontalScrollMode(ScrollPerPixel);
    m_fixed->setVerticalScrollMode(ScrollPerPixel);
    m_fixed->setFrameShape(QFrame::NoFrame);
    m_fixed->setContextMenuPolicy(Qt::CustomContextMenu);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(m_fixed);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            m_fixed->setColumnWidth(0, size);
            placeFixedView();
        }
    });
    // Column 0 is resized on the fixed view's header, which lies over the table's.
    connect(m_fixed->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0 && columnWidth(0) != size)
            setColumnWidth(0, size);
    });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_fixed->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(m_fixed->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(m_fixed, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        emit customContextMenuRequested(viewport()->mapFrom(m_fixed->viewport(), at));
    });
}

QWidget* FixedColumnTableView::fixedViewport() const { return m_fixed->viewport(); }

void FixedColumnTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    m_fixed->setModel(model);
    m_fixed->setSelectionModel(selectionModel());
    if (model)
        connect(model, &QAbstractItemModel::columnsInserted, this, &FixedColumnTableView::followTable);
    followTable();
}

void FixedColumnTableView::setSelectionModel(QItemSelectionModel* selection) {
    QTableView::setSelectionModel(selection);
    // While the table takes a new model, the fixed column gets it (and this selection) in setModel.
    if (selection && m_fixed->model() == selection->model())
        m_fixed->setSelectionModel(selection);
}

void FixedColumnTableView::setItemDelegate(QAbstractItemDelegate* delegate) {
    QTableView::setItemDelegate(delegate);
    m_fixed->setItemDelegate(delegate);
}

void FixedColumnTableView::followTable() {
    if (!model())
        return;
    m_fixed->setSelectionBehavior(selectionBehavior());
    m_fixed->setSelectionMode(selectionMode());
    m_fixed->setEditTriggers(editTriggers());
    m_fixed->setWordWrap(wordWrap());
    m_fixed->setTextElideMode(textElideMode());
    m_fixed->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fixed->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    for (int c = 1; c < model()->columnCount(); ++c)
        m_fixed->setColumnHidden(c, true);
    m_fixed->setColumnWidth(0, columnWidth(0));
    placeFixedView();
}

void FixedColumnTableView::placeFixedView() {
    const int left = frameWidth() + (verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
    m_fixed->setGeometry(left, frameWidth(), columnWidth(0), viewport()->height() + horizontalHeader()->height());
    m_fixed->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_fixed->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_fixed->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void FixedColumnTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFixedView();
}

void FixedColumnTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeFixedView();
}

QModelIndex FixedColumnTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Moving left onto a cell hidden under the fixed column scrolls it out from under it.
    if (cursorAction == MoveLeft && current.column() > 0 && visualRect(current).topLeft().x() < columnWidth(0)) {
        const int newValue = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - columnWidth(0);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void FixedColumnTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // Column 0 is always in view: only the rows scroll for it.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == 0)
        horizontalScrollBar()->setValue(sideways);
}

} // namespace kalver::work
