#pragma once
// The program's visual style, applied by name before any window exists. "Iceberg Classico" is our own
// style (cool blue and white, over the Fusion style); an unknown name is reported and the default look
// stays.
//
// A style is two parts that agree on who paints what. Its palette, installed as the application's
// palette, holds the colours of text and of content areas; a control whose colour the system gives (the
// message log's background, a label's text colour, a greyed caption) sets that role in its own palette,
// which Qt resolves over the application's. Its style sheet draws only shapes and the style's own
// decorations and sets no text or content colour on any class of controls, so it never replaces those
// palettes.

#include <QPalette>
#include <QString>

class QApplication;

namespace kalver::session {

inline constexpr auto kIcebergClassico = u"Iceberg Classico";

// The style sheet's text of a style name, or nothing for a name we do not have.
QString styleSheetOf(const QString& name);

// The palette of a style name (Iceberg Classico's colours); meaningful only for a known name.
QPalette paletteOf(const QString& name);

// Applies the style `name` to `app` (Fusion, the style's palette, its sheet); false (and a warning,
// nothing changed) for an unknown name.
bool applyVisualStyle(QApplication& app, const QString& name);

} // namespace kalver::session
