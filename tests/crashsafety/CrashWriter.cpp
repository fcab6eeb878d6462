// The crash-safety test's victim: writes settings.ini, users.dat and settings_StD.ini through the
// program's own file code, alternating between two versions, and appends journal entries, in a loop
// until it is killed. Version 0 of each file is written once before "ready" is printed; after that each
// completed round prints its number.
//
//   crashsafety_writer <folder>

#include "FileVersions.h"

#include "config/Journal.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace kalver;
using namespace kalver::crashsafety;

namespace {

struct Paths {
    QString settings, users, inputs, journal;
};

void writeAll(const Paths& paths, int version) {
    settings::writeFile(paths.settings, settingsVersion(version));
    users::writeFile(paths.users, usersVersion(version), noBlanks);
    stationdata::writeInputsFile(paths.inputs, inputsVersion(version), inputsWithChannels(version));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const Paths paths{dir.filePath(QStringLiteral("settings.ini")), dir.filePath(QStringLiteral("users.dat")),
                      dir.filePath(QStringLiteral("settings_StD.ini")), dir.filePath(QStringLiteral("arch.res"))};
    writeAll(paths, 0);
    if (!journal::startNewFile(paths.journal))
        return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    for (int round = 1;; ++round) {
        writeAll(paths, round % 2);
        journal::appendEntry(paths.journal, journalEntry(round));
        std::printf("%d\n", round);
        std::fflush(stdout);
    }
}
