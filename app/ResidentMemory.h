#pragma once
// The process's resident memory, as the kernel reports it in /proc/self/status ("VmRSS:  123456 kB").

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace kalver::app {

// The VmRSS value in kB from the text of a status file; nothing when the line is missing or is not
// "VmRSS:", blanks, a decimal number and " kB".
std::optional<std::int64_t> parseResidentKb(QByteArrayView statusText);

// This process's resident memory in kB; nothing where /proc is not available.
std::optional<std::int64_t> residentKb();

} // namespace kalver::app
