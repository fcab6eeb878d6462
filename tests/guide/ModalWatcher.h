#pragma once
// Takes the pictures of the boxes and modal windows that the program shows while the screenshot tool
// drives it: every modal window that comes up is given a moment to paint, handed to the next scene
// step the tool expects (which saves its picture and answers it), or, when nothing is expected, saved
// under a numbered name and answered with its escape button so that the run goes on.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace kalver::guide {

class ModalWatcher : public QObject {
    Q_OBJECT
public:
    // What to do with the next modal window: `act` gets the window once it has painted.
    struct Step {
        QString what;                          // for the tool's output
        std::function<void(QWidget*)> act;
    };

    explicit ModalWatcher(std::function<bool(QWidget&, const QString&)> save, QObject* parent = nullptr);

    void expect(const QString& what, std::function<void(QWidget*)> act);
    // Saves the box as `file` and clicks its `button` (a QMessageBox::StandardButton).
    void expectBox(const QString& file, int button);
    // Answers the next box with `button` without a picture.
    void expectAnswer(const QString& what, int button);
    // Windows the tool drives itself while they are modal (the connection window of a mnemonic session).
    void ignore(QWidget* window) { m_ignored.append(window); }
    bool idle() const { return m_steps.empty(); }
    int unexpectedCount() const { return m_unexpected; }

private:
    void tick();

    std::function<bool(QWidget&, const QString&)> m_save;
    std::deque<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_seen;
    qint64 m_seenAt = 0;
    QPointer<QWidget> m_handled;
    int m_unexpected = 0;
    QList<QPointer<QWidget>> m_ignored;
};

} // namespace kalver::guide
