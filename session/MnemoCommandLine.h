#pragma once
// The command line that starts the program straight into the mnemonic diagram:
//
//   KalverClient -mnemo            every cluster
//   KalverClient -mnemo -1 -3      clusters 1 and 3 (cluster positions 0 and 2)
//
// The option is looked for in the arguments only, never in the program's own path (a program in a
// folder such as /opt/kalver-mnemo/ starts as any other): the text read is the arguments after the
// path, joined by blanks. Everything up to and including the character after "-mnemo" is dropped. Nothing left selects every
// cluster. Otherwise, while a "-" is left: everything up to and including it is dropped; the number
// ends before the next "-", else before the next blank, else at the end; its trimmed text converts to
// N and N − 1 joins the selection. A number that does not convert stops the reading (the caller shows
// e049) and the numbers read so far stay selected.

#include <QList>
#include <QString>
#include <QStringList>

namespace kalver::session {

inline constexpr auto kMnemoOption = u"-mnemo";

struct MnemoCommandLine {
    bool requested = false;   // the command line contains "-mnemo"
    bool allClusters = false; // nothing follows it
    QList<int> positions;     // cluster positions (number − 1), in the order given
    bool badNumber = false;   // a number did not convert: e049

    bool operator==(const MnemoCommandLine&) const = default;
};

// Reads the program's command line as QCoreApplication::arguments() gives it: the program's path
// first, then its arguments.
MnemoCommandLine parseMnemoCommandLine(const QStringList& arguments);

} // namespace kalver::session
