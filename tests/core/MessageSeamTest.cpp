#include "core/MessageSeam.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

using namespace kalver;

TEST(MessageSeam, RecorderSeesEveryMessageAndAnswersFromItsScript) {
    test::MessageRecorder recorder(MessageAnswer::No);
    recorder.script({MessageAnswer::Yes});
    EXPECT_EQ(showMessage({"T1", "one", MessageIcon::Error, MessageButtons::YesNo, "e029"}), MessageAnswer::Yes);
    EXPECT_EQ(showMessage({"T2", "two", MessageIcon::Question, MessageButtons::YesNo, {}}), MessageAnswer::No);
    ASSERT_EQ(recorder.shown().size(), 2);
    EXPECT_EQ(recorder.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(recorder.codes(), QStringList({"e029", "T2"}));
}
