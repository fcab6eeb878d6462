#include "core/WaitStep.h"

#include <QEventLoop>
#include <QTimer>

namespace kalver {

namespace {
int g_stepMs = kWaitStepMs;
}

void waitStep() {
    QEventLoop loop;
    QTimer::singleShot(g_stepMs, &loop, &QEventLoop::quit);
    loop.exec();
}

int waitStepMs() { return g_stepMs; }

void setWaitStepMs(int ms) { g_stepMs = ms > 0 ? ms : kWaitStepMs; }

} // namespace kalver
