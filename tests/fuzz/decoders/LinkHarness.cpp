#include "LinkHarness.h"

#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "link/FrameDispatch.h"
#include "link/Framing.h"

#include <QCoreApplication>

namespace kalver::fuzz {

void setUpLinkProcess(const char* name) {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
    setMessageResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
    program().journalFilePath = QStringLiteral("/nonexistent/kalver-fuzz/arch.res");
}

LinkHarness::LinkHarness(int accessLevel, bool downloadTarget) : m_observer(m_list) {
    program().accessLevel = accessLevel;
    program().mnemonicMode = false;
    m_observer.keepAlarms = true;
    m_observer.chargeFolder = QStringLiteral("/nonexistent/kalver-fuzz/");
    m_list.append(std::make_unique<link::TKlvRack>(std::make_unique<test::MemoryClientSocket>(),
                                                   std::make_unique<test::MemoryClientSocket>()));
    if (downloadTarget) {
        m_target.open(QIODevice::WriteOnly);
        m_list.at(0).downloadTarget = &m_target;
    }
}

LinkHarness::~LinkHarness() {
    if (m_list.count() > 0)
        m_list.at(0).downloadTarget = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void LinkHarness::dispatch(std::uint32_t wireCode, QByteArrayView payload) {
    if (m_list.count() == 0)
        return;
    link::IncomingHeader header;
    header.magic = link::kClusterMagic;
    header.length = static_cast<std::uint32_t>(payload.size()) + link::kIncomingLengthExcess;
    header.wireCode = wireCode;
    link::ClusterRef cluster = ref();
    link::dispatchFrame(cluster, header, payload);
}

} // namespace kalver::fuzz
