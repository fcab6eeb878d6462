#pragma once
// The program's visual style, applied by name before any window exists. "Iceberg Classico" is our own
// style sheet (cool blue and white, over the Fusion style); an unknown name is reported and the
// default look stays.

#include <QString>

class QApplication;

namespace kalver::session {

inline constexpr auto kIcebergClassico = u"Iceberg Classico";

// The style sheet's text of a style name, or nothing for a name we do not have.
QString styleSheetOf(const QString& name);

// Applies the style `name` to `app`; false (and a warning) for an unknown name.
bool applyVisualStyle(QApplication& app, const QString& name);

} // namespace kalver::session
