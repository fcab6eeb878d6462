#include "work/FilterPanel.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kalver::work {

FilterPanel::FilterPanel(const QString& name, const QString& caption, int expandedHeight, bool expanded,
                         QWidget* parent)
    : QWidget(parent), m_expandedHeight(expandedHeight) {
    setObjectName(name);
    m_header = new QToolButton(this);
    m_header->setObjectName(name + QStringLiteral("_header"));
    m_header->setText(caption);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setAutoRaise(true);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_content = new QWidget(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_content);

    connect(m_header, &QToolButton::clicked, this, [this] { setExpanded(!m_expanded); });
    setExpanded(expanded);
}

void FilterPanel::setExpanded(bool expanded) {
    m_expanded = expanded;
    m_header->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    m_content->setVisible(expanded);
    if (m_expandedHeight > 0)
        m_content->setFixedHeight(m_expandedHeight);
}

} // namespace kalver::work
