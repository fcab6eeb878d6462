#include "core/ActivationWatch.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace kalver {

ActivationWatch::ActivationWatch(QWidget* window) : QObject(window), m_window(window) {
    qApp->installEventFilter(this);
}

ActivationWatch::~ActivationWatch() {
    if (qApp)
        qApp->removeEventFilter(this);
}

bool ActivationWatch::isBox(const QWidget* window) {
    if (!window)
        return true;
    if (qobject_cast<const QDialog*>(window) || window->isModal())
        return true;
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen || type == Qt::Tool;
}

bool ActivationWatch::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && watched == m_window) {
        // The activation that follows a showing is the showing's own: the window's owner handles it.
        m_cameFrom = nullptr;
        return false;
    }
    if (type != QEvent::WindowActivate && type != QEvent::WindowDeactivate)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isWindow())
        return false;
    if (widget == m_window) {
        if (type == QEvent::WindowDeactivate) {
            // Where the activation goes now: another window of this program, or (none) another program.
            m_cameFrom = QApplication::activeWindow() != m_window ? QApplication::activeWindow() : nullptr;
        } else {
            const bool fromProgramWindow = m_cameFrom && !isBox(m_cameFrom);
            m_cameFrom = nullptr;
            if (fromProgramWindow)
                emit cameFromProgramWindow();
        }
    } else if (type == QEvent::WindowActivate && QApplication::activeWindow() != m_window) {
        m_cameFrom = widget;
    }
    return false;
}

} // namespace kalver
