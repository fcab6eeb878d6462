#include "fakes/ResettingPeer.h"

#include <QTcpSocket>
#include <QTest>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kalver::test {

ResettingPeer::ResettingPeer() { m_server.listen(QHostAddress::LocalHost, 0); }

ResettingPeer::~ResettingPeer() = default;

bool ResettingPeer::waitForClient(int timeoutMs) {
    return QTest::qWaitFor(
        [this] {
            if (!m_accepted)
                m_accepted = m_server.nextPendingConnection();
            return m_accepted != nullptr;
        },
        timeoutMs);
}

bool ResettingPeer::resetAndWait(qintptr clientDescriptor, int timeoutMs) {
    if (!m_accepted || clientDescriptor < 0)
        return false;
    // Linger on with a zero time-out: closing sends a reset instead of an orderly close.
    const int fd = static_cast<int>(m_accepted->socketDescriptor());
    const linger reset{1, 0};
    if (::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset) != 0)
        return false;
    m_accepted->abort();
    pollfd client{static_cast<int>(clientDescriptor), POLLIN | POLLRDHUP, 0};
    return ::poll(&client, 1, timeoutMs) == 1 && (client.revents & (POLLERR | POLLHUP | POLLRDHUP)) != 0;
}

} // namespace kalver::test
