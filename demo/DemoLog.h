#pragma once
// The program's console: one line per notable event on standard output, flushed at once so that a
// parent process (the tests) reads each line as it happens.

#include <QString>

namespace kalver::demo {

void logLine(const QString& line);

} // namespace kalver::demo
