#pragma once
// A collapsible panel of the station table's filter column (cpg_Filters): a header button with the
// panel's caption that folds and unfolds the content below it. Expanded, the content takes the
// panel's configured height.

#include <QWidget>

class QToolButton;
class QVBoxLayout;

namespace kalver::work {

class FilterPanel : public QWidget {
    Q_OBJECT
public:
    FilterPanel(const QString& name, const QString& caption, int expandedHeight, bool expanded,
                QWidget* parent = nullptr);

    QWidget* content() const { return m_content; }
    bool isExpanded() const { return m_expanded; }
    void setExpanded(bool expanded);

private:
    QToolButton* m_header;
    QWidget* m_content;
    int m_expandedHeight;
    bool m_expanded = true;
};

} // namespace kalver::work
