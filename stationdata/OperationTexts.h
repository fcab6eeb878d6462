#pragma once
// The fixed texts of the operations page that are not numbered catalogue entries: the states of the
// status grid's column "Состояние", the two summaries, and the message that closes the window when a
// cluster sent an impossible channel configuration.

namespace kalver::stationdata::texts {

inline constexpr auto kStateWaiting = u"Ожидание подтверждения";
inline constexpr auto kStateNoAnswer = u"Кластер не отвечает";
inline constexpr auto kStateDone = u"Завершено";
inline constexpr auto kStateNotAllStarted = u"Не все запущены";
inline constexpr auto kStateNotAllStopped = u"Не все остановлены";
inline constexpr auto kStateNotAllErased = u"Не все очистили память";

inline constexpr auto kSummaryAllDone = u"Операция завершена";
inline constexpr auto kSummaryNotAll = u"Операция выполнена не всеми Станциями (см. лог)";

inline constexpr auto kInvalidChannelConfiguration =
    u"Ошибка в содержимом настроек каналов - Сервер прислал недостоверную информацию. Сообщите разработчикам.";

} // namespace kalver::stationdata::texts
