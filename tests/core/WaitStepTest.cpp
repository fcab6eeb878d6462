#include "core/WaitStep.h"

#include <QTimer>
#include <gtest/gtest.h>

TEST(WaitStep, EventsPostedBeforeTheStepRunDuringIt) {
    kalver::setWaitStepMs(20);
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    kalver::waitStep();
    EXPECT_TRUE(ran);
    kalver::setWaitStepMs(kalver::kWaitStepMs);
    EXPECT_EQ(kalver::waitStepMs(), 250);
}
