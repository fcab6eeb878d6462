// Draws the program's icon for the desktop menu: a rack of station tiles over a seismic trace. Writes
// the hicolor theme's sizes as PNG and the scalable SVG, both from the one drawing below.
//   kalver_icon_tool <output folder>   -> <folder>/hicolor/<n>x<n>/apps/kalver-client.png, .../scalable/apps/kalver-client.svg

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <cstdio>
#include <vector>

namespace {

constexpr double kCanvas = 256;

struct Box {
    QRectF rect;
    double radius;
    const char* colour;
};

// The drawing on a 256 x 256 canvas.
const QRectF kBackground(8, 8, 240, 240);
constexpr double kBackgroundRadius = 40;
constexpr const char* kBackgroundTop = "#3a5a78";
constexpr const char* kBackgroundBottom = "#1c2c3c";
const std::vector<Box> kBoxes = {
    {QRectF(52, 32, 152, 148), 12, "#c9d1d9"}, // the rack
    {QRectF(62, 42, 132, 128), 6, "#3c4853"},  // its inside
    // The station tiles, as the container shows them: most fine, one with an alarm, one charging.
    {QRectF(70, 50, 54, 32), 4, "#4caf50"},
    {QRectF(132, 50, 54, 32), 4, "#4caf50"},
    {QRectF(70, 90, 54, 32), 4, "#ffb300"},
    {QRectF(132, 90, 54, 32), 4, "#4caf50"},
    {QRectF(70, 130, 54, 32), 4, "#4caf50"},
    {QRectF(132, 130, 54, 32), 4, "#e53935"},
};
const std::vector<QPointF> kTrace = {{22, 212}, {62, 212}, {74, 194}, {86, 232}, {98, 184}, {110, 238},
                                     {122, 192}, {134, 228}, {146, 202}, {158, 220}, {170, 208}, {182, 215},
                                     {194, 211}, {234, 212}};
constexpr const char* kTraceColour = "#ffd54f";
constexpr double kTraceWidth = 9;

void draw(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kCanvas, size / kCanvas);
    QLinearGradient gradient(kBackground.topLeft(), kBackground.bottomLeft());
    gradient.setColorAt(0, QColor(kBackgroundTop));
    gradient.setColorAt(1, QColor(kBackgroundBottom));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(kBackground, kBackgroundRadius, kBackgroundRadius);
    for (const Box& b : kBoxes) {
        p.setBrush(QColor(b.colour));
        p.drawRoundedRect(b.rect, b.radius, b.radius);
    }
    QPen pen{QColor(kTraceColour), kTraceWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QList<QPointF>(kTrace.begin(), kTrace.end())));
}

QString svg() {
    auto rect = [](const QRectF& r, double radius, const QString& fill) {
        return QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
            .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(radius).arg(fill);
    };
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                                  "viewBox=\"0 0 256 256\">\n"
                                  "  <defs><linearGradient id=\"bg\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                                  "<stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/>"
                                  "</linearGradient></defs>\n")
                       .arg(QLatin1String(kBackgroundTop), QLatin1String(kBackgroundBottom));
    text += rect(kBackground, kBackgroundRadius, QStringLiteral("url(#bg)"));
    for (const Box& b : kBoxes)
        text += rect(b.rect, b.radius, QLatin1String(b.colour));
    QString points;
    for (const QPointF& point : kTrace)
        points += QStringLiteral("%1,%2 ").arg(point.x()).arg(point.y());
    text += QStringLiteral("  <polyline points=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\" "
                           "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n</svg>\n")
                .arg(points.trimmed(), QLatin1String(kTraceColour))
                .arg(kTraceWidth);
    return text;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalver_icon_tool <output folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root + QStringLiteral("%1x%1/apps/").arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        draw(painter, size);
        painter.end();
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("kalver-client.png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QString scalable = root + QStringLiteral("scalable/apps/");
    if (!QDir().mkpath(scalable) || !write(scalable + QStringLiteral("kalver-client.svg"), svg().toUtf8())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(scalable));
        return 1;
    }
    return 0;
}
