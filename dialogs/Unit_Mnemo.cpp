#include "dialogs/Unit_Mnemo.h"

#include "config/TextTables.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>

namespace kalver {

TForm_Mnemo* Form_Mnemo = nullptr;

namespace {
// The vertical scroll bar of the grid fits the 10 px the window has beside its four columns, so the
// cells keep their width when the grid scrolls.
class NarrowScrollBar : public QScrollBar {
public:
    NarrowScrollBar() : QScrollBar(Qt::Vertical) {}
    QSize sizeHint() const override { return {TForm_Mnemo::kScrollBarWidth, QScrollBar::sizeHint().height()}; }
};
} // namespace

TForm_Mnemo::TForm_Mnemo(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Form_Mnemo"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(texts::windowCaption(texts::Window::Mnemo));
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    setFont(f);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("xGP_Scroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBar(new NarrowScrollBar);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setWidgetResizable(false);

    xGP = new QWidget;
    xGP->setObjectName(QStringLiteral("xGP"));
    m_grid = new QGridLayout(xGP);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(0);
    // The grid is as large as its rows: the two designed ones, and every further one a ninth and
    // later rack opens; a row is as high as its tallest rack needs (at least the designed cell).
    m_grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int c = 0; c < kColumns; ++c) {
        m_grid->setColumnMinimumWidth(c, kCellWidth);
        m_grid->setColumnStretch(c, 0);
    }
    for (int r = 0; r < kRows; ++r)
        m_grid->setRowMinimumHeight(r, kCellHeight);
    m_scroll->setWidget(xGP);
    auto* outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll, 0, 0);
    setFixedSize(kColumns * kCellWidth + 10, kRows * kCellHeight + 10); // client 1914 x 1052
}

void TForm_Mnemo::addRackPanel(QWidget* panel) {
    if (!panel)
        return;
    panel->setParent(xGP);
    panel->setFixedWidth(kCellWidth);
    m_panels.append(panel);
    placePanels();
    panel->show();
}

void TForm_Mnemo::placePanels() {
    m_panels.removeAll(nullptr);
    for (const QPointer<QWidget>& p : std::as_const(m_panels))
        m_grid->removeWidget(p);
    for (int i = 0; i < m_panels.size(); ++i) {
        const int row = i / kColumns;
        m_grid->setRowMinimumHeight(row, kCellHeight);
        m_grid->addWidget(m_panels[i], row, i % kColumns);
    }
}

QPoint TForm_Mnemo::cellOf(const QWidget* panel) const {
    const int index = m_grid->indexOf(panel);
    if (index < 0)
        return {-1, -1};
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    m_grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return {row, column};
}

QScrollArea* TForm_Mnemo::gridScroll() const { return m_scroll; }

int TForm_Mnemo::panelCount() const {
    int n = 0;
    for (const QPointer<QWidget>& p : m_panels)
        if (p)
            ++n;
    return n;
}

void TForm_Mnemo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        setWindowTitle(texts::windowCaption(texts::Window::Mnemo));
        emit activated();
    }
}

void TForm_Mnemo::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested();
}

} // namespace kalver
