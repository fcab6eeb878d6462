#pragma once
// The client's own command-line options for maintainers and unattended runs. They are taken out of the
// command line before the connection window reads it ("-mnemo"); the journal still records the whole
// line.
//
//   --statistics FILE              append a statistics line to FILE every interval (app/StatisticsLog.h)
//   --statistics-interval SECONDS  the interval, default 10
//   --login USER                   log in as USER at start, through the log-in window's own check; the
//                                  password is taken from the environment variable KALVER_PASSWORD
//                                  (never from the command line, which the journal records)
//   --work                         after the log-in, go to the connection window and enter the work
//                                  session once every configured cluster has granted permission (or,
//                                  after 60 s, with those that have)
//   --quit-after SECONDS           end the session and the program after SECONDS, as the operator
//                                  would by closing the windows
//   --charge-files keep|delete     the answer of that end to the question whether to delete the
//                                  charge-trend files (asked at access level 3 only); default keep
//   --program-folder FOLDER        use FOLDER as the program folder (settings.ini, users.dat, arch.res,
//                                  Subsystems/, DemoServer/) instead of the executable's folder, and
//                                  work in it, so that the settings' relative folders (Charge/) lie
//                                  there too; the installed program's launcher passes the shared
//                                  folder /var/lib/kalver-client

#include <QString>
#include <QStringList>

#include <optional>

namespace kalver::app {

struct StartOptions {
    QString statisticsFile;
    int statisticsIntervalSeconds = 10;
    std::optional<QString> login;
    bool work = false;
    std::optional<int> quitAfterSeconds;
    bool deleteChargeFiles = false;
    // Empty: the executable's folder.
    QString programFolder;
    // The arguments that are not these options (the program's name first): what the connection window
    // reads; and the same joined by blanks.
    QStringList remainingArguments;
    QString remainingCommandLine;
    // Empty when the options were understood; otherwise what is wrong.
    QString error;
};

// Reads `arguments` (QCoreApplication::arguments(): the program's name first).
StartOptions parseStartOptions(const QStringList& arguments);

// With --program-folder: makes the statistics file's path absolute (it was given relative to the folder
// the program was started in), sets the program folder (core/ProgramValues.h) and makes it the current
// folder. Empty when done or when there is nothing to do; otherwise what is wrong (nothing changed).
QString useProgramFolder(StartOptions& options);

} // namespace kalver::app
