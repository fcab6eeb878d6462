#pragma once
// The program folder of the demonstration cluster: the parent of the folder "DemoServer" it was started
// from. It is taken from the path the program was started by, not from the executable's resolved
// location, so that a program folder whose "DemoServer/Kalver DemoServer" is a symbolic link to the
// installed executable (the installed program's shared folder) is the one whose settings, subsystem
// files and lock are used.

#include <QString>

namespace kalver::demo {

// `startedAs`: the program's first argument; `startFolder`: the current folder at start;
// `executableFolder`: the folder of the resolved executable (used when `startedAs` names no folder, as
// when the program was found through PATH). Ends in "/".
QString demoProgramFolder(const QString& startedAs, const QString& startFolder, const QString& executableFolder);

} // namespace kalver::demo
