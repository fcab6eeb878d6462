#include "config/SettingsFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <functional>

using namespace kalver;
using namespace kalver::settings;

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(KALVER_CONFIG_FIXTURES "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of a valid one-cluster file, as texts, so cases can cut or change single lines.
QList<QByteArray> validLines() {
    QList<QByteArray> lines = fixture("settings_default_1.ini").split('\n');
    lines.removeLast(); // after the final CR LF
    for (QByteArray& l : lines)
        l.chop(1); // the CR
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

TEST(SettingsFile, DefaultFilesAreByteExactForOneAndTwoClusters) {
    const QByteArray one = fixture("settings_default_1.ini");
    const QByteArray two = fixture("settings_default_2.ini");
    ASSERT_FALSE(one.isEmpty());
    ASSERT_FALSE(two.isEmpty());
    EXPECT_EQ(toBytes(defaults(1, QStringLiteral("/opt/kalver/"))), one);
    EXPECT_EQ(toBytes(defaults(2, QStringLiteral("/opt/kalver"))), two);
}

TEST(SettingsFile, ParsesTheDefaultFileBackToItsValues) {
    const auto values = parse(fixture("settings_default_2.ini"));
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, defaults(2, QStringLiteral("/opt/kalver/")));
    EXPECT_EQ(values->grid.at(0).at(0), QStringLiteral("Кластер"));
    EXPECT_EQ(values->grid.at(1).at(0), QStringLiteral("IP клиента/порт синхр."));
    EXPECT_EQ(values->grid.at(3).at(0), QStringLiteral("2"));
}

TEST(SettingsFile, WriteAndReadKeepEveryValue) {
    SettingsValues v = defaults(3, QStringLiteral("/var/journal/"));
    v.stationsPerCluster = 40;
    v.chargeFolder = QStringLiteral("/data/Заряд/");
    v.queryInterval = 17;
    v.stationsInRackHoriz = 10;
    v.stationsInRackVert = 4;
    v.maxStationNum = 123456;
    v.grid[2][1] = QStringLiteral("10.0.0.7");
    v.grid[4][3] = QString(); // an empty cell is still a line
    v.serverTimeOut = 90;
    const auto back = parse(toBytes(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, v);
}

TEST(SettingsFile, FilesThatCannotBeRead) {
    const QList<QByteArray> good = validLines();
    ASSERT_EQ(good.size(), 9 + 3 * 4 + 1);
    ASSERT_TRUE(parse(joined(good)));

    struct Case {
        const char* what;
        std::function<void(QList<QByteArray>&)> edit;
    };
    const Case cases[] = {
        {"empty file", [](auto& l) { l.clear(); }},
        {"only the first line", [](auto& l) { l = l.mid(0, 1); }},
        {"no server time-out", [](auto& l) { l.removeLast(); }},
        {"one grid cell short", [](auto& l) { l.removeAt(12); }},
        {"too few cells for the cluster count", [](auto& l) { l[0] = "2"; }},
        {"text for the cluster count", [](auto& l) { l[0] = "один"; }},
        {"cluster count 0", [](auto& l) { l[0] = "0"; }},
        {"cluster count 101", [](auto& l) { l[0] = "101"; }},
        {"empty stations line", [](auto& l) { l[1] = ""; }},
        {"fraction for the poll interval", [](auto& l) { l[4] = "5.5"; }},
        {"text for the rack row", [](auto& l) { l[5] = "8x"; }},
        {"hex for the maximum number", [](auto& l) { l[7] = "0x10"; }},
        {"five grid columns", [](auto& l) { l[8] = "5"; }},
        {"text for the server time-out", [](auto& l) { l.last() = "тридцать"; }},
        {"number beyond int", [](auto& l) { l[7] = "99999999999"; }},
    };
    for (const Case& c : cases) {
        QList<QByteArray> lines = good;
        c.edit(lines);
        EXPECT_FALSE(parse(joined(lines))) << c.what;
    }
    EXPECT_FALSE(parse(QByteArray(kMaxFileBytes + 1, '1'))) << "oversized";
}

TEST(SettingsFile, TolerantReadingOfWhatTheProgramWouldAccept) {
    QList<QByteArray> lines = validLines();
    lines[2] = "C:\\Kalver\\Journal";   // backslashes, no trailing separator
    lines[3] = "Charge\\";
    lines[4] = " 12 ";                  // blanks around a number
    lines[5] = "25";                    // above 20: brought into range
    lines[7] = "0";                     // below 1
    lines.last() = "1000";
    lines.append("anything after the last line");
    QByteArray lfOnly;
    for (const QByteArray& l : lines)
        lfOnly += l + "\n";

    for (const QByteArray& bytes : {joined(lines), lfOnly}) {
        const auto v = parse(bytes);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->journalFolder, QStringLiteral("C:/Kalver/Journal/"));
        EXPECT_EQ(v->chargeFolder, QStringLiteral("Charge/"));
        EXPECT_EQ(v->queryInterval, 12);
        EXPECT_EQ(v->stationsInRackHoriz, 20);
        EXPECT_EQ(v->maxStationNum, 1);
        EXPECT_EQ(v->serverTimeOut, 360);
    }
}

TEST(SettingsFile, LineBreaksInsideATextCannotShiftTheLines) {
    SettingsValues v = defaults(1, {});
    v.grid[2][1] = QStringLiteral("127.0.0.1\r\n9");
    const auto back = parse(toBytes(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->grid[2][1], QStringLiteral("127.0.0.1  9"));
    EXPECT_EQ(back->grid[2][2], QStringLiteral("151500"));
}

TEST(SettingsFile, DamagedFilesAreReadWholeOrNotAtAll) {
    // Cuts and byte changes of a valid file: each result is either "cannot be read" or a complete set of
    // values within their ranges, never a partly filled one.
    const QByteArray good = fixture("settings_default_2.ini");
    QRandomGenerator random(20240611);
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = good;
        if (i % 3 == 0)
            bytes.truncate(random.bounded(int(bytes.size())));
        for (int flips = random.bounded(4); flips > 0 && !bytes.isEmpty(); --flips)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        const auto v = parse(bytes);
        if (!v)
            continue;
        ASSERT_TRUE(kClustersRange.contains(v->clusters));
        ASSERT_EQ(v->grid.size(), v->clusters + 2);
        for (const QStringList& row : v->grid)
            ASSERT_EQ(row.size(), kGridColumns);
        ASSERT_TRUE(kQueryIntervalRange.contains(v->queryInterval));
        ASSERT_TRUE(kServerTimeOutRange.contains(v->serverTimeOut));
        ASSERT_TRUE(kRackSideRange.contains(v->stationsInRackVert));
    }
}
