// The wait-for-confirmation dialog: its label, its abort flag, and the announcement of an abort.

#include "dialogs/Unit_Timeout.h"

#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace kalver {
namespace {

TEST(TimeoutDialog, LabelNamesTheTimeOutHeldAtCreation) {
    TForm_Timeout dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ожидается подтверждение"));
    EXPECT_EQ(dialog.lbl_Timeout->text(), QStringLiteral("Таймаут на выполение запрошенной операции ") +
                                              QString::number(settings::serverTimeOutSeconds()) +
                                              QStringLiteral(" секунд"));
    EXPECT_EQ(dialog.b_TimeoutStop->text(), QStringLiteral("Прервать ожидание"));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog.isModal());
}

TEST(TimeoutDialog, TheButtonSetsTheFlagLogsAndAnnouncesAndShowingClearsIt) {
    test::RecordingObserver log(link::clusters());
    TForm_Timeout dialog;
    QSignalSpy balloons(&dialog, &TForm_Timeout::balloonRequested);
    dialog.showForWait();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.abortRequested());

    dialog.b_TimeoutStop->click();
    EXPECT_TRUE(dialog.abortRequested());
    ASSERT_EQ(log.lines.size(), 1);
    EXPECT_EQ(log.lines[0].text, QStringLiteral("Ожидание подтверждения прервано по запросу Оператора!"));
    EXPECT_TRUE(log.lines[0].bold);
    EXPECT_EQ(log.lines[0].colour, QColor(Qt::black));
    ASSERT_EQ(balloons.size(), 1);
    const QString title = program().applicationTitle;
    EXPECT_EQ(balloons[0][0].toString(), title);
    EXPECT_EQ(balloons[0][1].toString(), TForm_Timeout::abortText());
    EXPECT_EQ(balloons[0][2].toString(), title + QStringLiteral("\n") + TForm_Timeout::abortText());
    EXPECT_EQ(balloons[0][3].toInt(), 10000);

    dialog.closeAfterWait();
    EXPECT_FALSE(dialog.isVisible());
    dialog.showForWait();
    EXPECT_FALSE(dialog.abortRequested()) << "a new wait starts with the flag cleared";
}

// Esc and the window's close request during a wait: the dialog stays up, the wait is given up as by the
// button (one log line however often it is asked), and only the waiting window's close hides it.
TEST(TimeoutDialog, EscAndCloseDuringAWaitAbortAndNeverHideTheDialog) {
    const struct {
        const char* name;
        std::function<void(TForm_Timeout&)> dismiss;
    } ways[] = {
        {"Esc", [](TForm_Timeout& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close request", [](TForm_Timeout& d) { d.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        test::RecordingObserver log(link::clusters());
        TForm_Timeout dialog;
        QSignalSpy balloons(&dialog, &TForm_Timeout::balloonRequested);
        dialog.showForWait();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

        way.dismiss(dialog);
        EXPECT_TRUE(dialog.isVisible()) << "the wait still runs";
        EXPECT_TRUE(dialog.abortRequested());
        way.dismiss(dialog);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(log.lines.size(), 1);
        EXPECT_EQ(log.lines[0].text, TForm_Timeout::abortText());
        EXPECT_EQ(balloons.size(), 1);

        dialog.closeAfterWait();
        EXPECT_FALSE(dialog.isVisible());
    }
}

} // namespace
} // namespace kalver
