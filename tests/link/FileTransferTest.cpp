// File catalogue chunks (105) and download chunks (106): refusals, short payloads, the stored copy,
// the results by chunk count, the download target and the progress bar.

#include "LinkFixture.h"

#include "core/ByteReader.h"
#include "link/FileTransfer.h"
#include "support/MessageRecorder.h"

#include <QBuffer>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {
class FileTransferTest : public LinkFixture {
protected:
    std::int32_t download(QByteArrayView payload) {
        ClusterRef ref(list, cluster);
        return handleDownloadChunk(ref, payload);
    }
};
} // namespace

TEST_F(FileTransferTest, RefusalAndShortPayloadsGiveFive) {
    MessageRecorder boxes;
    const QByteArray refusal(1, '\xFF');
    EXPECT_EQ(handleFileCatalogueChunk(rack(), refusal), ack::Refused);
    EXPECT_EQ(download(refusal), ack::Refused);
    for (int size : {0, 1, 11}) {
        const QByteArray shortPayload(size, '\x01'); // a one-byte payload other than 0xFF is a (short) chunk
        EXPECT_EQ(handleFileCatalogueChunk(rack(), shortPayload), ack::Refused) << size;
        EXPECT_EQ(download(shortPayload), ack::Refused) << size;
    }
    EXPECT_TRUE(rack().receivedChunks.isEmpty());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(FileTransferTest, CatalogueChunksAreStoredWithTheirDataLength) {
    // Chunk count 3: the first and second chunks give 1, the third 2, whatever their indexes.
    EXPECT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(7, 3, 2, "cc")), ack::Accepted);
    EXPECT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(7, 3, 0, "aaaa")), ack::Accepted);
    EXPECT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(7, 3, 0, "")), ack::Complete);
    ASSERT_EQ(rack().receivedChunks.size(), 3);
    const QByteArray& stored = rack().receivedChunks[1];
    EXPECT_EQ(loadLE<std::int32_t>(stored.constData(), 0), 7);
    EXPECT_EQ(loadLE<std::int32_t>(stored.constData(), 4), 4) << "count replaced by the data length";
    EXPECT_EQ(loadLE<std::int32_t>(stored.constData(), 8), 0);
    EXPECT_EQ(stored.mid(12), QByteArray("aaaa"));
    EXPECT_EQ(loadLE<std::int32_t>(rack().receivedChunks[2].constData(), 4), 0);

    // Header only, count 1: complete at once.
    rack().receivedChunks.clear();
    EXPECT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(7, 1, 0, {})), ack::Complete);
}

TEST_F(FileTransferTest, EndlessCatalogueChunksAreRefusedOnceTheStoreIsFull) {
    const QByteArray big(static_cast<qsizetype>(kMaxIncomingPayload) - 12, 'x');
    const qsizetype fits = kMaxStoredChunkBytes / (big.size() + 12);
    for (qsizetype i = 0; i < fits; ++i)
        ASSERT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(1, 1000000, 0, big)), ack::Accepted);
    EXPECT_EQ(handleFileCatalogueChunk(rack(), frames::chunkPayload(1, 1000000, 0, big)), ack::Refused);
    EXPECT_EQ(rack().receivedChunks.size(), fits);
}

TEST_F(FileTransferTest, DownloadWithoutTargetShowsTheBoxAndCompletes) {
    MessageRecorder boxes;
    EXPECT_EQ(download(frames::chunkPayload(7, 5, 0, "data")), ack::Complete);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Файловый поток не был создан!\nОбратитесь к разработчику!"));
}

TEST_F(FileTransferTest, DownloadWritesToTheTargetAndMovesTheProgressBar) {
    MessageRecorder boxes;
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    rack().downloadTarget = &target;
    observer.progressMaximum = 40;

    EXPECT_EQ(download(frames::chunkPayload(7, 5, 1, "one-")), ack::Accepted);
    EXPECT_EQ(download(frames::chunkPayload(7, 5, 3, "three-")), ack::Accepted);
    EXPECT_EQ(download(frames::chunkPayload(7, 5, 4, "four")), ack::Complete) << "index 4 of 5 is the last";
    EXPECT_EQ(target.data(), QByteArray("one-three-four"));
    EXPECT_EQ(observer.progress, QList<int>({8, 24})) << "the last chunk does not move the bar";
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST(DownloadProgress, SinglePrecisionRounded) {
    EXPECT_EQ(downloadProgressPosition(100, 1, 3), 33);
    EXPECT_EQ(downloadProgressPosition(100, 2, 3), 67);
    EXPECT_EQ(downloadProgressPosition(5, 1, 2), 2) << "halves round to even";
    EXPECT_EQ(downloadProgressPosition(100, 1, 0), 0);
    EXPECT_EQ(downloadProgressPosition(100, -5, 0), 0);
}
