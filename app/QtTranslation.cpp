#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace kalver::app {

QTranslator* installQtTranslation(QCoreApplication& app, const QString& folder) {
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ru"), from) || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    translator->setParent(&app);
    return translator.release();
}

} // namespace kalver::app
