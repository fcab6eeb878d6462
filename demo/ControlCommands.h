#pragma once
// The control socket's text protocol: one command per line; the answer is zero or more lines of
// information and then a line "ok" or "error: <what>". A command may start with "rack N" to act on
// rack N only (racks are numbered from 1 in the order they were started); without it, it acts on
// every rack.
//
//   help                           the commands
//   status                         one line per rack: "rack N <address:port> connections C frames F
//                                  stations S faults <switches or none>"
//   stations                       one line per rack: "rack N:" and its powered-on station numbers
//   fault NAME[=VALUE]             set a fault switch (see Faults.h); also "fault NAME VALUE"
//   clear                          every fault switch off
//   reset                          reset the rack's connections now (TCP RST)
//   notice FLAGS TEXT              send a notice (flags: 1 show, 2 journal, 3 both)
//   set STATION FIELD VALUE        set a station's state: charge (percent), charger (on/off),
//                                  pressure (Pa, -1 unknown), drift (µs), interface-errors (hex),
//                                  recorder-errors (hex), registration (state), tuning-state (hex)
//   poweroff STATION / poweron STATION
//   quit                           end the program

#include "demo/Rack.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kalver::demo {

class ControlCommands {
public:
    struct Hooks {
        std::function<void(Rack&)> reset;                  // reset the rack's connections
        std::function<QString(Rack&)> describeEndpoint;    // "address:port connections N"
        std::function<void()> quit;
    };

    ControlCommands(QList<Rack*> racks, Hooks hooks);

    QStringList execute(const QString& line);

private:
    QStringList setStationField(const QList<Rack*>& racks, const QStringList& words);

    QList<Rack*> m_racks;
    Hooks m_hooks;
};

} // namespace kalver::demo
