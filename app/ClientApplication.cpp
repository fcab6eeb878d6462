#include "app/ClientApplication.h"

#include "app/BusyMeter.h"

#include <QThread>

namespace kalver::app {

ClientApplication::ClientApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void ClientApplication::setBusyMeter(BusyMeter* meter) { m_meter = meter; }

bool ClientApplication::notify(QObject* receiver, QEvent* event) {
    // Straight from the innermost running loop: each loop that runs inside the handling of an event
    // (a modal box, say) adds one delivery under way and one loop level.
    if (m_meter && m_depth < QThread::currentThread()->loopLevel())
        m_meter->deliveryStarting();
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(m_depth);
    return QApplication::notify(receiver, event);
}

} // namespace kalver::app
