#pragma once
// The operator journal "arch.res": UTF-16LE text without a byte-order mark, lines ending in CR LF,
// each line "timestamp|entry" where the timestamp is the local day count in the general format with up
// to 15 significant digits. The file is opened exclusively for each operation and closed again; a line
// is built whole and written with one write call, so a crash never leaves half a line.

#include "core/TDateTime.h"

#include <QString>

namespace kalver::journal {

// The timestamp text of a local day count: general format, up to 15 significant digits, the locale's
// decimal separator.
QString timestampText(TDateTime localDays);

// The bytes of one line (UTF-16LE, CR LF) for `entry` stamped with `localDays`.
QByteArray lineBytes(TDateTime localDays, const QString& entry);

// Creates the file (replacing one that exists) and writes its first line "timestamp|e013".
bool startNewFile(const QString& path);
bool startNewFile(const QString& path, TDateTime localNow);
// Opens the existing file exclusively and closes it again.
bool checkFile(const QString& path);
// Opens the existing file exclusively, writes one line at its end, closes it.
bool appendEntry(const QString& path, const QString& entry);
bool appendEntry(const QString& path, const QString& entry, TDateTime localNow);
// Checks the file if it exists, starts a new one otherwise.
bool openOrStart(const QString& path);

// Appends `entry` to the program's journal (the program-wide journal file path); the result is
// ignored by the writing Parts, as an entry that cannot be written is lost.
bool write(const QString& entry);

} // namespace kalver::journal
