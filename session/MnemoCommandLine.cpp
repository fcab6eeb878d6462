#include "session/MnemoCommandLine.h"

namespace kalver::session {

MnemoCommandLine parseMnemoCommandLine(const QStringList& arguments) {
    MnemoCommandLine result;
    // The text after the program's path.
    const QString commandLine = arguments.mid(1).join(u' ');
    const QString option = QString::fromUtf16(kMnemoOption);
    const qsizetype at = commandLine.indexOf(option);
    if (at < 0)
        return result;
    result.requested = true;

    // The option and the character after it (normally a blank) go.
    QString rest = commandLine.mid(at + option.size() + 1);
    if (rest.isEmpty()) {
        result.allClusters = true;
        return result;
    }
    while (rest.contains(u'-')) {
        rest = rest.mid(rest.indexOf(u'-') + 1);
        qsizetype end = rest.indexOf(u'-');
        if (end < 0)
            end = rest.indexOf(u' ');
        if (end < 0)
            end = rest.size();
        bool ok = false;
        const int number = rest.left(end).trimmed().toInt(&ok);
        if (!ok) {
            result.badNumber = true;
            break;
        }
        result.positions.append(number - 1);
        rest = rest.mid(end);
    }
    return result;
}

} // namespace kalver::session
