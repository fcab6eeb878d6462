// Page 1: the catalogue request and its wait against a cluster on loopback, the assembly and the file
// list, choosing a file, the range pickers and the download period they set.

#include "CatalogueBytes.h"
#include "ExaminationFixture.h"
#include "stationdata/FileCatalogPage.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

using namespace kalver;
using namespace kalver::stationdata;
using kalver::test::emptyMarkEntry;
using kalver::test::validFlagEntry;

namespace {

constexpr int kCatalogueCode = 5;
constexpr std::int32_t kStation = 7;

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

// The chunk messages of `catalogue` cut into `count` pieces, sent in the order of `indexes`.
QList<QByteArray> chunkFrames(std::int32_t station, const QByteArray& catalogue, const QList<int>& indexes) {
    const int count = static_cast<int>(indexes.size());
    const qsizetype piece = (catalogue.size() + count - 1) / count;
    QList<QByteArray> frames;
    for (int index : indexes)
        frames << test::frames::catalogueChunk(station, count, index, catalogue.mid(index * piece, piece));
    return frames;
}

QByteArray together(const QList<QByteArray>& frames) {
    QByteArray bytes;
    for (const QByteArray& f : frames)
        bytes += f;
    return bytes;
}

class FileCatalogPageTest : public test::ExaminationFixture {
protected:
    void SetUp() override {
        ExaminationFixture::SetUp();
        page.setProgressBar(&progress);
        page.setStation(list, cluster, kStation);
        page.show();
    }

    link::TKlvStation& station(const QByteArray& typeText, std::int32_t files = 0) {
        return addStation(test::frames::quietStation(kStation).setTypeText(typeText).setFileCount(files));
    }
    QString itemText(int j) const { return page.fileButtons->button(j)->text(); }
    void choose(int j) { page.fileButtons->button(j)->click(); }
    bool rangeEnabled() const {
        return page.dtp_BegTime->isEnabled() && page.dtp_BegDate->isEnabled() && page.dtp_EndTime->isEnabled() &&
               page.dtp_EndDate->isEnabled() && page.tb_ShowStationFileData->isEnabled();
    }
    QDateTime begin() const { return QDateTime(page.dtp_BegDate->date(), page.dtp_BegTime->time(), Qt::UTC); }
    QDateTime end() const { return QDateTime(page.dtp_EndDate->date(), page.dtp_EndTime->time(), Qt::UTC); }

    // Loads a catalogue of the one-day file and chooses it.
    void chooseOneDayFile() {
        station(test::kType521);
        fake.answer(kCatalogueCode, together(chunkFrames(kStation, validFlagEntry(0, 86400000, 1000, 0, 1), {0})));
        page.requestCatalogue();
        choose(0);
        ASSERT_TRUE(rangeEnabled());
    }

    QProgressBar progress;
    FileCatalogPage page;
};

} // namespace

TEST_F(FileCatalogPageTest, ARegisteringOrDownloadingStationIsNotAsked) {
    link::TKlvStation& s = station(test::kType521);
    for (const auto& [registration, downloading] : {std::pair{1, false}, {2, false}, {0, true}}) {
        s.status.setRegistrationState(static_cast<std::int8_t>(registration)).setDownloading(downloading);
        messages.clear();
        page.tb_ShowData->click();
        EXPECT_EQ(messages.codes(), QStringList{"e079"});
        EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Warning);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(fake.framesWithCode(kCatalogueCode).isEmpty());
}

TEST_F(FileCatalogPageTest, ChunksArrivingAs201AreListedInIndexOrder) {
    station(test::kType521);
    const QByteArray catalogue = validFlagEntry(0, 1000, 1000, 3600, 1) + validFlagEntry(0, 1000, 1000, 7200, 1) +
                                 validFlagEntry(0, 1000, 1000, 10800, 1);
    page.fileButtons->button(3)->setText(QStringLiteral("прежний текст"));
    fake.answer(kCatalogueCode, together(chunkFrames(kStation, catalogue, {2, 0, 1})));
    page.tb_ShowData->click();

    const QList<test::ClientFrame> sent = fake.framesWithCode(kCatalogueCode);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].payload, QByteArray::fromHex("07000000"));
    EXPECT_EQ(itemText(0), QStringLiteral("01.01.1970 01:00:00 - 01.01.1970 01:00:01"));
    EXPECT_EQ(itemText(1), QStringLiteral("01.01.1970 02:00:00 - 01.01.1970 02:00:01"));
    EXPECT_EQ(itemText(2), QStringLiteral("01.01.1970 03:00:00 - 01.01.1970 03:00:01"));
    EXPECT_EQ(itemText(3), QStringLiteral("прежний текст"));
    for (int j = 4; j < 16; ++j)
        EXPECT_EQ(itemText(j), QStringLiteral("Файл ") + QString::number(j));
    EXPECT_TRUE(page.rg_SelectedFile->isEnabled());
    EXPECT_TRUE(page.isEnabled());
    EXPECT_EQ(progress.value(), progress.maximum());
    EXPECT_TRUE(messages.shown().isEmpty());
    const link::TKlvRack& rack = list.at(cluster);
    EXPECT_TRUE(rack.receivedChunks.isEmpty());
    EXPECT_FALSE(rack.fileAssembly);
    EXPECT_TRUE(rack.fileViews[2]);
    EXPECT_FALSE(rack.fileViews[3]);

    // An item without an entry of this catalogue: choosing it does nothing.
    QSignalSpy period(&page, &FileCatalogPage::downloadPeriodChosen);
    choose(5);
    EXPECT_EQ(period.count(), 0);
    EXPECT_FALSE(rangeEnabled());
    EXPECT_EQ(page.chosenFile(), -1);
}

TEST_F(FileCatalogPageTest, FilesBeyondTheStationsNumberOfFilesReadDeleted) {
    station(test::kType52, 2);
    QByteArray catalogue;
    for (int j = 0; j < 5; ++j)
        catalogue += emptyMarkEntry(false, 0, 86400000, 86400 * j, 1000);
    fake.answer(kCatalogueCode, together(chunkFrames(kStation, catalogue, {0, 1})));
    page.requestCatalogue();

    EXPECT_EQ(itemText(0), QStringLiteral("01.01.1970 - 02.01.1970"));
    EXPECT_EQ(itemText(1), QStringLiteral("02.01.1970 - 03.01.1970"));
    for (int j = 2; j < 5; ++j)
        EXPECT_EQ(itemText(j), QStringLiteral("Файл удален")) << j;
    choose(1);
    EXPECT_TRUE(rangeEnabled());
    choose(3);
    EXPECT_FALSE(rangeEnabled());
}

TEST_F(FileCatalogPageTest, ACatalogueOfMoreThanSixteenEntriesFillsTheSixteenSlots) {
    station(test::kType521);
    QByteArray catalogue;
    for (int j = 0; j < 20; ++j)
        catalogue += validFlagEntry(0, 0, 1000, 86400 * j, 1);
    fake.answer(kCatalogueCode, together(chunkFrames(kStation, catalogue, {0, 1, 2, 3})));
    page.requestCatalogue();
    EXPECT_EQ(itemText(15), QStringLiteral("16.01.1970 - 16.01.1970"));
    for (const auto& entry : list.at(cluster).fileViews)
        EXPECT_TRUE(entry);
}

TEST_F(FileCatalogPageTest, TheOneDayFileSetsTheRangeAndTheDownloadPeriod) {
    station(test::kType521);
    fake.answer(kCatalogueCode, together(chunkFrames(kStation, validFlagEntry(0, 86400000, 1000, 0, 1), {0})));
    page.requestCatalogue();
    EXPECT_EQ(itemText(0), QStringLiteral("01.01.1970 - 02.01.1970"));

    QSignalSpy period(&page, &FileCatalogPage::downloadPeriodChosen);
    choose(0);
    EXPECT_TRUE(rangeEnabled());
    EXPECT_EQ(begin(), at(1970, 1, 1));
    EXPECT_EQ(end(), at(1970, 1, 2));
    ASSERT_EQ(period.count(), 1);
    EXPECT_EQ(period[0][0].toDateTime(), at(1970, 1, 1));
    EXPECT_EQ(period[0][1].toDateTime(), at(1970, 1, 2));
}

TEST_F(FileCatalogPageTest, ABeginBeforeTheFileIsPulledBackAndOneAfterTheEndGivesE024) {
    chooseOneDayFile();
    QSignalSpy period(&page, &FileCatalogPage::downloadPeriodChosen);

    page.dtp_BegDate->setDate(QDate(1969, 12, 31));
    EXPECT_EQ(begin(), at(1970, 1, 1));
    EXPECT_TRUE(messages.shown().isEmpty());
    ASSERT_EQ(period.count(), 1);
    EXPECT_EQ(period.last()[0].toDateTime(), at(1970, 1, 1));

    page.dtp_EndDate->setDate(QDate(1970, 1, 1));
    page.dtp_EndTime->setTime(QTime(12, 0));
    EXPECT_EQ(end(), at(1970, 1, 1, 12));
    EXPECT_TRUE(messages.shown().isEmpty());

    page.dtp_BegTime->setTime(QTime(18, 30));
    EXPECT_EQ(messages.codes(), QStringList{"e024"});
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
    EXPECT_EQ(begin(), at(1970, 1, 1, 18, 30));
    EXPECT_EQ(end(), at(1970, 1, 1, 18, 30));
    EXPECT_EQ(period.last()[0].toDateTime(), at(1970, 1, 1, 18, 30));
    EXPECT_EQ(period.last()[1].toDateTime(), at(1970, 1, 1, 18, 30));
}

TEST_F(FileCatalogPageTest, AnEndBeforeTheBeginGivesE024AndMovesTheBegin) {
    chooseOneDayFile();
    page.dtp_BegTime->setTime(QTime(6, 0));
    page.dtp_EndDate->setDate(QDate(1970, 1, 1)); // end 01.01.1970 00:00, before the begin
    EXPECT_EQ(messages.codes(), QStringList{"e024"});
    EXPECT_EQ(begin(), at(1970, 1, 1));
    EXPECT_EQ(end(), at(1970, 1, 1));

    messages.clear();
    page.dtp_EndDate->setDate(QDate(1971, 1, 1)); // after the file: pulled back to its end
    EXPECT_EQ(end(), at(1970, 1, 2));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FileCatalogPageTest, ResetViewDisablesTheListAndFreesTheEntries) {
    chooseOneDayFile();
    page.resetView();
    EXPECT_FALSE(page.rg_SelectedFile->isEnabled());
    EXPECT_EQ(page.fileButtons->checkedId(), -1);
    EXPECT_FALSE(rangeEnabled());
    EXPECT_FALSE(list.at(cluster).fileViews[0]);
    EXPECT_EQ(itemText(0), QStringLiteral("01.01.1970 - 02.01.1970"));
}

TEST_F(FileCatalogPageTest, ARefusalShowsE074AndDropsTheChunks) {
    station(test::kType521);
    fake.answer(kCatalogueCode, test::frames::catalogueChunk(kStation, 3, 0, QByteArray(256, '\0')) +
                                    test::frames::refusal(105));
    page.requestCatalogue();
    EXPECT_EQ(messages.codes(), QStringList{"e074"});
    EXPECT_TRUE(list.at(cluster).receivedChunks.isEmpty());
    EXPECT_FALSE(page.rg_SelectedFile->isEnabled());
    EXPECT_TRUE(page.isEnabled());
}

TEST_F(FileCatalogPageTest, AnUnansweredRequestIsJournaledAndRepeatedOnYes) {
    station(test::kType521);
    fake.answer(kCatalogueCode, test::frames::catalogueChunk(kStation, 2, 0, QByteArray(256, '\0'))); // never completes
    messages.script({MessageAnswer::Yes, MessageAnswer::No});
    page.requestCatalogue();
    EXPECT_EQ(messages.codes(), (QStringList{"e033", "e033"}));
    EXPECT_EQ(journalEntries(), (QStringList{"e033|1|7", "e033|1|7"}));
    EXPECT_EQ(fake.framesWithCode(kCatalogueCode).size(), 2);
    EXPECT_FALSE(page.rg_SelectedFile->isEnabled());
    EXPECT_TRUE(list.at(cluster).receivedChunks.isEmpty());
    EXPECT_TRUE(page.isEnabled());
}

TEST_F(FileCatalogPageTest, AMessageShownDuringTheWaitCanBeAnsweredWhileTheContentsAreDisabled) {
    station(test::kType521);
    fake.answer(kCatalogueCode, test::frames::catalogueChunk(kStation, 2, 0, QByteArray(256, '\0'))); // never completes
    bool boxUsable = false;
    bool requestButtonUsable = true;
    setMessageResponder([&](const MessageRequest&) {
        // A message box is a dialog owned by the page's window.
        QWidget box(page.window(), Qt::Dialog);
        boxUsable = box.isEnabled();
        requestButtonUsable = page.tb_ShowData->isEnabled();
        return MessageAnswer::No;
    });
    page.requestCatalogue();
    EXPECT_TRUE(boxUsable);
    EXPECT_FALSE(requestButtonUsable);
    EXPECT_TRUE(page.tb_ShowData->isEnabled());
}

TEST_F(FileCatalogPageTest, ALastChunkAfterTheTimeOutCountsAsUnanswered) {
    station(test::kType521);
    qint64 now = 0;
    page.setClock([&now] { return now; });
    const QList<QByteArray> frames = chunkFrames(kStation, validFlagEntry(0, 1000, 1000, 0, 1), {0, 1});
    fake.answer(kCatalogueCode, [&](const test::ClientFrame&) {
        QTimer::singleShot(50, &fake, [&] {
            now = 30 * 1000 * 10; // far beyond the server time-out
            fake.send(frames[1]);
        });
        return frames[0];
    });
    page.requestCatalogue();
    EXPECT_EQ(messages.codes(), QStringList{"e033"});
    EXPECT_EQ(journalEntries(), QStringList{"e033|1|7"});
    EXPECT_EQ(itemText(0), QStringLiteral("Файл 0"));
}

TEST_F(FileCatalogPageTest, EveryChunkStartsTheWaitAfresh) {
    station(test::kType521);
    page.setClock([] { return qint64(0); });
    // The wait lasts at least 30 s x 4 steps x 5 ms = 600 ms; the chunks come 400 ms apart, 800 ms in all.
    const QList<QByteArray> frames = chunkFrames(kStation, validFlagEntry(0, 1000, 1000, 0, 1) + validFlagEntry(0, 1000, 1000, 60, 1),
                                                 {0, 1, 2});
    fake.answer(kCatalogueCode, [&](const test::ClientFrame&) {
        QTimer::singleShot(400, &fake, [&] { fake.send(frames[1]); });
        QTimer::singleShot(800, &fake, [&] { fake.send(frames[2]); });
        return frames[0];
    });
    page.requestCatalogue();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(itemText(1), QStringLiteral("01.01.1970 00:01:00 - 01.01.1970 00:01:01"));
}

TEST_F(FileCatalogPageTest, AChunkOfAnotherStationShowsItsNumberThenE034) {
    station(test::kType521);
    fake.answer(kCatalogueCode, test::frames::catalogueChunk(kStation, 2, 0, QByteArray(256, '\0')) +
                                    test::frames::catalogueChunk(8, 2, 1, QByteArray(256, '\0')));
    page.requestCatalogue();
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown().at(0).text, QStringLiteral("8"));
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::None);
    EXPECT_EQ(messages.shown().at(1).code, QStringLiteral("e034"));
    EXPECT_EQ(journalEntries(), QStringList{"e034|1|7|8"});
    EXPECT_EQ(itemText(0), QStringLiteral("Файл 0"));
    EXPECT_FALSE(page.rg_SelectedFile->isEnabled());
}
