// Outgoing frames byte for byte, the four send-now/one-shot behaviours, one pending entry per wire
// code, the poll tick's "send pending messages", and the box shown when a write fails.

#include "LinkFixture.h"

#include "link/Framing.h"
#include "link/SendServerMessage.h"
#include "support/MessageRecorder.h"

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

QList<int> codes(const QByteArray& bytes) {
    QList<int> out;
    for (const ClientFrame& f : readClientFrames(bytes))
        out.append(f.code());
    return out;
}

QList<int> pendingCodes(const TKlvRack& rack) {
    QList<int> out;
    for (const TServerMessage& m : rack.pending)
        out.append(m.wireCode() - 100);
    return out;
}

class SendTest : public LinkFixture {};

} // namespace

TEST(Framing, ClientFramesByteForByte) {
    // Permission request: code 1, the access level 3 as four bytes.
    EXPECT_EQ(buildClientFrame(1, hex("03000000")), hex("55AA0000" "04000000" "65000000" "03000000"));
    // Status poll: code 2, no payload.
    EXPECT_EQ(buildClientFrame(2, {}), hex("55AA0000" "00000000" "66000000"));
    // A longer payload: the length is little-endian.
    const QByteArray body(300, 'x');
    const QByteArray frame = buildClientFrame(24, body);
    EXPECT_EQ(frame.left(12), hex("55AA0000" "2C010000" "7C000000"));
    EXPECT_EQ(frame.mid(12), body);
}

TEST_F(SendTest, FourFlagCombinations) {
    struct Case {
        bool sendNow;
        bool oneShot;
        int writtenAtOnce;
        int keptEntries;
        int writtenPerTick;
    };
    const Case cases[] = {
        {true, true, 1, 0, 0},   // the usual command
        {true, false, 1, 1, 1},  // sent now and at every tick
        {false, true, 0, 1, 1},  // sent at the next tick only
        {false, false, 0, 1, 1}, // sent at every tick from the next one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "send now " << c.sendNow << ", one-shot " << c.oneShot);
        rack().pending.clear();
        connection().clearWritten();
        SendServerMessage(list, cluster, c.sendNow, 12, c.oneShot, hex("0102"));
        EXPECT_EQ(readClientFrames(connection().written()).size(), c.writtenAtOnce);
        EXPECT_EQ(rack().pending.size(), c.keptEntries);

        for (int tick = 0; tick < 3; ++tick) {
            connection().clearWritten();
            sendPendingMessages(list, cluster);
            const int expected = (c.oneShot && tick > 0) ? 0 : c.writtenPerTick;
            EXPECT_EQ(readClientFrames(connection().written()).size(), expected) << "tick " << tick;
        }
        EXPECT_EQ(rack().pending.size(), c.oneShot ? 0 : c.keptEntries);
    }
}

TEST_F(SendTest, OnePendingEntryPerWireCode) {
    SendServerMessage(list, cluster, false, 2, false);
    SendServerMessage(list, cluster, false, 2, false);
    SendServerMessage(list, cluster, true, 2, false); // sent now, but not kept a second time
    EXPECT_EQ(pendingCodes(rack()), QList<int>({2}));
    EXPECT_EQ(codes(connection().written()), QList<int>({2}));

    // A one-shot of a code already kept is not kept either.
    SendServerMessage(list, cluster, false, 2, true);
    EXPECT_EQ(rack().pending.size(), 1);
    EXPECT_FALSE(rack().pending[0].oneShot);
}

TEST_F(SendTest, OneTickSendsEveryEntryOnceAndDropsOneShots) {
    SendServerMessage(list, cluster, false, 2, false);
    SendServerMessage(list, cluster, false, 5, true, hex("07000000"));
    SendServerMessage(list, cluster, false, 8, true);
    SendServerMessage(list, cluster, false, 9, true);
    ASSERT_EQ(pendingCodes(rack()), QList<int>({2, 5, 8, 9}));

    sendPendingMessages(list, cluster);
    EXPECT_EQ(codes(connection().written()), QList<int>({2, 5, 8, 9}));
    EXPECT_EQ(pendingCodes(rack()), QList<int>({2}));
    EXPECT_EQ(readClientFrames(connection().written())[1].payload, hex("07000000"));

    connection().clearWritten();
    sendPendingMessages(list, cluster);
    EXPECT_EQ(codes(connection().written()), QList<int>({2}));
}

TEST_F(SendTest, FailedWriteShowsThePlainBox) {
    MessageRecorder boxes;
    connection().setWriteFails(true);
    SendServerMessage(list, cluster, true, 3, true, hex("01"));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Ошибка в реализации отправки SendServerMessage!"));
    EXPECT_TRUE(boxes.shown()[0].code.isEmpty());
    EXPECT_TRUE(rack().pending.isEmpty()) << "a one-shot command is not retried";

    // A kept message is still kept after a failed first write.
    SendServerMessage(list, cluster, true, 2, false);
    EXPECT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(pendingCodes(rack()), QList<int>({2}));

    // Not connected: nothing is taken and nothing is shown.
    connection().setWriteFails(false);
    connection().setConnected(false);
    SendServerMessage(list, cluster, true, 3, true);
    EXPECT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(connection().written().isEmpty());
}

TEST_F(SendTest, PositionsOutsideTheListDoNothing) {
    SendServerMessage(list, 5, true, 3, false);
    SendServerMessage(list, -1, true, 3, false);
    sendPendingMessages(list, 5);
    EXPECT_TRUE(connection().written().isEmpty());
    EXPECT_TRUE(rack().pending.isEmpty());
}
