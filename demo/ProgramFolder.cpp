#include "demo/ProgramFolder.h"

#include <QDir>

namespace kalver::demo {

QString demoProgramFolder(const QString& startedAs, const QString& startFolder, const QString& executableFolder) {
    QString folder;
    if (startedAs.contains(u'/')) {
        // cleanPath folds "." and ".." by the text, so a link is not resolved.
        const QString path = QDir::cleanPath(QDir(startFolder).absoluteFilePath(startedAs));
        folder = path.left(path.lastIndexOf(u'/'));
    } else {
        folder = QDir::cleanPath(executableFolder);
    }
    folder = QDir::cleanPath(folder + QStringLiteral("/.."));
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace kalver::demo
