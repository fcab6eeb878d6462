#include "session/AccessTable.h"

#include "config/Catalogue.h"
#include "core/ProgramValues.h"

namespace kalver::session {

std::optional<AccessRow> accessRow(int level) {
    using catalogue::JournalCode;
    switch (level) {
    case AccessMnemo:
        return AccessRow{level, accessLevelName(level), {false, true, false, false, false},
                         catalogue::journalCode(JournalCode::LoginMnemo)};
    case AccessOperator:
        return AccessRow{level, accessLevelName(level), {true, true, false, false, false},
                         catalogue::journalCode(JournalCode::LoginOperator)};
    case AccessAdmin:
        return AccessRow{level, accessLevelName(level), {false, false, false, true, false},
                         catalogue::journalCode(JournalCode::LoginAdmin)};
    case AccessDeveloper:
        return AccessRow{level, accessLevelName(level), {true, true, true, true, true},
                         catalogue::journalCode(JournalCode::LoginDeveloper)};
    default:
        return std::nullopt;
    }
}

} // namespace kalver::session
