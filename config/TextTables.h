#pragma once
// The text tables that the station views index, the headings and fillers that go with them, and the
// window caption suffixes. Each table is an ordered list; the indexing window says which value selects
// which entry. Values come from stations, so look entries up with `textAt`, which gives an empty text
// for an index outside the table.

#include <QString>
#include <QStringList>

namespace kalver::texts {

// The entry at `index`, or an empty text when `index` is outside the table.
QString textAt(const QStringList& table, qsizetype index);

// 1. One text per interface error bit, bits 0 … 15.
const QStringList& interfaceErrors();
// 2. One text per recorder system error bit, bits 0 … 24.
const QStringList& recorderErrors();
// 3. Bank failure texts, banks 0 … 3.
const QStringList& bankFailures();
// 4. Failure type texts, types 0 … 3.
const QStringList& failureTypes();
// The headings of the error lists and the filler of an empty list.
QString interfaceErrorsHeading(); // "Ошибки работы Станции (передает Интерфейс):"
QString recorderErrorsHeading();  // "Системные ошибки (передает Регистратор):"
QString noErrorsFiller();         // " - отсутствуют"

// 5. Endings of the station messages, 0 … 9.
const QStringList& stationMessageEndings();
// "Станция " + station + " (Кластер " + cluster + ending `endingIndex`.
QString stationMessage(qint64 stationNumber, int clusterNumber, int endingIndex);

// 6. Registration state words, states 0 … 16.
const QStringList& registrationStates();
// 7. Power-off words, events 0 … 11, followed by "сист. отказ 0х" (12) and "нет связи" (13).
const QStringList& powerOffWords();
// 8. Test mode names, modes 0 … 3.
const QStringList& testModes();
// 9. Access level names, levels 0 … 3.
const QStringList& accessLevelNames();

// The windows whose captions are the application title followed by a suffix.
enum class Window { Login, Admin, Settings, Mnemo, Connection, Work };
// " - Авторизация", " - Администрирование", " - Настройки", " - Мнемосхема",
// " - Соединение с Кластерами", " - Управление".
QString captionSuffix(Window window);
// The application title followed by the window's suffix.
QString windowCaption(Window window);

} // namespace kalver::texts
