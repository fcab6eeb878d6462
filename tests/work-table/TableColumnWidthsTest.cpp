// The station table's column titles under the shipped visual style "Iceberg Classico", applied to the
// whole application as the program applies it: every header section leaves its title the room the
// title's text needs (the style's section padding and border taken off), columns whose title fits keep
// their default width, and the fixed station-number column is as wide as the table's column 0.

#include "work/StationTableModel.h"
#include "work/TablePage.h"

#include "core/ProgramValues.h"
#include "session/VisualStyle.h"

#include "StationFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionHeader>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>


using namespace kalver;
using namespace kalver::work;

namespace {

// Each case starts from Qt's own look; the shipped style is applied by name as the program applies it.
class ShippedStyleTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        savedStyle = QApplication::style()->name();
        savedPalette = QApplication::palette();
    }
    static void TearDownTestSuite() { ownLook(); }
    static void ownLook() {
        qApp->setStyleSheet(QString());
        QApplication::setStyle(QStyleFactory::create(savedStyle));
        QApplication::setPalette(savedPalette);
    }
    static void applyShippedStyle() {
        ASSERT_TRUE(session::applyVisualStyle(*qApp, QString::fromUtf16(session::kIcebergClassico)));
    }

    ShippedStyleTable() : clusters(1) {
        ownLook();
        clusters.add(0, test::station(12));
        clusters.add(0, test::station(3));
    }

    static inline QString savedStyle;
    static inline QPalette savedPalette;
    test::Clusters clusters;
};

// The room the style leaves for the title of `section` when the section is `width` wide: the label
// rectangle the header draws the title in.
int titleRoom(const QHeaderView& header, int section, int width) {
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.rect = QRect(0, 0, width, header.height());
    option.section = section;
    option.orientation = Qt::Horizontal;
    option.text = header.model()->headerData(section, Qt::Horizontal).toString();
    option.textAlignment = header.defaultAlignment();
    option.position = QStyleOptionHeader::Middle;
    return header.style()->subElementRect(QStyle::SE_HeaderLabel, &option, &header).width();
}

int titleNeeds(const QHeaderView& header, int section) {
    return header.fontMetrics().horizontalAdvance(header.model()->headerData(section, Qt::Horizontal).toString());
}

// Every column's title is whole in the table's header; a column whose title fits at its default width
// keeps that width; the fixed column's header and width follow column 0.
void expectWholeTitles(const FixedColumnTableView& table) {
    const QHeaderView& header = *table.horizontalHeader();
    ASSERT_EQ(header.count(), kTableColumnCount);
    for (int c = 0; c < kTableColumnCount; ++c) {
        SCOPED_TRACE(tableColumnTitles().at(c).toStdString());
        const int needs = titleNeeds(header, c);
        EXPECT_GE(titleRoom(header, c, table.columnWidth(c)), needs) << "column " << c << " is " << table.columnWidth(c);
        if (titleRoom(header, c, tableColumnWidth(c)) >= needs + 20) {
            EXPECT_EQ(table.columnWidth(c), tableColumnWidth(c)) << "a title that fits keeps the default width";
        }
    }
    const QTableView& fixed = *table.fixedView();
    EXPECT_EQ(fixed.columnWidth(0), table.columnWidth(0));
    EXPECT_EQ(fixed.width(), table.columnWidth(0));
    EXPECT_GE(titleRoom(*fixed.horizontalHeader(), 0, fixed.columnWidth(0)), titleNeeds(*fixed.horizontalHeader(), 0));
}

TEST_F(ShippedStyleTable, EveryColumnTitleIsWhole) {
    // As the program does it: the style first, then the windows.
    applyShippedStyle();
    QWidget window;
    window.resize(1600, 500);
    auto* page = new TablePage(clusters.list);
    (new QVBoxLayout(&window))->addWidget(page);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    page->refreshNow();
    {
        SCOPED_TRACE("as shown");
        expectWholeTitles(*page->sg_StationData);
    }

    // Columns hidden and shown again by their checks take the width their titles need.
    for (int i = 0; i < page->clb_FilterColumns->count(); ++i)
        page->clb_FilterColumns->item(i)->setCheckState(Qt::Unchecked);
    for (int i = 0; i < page->clb_FilterColumns->count(); ++i)
        page->clb_FilterColumns->item(i)->setCheckState(Qt::Checked);
    {
        SCOPED_TRACE("shown again by the column checks");
        expectWholeTitles(*page->sg_StationData);
    }
}

} // namespace
