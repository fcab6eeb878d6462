#pragma once
// Cluster notice (wire code 114), a text a cluster sends on its own: flags (4; bit 0 show to the
// operator, bit 1 write to the journal), text length L in bytes (4), character size (4, always 2),
// then L bytes of UTF-16LE text (L ÷ 2 characters). A payload shorter than its header plus L is dropped.
//
// Shown (bit 0, access level above 0): the tray balloon and icon hint "Сообщение Кластера <n>" with
// the text, and the log line "Сообщение Кластера <n>: <text>", bold, fuchsia.
// Journaled (bit 1, or access level 0): "e060|<text>".

#include "link/ClusterRef.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kalver::link {

inline constexpr std::uint32_t kNoticeShow = 1u << 0;
inline constexpr std::uint32_t kNoticeJournal = 1u << 1;

struct ClusterNotice {
    std::uint32_t flags = 0;
    QString text;
};

std::optional<ClusterNotice> decodeClusterNotice(QByteArrayView payload);

void handleClusterNotice(ClusterRef& cluster, QByteArrayView payload);

} // namespace kalver::link
