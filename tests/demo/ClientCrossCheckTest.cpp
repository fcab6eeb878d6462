// The client's own decoders read what the demonstration cluster sends: the two sides are written
// independently, so every field that lands where the other side looks for it is checked twice.

#include "DemoProcess.h"
#include "WireClient.h"

#include "core/ByteWriter.h"
#include "link/ClusterNotice.h"
#include "link/FileTransfer.h"
#include "link/FrameBuffer.h"
#include "link/Framing.h"
#include "link/ParameterGrid.h"
#include "link/PermissionAnswer.h"
#include "link/StatusBlock.h"
#include "link/SubsystemData.h"
#include "stationdata/SubsystemFile.h"

#include <QDateTime>
#include <QDir>
#include <QTcpSocket>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::demo::test;

namespace {

const QString kTypeKey = QStringLiteral("0032352020376D71");

struct Received {
    quint32 wireCode;
    QByteArray payload;
};

// A connection that sends the client's frames and cuts the answers with the client's frame buffer.
class LinkClient {
public:
    explicit LinkClient(quint16 port) {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        waitUntil([&] { return m_socket.state() == QAbstractSocket::ConnectedState; });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { receive(); });
    }

    void send(int code, const QByteArray& payload = {}) { m_socket.write(link::buildClientFrame(code, payload)); }

    std::optional<Received> next(quint32 wireCode) {
        auto find = [&] {
            return std::find_if(m_frames.begin(), m_frames.end(), [&](const Received& r) { return r.wireCode == wireCode; });
        };
        if (!waitUntil([&] { return find() != m_frames.end(); }))
            return std::nullopt;
        const auto it = find();
        Received r = *it;
        m_frames.erase(it);
        return r;
    }

    bool sawInvalidHeader() const { return m_invalid; }

private:
    void receive() {
        const qsizetype waiting = m_socket.bytesAvailable();
        std::uint8_t* into = m_buffer.prepare(waiting);
        m_buffer.commit(m_socket.read(reinterpret_cast<char*>(into), waiting));
        link::FrameBuffer::Frame frame;
        for (;;) {
            const link::FrameBuffer::Next next = m_buffer.peek(frame);
            if (next == link::FrameBuffer::Next::Invalid)
                m_invalid = true;
            if (next != link::FrameBuffer::Next::Frame)
                return;
            EXPECT_TRUE(frame.header.fromCluster());
            m_frames.append({frame.header.wireCode,
                             QByteArray(reinterpret_cast<const char*>(frame.payload), frame.payloadLength)});
            m_buffer.consume(frame.totalSize);
        }
    }

    QTcpSocket m_socket;
    link::FrameBuffer m_buffer;
    QList<Received> m_frames;
    bool m_invalid = false;
};

QByteArray numbers(const QList<qint32>& list) {
    ByteWriter w;
    for (qint32 n : list)
        w.putI32(n);
    return w.take();
}

QList<link::StatusBlock> blocksOf(const QByteArray& report) {
    QList<link::StatusBlock> blocks;
    for (qsizetype at = 0; at + 456 <= report.size(); at += 456)
        blocks.append(link::StatusBlock::fromRaw(report.constData() + at));
    return blocks;
}

std::optional<link::StatusBlock> blockOf(const QByteArray& report, qint32 number) {
    for (const link::StatusBlock& b : blocksOf(report))
        if (b.number() == number)
            return b;
    return std::nullopt;
}

QByteArray testStart(const QList<qint32>& stations) {
    QByteArray body(108, '\0');
    ByteWriter head;
    head.putI32(static_cast<qint32>(stations.size())).putU32(1000);
    body.replace(0, 8, head.bytes());
    ByteWriter times;
    times.putI32(0).putI32(-1).putI32(-1);
    body.replace(88, 12, times.bytes());
    return body + numbers(stations);
}

class ClientCrossCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(demo.start()) << demo.lines().join('\n').toStdString(); }
    DemoProcess demo;
};

} // namespace

TEST_F(ClientCrossCheck, StatusReportsReadAsTheRackMeantThem) {
    LinkClient client(demo.rackPort(1));
    client.send(1, numbers({3}));
    const std::optional<Received> permission = client.next(101);
    ASSERT_TRUE(permission);
    EXPECT_TRUE(link::permissionGranted(permission->payload, 3));

    client.send(2);
    const std::optional<Received> report = client.next(102);
    ASSERT_TRUE(report);
    const QList<link::StatusBlock> blocks = blocksOf(report->payload);
    ASSERT_EQ(blocks.size(), 6);
    QSet<qint32> seen;
    for (const link::StatusBlock& b : blocks) {
        SCOPED_TRACE(b.number());
        seen.insert(b.number());
        EXPECT_TRUE(b.typeText() == QByteArray("qm7  521") || b.typeText() == QByteArray("qm7  52\0", 8));
        EXPECT_GE(b.chargeLevel(), 0);
        EXPECT_LE(b.chargeLevel(), 100);
        EXPECT_NEAR(b.pressure(), 100000, 5000);
        EXPECT_NEAR(b.stationTime(), QDateTime::currentSecsSinceEpoch(), 10);
        EXPECT_TRUE(b.samplesKnown());
        EXPECT_GE(b.freeMemory(), 0);
        EXPECT_LE(b.freeMemory(), 100);
        for (int j = 0; j < 3; ++j)
            EXPECT_TRUE(b.channelPresent(j));
        EXPECT_EQ(b.channelPresentByte(15), 0);
        EXPECT_EQ(b.inclinometerPresentByte(), 1);
        EXPECT_NE(b.preampGainByte(0, 0), 255);
        EXPECT_EQ(b.preampGainByte(15, 0), 255);
        EXPECT_NE(b.registrationState(), 1) << "nothing records before a start";
        EXPECT_EQ(b.isRegistering(), b.registrationState() == 3) << "stopped, or stopped by time";
        EXPECT_FALSE(b.isTesting());
        EXPECT_FALSE(b.isGeneratorTuning());
    }
    EXPECT_EQ(seen.size(), 6);

    const qint32 tested = blocks[0].number();
    const qint32 tuned = blocks[1].number();
    const qint32 switchedOff = blocks[2].number();
    for (qint32 n : {tested, tuned})
        ControlClient(demo.controlPort()).command(QStringLiteral("set %1 charge 80").arg(n));

    client.send(18, testStart({tested}));
    std::optional<Received> ack = client.next(118);
    ASSERT_TRUE(ack);
    const std::optional<link::StatusBlock> testing = blockOf(ack->payload, tested);
    ASSERT_TRUE(testing);
    EXPECT_TRUE(testing->isRegistering());
    EXPECT_TRUE(testing->isTesting());

    client.send(21, numbers({tuned}));
    ack = client.next(121);
    ASSERT_TRUE(ack);
    EXPECT_TRUE(blockOf(ack->payload, tuned)->isGeneratorTuning());

    client.send(24, numbers({switchedOff}));
    ASSERT_TRUE(client.next(124));
    client.send(7, numbers({}));
    ack = client.next(107);
    ASSERT_TRUE(ack);
    const std::optional<link::StatusBlock> woken = blockOf(ack->payload, switchedOff);
    ASSERT_TRUE(woken);
    const std::optional<link::LastState> last = woken->lastState();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->eventCode, 6);
    EXPECT_FALSE(client.sawInvalidHeader());
}

TEST_F(ClientCrossCheck, EverySubsystemFileDecodesIntoAllItsRows) {
    LinkClient client(demo.rackPort(2));
    client.send(2);
    const std::optional<Received> report = client.next(102);
    ASSERT_TRUE(report);
    const qint32 station = blocksOf(report->payload).first().number();

    const QDir folder(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE) + kTypeKey);
    const QStringList files = folder.entryList({"*.sub"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const std::optional<SubsystemFile> file = SubsystemFile::read(folder.filePath(name));
        ASSERT_TRUE(file);
        link::ParameterGrid grid;
        for (const SubsystemParameter& p : file->parameters())
            grid.rows.append({p.name, p.access, p.type, p.minimum, p.maximum, {}, {}});

        const QString key = kTypeKey + u'\\' + name;
        ByteWriter request;
        request.putI32(station).putU32(2).putU32(static_cast<quint32>(key.size()));
        for (QChar c : key)
            request.putU16(c.unicode());
        client.send(12, request.take());
        const std::optional<Received> data = client.next(112);
        ASSERT_TRUE(data);
        link::SmallTable table;
        EXPECT_EQ(link::decodeSubsystemData(grid, &table, data->payload), 1);
        for (const link::ParameterRow& row : grid.rows)
            EXPECT_EQ(row.value.isEmpty(), row.access == u"w") << row.name.toStdString();
        if (link::isSystemConfiguration(key)) {
            bool real = false;
            grid.rows.at(5).value.toDouble(&real);
            EXPECT_TRUE(real) << "ADCdigitValue: " << grid.rows.at(5).value.toStdString();
        }
    }
}

TEST_F(ClientCrossCheck, NoticesAndCatalogueChunksReadBack) {
    LinkClient client(demo.rackPort(1));
    client.send(2);
    const std::optional<Received> report = client.next(102);
    ASSERT_TRUE(report);
    const qint32 station = blocksOf(report->payload).first().number();

    ControlClient control(demo.controlPort());
    ASSERT_EQ(control.command(QStringLiteral("rack 1 notice 1 Напряжение в норме")), QStringList{"ok"});
    const std::optional<Received> notice = client.next(114);
    ASSERT_TRUE(notice);
    const std::optional<link::ClusterNotice> decoded = link::decodeClusterNotice(notice->payload);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->flags, link::kNoticeShow);
    EXPECT_EQ(decoded->text, QStringLiteral("Напряжение в норме"));

    client.send(5, numbers({station}));
    const std::optional<Received> chunk = client.next(105);
    ASSERT_TRUE(chunk);
    const std::optional<link::ChunkHeader> header = link::readChunkHeader(chunk->payload);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->station, station);
    EXPECT_GE(header->count, 1);
    EXPECT_GE(header->index, 0);
    EXPECT_LT(header->index, header->count);

    for (int more = 1; more < header->count; ++more)
        ASSERT_TRUE(client.next(105));
    ASSERT_EQ(control.command("rack 1 fault refuse-catalogue on"), QStringList{"ok"});
    client.send(5, numbers({station}));
    const std::optional<Received> refusal = client.next(105);
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(link::isRefusal(refusal->payload));
}
