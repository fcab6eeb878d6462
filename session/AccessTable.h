#pragma once
// The access-level table: what a log-in at each level opens. The log-in window applies a row with
// SetAccessControls and journals its code with the login.
//
//   level  name             work  mnemo  settings  admin  developer items  journal
//   0      "Мнемосхема"     off   on     off       off    hidden           w001
//   1      "Оператор"       on    on     off       off    hidden           w002
//   2      "Администратор"  off   off    off       on     hidden           w003
//   3      "Разработчик"    on    on     on        on     shown            w004
//   failed (-1 or any other value): every button off, developer items hidden, journal e002

#include <QString>

#include <optional>

namespace kalver::session {

// The enabled states of the four large buttons of the log-in window and the developer items.
struct AccessControls {
    bool work = false;      // sb_ShowWork
    bool mnemo = false;     // sb_ShowMnemo
    bool settings = false;  // sb_ShowSettings
    bool admin = false;     // sb_ShowAdmin
    bool developer = false; // the developer-only items of the work and station data windows

    bool anyButton() const { return work || mnemo || settings || admin; }
    bool operator==(const AccessControls&) const = default;
};

struct AccessRow {
    int level = -1;
    QString name;           // lbl_AccessLevel
    AccessControls controls;
    QString journalCode;    // "w001" … "w004"
};

// The row of `level` 0…3; nothing for any other value (a failed log-in).
std::optional<AccessRow> accessRow(int level);

// The controls after a failed log-in: all off.
inline constexpr AccessControls kNoAccess{};

// The journal code of a failed log-in; its entry is "e002|login|password".
inline constexpr auto kFailedLoginCode = u"e002";

} // namespace kalver::session
