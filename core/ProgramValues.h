#pragma once
// The program-wide values: the application title, the session access level, the mnemonic mode, the
// journal file path, the program folder and the command line. One instance lives for the whole run.

#include <QString>
#include <QStringList>

namespace kalver {

enum AccessLevel : int {
    AccessNone = -1,
    AccessMnemo = 0,     // "Мнемосхема"
    AccessOperator = 1,  // "Оператор"
    AccessAdmin = 2,     // "Администратор"
    AccessDeveloper = 3, // "Разработчик"
};

struct ProgramValues {
    // "Kalver Client v1.3" followed by " DEMO"; window captions append their suffix to it.
    QString applicationTitle = QStringLiteral("Kalver Client v1.3") + QStringLiteral(" DEMO");
    int accessLevel = AccessNone;
    bool mnemonicMode = false;
    // At start the program folder + "arch.res"; the settings move it to their journal folder.
    QString journalFilePath;
    // The folder of the executable, with "/" at the end. Tests point it at a scratch folder.
    QString programFolder;
    // The program's full command line, as the journal records it.
    QString commandLine;
};

// The one instance. Initialised from the application on first use (program folder, journal path and
// command line need a QCoreApplication; before one exists they stay empty).
ProgramValues& program();

// Sets the program folder (with a trailing "/") and the journal path that follows from it.
void setProgramFolder(const QString& folder);

// "Мнемосхема", "Оператор", "Администратор", "Разработчик" for 0..3, empty otherwise.
QString accessLevelName(int level);

} // namespace kalver
