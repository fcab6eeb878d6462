#pragma once
// The program speaks Russian whatever the desktop's language: Qt's own texts (message-box buttons,
// the line edits' context menus, the folder chooser) come from Qt's Russian translation, installed
// before any window exists. Without the translation file the program starts all the same, with
// Qt's English texts.

#include <QString>

class QCoreApplication;
class QTranslator;

namespace kalver::app {

// Installs "qtbase_ru" from `folder` (Qt's translations folder when empty) into `app`. Returns the
// installed translator (owned by `app`), or nullptr and installs nothing when the file is missing or
// unreadable.
QTranslator* installQtTranslation(QCoreApplication& app, const QString& folder = QString());

} // namespace kalver::app
