// Texts that must be read whole, laid out under the shipped visual style: the wait-for-confirmation
// dialog's label and the title of the operations page's channel-settings group.

#include "dialogs/Unit_Timeout.h"
#include "session/VisualStyle.h"
#include "stationdata/Operation.h"
#include "stationdata/OperationsPage.h"
#include "stationdata/RadioGroup.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalver;

namespace {

class ShippedLook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(session::applyVisualStyle(*qApp, QString::fromUtf16(session::kIcebergClassico)));
    }
    static void TearDownTestSuite() { qApp->setStyleSheet(QString()); }
};

// The whole of `w` lies inside `window`.
bool inside(const QWidget& w, const QWidget& window) {
    return window.rect().contains(QRect(w.mapTo(&window, QPoint(0, 0)), w.size()));
}

TEST_F(ShippedLook, TimeoutDialogShowsTheWholeLabelAndButton) {
    TForm_Timeout dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QLabel& label = *dialog.lbl_Timeout;
    ASSERT_TRUE(label.text().endsWith(QStringLiteral(" секунд")));
    EXPECT_GE(label.contentsRect().width(), label.fontMetrics().horizontalAdvance(label.text())) << label.width();
    EXPECT_TRUE(inside(label, dialog));
    const QPushButton& button = *dialog.b_TimeoutStop;
    EXPECT_GE(button.width(), button.sizeHint().width());
    EXPECT_TRUE(inside(button, dialog));
    EXPECT_GE(dialog.width(), 369);
    EXPECT_GE(dialog.height(), 67);
    dialog.hide();
}

TEST_F(ShippedLook, OperationsPageGroupTitlesAreWhole) {
    stationdata::OperationsPage page;
    page.chooseOperation(stationdata::op::Start); // the start settings with the channel-settings group
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    for (const stationdata::RadioGroup* group : {page.rg_ChannelSetType, page.rg_OpMode}) {
        SCOPED_TRACE(group->title().toStdString());
        ASSERT_TRUE(group->isVisible());
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = group->alignment();
        const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        // The style's title rectangle holds the whole text and lies within the group.
        EXPECT_GE(title.width(), group->fontMetrics().horizontalAdvance(group->title()));
        EXPECT_LE(title.right(), group->rect().right()) << "title ends at " << title.right() << ", group width "
                                                        << group->width();
    }
    page.hide();
}

} // namespace
