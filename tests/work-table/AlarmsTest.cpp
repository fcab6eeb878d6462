#include "work/MessageLog.h"
#include "work/StationAlarms.h"

#include "StationFixture.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QTime>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kFuchsia(255, 0, 255);
const QColor kGray(128, 128, 128);

class AlarmsTest : public ::testing::Test {
protected:
    AlarmsTest() : clusters(2), alarms(clusters.list, [this](const QString& t, bool b, const QColor& c) { log.appendLine(t, b, c); }) {
        clusters.add(1, test::station(12));
        clusters.add(1, test::station(5));
        log.setClock([] { return QTime(10, 20, 30); });
        alarms.setJournalWriter([this](const QString& entry) { journal.append(entry); });
    }

    QStringList lines() {
        log.writeWaitingLines();
        const QString text = log.m_Msgs->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QChar('\n'));
    }
    link::TKlvStation& five() { return clusters.station(1, 1); }

    test::Clusters clusters;
    MessageLog log;
    StationAlarms alarms;
    QStringList journal;
};

} // namespace

TEST_F(AlarmsTest, TheSameAlarmTwiceIsLoggedAndJournaledOnce) {
    QSignalSpy redraw(&alarms, &StationAlarms::tileChanged);
    alarms.raise(1, 1, 2, true);
    alarms.raise(1, 1, 2, true);
    EXPECT_EQ(journal, QStringList({"w009|2|5|2"}));
    ASSERT_EQ(lines().size(), 1);
    EXPECT_TRUE(lines()[0].endsWith(" > Станция 5 (Кластер 2) не заряжается!"));
    EXPECT_EQ(five().alarms, QList<link::TErrorType>({2}));
    EXPECT_EQ(five().tile.colour, kFuchsia);
    EXPECT_EQ(redraw.count(), 1);

    // The line is bold and in the code's colour.
    log.writeWaitingLines();
    QTextCursor c(log.m_Msgs->document()->lastBlock());
    c.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(c.charFormat().foreground().color(), kFuchsia);
}

TEST_F(AlarmsTest, TheTileTakesTheColourOfTheHighestCode) {
    alarms.raise(1, 1, 8, false);
    alarms.raise(1, 1, 7, false);
    EXPECT_EQ(lines().size(), 2);
    EXPECT_EQ(five().tile.colour, kRed); // 7 after 8 keeps red
    EXPECT_TRUE(journal.isEmpty());

    alarms.raise(1, 0, 7, false);
    EXPECT_EQ(clusters.station(1, 0).tile.colour, kYellow);
    alarms.raise(1, 0, 8, false);
    EXPECT_EQ(clusters.station(1, 0).tile.colour, kRed); // 8 after 7 turns red
    alarms.raise(1, 0, 9, false);
    EXPECT_EQ(clusters.station(1, 0).tile.colour, kGray);
    EXPECT_TRUE(lines().last().endsWith("Станция 12 (Кластер 2) потеряла связь с Сервером!"));
}

TEST_F(AlarmsTest, AcknowledgeClearsEveryAlarmAndAllowsItAgain) {
    alarms.raise(1, 1, 6, true);
    alarms.raise(1, 0, 9, true);
    QSignalSpy all(&alarms, &StationAlarms::allTilesChanged);
    alarms.acknowledgeAll();
    EXPECT_EQ(all.count(), 1);
    EXPECT_TRUE(five().alarms.isEmpty());
    EXPECT_EQ(five().tile.colour, kWhite);
    EXPECT_EQ(clusters.station(1, 0).tile.colour, kWhite);

    alarms.raise(1, 1, 6, true);
    EXPECT_EQ(journal, QStringList({"w009|2|5|6", "w009|2|12|9", "w009|2|5|6"}));
    EXPECT_EQ(lines().size(), 3);
    EXPECT_EQ(five().tile.colour, kFuchsia);
}

TEST_F(AlarmsTest, WithTheLogHiddenAlarmsStillColourTheTiles) {
    log.m_Msgs->hide();
    alarms.raise(1, 1, 8, true);
    log.writeWaitingLines();
    EXPECT_TRUE(log.m_Msgs->document()->isEmpty());
    EXPECT_EQ(five().tile.colour, kRed);
    EXPECT_EQ(journal.size(), 1);
}

TEST_F(AlarmsTest, PositionsAndCodesOutsideTheListsAreIgnored) {
    alarms.raise(0, 0, 2, true);  // cluster without stations
    alarms.raise(1, 2, 2, true);  // no such station
    alarms.raise(5, 0, 2, true);  // no such cluster
    alarms.raise(1, 0, 10, true); // no such code
    alarms.raise(1, 0, -1, true);
    EXPECT_TRUE(journal.isEmpty());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(clusters.station(1, 0).alarms.isEmpty());
}

TEST(AlarmTexts, EveryCodeHasItsColour) {
    const QColor expected[] = {kWhite, QColor(128, 0, 128), kFuchsia, kFuchsia, kFuchsia, kFuchsia, kFuchsia,
                               kYellow, kRed, kGray};
    for (int code = 0; code <= 9; ++code)
        EXPECT_EQ(alarmColour(code), expected[code]) << code;
    EXPECT_EQ(alarmLine(3, 1, 5), "Станция 3 (Кластер 1) не изменяет количество отсчетов при включенной регистрации!");
}
