#include "support/ModalBoxAnswerer.h"

#include "core/MessageSeam.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>

namespace kalver::test {

ModalBoxAnswerer::ModalBoxAnswerer() {
    setMessageResponder({});
    qApp->installEventFilter(this);
}

ModalBoxAnswerer::~ModalBoxAnswerer() { qApp->removeEventFilter(this); }

QStringList ModalBoxAnswerer::titles() const {
    QStringList out;
    for (const Box& b : m_boxes)
        out.append(b.title);
    return out;
}

bool ModalBoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show)
        return false;
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (!box)
        return false;
    const qsizetype index = m_boxes.size();
    QStringList buttons;
    for (const QAbstractButton* b : box->buttons())
        buttons.append(QString(b->text()).remove(QLatin1Char('&')));
    m_boxes.append({box->windowTitle(), box->text(), false, buttons});
    QPointer<QMessageBox> guard(box);
    QMetaObject::invokeMethod(
        box,
        [this, guard, index] {
            if (!guard)
                return;
            m_boxes[index].modal = QApplication::activeModalWidget() == guard.data();
            QAbstractButton* button = guard->defaultButton();
            if (!button)
                button = guard->escapeButton();
            if (!button && !guard->buttons().isEmpty())
                button = guard->buttons().first();
            if (button)
                button->click();
        },
        Qt::QueuedConnection);
    return false;
}

} // namespace kalver::test
