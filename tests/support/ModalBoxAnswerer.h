#pragma once
// Real message boxes in a test. While it lives no responder stands in for the operator: every message
// the program shows is a real modal QMessageBox. Each one is recorded when it shows and answered by a
// click on its default button (else its escape button, else its first) from inside its own event loop,
// so nothing waits on a timer.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace kalver::test {

class ModalBoxAnswerer : public QObject {
public:
    ModalBoxAnswerer();
    ~ModalBoxAnswerer() override;

    struct Box {
        QString title;
        QString text;
        bool modal = false; // the application's active modal widget when it was answered
        QStringList buttons; // the buttons' texts as shown, without their "&" shortcut marks
    };
    const QList<Box>& boxes() const { return m_boxes; }
    QStringList titles() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<Box> m_boxes;
};

} // namespace kalver::test
