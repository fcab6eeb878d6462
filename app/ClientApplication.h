#pragma once
// The client's application object. Besides what QApplication does, it tells a busy meter
// (app/BusyMeter.h) whenever the thread starts delivering an event straight from a running event loop
// (not an event sent from inside the handling of another one), so that the meter's longest busy
// stretch is the longest time the thread spent on one event rather than the time between two waits
// of the loop, which a steady stream of events may keep apart for minutes while every event is
// handled at once.

#include <QApplication>
#include <QPointer>

namespace kalver::app {

class BusyMeter;

class ClientApplication : public QApplication {
    Q_OBJECT
public:
    ClientApplication(int& argc, char** argv);

    // nullptr stops the notes.
    void setBusyMeter(BusyMeter* meter);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QPointer<BusyMeter> m_meter;
    int m_depth = 0; // deliveries under way
};

} // namespace kalver::app
