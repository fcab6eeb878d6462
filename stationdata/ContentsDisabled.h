#pragma once
// Disables a window's contents while a page waits for its cluster, and enables them again when it
// ends. The window itself stays enabled: a message box that the wait shows is the window's child
// and must still take the operator's answer. Either window or contents may be gone by the end.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace kalver::stationdata {

class ContentsDisabled {
public:
    explicit ContentsDisabled(QWidget* window) {
        if (!window)
            return;
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() || !child->isEnabled())
                continue;
            child->setEnabled(false);
            m_disabled.append(child);
        }
    }
    ~ContentsDisabled() {
        for (const QPointer<QWidget>& child : m_disabled)
            if (child)
                child->setEnabled(true);
    }
    ContentsDisabled(const ContentsDisabled&) = delete;
    ContentsDisabled& operator=(const ContentsDisabled&) = delete;

private:
    QList<QPointer<QWidget>> m_disabled;
};

} // namespace kalver::stationdata
