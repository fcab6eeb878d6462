#include "link/ClusterNotice.h"

#include "config/Journal.h"
#include "core/ByteReader.h"
#include "core/ProgramValues.h"

#include <cstring>

namespace kalver::link {

std::optional<ClusterNotice> decodeClusterNotice(QByteArrayView payload) {
    ByteReader r(payload.data(), static_cast<std::size_t>(payload.size()));
    std::uint32_t flags = 0, length = 0, charSize = 0;
    if (!r.read(flags) || !r.read(length) || !r.read(charSize))
        return std::nullopt;
    if (r.remaining() < length)
        return std::nullopt;
    // The text is UTF-16 whatever the character size field says.
    const qsizetype characters = static_cast<qsizetype>(length / 2);
    QString text(characters, Qt::Uninitialized);
    std::memcpy(text.data(), r.current(), static_cast<std::size_t>(characters) * 2);
    return ClusterNotice{flags, text};
}

void handleClusterNotice(ClusterRef& cluster, QByteArrayView payload) {
    const std::optional<ClusterNotice> notice = decodeClusterNotice(payload);
    if (!notice)
        return;
    const int level = program().accessLevel;
    if ((notice->flags & kNoticeShow) && level > AccessMnemo) {
        const QString title = QStringLiteral("Сообщение Кластера ") + QString::number(cluster.number());
        cluster.observer().showClusterNotice(cluster.position(), title, notice->text);
        cluster.observer().logLine(title + QStringLiteral(": ") + notice->text, true, QColor(255, 0, 255));
    }
    if ((notice->flags & kNoticeJournal) || level == AccessMnemo)
        journal::write(QStringLiteral("e060|") + notice->text);
}

} // namespace kalver::link
