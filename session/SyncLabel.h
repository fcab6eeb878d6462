#pragma once
// The texts of a rack header's sync label: what the rack's sync server last told, or why it told
// nothing.
//
//   " []"                             the label as the rack panel builds it, before any answer
//   " [не подключен]"                 the connection closed or failed, or no usable answer since the last tick
//   " [ошибка связи]"                 the answer carried the error flag
//   " [настр.ген.]"                   a station of the rack tunes its generator (no request meanwhile)
//   " [время не опр./настр. ген.]"    the answer carried the time −1
//   " [" + date + " " + time + "]"    the answer's UTC instant, short date and long time of the locale

#include <QLocale>
#include <QString>

#include <cstdint>

namespace kalver::session::sync_label {

inline constexpr auto kNotConnected = u" [не подключен]";
inline constexpr auto kLinkError = u" [ошибка связи]";
inline constexpr auto kGeneratorTuning = u" [настр.ген.]";
inline constexpr auto kTimeUnknown = u" [время не опр./настр. ген.]";

// The label for an answer's seconds: kTimeUnknown for −1, otherwise the instant's UTC date and
// time in `locale`'s short date and long time formats (without a time-zone name).
QString forSeconds(std::int32_t seconds, const QLocale& locale = QLocale());

// `locale`'s long time format without its time-zone fields ("t"), as a clock shows the time.
QString longTimeFormat(const QLocale& locale);

} // namespace kalver::session::sync_label
