#include "demo/FileCatalogue.h"
#include "demo/Rack.h"
#include "demo/StatusBlockWriter.h"
#include "demo/SyncProtocol.h"
#include "demo/SyncServer.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <gtest/gtest.h>

#include <map>

using namespace kalver;
using namespace kalver::demo;

namespace {

constexpr qint64 kT0Ms = 1'700'000'000'000;

class RackTest : public ::testing::Test {
protected:
    RackTest() : library(KALVER_SUBSYSTEMS_SOURCE), rack(1, {101, 102, 103}, 5, &library, [this] { return nowMs; }) {
        rack.setIncidents(false);
        for (Station& s : rack.stations()) {
            s.charge = 90;
            s.registrationState = registration::kStopped;
            s.tuningState = tuning::kCompleted;
            s.downloading = false;
        }
    }

    QList<Reply> ask(int code, const QByteArray& payload = {}) {
        Request request;
        request.magicOk = true;
        request.wireCode = static_cast<quint32>(code + 100);
        request.payload = payload;
        return rack.answer(request);
    }

    static QByteArray list(const QList<qint32>& stations) {
        ByteWriter w;
        for (qint32 n : stations)
            w.putI32(n);
        return w.take();
    }

    static QByteArray startBody(const QList<qint32>& stations, qint32 begin = -1, qint32 end = -1) {
        QByteArray body(108, '\0');
        storeLE<qint32>(body.data(), 0, static_cast<qint32>(stations.size()));
        storeLE<quint32>(body.data(), 4, 500);
        storeLE<qint32>(body.data(), 92, begin);
        storeLE<qint32>(body.data(), 96, end);
        return body + list(stations);
    }

    static QByteArray subsystemRequest(qint32 station, const QString& key, const QByteArray& values = {}) {
        ByteWriter w;
        w.putI32(station).putU32(2).putU32(static_cast<quint32>(key.size()));
        for (QChar c : key)
            w.putU16(c.unicode());
        return w.take() + values;
    }

    // Station numbers and registration states of a status report, in order.
    static std::map<qint32, int> states(const QByteArray& report) {
        std::map<qint32, int> result;
        for (qsizetype at = 0; at + 456 <= report.size(); at += 456)
            result[loadLE<qint32>(report.constData() + at, 16)] = static_cast<qint8>(report[at + 409]);
        return result;
    }

    QString typeKey() const { return stationTypeKey(rack.stations().first().type().text); }

    qint64 nowMs = kT0Ms;
    SubsystemLibrary library;
    Rack rack;
};

} // namespace

TEST_F(RackTest, PermissionGrantsTheLevelAskedForUnlessRefused) {
    for (qint32 level : {0, 1, 2, 3}) {
        const QList<Reply> replies = ask(1, list({level}));
        ASSERT_EQ(replies.size(), 1);
        EXPECT_EQ(replies[0].wireCode, 101u);
        EXPECT_EQ(loadLE<qint32>(replies[0].payload.constData(), 0), level);
        EXPECT_FALSE(replies[0].late);
    }
    EXPECT_NE(loadLE<qint32>(ask(1, "\x03").first().payload.constData(), 0), 3) << "a short request is refused";

    rack.faults.refusePermission = true;
    for (qint32 level : {-1, 0, 1, 2, 3})
        EXPECT_NE(loadLE<qint32>(ask(1, list({level})).first().payload.constData(), 0), level);
}

TEST_F(RackTest, PollReportsEveryPoweredOnStationAndPowerOffLeavesIt) {
    QList<Reply> replies = ask(2);
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0].wireCode, 102u);
    ASSERT_EQ(replies[0].payload.size(), 3 * 456);
    EXPECT_EQ(loadLE<qint32>(replies[0].payload.constData() + 456, 16), 102);

    replies = ask(24, list({102}));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0].wireCode, 124u);
    EXPECT_EQ(replies[0].payload.size(), 2 * 456);
    EXPECT_EQ(states(replies[0].payload).count(102), 0u);
    EXPECT_EQ(ask(2).first().payload.size(), 2 * 456);

    // A search wakes the stations of the rack that were powered off.
    EXPECT_EQ(ask(7, list({101})).first().payload.size(), 3 * 456);
}

TEST_F(RackTest, EveryStationCommandIsAcknowledgedWithTheStatusReport) {
    const std::pair<int, QByteArray> commands[] = {
        {3, startBody({101})},  {17, startBody({102})}, {18, startBody({})},   {19, startBody({})},
        {20, startBody({})},    {4, list({101, 102})},  {7, list({})},         {8, list({103})},
        {9, list({103})},       {10, list({103})},      {11, QByteArray(8, '\0') + list({103})},
        {15, list({103})},      {16, list({103})},      {21, list({101})},     {22, list({101})},
        {24, list({})},
    };
    for (const auto& [code, body] : commands) {
        SCOPED_TRACE(code);
        const QList<Reply> replies = ask(code, body);
        ASSERT_EQ(replies.size(), 1);
        EXPECT_EQ(replies[0].wireCode, static_cast<quint32>(code + 100));
        EXPECT_EQ(replies[0].payload.size(), 3 * 456);
        EXPECT_TRUE(replies[0].late);
    }
}

TEST_F(RackTest, RequestsTheClusterCannotReadAreDropped) {
    for (int code : {-100, 0, 6, 14, 23, 25, 99, 1000})
        EXPECT_TRUE(ask(code, list({101})).isEmpty()) << "code " << code;
    EXPECT_TRUE(ask(3, startBody({101}).left(107)).isEmpty()) << "start body shorter than its fixed part";
    QByteArray tooMany = startBody({101});
    storeLE<qint32>(tooMany.data(), 0, 2);
    EXPECT_TRUE(ask(3, tooMany).isEmpty()) << "more stations announced than sent";
    storeLE<qint32>(tooMany.data(), 0, -1);
    EXPECT_TRUE(ask(3, tooMany).isEmpty());
    EXPECT_TRUE(ask(11, QByteArray(7, '\0')).isEmpty()) << "download body without its time fields";
    EXPECT_EQ(states(ask(2).first().payload)[101], registration::kStopped) << "nothing was started";
}

TEST_F(RackTest, StartAndStopChangeTheListedStationsButNotStubbornOnes) {
    rack.faults.stubborn = {102};
    std::map<qint32, int> after = states(ask(3, startBody({101, 102})).first().payload);
    EXPECT_EQ(after[101], registration::kRunning);
    EXPECT_EQ(after[102], registration::kStopped) << "stubborn";
    EXPECT_EQ(after[103], registration::kStopped) << "not listed";

    nowMs += 2000;
    after = states(ask(3, startBody({103}, static_cast<qint32>(nowMs / 1000 + 60))).first().payload);
    EXPECT_EQ(after[103], registration::kDeferred);

    rack.faults.allStubborn = true;
    after = states(ask(4, list({101, 103})).first().payload);
    EXPECT_EQ(after[101], registration::kRunning);
    rack.faults = Faults{};
    after = states(ask(4, list({101, 103})).first().payload);
    EXPECT_EQ(after[101], registration::kStopped);
    EXPECT_EQ(after[103], registration::kStopped);
}

TEST_F(RackTest, CatalogueChunksReassembleIntoWholeEntriesOfTheStationsLayout) {
    rack.stations()[0].kind = StationKind::Qm7_521;
    rack.stations()[1].kind = StationKind::Qm7_52;
    for (Station& s : rack.stations()) {
        s.catalogue.clear();
        for (int i = 0; i < 5; ++i)
            s.catalogue.append({quint64(1000 * i), quint64(1000 * i + 900), 500, quint32(1'600'000'000 + i), i == 1});
    }
    rack.stations()[2].catalogue.clear();

    for (bool shuffled : {false, true}) {
        rack.faults.shuffleChunks = shuffled;
        for (const Station& s : rack.stations()) {
            SCOPED_TRACE(QStringLiteral("station %1, shuffled %2").arg(s.number).arg(shuffled).toStdString());
            const QList<Reply> chunks = ask(5, list({s.number}));
            ASSERT_FALSE(chunks.isEmpty());
            QMap<quint32, QByteArray> byIndex;
            for (const Reply& chunk : chunks) {
                EXPECT_EQ(chunk.wireCode, 105u);
                ASSERT_GE(chunk.payload.size(), 12);
                EXPECT_EQ(loadLE<qint32>(chunk.payload.constData(), 0), s.number);
                EXPECT_EQ(loadLE<quint32>(chunk.payload.constData(), 4), static_cast<quint32>(chunks.size()));
                byIndex.insert(loadLE<quint32>(chunk.payload.constData(), 8), chunk.payload.mid(12));
            }
            ASSERT_EQ(byIndex.size(), chunks.size());
            EXPECT_EQ(byIndex.lastKey(), static_cast<quint32>(chunks.size() - 1));
            if (shuffled && chunks.size() > 1) {
                EXPECT_NE(loadLE<quint32>(chunks.first().payload.constData(), 8), 0u);
            }
            QByteArray catalogue;
            for (const QByteArray& data : byIndex)
                catalogue += data;
            ASSERT_EQ(catalogue.size() % kCatalogueEntrySize, 0);
            ASSERT_EQ(catalogue.size() / kCatalogueEntrySize, s.catalogue.size());

            // Valid entries: the flag at 124, or the first files-count entries for the other layout.
            const char* e = catalogue.constData();
            for (int j = 0; j < s.catalogue.size(); ++j, e += kCatalogueEntrySize) {
                if (s.kind == StationKind::Qm7_521) {
                    EXPECT_EQ(loadLE<quint32>(e, 124) != 0, !s.catalogue[j].deleted);
                    EXPECT_EQ(loadLE<quint64>(e, 16), s.catalogue[j].firstSample);
                    EXPECT_EQ(loadLE<quint32>(e, 44), 500u);
                } else {
                    const bool valid = j < s.fileCount();
                    EXPECT_EQ(loadLE<qint32>(e, 0) != -1, valid) << "entry " << j;
                    if (valid) {
                        EXPECT_EQ(loadLE<quint64>(e, 40) - loadLE<quint64>(e, 32), 900u);
                        EXPECT_EQ(loadLE<quint32>(e, 80), 500u);
                        EXPECT_GE(loadLE<quint32>(e, 76), 1'600'000'000u);
                    }
                }
            }
        }
    }
}

TEST_F(RackTest, CatalogueRequestsThatCannotBeServedAreRefused) {
    const QByteArray refusal(1, '\xFF');
    EXPECT_EQ(ask(5, list({999})).first().payload, refusal) << "no such station";
    EXPECT_EQ(ask(5, "\x65\x00").first().payload, refusal) << "short request";
    ask(3, startBody({101}));
    EXPECT_EQ(ask(5, list({101})).first().payload, refusal) << "recording";
    rack.faults.refuseCatalogue = true;
    const QList<Reply> refused = ask(5, list({102}));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused.first().wireCode, 105u);
    EXPECT_EQ(refused.first().payload, refusal);
}

TEST_F(RackTest, SubsystemValuesAreReadAndWrittenWithinTheirLimits) {
    const QString key = typeKey() + QStringLiteral("\\питания.sub");
    Station& station = rack.stations()[0];
    station.charge = 73.4;

    QList<Reply> replies = ask(12, subsystemRequest(101, key));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0].wireCode, 112u);
    ASSERT_EQ(replies[0].payload.size(), 7 * 4);
    const char* values = replies[0].payload.constData();
    EXPECT_EQ(loadLE<qint32>(values, 0), 73) << "the charge is the station's own";
    EXPECT_FLOAT_EQ(loadLE<float>(values, 16), 5.86f) << "the threshold starts at its initial value";

    // One writable row travels: "Порог отключения, В", float, 5.5 … 7.0.
    QByteArray entry(1, '\x01');
    entry += ByteWriter().put<float>(6.25f).take();
    replies = ask(13, subsystemRequest(101, key, entry));
    ASSERT_EQ(replies.size(), 1);
    EXPECT_EQ(replies[0].wireCode, 113u);
    EXPECT_EQ(loadLE<qint32>(replies[0].payload.constData(), 0), 1);
    EXPECT_FLOAT_EQ(loadLE<float>(ask(12, subsystemRequest(101, key)).first().payload.constData(), 16), 6.25f);
    EXPECT_FLOAT_EQ(loadLE<float>(ask(12, subsystemRequest(102, key)).first().payload.constData(), 16), 5.86f)
        << "every station keeps its own values";

    QByteArray tooHigh(1, '\x01');
    tooHigh += ByteWriter().put<float>(8.0f).take();
    QByteArray unchanged(1, '\x00');
    unchanged += ByteWriter().put<float>(9.0f).take();
    const QByteArray rejected[] = {tooHigh, entry.left(4), entry + "x", QByteArray()};
    for (const QByteArray& values : rejected)
        EXPECT_EQ(loadLE<qint32>(ask(13, subsystemRequest(101, key, values)).first().payload.constData(), 0), 0);
    EXPECT_EQ(loadLE<qint32>(ask(13, subsystemRequest(101, key, unchanged)).first().payload.constData(), 0), 1)
        << "flag 0 sends the current value back; limits do not apply";
    EXPECT_FLOAT_EQ(loadLE<float>(ask(12, subsystemRequest(101, key)).first().payload.constData(), 16), 6.25f);
}

TEST_F(RackTest, SubsystemReplyCarriesTablesAndSkipsWriteOnlyRows) {
    // регистратора.sub: 12 rows, one write-only; a table of 4 int32 and a tab2 of 1024 words.
    const QList<Reply> replies = ask(12, subsystemRequest(101, typeKey() + QStringLiteral("\\регистратора.sub")));
    ASSERT_EQ(replies.size(), 1);
    const int expected = 4 + 4 + 4 + 8 + 4 + 4 + 4 + 4 + 4 * 4 + 4096 + 4;
    ASSERT_EQ(replies[0].payload.size(), expected);
    const char* p = replies[0].payload.constData();
    EXPECT_EQ(loadLE<quint32>(p, 0), 0x0001A2F3u);
    EXPECT_EQ(loadLE<qint32>(p, 36), 12);
    EXPECT_EQ(loadLE<qint32>(p, 40), -7);
    EXPECT_EQ(loadLE<qint32>(p, 48), 0);
}

TEST_F(RackTest, SubsystemKeysThatNameNothingAreRefused) {
    const QString type = typeKey();
    const QString keys[] = {
        QStringLiteral("0047464544434241\\питания.sub"), // another type's folder
        type + QStringLiteral("\\нет такой.sub"),
        type + QStringLiteral("\\..\\") + type + QStringLiteral("\\питания.sub"),
        type + QStringLiteral("\\../../settings.ini"),
        type + QStringLiteral("/питания.sub"),
        type + QStringLiteral("\\питания"),
        QStringLiteral("\\питания.sub"),
        type + QStringLiteral("\\"),
    };
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(ask(12, subsystemRequest(101, key)).first().payload, QByteArray(1, '\xFF'));
        EXPECT_EQ(loadLE<qint32>(ask(13, subsystemRequest(101, key)).first().payload.constData(), 0), 0);
    }
    const QString good = type + QStringLiteral("\\питания.sub");
    EXPECT_EQ(ask(12, subsystemRequest(999, good)).first().payload, QByteArray(1, '\xFF')) << "no such station";
    QByteArray lying = subsystemRequest(101, good);
    storeLE<quint32>(lying.data(), 8, 100000);
    EXPECT_EQ(ask(12, lying).first().payload, QByteArray(1, '\xFF')) << "key longer than the request";
    EXPECT_EQ(ask(12, QByteArray(11, '\0')).first().payload, QByteArray(1, '\xFF'));

    rack.faults.refuseSubsystem = true;
    EXPECT_EQ(ask(12, subsystemRequest(101, good)).first().payload, QByteArray(1, '\xFF'));
    rack.faults = Faults{};
    rack.faults.saveError = true;
    EXPECT_EQ(ask(12, subsystemRequest(101, good)).first().payload.size(), 28) << "reads still work";
    QByteArray entry(1, '\x00');
    entry += QByteArray(4, '\0');
    EXPECT_EQ(loadLE<qint32>(ask(13, subsystemRequest(101, good, entry)).first().payload.constData(), 0), 0);
}

TEST_F(RackTest, NoticesCarryFlagsLengthAndUtf16Text) {
    const QByteArray payload = Rack::noticePayload(3, QStringLiteral("Стойка"));
    ASSERT_EQ(payload.size(), 12 + 12);
    EXPECT_EQ(loadLE<quint32>(payload.constData(), 0), 3u);
    EXPECT_EQ(loadLE<quint32>(payload.constData(), 4), 12u);
    EXPECT_EQ(loadLE<quint32>(payload.constData(), 8), 2u);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(payload.constData() + 12), 6), QStringLiteral("Стойка"));

    // A tuning that ends tells the client.
    ask(21, list({101}));
    nowMs += 200'000;
    rack.advance();
    const QList<QByteArray> notices = rack.takeNotices();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(rack.takeNotices().isEmpty());
}

TEST_F(RackTest, SyncServerHasNoTimeWhileAStationTunesItsGenerator) {
    SyncServer sync({&rack}, [this] { return nowMs; });
    QByteArray answer = sync.answer();
    ASSERT_EQ(answer.size(), kSyncFrameSize);
    EXPECT_EQ(loadLE<qint32>(answer.constData(), kSyncSecondsOffset), kT0Ms / 1000);
    EXPECT_EQ(answer[kSyncErrorFlagOffset], 0);

    ask(21, list({102}));
    EXPECT_TRUE(rack.anyStationTuning());
    EXPECT_EQ(loadLE<qint32>(sync.answer().constData(), kSyncSecondsOffset), -1);
    ask(22, list({102}));
    EXPECT_EQ(loadLE<qint32>(sync.answer().constData(), kSyncSecondsOffset), kT0Ms / 1000);

    rack.faults.syncError = true;
    EXPECT_EQ(sync.answer()[kSyncErrorFlagOffset], 1);
    rack.faults = Faults{};
    rack.faults.syncTimeUnknown = true;
    EXPECT_EQ(loadLE<qint32>(sync.answer().constData(), kSyncSecondsOffset), -1);
}

TEST(RackCreation, SameSeedSameRackAndBothTypesAppear) {
    auto fixedClock = [] { return kT0Ms; };
    QList<qint32> numbers;
    for (int i = 0; i < 30; ++i)
        numbers.append(500 + i);
    Rack a(1, numbers, 42, nullptr, fixedClock);
    Rack b(1, numbers, 42, nullptr, fixedClock);
    EXPECT_EQ(a.statusReport(), b.statusReport());
    Rack c(1, numbers, 43, nullptr, fixedClock);
    EXPECT_NE(a.statusReport(), c.statusReport());

    int qm7_52 = 0;
    int notCharging = 0;
    for (const Station& s : a.stations()) {
        qm7_52 += s.kind == StationKind::Qm7_52;
        notCharging += !s.chargerWorks;
    }
    EXPECT_GT(qm7_52, 0);
    EXPECT_LT(qm7_52, 30);
    EXPECT_LT(notCharging, 10);
}
