#include "app/ResidentMemory.h"

#include <QFile>

namespace kalver::app {

std::optional<std::int64_t> parseResidentKb(QByteArrayView statusText) {
    static constexpr QByteArrayView kKey("VmRSS:");
    qsizetype at = 0;
    // The key at the start of a line.
    while (true) {
        at = statusText.indexOf(kKey, at);
        if (at < 0)
            return std::nullopt;
        if (at == 0 || statusText[at - 1] == '\n')
            break;
        at += kKey.size();
    }
    qsizetype i = at + kKey.size();
    while (i < statusText.size() && (statusText[i] == ' ' || statusText[i] == '\t'))
        ++i;
    const qsizetype digits = i;
    std::int64_t value = 0;
    // 15 digits of kB are far beyond any memory and far from overflow.
    while (i < statusText.size() && statusText[i] >= '0' && statusText[i] <= '9' && i - digits < 15)
        value = value * 10 + (statusText[i++] - '0');
    if (i == digits || !statusText.sliced(i).startsWith(QByteArrayView(" kB")))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> residentKb() {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The status file is a few kB; the bound keeps a strange one from being read whole.
    return parseResidentKb(file.read(64 * 1024));
}

} // namespace kalver::app
