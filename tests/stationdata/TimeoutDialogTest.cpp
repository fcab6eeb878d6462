// The wait-for-confirmation dialog: its label, its abort flag, and the announcement of an abort.

#include "dialogs/Unit_Timeout.h"

#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

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

} // namespace
} // namespace kalver
