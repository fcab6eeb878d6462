#include "demo/DemoOptions.h"

#include "demo/Faults.h"

#include <QCommandLineParser>

namespace kalver::demo {

namespace {

struct OptionTable {
    QCommandLineOption settings{"settings", "Settings file (default: settings.ini in the program folder).", "file"};
    QCommandLineOption subsystems{"subsystems", "Folder of subsystem files (default: Subsystems/ in the program folder).", "folder"};
    QCommandLineOption lock{"lock", "Lock file held while running (default: DemoServer/Kalver DemoServer.lock).", "file"};
    QCommandLineOption address{"address", "Serve every rack on this address.", "address"};
    QCommandLineOption port{"port", "TCP port of rack 1; rack k uses port + k - 1; 0 = free ports.", "port"};
    QCommandLineOption syncPort{"sync-port", "TCP port of the sync server; 0 = a free port.", "port"};
    QCommandLineOption racks{"racks", "Number of racks (1..100).", "n"};
    QCommandLineOption stations{"stations", "Stations per rack (0..100).", "n"};
    QCommandLineOption seed{"seed", "Random seed: the same seed gives the same racks (default 1).", "n"};
    QCommandLineOption speed{"speed", "Simulated time runs this many times faster (default 1).", "factor"};
    QCommandLineOption calm{"calm", "No random station errors and rack notices."};
    QCommandLineOption control{"control-port", "Control socket on 127.0.0.1; 0 = a free port.", "port"};
    QCommandLineOption fault{"fault", "Fault switch name[=value], repeatable (see README).", "fault"};
    QCommandLineOption help{QStringList{"h", "help"}, "This text."};

    void addTo(QCommandLineParser& parser) const {
        parser.addOptions({settings, subsystems, lock, address, port, syncPort, racks, stations, seed, speed, calm,
                           control, fault, help});
    }
};

std::optional<int> intValue(const QCommandLineParser& parser, const QCommandLineOption& option, int lo, int hi,
                            QString& error) {
    if (!parser.isSet(option))
        return std::nullopt;
    bool ok = false;
    const int v = parser.value(option).toInt(&ok);
    if (!ok || v < lo || v > hi) {
        error = QStringLiteral("--%1 takes a number from %2 to %3").arg(option.names().first()).arg(lo).arg(hi);
        return std::nullopt;
    }
    return v;
}

} // namespace

std::variant<DemoOptions, QString> parseDemoOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const OptionTable table;
    table.addTo(parser);
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());

    DemoOptions o;
    QString error;
    o.help = parser.isSet(table.help);
    o.settingsPath = parser.value(table.settings);
    o.subsystemsFolder = parser.value(table.subsystems);
    o.lockPath = parser.value(table.lock);
    if (parser.isSet(table.address))
        o.address = parser.value(table.address);
    o.port = intValue(parser, table.port, 0, 65535, error);
    o.syncPort = intValue(parser, table.syncPort, 0, 65535, error);
    o.racks = intValue(parser, table.racks, 1, 100, error);
    o.stations = intValue(parser, table.stations, 0, 100, error);
    o.controlPort = intValue(parser, table.control, 0, 65535, error);
    if (const std::optional<int> seed = intValue(parser, table.seed, 0, 2147483647, error))
        o.seed = static_cast<quint32>(*seed);
    if (parser.isSet(table.speed)) {
        bool ok = false;
        o.speed = parser.value(table.speed).toDouble(&ok);
        if (!ok || o.speed <= 0 || o.speed > 10000)
            error = QStringLiteral("--speed takes a factor above 0 and up to 10000");
    }
    o.calm = parser.isSet(table.calm);
    o.faults = parser.values(table.fault);
    Faults probe;
    for (const QString& f : o.faults)
        if (const QString wrong = applyFault(probe, f); !wrong.isEmpty())
            error = QStringLiteral("--fault %1: %2").arg(f, wrong);
    if (!error.isEmpty())
        return error;
    return o;
}

QString demoUsage() {
    QCommandLineParser parser;
    OptionTable().addTo(parser);
    return QStringLiteral("Usage: \"Kalver DemoServer\" [options]\n"
                          "The demonstration cluster: simulated racks of stations for the client.\n\n") +
           parser.helpText().section(u'\n', 2);
}

} // namespace kalver::demo
