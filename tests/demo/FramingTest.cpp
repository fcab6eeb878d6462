#include "demo/Frame.h"
#include "demo/Requests.h"
#include "demo/SyncProtocol.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::demo;

TEST(RequestSplitter, CutsWholeFramesHoweverTheBytesArrive) {
    const QByteArray stream = requestFrame(2, {}) + requestFrame(5, QByteArray("\x65\0\0\0", 4)) + requestFrame(1, QByteArray(4, '\x03'));
    for (qsizetype piece : {qsizetype(1), qsizetype(5), qsizetype(12), qsizetype(13), stream.size()}) {
        SCOPED_TRACE(piece);
        RequestSplitter splitter;
        QList<Request> frames;
        for (qsizetype at = 0; at < stream.size(); at += piece) {
            splitter.append(QByteArrayView(stream).sliced(at, std::min(piece, stream.size() - at)));
            while (std::optional<Request> r = splitter.next())
                frames.append(*r);
        }
        ASSERT_EQ(frames.size(), 3);
        EXPECT_EQ(frames[0].messageCode(), 2);
        EXPECT_TRUE(frames[0].payload.isEmpty());
        EXPECT_EQ(frames[1].messageCode(), 5);
        EXPECT_EQ(loadLE<qint32>(frames[1].payload.constData(), 0), 101);
        EXPECT_EQ(frames[2].payload, QByteArray(4, '\x03'));
        for (const Request& r : frames)
            EXPECT_TRUE(r.magicOk);
        EXPECT_EQ(splitter.buffered(), 0);
    }
}

TEST(RequestSplitter, WrongMagicIsMarkedAndAHugeLengthFailsTheStream) {
    QByteArray foreign = requestFrame(2, "abc");
    foreign[0] = '\xAA';
    foreign[1] = '\x55'; // the cluster's magic coming back
    RequestSplitter splitter;
    splitter.append(foreign + requestFrame(2, {}));
    std::optional<Request> first = splitter.next();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->magicOk);
    EXPECT_EQ(first->payload, "abc") << "its payload is consumed with it";
    ASSERT_TRUE(splitter.next());

    QByteArray huge = requestFrame(2, {});
    storeLE<quint32>(huge.data(), 4, kMaxRequestPayload + 1);
    splitter.append(huge + requestFrame(2, {}));
    EXPECT_FALSE(splitter.next());
    EXPECT_TRUE(splitter.failed());
    splitter.append(requestFrame(2, {}));
    EXPECT_FALSE(splitter.next()) << "nothing more comes from a failed stream";
}

TEST(ReplyFrame, LengthCountsThreeMoreThanThePayloadAndMalformationsBreakOneThingEach) {
    const QByteArray good = replyFrame(102, "12345");
    ASSERT_EQ(good.size(), 12 + 5);
    EXPECT_EQ(good.left(2), QByteArray("\xAA\x55"));
    EXPECT_EQ(loadLE<quint32>(good.constData(), 4), 8u);
    EXPECT_EQ(loadLE<quint32>(good.constData(), 8), 102u);
    EXPECT_EQ(good.mid(12), "12345");

    const QByteArray magic = replyFrame(102, "12345", Malformation::WrongMagic);
    EXPECT_EQ(magic.left(2), QByteArray("\x55\xAA"));
    EXPECT_EQ(magic.mid(2), good.mid(2));
    const QByteArray code = replyFrame(102, "12345", Malformation::UnknownCode);
    EXPECT_EQ(loadLE<quint32>(code.constData(), 8), kUnknownWireCode);
    EXPECT_EQ(code.mid(12), "12345");
    const QByteArray shortFrame = replyFrame(102, "12345", Malformation::ShortLength);
    ASSERT_EQ(shortFrame.size(), 12);
    EXPECT_EQ(loadLE<quint32>(shortFrame.constData(), 4), 2u);
}

TEST(Requests, StartBodyIsReadOnlyWhenItsStationsFit) {
    QByteArray body(108, '\0');
    storeLE<qint32>(body.data(), 0, 2);
    storeLE<quint32>(body.data(), 4, 1000);
    body[8 + 5 * 1] = 1;      // channel 1 used …
    body[8 + 5 * 1 + 3] = 3;  // … in SNR test
    body[8 + 5 * 2 + 3] = 2;  // channel 2 not used: its mode does not count
    storeLE<qint32>(body.data(), 92, 1'700'000'100);
    storeLE<qint32>(body.data(), 96, -1);
    body[104] = 1;
    body += ByteWriter().putI32(7).putI32(9).take();

    const std::optional<StartRequest> start = decodeStartRequest(body);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->stations, (QList<qint32>{7, 9}));
    EXPECT_EQ(start->order.frequency, 1000u);
    EXPECT_EQ(start->order.channelModes[1], 3);
    EXPECT_EQ(start->order.channelModes[2], 0);
    EXPECT_EQ(start->order.begin, 1'700'000'100);
    EXPECT_EQ(start->order.end, -1);
    EXPECT_TRUE(start->order.useInclinometer);

    EXPECT_FALSE(decodeStartRequest(body.left(115))) << "the second station is cut";
    EXPECT_FALSE(decodeStartRequest(body.left(107)));
    EXPECT_EQ(decodeStationList(QByteArray("\1\0\0\0\2\0\0\0\3", 9)), (QList<qint32>{1, 2}));
}

TEST(Requests, SubsystemKeyLengthIsCheckedAgainstTheBody) {
    const QString key = QStringLiteral("K\\файл.sub");
    ByteWriter w;
    w.putI32(42).putU32(2).putU32(static_cast<quint32>(key.size()));
    for (QChar c : key)
        w.putU16(c.unicode());
    w.putU8(1).putU32(5);
    const QByteArray body = w.take();

    const std::optional<SubsystemRequest> request = decodeSubsystemRequest(body);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->station, 42);
    EXPECT_EQ(request->key, key);
    EXPECT_EQ(request->values.size(), 5);

    EXPECT_FALSE(decodeSubsystemRequest(body.left(12 + 2 * key.size() - 1)));
    QByteArray wrongCharSize = body;
    storeLE<quint32>(wrongCharSize.data(), 4, 1);
    EXPECT_FALSE(decodeSubsystemRequest(wrongCharSize));
    QByteArray huge = body;
    storeLE<quint32>(huge.data(), 8, 0xFFFFFFFFu);
    EXPECT_FALSE(decodeSubsystemRequest(huge));
}

TEST(SyncProtocol, TheTimeRequestIsTheDescribedTwentyFourBytes) {
    EXPECT_EQ(syncTimeRequest(), QByteArray::fromHex("aa551600fd00000100ff0c000d0000000200000000000000"));
    const QByteArray answer = syncTimeAnswer(1'700'000'000, true);
    ASSERT_EQ(answer.size(), 24);
    EXPECT_EQ(answer.left(2), QByteArray("\xAA\x55"));
    EXPECT_EQ(answer[11], 1);
    EXPECT_EQ(loadLE<qint32>(answer.constData(), 16), 1'700'000'000);
    EXPECT_EQ(static_cast<quint8>(answer[4]), syncCheckByte(answer.constData()));
}

TEST(SyncProtocol, ScannerFindsRequestsBetweenGarbageAndSkipsDamagedOnes) {
    QByteArray damaged = syncTimeRequest();
    damaged[10] = 0x33; // the check byte no longer matches
    SyncRequestScanner scanner;
    const QByteArray stream = QByteArray("junk\xAA") + syncTimeRequest() + damaged + QByteArray(3, '\x55') + syncTimeRequest();
    int found = 0;
    for (char byte : stream) {
        scanner.append(QByteArrayView(&byte, 1));
        while (scanner.next())
            ++found;
    }
    EXPECT_EQ(found, 2);

    SyncRequestScanner flooded;
    flooded.append(QByteArray(1 << 20, '\x01'));
    EXPECT_FALSE(flooded.next());
    flooded.append(syncTimeRequest());
    EXPECT_TRUE(flooded.next()) << "a flood of garbage does not hide the next request";
}
