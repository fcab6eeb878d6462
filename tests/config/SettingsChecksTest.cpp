#include "config/SettingsChecks.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kalver::settings;

namespace {

// A valid configuration of `clusters` clusters: distinct ports and MAC texts, client row included.
SettingsValues distinctValues(int clusters) {
    SettingsValues v = defaults(clusters, QStringLiteral("/journal/"));
    v.grid[1][3] = QStringLiteral("AA-00-00-00-00-00");
    for (int k = 1; k <= clusters; ++k) {
        v.grid[k + 1][2] = QString::number(151500 + k);
        v.grid[k + 1][3] = QStringLiteral("00-00-00-00-00-%1").arg(k, 2, 10, QLatin1Char('0'));
    }
    return v;
}

} // namespace

TEST(SettingsChecks, FirstFailingCheckInOrder) {
    struct Case {
        const char* what;
        int clusters;
        std::function<void(SettingsValues&)> edit;
        bool journalOk = true;
        bool chargeOk = true;
        const char* expected;
    };
    const Case cases[] = {
        {"all distinct", 3, [](auto&) {}, true, true, ""},
        {"defaults, one cluster: the only cluster row is the last row and is not compared", 1, [](auto& v) {
             v = defaults(1, QStringLiteral("/j/"));
         }, true, true, ""},
        {"defaults, two clusters: client row and cluster 1 share the MAC text", 2, [](auto& v) {
             v = defaults(2, QStringLiteral("/j/"));
         }, true, true, "e011"},
        {"same MAC as the last row is not seen", 3, [](auto& v) { v.grid[4][3] = v.grid[2][3]; }, true, true, ""},
        {"same MAC, rows 2 and 3", 3, [](auto& v) { v.grid[3][3] = v.grid[2][3]; }, true, true, "e011"},
        {"same IP and port, rows 2 and 3", 3, [](auto& v) { v.grid[3][2] = v.grid[2][2]; }, true, true, "e011"},
        {"same port on another IP is fine", 3, [](auto& v) {
             v.grid[3][2] = v.grid[2][2];
             v.grid[3][1] = QStringLiteral("10.0.0.2");
         }, true, true, ""},
        {"client row against a cluster row", 3, [](auto& v) {
             v.grid[1][1] = v.grid[2][1];
             v.grid[1][2] = v.grid[2][2];
         }, true, true, "e011"},
        {"empty cell in the last row", 3, [](auto& v) { v.grid[4][1].clear(); }, true, true, "e019"},
        {"empty cell in the client row", 3, [](auto& v) { v.grid[1][2].clear(); }, true, true, "e019"},
        {"column 0 and the caption row may be empty", 3, [](auto& v) {
             v.grid[0][2].clear();
             v.grid[3][0].clear();
         }, true, true, ""},
        {"duplicate comes before empty", 3, [](auto& v) {
             v.grid[3][3] = v.grid[2][3];
             v.grid[4][1].clear();
         }, true, true, "e011"},
        {"journal cannot be opened", 3, [](auto&) {}, false, true, "e012"},
        {"charge folder cannot be made", 3, [](auto&) {}, true, false, "e021"},
        {"journal before charge folder", 3, [](auto&) {}, false, false, "e012"},
        {"8 × 6 holds 48", 3, [](auto& v) { v.stationsPerCluster = 48; }, true, true, ""},
        {"8 × 5 does not hold 48", 3, [](auto& v) { v.stationsInRackVert = 5; }, true, true, "e022"},
        {"geometry is checked last", 3, [](auto& v) { v.stationsInRackVert = 5; }, true, false, "e021"},
    };
    for (const Case& c : cases) {
        SettingsValues v = distinctValues(c.clusters);
        c.edit(v);
        int folderSteps = 0;
        FolderSteps steps{[&](const QString&) { ++folderSteps; return c.journalOk; },
                          [&](const QString&) { ++folderSteps; return c.chargeOk; }};
        EXPECT_EQ(firstFailedCloseCheck(v, steps), QString::fromLatin1(c.expected)) << c.what;
        const bool gridFailed = QByteArray(c.expected) == "e011" || QByteArray(c.expected) == "e019";
        if (gridFailed) {
            EXPECT_EQ(folderSteps, 0) << c.what << ": a failed grid leaves the folders alone";
        }
    }
}
