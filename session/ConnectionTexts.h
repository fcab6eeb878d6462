#pragma once
// The fixed texts of the connection window: its grid's captions and words, the address cell, and the
// log lines it writes about the cluster connections and the session's poll.

#include <QString>
#include <QStringList>

namespace kalver::session::connection_text {

// Row 0 of sg_Connection.
QStringList gridCaptions(); // "Кластер", "IP-адрес:Порт", "Связь", "Доступ", "В работе"

// Column 2 "Связь", column 3 "Доступ", column 4 "В работе".
inline constexpr auto kLinked = u"Есть";
inline constexpr auto kNotLinked = u"Нет";
inline constexpr auto kGranted = u"Разрешен";
inline constexpr auto kRefused = u"Запрещен";
inline constexpr auto kInWork = u"Да";
inline constexpr auto kNotInWork = u"Нет";

// Column 1: the address, a colon and the port field from its second character on (the first character
// of the field is part of the number the connection uses, not of what the grid shows):
// "127.0.0.1", "151500" -> "127.0.0.1:51500".
QString addressCell(const QString& address, const QString& portField);

// The connection check box of cluster `number`: its caption and hint.
QString checkBoxHint(int number); // "Выбрать для работы Кластер N"

// The window's caption during the countdown to the mnemonic diagram.
QString countdownCaption(int seconds); // title " - Соединение с Кластерами, N с. до перехода к мнемосхеме"

// Log lines (the cluster number follows each text).
inline constexpr auto kAskingPermission = u"Запрос разрешения работы у Кластера ";
inline constexpr auto kConnected = u"Установлена связь с Кластером ";
inline constexpr auto kPermissionGranted = u"Получено разрешение работы от Кластера ";
inline constexpr auto kPermissionRefused = u"Получен отказ на работу с Кластером ";
inline constexpr auto kDisconnected = u"Отсоединение от Кластера ";
inline constexpr auto kConnectionRefused = u"Не устанавливается связь с Кластером ";
// Followed by the number, " №" and the system error code.
inline constexpr auto kExchangeError = u"Ошибка обмена с Кластером ";
// Logged once when a poll tick finds no cluster in work.
inline constexpr auto kPollStopped = u"Опрос Кластера остановлен - все Кластеры отключились.";

QString withNumber(const char16_t* text, int number);
QString exchangeError(int number, int errorCode);

} // namespace kalver::session::connection_text
