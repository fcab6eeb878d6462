// The file catalogue: assembly of the chunks, both entry layouts, the file list texts and the rules
// of the range pickers.

#include "CatalogueBytes.h"
#include "stationdata/CatalogueAssembly.h"
#include "stationdata/CatalogueEntries.h"
#include "stationdata/FileListText.h"
#include "stationdata/RangeClamp.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::stationdata;
using kalver::test::emptyMarkEntry;
using kalver::test::storedChunk;
using kalver::test::validFlagEntry;

namespace {
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}
} // namespace

TEST(CatalogueAssembly, JoinsChunksInIndexOrderWhateverTheArrivalOrder) {
    const QList<QByteArray> chunks{storedChunk(7, 2, "CC"), storedChunk(7, 0, "AAA"), storedChunk(7, 1, "B")};
    const AssembledCatalogue assembled = assembleCatalogue(chunks, 7);
    EXPECT_FALSE(assembled.foreignStation);
    EXPECT_EQ(assembled.bytes, QByteArray("AAABCC"));
}

TEST(CatalogueAssembly, DuplicatesTwiceAndIndexesOutsideTheReceivedCountLeftOut) {
    const QList<QByteArray> chunks{storedChunk(7, 1, "b1"), storedChunk(7, 0, "a"), storedChunk(7, 1, "b2"),
                                   storedChunk(7, 6, "far"), storedChunk(7, -1, "neg"), QByteArray("short")};
    EXPECT_EQ(assembleCatalogue(chunks, 7).bytes, QByteArray("ab1b2"));
}

TEST(CatalogueAssembly, ALengthFieldBeyondTheChunkTakesOnlyWhatIsThere) {
    QByteArray chunk = storedChunk(7, 0, "abc");
    storeLE(chunk.data(), 4, std::int32_t(1000000));
    EXPECT_EQ(assembleCatalogue({chunk}, 7).bytes, QByteArray("abc"));
    storeLE(chunk.data(), 4, std::int32_t(-5));
    EXPECT_EQ(assembleCatalogue({chunk}, 7).bytes, QByteArray());
}

TEST(CatalogueAssembly, AChunkOfAnotherStationSpoilsTheCatalogue) {
    const QList<QByteArray> chunks{storedChunk(7, 0, "a"), storedChunk(8, 1, "b"), storedChunk(9, 2, "c")};
    const AssembledCatalogue assembled = assembleCatalogue(chunks, 7);
    ASSERT_TRUE(assembled.foreignStation);
    EXPECT_EQ(*assembled.foreignStation, 8);
    EXPECT_TRUE(assembled.bytes.isEmpty());
}

TEST(CatalogueEntries, LayoutIsChosenByTheWholeTypeText) {
    EXPECT_EQ(catalogueLayout(test::kType521), CatalogueLayout::ValidFlagAt124);
    EXPECT_EQ(catalogueLayout(test::kType52), CatalogueLayout::EmptyMarkAt0);
    EXPECT_EQ(catalogueLayout(QByteArrayView("qm7  522", 8)), CatalogueLayout::EmptyMarkAt0);
}

TEST(CatalogueEntries, ValidFlagLayoutReadsEveryEntry) {
    const QByteArray catalogue = validFlagEntry(10, 20, 500, 1000, 1) + validFlagEntry(0, 0, 0, 0, 0);
    const QList<link::FileViewEntry> entries = readCatalogueEntries(catalogue, test::kType521, 0);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].firstSample, 10u);
    EXPECT_EQ(entries[0].lastSample, 20u);
    EXPECT_EQ(entries[0].samplingFrequency, 500u);
    EXPECT_EQ(entries[0].startTime, 1000u);
    EXPECT_NE(entries[0].valid, 0);
    EXPECT_EQ(entries[1].valid, 0);
}

TEST(CatalogueEntries, EmptyMarkLayoutReadsOnlyTheStationsNumberOfFiles) {
    QByteArray catalogue;
    for (int j = 0; j < 5; ++j)
        catalogue += emptyMarkEntry(false, 0, 1000, 100 * j, 1000);
    const QList<link::FileViewEntry> entries = readCatalogueEntries(catalogue, test::kType52, 2);
    ASSERT_EQ(entries.size(), 5);
    EXPECT_NE(entries[0].valid, 0);
    EXPECT_EQ(entries[1].startTime, 100u);
    EXPECT_EQ(entries[1].lastSample, 1000u);
    for (int j = 2; j < 5; ++j) {
        EXPECT_EQ(entries[j].valid, 0) << j;
        EXPECT_EQ(fileItemText(entries[j]), QStringLiteral("Файл удален")) << j;
    }
    EXPECT_EQ(readCatalogueEntries(emptyMarkEntry(true, 0, 1000, 0, 1000), test::kType52, 1).at(0).valid, 0);
    EXPECT_EQ(readCatalogueEntries(catalogue, test::kType52, -1).at(0).valid, 0);
}

TEST(CatalogueEntries, AtMostSixteenWholeEntriesAreRead) {
    QByteArray catalogue;
    for (int j = 0; j < 20; ++j)
        catalogue += validFlagEntry(0, 0, 1, j, 1);
    EXPECT_EQ(readCatalogueEntries(catalogue, test::kType521, 0).size(), 16);
    EXPECT_EQ(readCatalogueEntries(catalogue.left(3 * 256 + 255), test::kType521, 0).size(), 3);
    EXPECT_TRUE(readCatalogueEntries(QByteArray(255, '\0'), test::kType521, 0).isEmpty());
}

TEST(CatalogueEntries, FileRangeFromStartTimeSamplesAndFrequency) {
    const struct {
        quint64 first, last;
        quint32 frequency, start;
        QDateTime begin, end;
    } cases[] = {
        {0, 86400000, 1000, 0, at(1970, 1, 1), at(1970, 1, 2)},              // one day
        {1000, 4000, 1000, 3600, at(1970, 1, 1, 1), at(1970, 1, 1, 1, 0, 3)}, // three seconds
        {5, 5, 0, 60, at(1970, 1, 1, 0, 1), at(1970, 1, 1, 0, 1)},           // no frequency: no duration
        {1, 0, 1, 0, at(1970, 1, 1), at(9999, 12, 31, 23, 59, 59)},          // wrapped difference held at the end
        {0, 0, 1, 4294967295u, at(2106, 2, 7, 6, 28, 15), at(2106, 2, 7, 6, 28, 15)},
    };
    for (const auto& c : cases) {
        const link::FileViewEntry entry{c.first, c.last, c.frequency, c.start, 1};
        EXPECT_EQ(fileBegin(entry), c.begin) << c.start;
        EXPECT_EQ(fileEnd(entry), c.end) << c.start;
    }
}

TEST(FileListText, DateTimesWithoutTimeAtMidnight) {
    EXPECT_EQ(fileItemText({0, 86400000, 1000, 0, 1}), QStringLiteral("01.01.1970 - 02.01.1970"));
    EXPECT_EQ(fileItemText({0, 5500, 1000, 1700000000, 1}), QStringLiteral("14.11.2023 22:13:20 - 14.11.2023 22:13:25"));
    EXPECT_EQ(fileItemText({0, 1, 1000, 0, 1}), QStringLiteral("01.01.1970 - 01.01.1970 00:00:00"));
    EXPECT_EQ(fileItemText({0, 86400000, 1000, 0, 0}), QStringLiteral("Файл удален"));
}

TEST(RangeClamp, MovedBoundsArePulledIntoTheFileAndAReversedRangeFollows) {
    const QDateTime fileBegin = at(2024, 5, 1, 10), fileEnd = at(2024, 5, 1, 12);
    const struct {
        const char* what;
        bool beginWasMoved;
        QDateTime begin, end;
        QDateTime expectBegin, expectEnd;
        bool reversed;
    } cases[] = {
        {"begin inside", true, at(2024, 5, 1, 10, 30), fileEnd, at(2024, 5, 1, 10, 30), fileEnd, false},
        {"begin before the file", true, at(2024, 4, 30, 23), fileEnd, fileBegin, fileEnd, false},
        {"begin after the file", true, at(2024, 5, 2), fileEnd, fileEnd, fileEnd, false},
        {"begin after the end", true, at(2024, 5, 1, 11, 30), at(2024, 5, 1, 11), at(2024, 5, 1, 11, 30),
         at(2024, 5, 1, 11, 30), true},
        {"begin after file and end", true, at(2024, 6, 1), at(2024, 5, 1, 11), fileEnd, fileEnd, true},
        {"end inside", false, fileBegin, at(2024, 5, 1, 11), fileBegin, at(2024, 5, 1, 11), false},
        {"end after the file", false, fileBegin, at(2024, 5, 3), fileBegin, fileEnd, false},
        {"end before the file", false, fileBegin, at(2024, 1, 1), fileBegin, fileBegin, false},
        {"end before the begin", false, at(2024, 5, 1, 11), at(2024, 5, 1, 10, 30), at(2024, 5, 1, 10, 30),
         at(2024, 5, 1, 10, 30), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PickedRange r = c.beginWasMoved ? beginMoved(c.begin, c.end, fileBegin, fileEnd)
                                              : endMoved(c.begin, c.end, fileBegin, fileEnd);
        EXPECT_EQ(r.begin, c.expectBegin);
        EXPECT_EQ(r.end, c.expectEnd);
        EXPECT_EQ(r.reversed, c.reversed);
    }
}
