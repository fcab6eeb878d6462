#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QMessageBox>

#include <cstdio>

namespace kalver::guide {

namespace {
// A modal window is grabbed once it has been up this long (its first paint is done by then).
constexpr qint64 kPaintedAfterMs = 350;
} // namespace

ModalWatcher::ModalWatcher(std::function<bool(QWidget&, const QString&)> save, QObject* parent)
    : QObject(parent), m_save(std::move(save)) {
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::tick);
    m_timer.start();
}

void ModalWatcher::expect(const QString& what, std::function<void(QWidget*)> act) {
    m_steps.push_back({what, std::move(act)});
}

void ModalWatcher::expectBox(const QString& file, int button) {
    expect(file, [this, file, button](QWidget* w) {
        m_save(*w, file);
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(button))) {
                b->click();
                return;
            }
            std::fprintf(stderr, "box %s has no such button\n", qPrintable(file));
        }
        w->close();
    });
}

void ModalWatcher::expectAnswer(const QString& what, int button) {
    expect(what, [what, button](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w))
            if (QAbstractButton* b = box->button(static_cast<QMessageBox::StandardButton>(button))) {
                b->click();
                return;
            }
        std::fprintf(stderr, "window for %s has no such button\n", qPrintable(what));
        w->close();
    });
}

void ModalWatcher::tick() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w == m_handled || m_ignored.contains(QPointer<QWidget>(w)))
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (w != m_seen) {
        m_seen = w;
        m_seenAt = now;
        return;
    }
    if (now - m_seenAt < kPaintedAfterMs)
        return;
    m_handled = w;
    if (m_steps.empty()) {
        ++m_unexpected;
        const auto* box = qobject_cast<QMessageBox*>(w);
        std::fprintf(stderr, "unexpected window: %s %s\n", qPrintable(w->windowTitle()),
                     box ? qPrintable(box->text().left(80)) : "");
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
        return;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    std::printf("modal window for %s: %s\n", qPrintable(step.what), qPrintable(w->windowTitle()));
    step.act(w);
}

} // namespace kalver::guide
