// The mnemonic diagram window: rack panels in fixed cells in cluster order, tiles without mouse
// handling, activation starting the tile timer, and a close that ends the session.

#include "WorkFixture.h"

#include "dialogs/Unit_Mnemo.h"

#include <QScrollArea>
#include <QTest>
#include <QTimer>

using namespace kalver;
using kalver::test::WorkFixture;

class MnemoWindow : public WorkFixture {
protected:
    MnemoWindow() {
        program().mnemonicMode = true;
        program().accessLevel = AccessMnemo;
    }

    TForm_Work& mnemoSession(int clusters) {
        for (int i = 0; i < clusters; ++i)
            racks.addCluster();
        makeWindow();
        window->setMnemoWindow(&mnemo);
        window->enterWorkSession();
        window->showSessionWindow();
        settle();
        return *window;
    }

    TForm_Mnemo mnemo;
};

TEST_F(MnemoWindow, RackPanelsFillTheCellsInClusterOrder) {
    TForm_Work& w = mnemoSession(9);
    EXPECT_TRUE(mnemo.isVisible());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(mnemo.panelCount(), 9);
    for (int c = 0; c < 8; ++c) {
        work::RackView* view = w.rackView(c);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->parentWidget(), mnemo.xGP);
        EXPECT_EQ(mnemo.cellOf(view), QPoint(c / 4, c % 4)) << c;
        EXPECT_EQ(view->size(), QSize(TForm_Mnemo::kCellWidth, TForm_Mnemo::kCellHeight));
        EXPECT_EQ(view->selectAllBox, nullptr);
        EXPECT_EQ(view->collapseButton, nullptr);
    }
    // The ninth opens a further row.
    EXPECT_EQ(mnemo.cellOf(w.rackView(8)), QPoint(2, 0));
}

TEST_F(MnemoWindow, TilesAreSmallAndAnswerNoMouse) {
    TForm_Work& w = mnemoSession(1);
    report(0, {test::restingStation(1), test::restingStation(2)});
    const QRect tile = tileOf(0, 1);
    EXPECT_EQ(tile.size(), QSize(59, 82));
    // 476 px hold eight tiles a row.
    QList<link::StatusBlock> many;
    for (int n = 1; n <= 9; ++n)
        many.append(test::restingStation(n));
    report(0, many);
    EXPECT_EQ(tileOf(0, 8).left(), 7 * 59);
    EXPECT_EQ(tileOf(0, 9).topLeft(), QPoint(0, tile.top() + 82));

    QTest::mouseClick(&rack(0), Qt::LeftButton, {}, tile.center());
    QTest::mouseMove(&rack(0), tile.center());
    EXPECT_FALSE(station(0, 0).tile.checked);
    EXPECT_EQ(w.hoveredStation(), -1);
}

TEST_F(MnemoWindow, ActivationStartsTheTileTimer) {
    TForm_Work& w = mnemoSession(1);
    w.Timer_StationAnim->stop();
    emit mnemo.activated();
    EXPECT_TRUE(w.Timer_StationAnim->isActive());
    EXPECT_EQ(w.hoveredStation(), -1);
}

TEST_F(MnemoWindow, ClosingEndsTheSessionAndLeavesNoRackPanels) {
    TForm_Work& w = mnemoSession(3);
    report(1, {test::restingStation(5)});
    mnemo.close();
    settle();
    EXPECT_EQ(events, QStringList({"stop timers", "show login", "close connection"}));
    EXPECT_FALSE(w.sessionActive());
    EXPECT_FALSE(mnemo.isVisible());
    EXPECT_EQ(mnemo.panelCount(), 0);
    EXPECT_TRUE(mnemo.xGP->findChildren<work::RackView*>().isEmpty());
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(w.rackView(c), nullptr);
}

// Beyond the two designed rows the grid scrolls: every rack keeps its cell width, lies inside the
// scrolled grid in cluster order, and shows all of its stations, up to 100 racks of 100 stations.
TEST_F(MnemoWindow, EveryRackCanBeReachedBeyondEightRacks) {
    for (const int racksInWork : {9, 100}) {
        SCOPED_TRACE(racksInWork);
        TForm_Work& w = mnemoSession(racksInWork);
        for (int c = 0; c < racksInWork; ++c) {
            QList<link::StatusBlock> blocks;
            for (int n = 1; n <= 100; ++n)
                blocks.append(test::restingStation(c * 100 + n));
            report(c, blocks);
        }
        settle();
        QScrollArea* scroll = mnemo.gridScroll();
        QWidget* viewport = scroll->viewport();
        EXPECT_EQ(viewport->width(), TForm_Mnemo::kColumns * TForm_Mnemo::kCellWidth) << "cells keep their width";
        EXPECT_GT(mnemo.xGP->height(), viewport->height());
        int previousTop = -1, previousLeft = -1;
        for (int c = 0; c < racksInWork; ++c) {
            SCOPED_TRACE(c + 1);
            work::RackView* view = w.rackView(c);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(mnemo.cellOf(view), QPoint(c / TForm_Mnemo::kColumns, c % TForm_Mnemo::kColumns));
            EXPECT_EQ(view->width(), TForm_Mnemo::kCellWidth);
            EXPECT_GE(view->height(), TForm_Mnemo::kCellHeight);
            // Cluster order: left to right, then the next row.
            EXPECT_TRUE(view->y() == previousTop ? view->x() > previousLeft : view->y() > previousTop);
            previousTop = view->y();
            previousLeft = view->x();
            // All tiles inside the panel.
            for (int s = 0; s < 100; ++s)
                EXPECT_TRUE(view->rect().contains(view->tileRect(s))) << s;
            // Scrolled to, the rack is in the window.
            scroll->ensureWidgetVisible(view, 0, 0);
            const QRect shown(view->mapTo(viewport, QPoint()), view->size());
            EXPECT_TRUE(viewport->rect().intersects(shown));
            EXPECT_GE(shown.left(), 0);
            EXPECT_LE(shown.right(), viewport->rect().right());
        }
        mnemo.close();
        settle();
        window.reset();
        list.clear();
    }
}
