#include "core/ProgramValues.h"

#include <QCoreApplication>

namespace kalver {

namespace {
QString withSlash(QString folder) {
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

ProgramValues makeValues() {
    ProgramValues v;
    if (QCoreApplication::instance()) {
        v.programFolder = withSlash(QCoreApplication::applicationDirPath());
        v.journalFilePath = v.programFolder + QStringLiteral("arch.res");
        v.commandLine = QCoreApplication::arguments().join(QLatin1Char(' '));
    }
    return v;
}
} // namespace

ProgramValues& program() {
    static ProgramValues values = makeValues();
    return values;
}

void setProgramFolder(const QString& folder) {
    program().programFolder = withSlash(folder);
    program().journalFilePath = program().programFolder + QStringLiteral("arch.res");
}

QString accessLevelName(int level) {
    switch (level) {
    case AccessMnemo: return QStringLiteral("Мнемосхема");
    case AccessOperator: return QStringLiteral("Оператор");
    case AccessAdmin: return QStringLiteral("Администратор");
    case AccessDeveloper: return QStringLiteral("Разработчик");
    default: return {};
    }
}

} // namespace kalver
