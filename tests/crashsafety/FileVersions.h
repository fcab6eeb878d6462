#pragma once
// The two versions of every whole file that the crash writer alternates between, and the journal
// entries it appends: shared by the writer and the test that checks what a kill left behind.

#include "config/SettingsFile.h"
#include "config/UsersFile.h"
#include "stationdata/StationDataInputs.h"

#include <QString>

namespace kalver::crashsafety {

// Version 0 or 1 of settings.ini: different sizes, so half of one and half of the other never parse
// as either.
inline settings::SettingsValues settingsVersion(int version) {
    settings::SettingsValues v = settings::defaults(version == 0 ? 4 : 100, QStringLiteral("/var/kalver/"));
    v.queryInterval = version == 0 ? 5 : 60;
    return v;
}

inline QList<users::TUser> usersVersion(int version) {
    QList<users::TUser> accounts = {{QStringLiteral("admin"), QStringLiteral("admin"), 2, {}}};
    const int extra = version == 0 ? 3 : 200;
    for (int i = 0; i < extra; ++i)
        accounts.append({QStringLiteral("оператор%1").arg(i), QStringLiteral("пароль%1").arg(version), 1, {}});
    return accounts;
}

inline stationdata::StationDataInputs inputsVersion(int version) {
    stationdata::StationDataInputs inputs;
    inputs.frequencyIndex = version == 0 ? 1 : 4;
    inputs.inclinometerStep = version == 0 ? 5 : 60;
    inputs.registrationBegin = TDateTime(version == 0 ? 45000.5 : 46000.25);
    for (int i = 0; i < stationdata::kChannels; ++i)
        inputs.channels[static_cast<std::size_t>(i)] = {1, static_cast<std::uint8_t>(version * 3), 0, 0, 1};
    return inputs;
}

// Version 1 of settings_StD.ini carries the channel entries, version 0 does not.
inline bool inputsWithChannels(int version) { return version == 1; }

// The journal entry of iteration n: long enough that a line takes more than one page of a buffer.
inline QString journalEntry(int n) {
    return QStringLiteral("w001|Кластер %1|").arg(n) + QString(300, QChar(u'ж')) + QStringLiteral("|конец");
}

// Blank runs of users.dat are fixed, so each version has one exact byte form.
inline int noBlanks() { return 0; }

} // namespace kalver::crashsafety
