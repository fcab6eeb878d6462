#pragma once
// The pictures of the session windows' buttons, drawn by the program itself (no image files): the log-in
// window's authorize button and its four large buttons, and the connection window's refresh and
// "К работе" buttons.

#include <QIcon>

namespace kalver::session::icons {

QIcon authorize();     // a key
QIcon connection();    // a console linked to racks: "Перейти к окну подключения"
QIcon mnemo();         // racks of tiles on a wall screen: "Перейти к отображению мнемосхемы"
QIcon settings();      // a gear: "Перейти к окну настроек"
QIcon admin();         // two persons: "Перейти к редактированию доступа"
QIcon refresh();       // a circular arrow: "Обновить состояние Кластеров"
QIcon toWork();        // an arrow to the right: "Перейти к окну работы"

} // namespace kalver::session::icons
