#include "link/ClientSocket.h"

#include <QDebug>

namespace kalver::link {

void ClientSocket::raiseError(int code) {
    int errorCode = code;
    emit errorOccurred(errorCode);
    if (errorCode != 0)
        qWarning().noquote() << "Socket error" << errorCode << "on" << m_address + QLatin1Char(':') + QString::number(tcpPort());
}

} // namespace kalver::link
