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

QPalette paletteOf(const QString& name) {
    if (resourceOf(name).isEmpty())
        return {};
    const QColor ink(0x1c, 0x2b, 0x39);
    const QColor face(0xdc, 0xe8, 0xf2);
    const QColor window(0xee, 0xf4, 0xf9);
    // Light, midlight, dark, mid and shadow follow from the face and the window colour.
    QPalette p(face, window);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, ink);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xf3, 0xf8, 0xfc));
    p.setColor(QPalette::ToolTipBase, QColor(0xfb, 0xfd, 0xff));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xb8));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x97, 0xa6, 0xb3));
    p.setColor(QPalette::Link, QColor(0x24, 0x52, 0x7f));
    // Disabled text is the standard grey (128, 128, 128), the colour in which the program shows the
    // controls it switches off; disabled fields keep a paler base.
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(0xf1, 0xf4, 0xf7));
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(0xed, 0xf1, 0xf4));
    return p;
}

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
    // After the style, which brings its own standard palette.
    QApplication::setPalette(paletteOf(name));
    app.setStyleSheet(sheet);
    return true;
}

} // namespace kalver::session
