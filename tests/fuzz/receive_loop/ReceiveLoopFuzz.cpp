// Arbitrary bytes from a cluster through the receive loop into every handler.
//
// Input: byte 0 chooses the session (bits 0-1 access level 0...3, bit 2 a download target, bit 3 the
// mnemonic mode, bit 4 the system configuration subsystem selected), byte 1 + 1 is the size of the
// pieces in which the rest arrives, so frames are cut at every place across reads. The rest is the
// cluster's byte stream. The parameter grid holds every value type and both table kinds.

#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/ReceiveLoop.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

using namespace kalver;
using namespace kalver::link;

namespace {

ParameterGrid fuzzGrid() {
    ParameterGrid g;
    const char* rows[][2] = {{"r", "int32"},        {"w", "int32"},  {"rw", "uint32"}, {"r", "uint64"},
                             {"r", "float"},        {"r", "int64"},  {"r", "hex32"},   {"r", "table3/int32"},
                             {"r", "table2/float"}, {"r", "table1/uint64"}, {"r", "int32"}, {"r", "tab2"}};
    for (const auto& row : rows) {
        ParameterRow r;
        r.name = QStringLiteral("p");
        r.access = QString::fromLatin1(row[0]);
        r.type = QString::fromLatin1(row[1]);
        g.rows.append(r);
    }
    return g;
}

// The link's warnings (an exchange error nobody cleared) would only slow the run down.
void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

void setUp() {
    static int argc = 1;
    static char name[] = "receive_loop_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
    qInstallMessageHandler(dropMessages);
    setMessageResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
    // Files the handlers would write go nowhere: the journal and charge-trend writes fail and are
    // skipped, which is itself a path worth running.
    program().journalFilePath = QStringLiteral("/nonexistent/kalver-fuzz/arch.res");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (setUp(), true);
    (void)ready;
    if (size < 2)
        return 0;
    const std::uint8_t session = data[0];
    const std::size_t piece = static_cast<std::size_t>(data[1]) + 1;
    program().accessLevel = session & 3;
    program().mnemonicMode = (session & 8) != 0;

    QBuffer target;
    {
        ClusterList list;
        test::RecordingObserver observer(list);
        observer.keepAlarms = true;
        observer.chargeFolder = QStringLiteral("/nonexistent/kalver-fuzz/");
        observer.grid = fuzzGrid();
        if (session & 16)
            observer.subsystem = QStringLiteral("0047464544434241\\системной конфигурации.sub");
        auto connection = std::make_unique<test::MemoryClientSocket>();
        test::MemoryClientSocket* socket = connection.get();
        // As the connection window does: exchange errors are logged there and cleared.
        QObject::connect(socket, &ClientSocket::errorOccurred, [](int& code) { code = 0; });
        const int cluster = list.append(
            std::make_unique<TKlvRack>(std::move(connection), std::make_unique<test::MemoryClientSocket>()));
        if (session & 4) {
            target.open(QIODevice::WriteOnly);
            list.at(cluster).downloadTarget = &target;
        }
        for (std::size_t at = 2; at < size && list.count() > 0; at += piece) {
            const std::size_t n = std::min(piece, size - at);
            socket->feed(QByteArrayView(reinterpret_cast<const char*>(data + at), static_cast<qsizetype>(n)));
        }
        // What a poll tick would do next.
        receiveLoop(list, cluster);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
