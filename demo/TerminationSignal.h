#pragma once
// SIGTERM and SIGINT delivered as a Qt signal on the one thread: the handler only writes the signal
// number into a socket pair, and a socket notifier on the other end emits received().

#include <QObject>

class QSocketNotifier;

namespace kalver::demo {

class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

signals:
    void received(int signalNumber);

private:
    void drain();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kalver::demo
