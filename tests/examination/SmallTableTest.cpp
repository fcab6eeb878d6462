// The small parameter table window: its design state, its contents after a subsystem with a "tab2"
// parameter was read, and closing it.

#include "ExaminationFixture.h"
#include "stationdata/StationTypeKey.h"
#include "stationdata/SubsystemFile.h"
#include "stationdata/SubsystemRequest.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

using namespace kalver;
using namespace kalver::stationdata;

TEST(SmallTable, BeforeAnyTableWasReadItShowsTheHeadingsAnEmptyRowAndTheDesignCaption) {
    TForm_SmallTable table;
    EXPECT_EQ(table.windowTitle(), QStringLiteral("Form_SmallTable"));
    EXPECT_EQ(table.sg_SmallParams->columnCount(), 2);
    EXPECT_EQ(table.sg_SmallParams->horizontalHeaderItem(0)->text(), QStringLiteral("Номер"));
    EXPECT_EQ(table.sg_SmallParams->horizontalHeaderItem(1)->text(), QStringLiteral("Значение"));
    EXPECT_EQ(table.sg_SmallParams->rowCount(), 1);
    EXPECT_EQ(table.sg_SmallParams->item(0, 0), nullptr);
    EXPECT_EQ(table.xMemo->toPlainText(), QString());
    EXPECT_EQ(table.size(), QSize(722, 398));
}

class SmallTableReadTest : public test::ExaminationFixture {};

TEST_F(SmallTableReadTest, ATab2ParameterFillsTheTableWith1024HexadecimalWords) {
    const QByteArray typeText("qm7  521", 8);
    const QString key = stationTypeKey(typeText);
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("Subsystems/") + key)));
    ASSERT_TRUE(SubsystemFile(QStringLiteral("h"), QStringLiteral("h"),
                              {{QStringLiteral("Сбойные блоки"), QStringLiteral("r"), QStringLiteral("tab2"), {}, {}, {}}})
                    .write(folder.file(QStringLiteral("Subsystems/") + key + QStringLiteral("/сбоев.sub"))));
    addStation(test::frames::quietStation(3).setTypeText(typeText));

    QWidget window;
    SubsystemPage* page = new SubsystemPage(&window);
    TForm_SmallTable table(&window);
    page->setSmallTableWindow(&table);
    observer.page = page;
    observer.table = &table;
    window.show();
    page->loadSubsystemList(list, cluster, 3);
    page->cb_SubsystemType->setCurrentIndex(0);

    QByteArray words;
    for (quint32 i = 0; i < 1024; ++i) {
        const quint32 word = i == 1 ? 0x41424344u : i == 1023 ? 0xFFFFFFFFu : i; // word 1 holds "DCBA"
        words.append(reinterpret_cast<const char*>(&word), 4);
    }
    fake.answer(kSubsystemReadCode, test::frames::subsystemData(words));
    page->readValues();

    EXPECT_EQ(table.windowTitle(), QStringLiteral("Таблица сбойных блоков"));
    ASSERT_EQ(table.sg_SmallParams->rowCount(), 1024);
    EXPECT_EQ(table.sg_SmallParams->item(0, 0)->text(), QStringLiteral("0"));
    EXPECT_EQ(table.sg_SmallParams->item(1, 1)->text(), QStringLiteral("41424344"));
    EXPECT_EQ(table.sg_SmallParams->item(1023, 0)->text(), QStringLiteral("1023"));
    EXPECT_EQ(table.sg_SmallParams->item(1023, 1)->text(), QStringLiteral("FFFFFFFF"));
    // The memo: the raw bytes as characters, those below 32 as ".".
    EXPECT_TRUE(table.xMemo->toPlainText().startsWith(QStringLiteral("....DCBA....")));
    EXPECT_EQ(table.xMemo->toPlainText().size(), 4096);

    // Shown from the grid and closed: the window behind stays open and enabled.
    QTimer::singleShot(0, &table, [&] { table.reject(); });
    QTableWidgetItem* newValue = page->sg_StationParams->item(0, 6);
    ASSERT_TRUE(newValue);
    newValue->setText(QStringLiteral(">"));
    EXPECT_FALSE(table.isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(messages.shown().isEmpty());
}
