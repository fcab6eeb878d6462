#pragma once
// What the program does when its log-in window closes:
//   1. the station data window's notification-area icon is hidden;
//   2. every cluster record is torn down, from the last to the first;
//   3. "FileSystem.tmp" in the program's folder is deleted if it exists;
//   4. at access level 3 only, the question e040 "Очистить файлы кривых заряда Станций?": Yes deletes
//      every "*.crg" file of the charge-curve folder; a file that cannot be deleted is skipped;
//   5. the demonstration cluster is stopped if this program started it.

#include "link/ClusterList.h"

#include <QString>

namespace kalver::session {

class DemoClusterLauncher;

inline constexpr auto kTemporaryFileName = u"FileSystem.tmp";

// Deletes every "*.crg" file (hidden ones included) in `folder`; files that cannot be deleted are
// left and skipped. Returns the number of files deleted.
int sweepChargeFiles(const QString& folder);

// Runs the end steps over `clusters` and `demo`.
void endProgram(link::ClusterList& clusters, DemoClusterLauncher& demo);

} // namespace kalver::session
