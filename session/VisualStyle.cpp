#include "session/VisualStyle.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

namespace kalver::session {

namespace {
// The style sheets embedded in the program, by style name.
QString resourceOf(const QString& name) {
    if (name == QString::fromUtf16(kIcebergClassico))
        return QStringLiteral(":/kalver/style/IcebergClassico.qss");
    return {};
}
} // namespace

QString styleSheetOf(const QString& name) {
    const QString resource = resourceOf(name);
    if (resource.isEmpty())
        return {};
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool applyVisualStyle(QApplication& app, const QString& name) {
    const QString sheet = styleSheetOf(name);
    if (sheet.isEmpty()) {
        qWarning().noquote() << "Unknown visual style" << name << "- the default look stays";
        return false;
    }
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    app.setStyleSheet(sheet);
    return true;
}

} // namespace kalver::session
