#include "session/ProgramEnd.h"

#include "config/Catalogue.h"
#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "session/DemoClusterLauncher.h"
#include "session/SessionWindows.h"

#include <QDir>
#include <QFile>

namespace kalver::session {

int sweepChargeFiles(const QString& folder) {
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    // The list is taken once, so a file that resists deletion is met once and skipped.
    const QStringList names = dir.entryList({QStringLiteral("*.crg")},
                                            QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int deleted = 0;
    for (const QString& name : names)
        if (QFile::remove(dir.filePath(name)))
            ++deleted;
    return deleted;
}

void endProgram(link::ClusterList& clusters, DemoClusterLauncher& demo) {
    sessionWindows().hideTrayIcon();
    clusters.clear();

    const QString temporary = program().programFolder + QString::fromUtf16(kTemporaryFileName);
    if (QFile::exists(temporary))
        QFile::remove(temporary);

    if (program().accessLevel == AccessDeveloper &&
        catalogue::show(u"e040", MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
        sweepChargeFiles(settings::chargeFolder());

    demo.stop();
}

} // namespace kalver::session
