#pragma once
// The command line of the demonstration cluster. Without options it serves the clusters of the
// client's settings; the options override them (tests use free ports and their own lock file).

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace kalver::demo {

struct DemoOptions {
    QString settingsPath;      // "" = "settings.ini" in the program folder (the parent of ours)
    QString subsystemsFolder;  // "" = "Subsystems/" in the program folder
    QString lockPath;          // "" = demoServerLockPath(program folder)
    std::optional<QString> address; // every rack on this address
    std::optional<int> port;        // rack k listens on port + k - 1; 0 = free ports
    std::optional<int> syncPort;    // 0 = a free port
    std::optional<int> racks;
    std::optional<int> stations;    // per rack
    quint32 seed = 1;
    double speed = 1.0;
    bool calm = false;              // no random errors and rack notices
    std::optional<int> controlPort; // control socket on 127.0.0.1; 0 = a free port
    QStringList faults;             // name[=value], for every rack
    bool help = false;
};

// The options, or what is wrong with the command line. `arguments` includes the program name.
std::variant<DemoOptions, QString> parseDemoOptions(const QStringList& arguments);

QString demoUsage();

} // namespace kalver::demo
