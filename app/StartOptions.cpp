#include "app/StartOptions.h"

#include "core/ProgramValues.h"

#include <QDir>
#include <QFileInfo>

namespace kalver::app {

namespace {
// A whole number of seconds in [1, 1 year].
std::optional<int> seconds(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 366 * 24 * 3600)
        return std::nullopt;
    return value;
}
} // namespace

StartOptions parseStartOptions(const QStringList& arguments) {
    StartOptions options;
    QStringList remaining;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool takesValue = argument == u"--statistics" || argument == u"--statistics-interval" ||
                                argument == u"--login" || argument == u"--quit-after" ||
                                argument == u"--charge-files" || argument == u"--program-folder";
        if (i == 0 || (!takesValue && argument != u"--work")) {
            remaining.append(argument);
            continue;
        }
        if (argument == u"--work") {
            options.work = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            options.error = argument + QStringLiteral(" needs a value");
            break;
        }
        const QString value = arguments[++i];
        if (value.isEmpty()) {
            options.error = argument + QStringLiteral(" needs a value");
            break;
        }
        if (argument == u"--statistics") {
            options.statisticsFile = value;
        } else if (argument == u"--login") {
            options.login = value;
        } else if (argument == u"--charge-files") {
            if (value != u"keep" && value != u"delete") {
                options.error = QStringLiteral("--charge-files is keep or delete, not ") + value;
                break;
            }
            options.deleteChargeFiles = value == u"delete";
        } else if (argument == u"--program-folder") {
            options.programFolder = value;
        } else if (const std::optional<int> s = seconds(value)) {
            if (argument == u"--quit-after")
                options.quitAfterSeconds = *s;
            else
                options.statisticsIntervalSeconds = *s;
        } else {
            options.error = argument + QStringLiteral(": not a number of seconds: ") + value;
            break;
        }
    }
    if (options.error.isEmpty() && options.statisticsFile.isEmpty() &&
        arguments.contains(QStringLiteral("--statistics-interval")))
        options.error = QStringLiteral("--statistics-interval without --statistics");
    if (options.error.isEmpty() && options.work && !options.login)
        options.error = QStringLiteral("--work needs --login");
    options.remainingArguments = remaining;
    options.remainingCommandLine = remaining.join(u' ');
    return options;
}

QString useProgramFolder(StartOptions& options) {
    if (options.programFolder.isEmpty())
        return {};
    const QFileInfo folder(options.programFolder);
    if (!folder.isDir())
        return QStringLiteral("--program-folder: no folder ") + options.programFolder;
    const QString path = folder.absoluteFilePath();
    if (!options.statisticsFile.isEmpty())
        options.statisticsFile = QFileInfo(options.statisticsFile).absoluteFilePath();
    if (!QDir::setCurrent(path))
        return QStringLiteral("--program-folder: cannot work in ") + path;
    setProgramFolder(path);
    return {};
}

} // namespace kalver::app
