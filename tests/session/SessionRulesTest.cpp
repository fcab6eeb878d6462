// The plain rules of session control: the access-level table, the "-mnemo" command line, the sync
// server's time request and answer, and the sync label texts.

#include "session/AccessTable.h"
#include "session/MnemoCommandLine.h"
#include "session/SyncLabel.h"
#include "session/TimeRequest.h"

#include "fakes/ClusterFrames.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::session;

namespace {

// ---- access levels

struct AccessCase {
    int level;
    const char* name;
    AccessControls controls;
    const char* journal;
};

TEST(AccessTable, EachLevelOpensItsButtons) {
    const AccessCase cases[] = {
        {0, "Мнемосхема", {false, true, false, false, false}, "w001"},
        {1, "Оператор", {true, true, false, false, false}, "w002"},
        {2, "Администратор", {false, false, false, true, false}, "w003"},
        {3, "Разработчик", {true, true, true, true, true}, "w004"},
    };
    for (const AccessCase& c : cases) {
        SCOPED_TRACE(c.level);
        const std::optional<AccessRow> row = accessRow(c.level);
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(row->name, QString::fromUtf8(c.name));
        EXPECT_EQ(row->controls, c.controls);
        EXPECT_EQ(row->journalCode, QString::fromLatin1(c.journal));
    }
}

TEST(AccessTable, AnyOtherValueIsAFailedLogIn) {
    for (int level : {-1, 4, 100, -2}) {
        SCOPED_TRACE(level);
        EXPECT_FALSE(accessRow(level).has_value());
    }
    EXPECT_FALSE(kNoAccess.anyButton());
    EXPECT_FALSE(kNoAccess.developer);
}

// ---- "-mnemo"

struct CommandLineCase {
    QStringList arguments; // the program's path first
    MnemoCommandLine expected;
};

TEST(MnemoCommandLine, SelectsTheListedClustersOrAll) {
    const QString program = QStringLiteral("/opt/kalver/KalverClient");
    const CommandLineCase cases[] = {
        {{program}, {false, false, {}, false}},
        {{program, "-demo", "-1"}, {false, false, {}, false}},
        {{program, "-mnemo"}, {true, true, {}, false}},
        {{program, "-mnemo", ""}, {true, true, {}, false}},
        {{program, "-mnemo", "-1", "-3"}, {true, false, {0, 2}, false}},
        {{program, "-mnemo", "-12"}, {true, false, {11}, false}},
        {{program, "-mnemo", "-1", "-3", ""}, {true, false, {0, 2}, false}},
        {{program, "-mnemo", "-2", "-x"}, {true, false, {1}, true}},
        {{program, "-mnemo", "-x", "-2"}, {true, false, {}, true}},
        {{program, "-mnemo", "-"}, {true, false, {}, true}},
        // Without a "-" before it a number is not read; the selection stays empty.
        {{program, "-mnemo", "2"}, {true, false, {}, false}},
        // Arguments before the option are not read.
        {{program, "--verbose", "-mnemo", "-4"}, {true, false, {3}, false}},
        // The program's own path is never read, whatever folder holds it.
        {{"/opt/kalver-mnemo/KalverClient"}, {false, false, {}, false}},
        {{"/opt/kalver-mnemo/KalverClient", "-mnemo", "-2"}, {true, false, {1}, false}},
        {{"/home/op/x-mnemo-x/KalverClient"}, {false, false, {}, false}},
        {{"/home/op/x-mnemo-x/KalverClient", "-mnemo"}, {true, true, {}, false}},
        {{"/opt/kalver mnemo -mnemo/KalverClient", "-mnemo", "-1"}, {true, false, {0}, false}},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(u'|').toStdString());
        EXPECT_EQ(parseMnemoCommandLine(c.arguments), c.expected);
    }
}

// ---- the sync server's protocol

TEST(TimeRequest, IsTheFixed24Bytes) {
    const QByteArray expected = QByteArray::fromHex("AA551600FD000001" "00FF0C000D000000" "0200000000000000");
    EXPECT_EQ(timeRequest().toHex(' '), expected.toHex(' '));
    EXPECT_EQ(quint8(timeRequest().at(4)), 0xFD);
    EXPECT_EQ(syncCheckByte(timeRequest()), 0xFD);
    // The fake sync server expects the same bytes.
    EXPECT_EQ(timeRequest(), test::sync::timeRequest());
}

TEST(TimeAnswer, NeedsTwentyFourBytes) {
    const QByteArray answer = test::sync::timeAnswer(1700000000);
    EXPECT_FALSE(readTimeAnswer(answer.left(23)).has_value());
    EXPECT_FALSE(readTimeAnswer({}).has_value());
    EXPECT_EQ(readTimeAnswer(answer), (TimeAnswer{false, 1700000000}));
}

TEST(TimeAnswer, ReadsTheErrorFlagAndTheSeconds) {
    EXPECT_EQ(readTimeAnswer(test::sync::timeAnswer(1700000000, true)), (TimeAnswer{true, 1700000000}));
    EXPECT_EQ(readTimeAnswer(test::sync::timeAnswer(-1)), (TimeAnswer{false, -1}));
    // A longer answer is read at the same offsets; its other bytes mean nothing.
    QByteArray longer = test::sync::timeAnswer(86400, false, 40);
    longer[12] = char(0x7F);
    EXPECT_EQ(readTimeAnswer(longer), (TimeAnswer{false, 86400}));
    // Any non-zero byte at offset 11 is the error flag.
    QByteArray flagged = test::sync::timeAnswer(5);
    flagged[11] = char(0x80);
    EXPECT_TRUE(readTimeAnswer(flagged)->error);
}

// ---- sync label

TEST(SyncLabel, ShowsTheUtcInstantInTheLocalesFormats) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    EXPECT_EQ(sync_label::forSeconds(1700000000, russian), QStringLiteral(" [14.11.2023 22:13:20]"));
    EXPECT_EQ(sync_label::forSeconds(0, russian), QStringLiteral(" [01.01.1970 00:00:00]"));
    EXPECT_EQ(sync_label::forSeconds(-1, russian), QStringLiteral(" [время не опр./настр. ген.]"));
}

TEST(SyncLabel, LongTimeFormatLeavesOutTheTimeZone) {
    for (const QLocale& locale : {QLocale(QLocale::Russian, QLocale::Russia), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const QString format = sync_label::longTimeFormat(locale);
        EXPECT_FALSE(format.contains(u't')) << format.toStdString();
        EXPECT_TRUE(format.contains(QStringLiteral("ss"))) << format.toStdString();
    }
}

} // namespace
