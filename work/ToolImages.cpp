#include "work/ToolImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace kalver::work {

namespace {

enum class Glyph {
    Reset, Number, Clock, Battery, Pressure, Memory, Charging, NotCharging, Record, Stop, Download, NoDownload,
    Test, NoTest, Wave, NoWave, Acknowledge, Text, Info, Trash, TrashAngle, TrashAll, Find, Angle, Chart, Power,
    DownloadStop, WaveStop,
};

struct Picture {
    Picture(Glyph g, const QColor& c, int l = 0, const QString& t = QString()) : glyph(g), colour(c), level(l), text(t) {}
    Glyph glyph;
    QColor colour;
    int level;            // 0 low, 1 middle, 2 high (bucket pictures)
    QString text;         // Glyph::Text
};

const QColor kBlue(40, 90, 200);
const QColor kGreen(0, 140, 60);
const QColor kRed(210, 30, 30);
const QColor kOrange(230, 130, 0);
const QColor kPurple(120, 40, 160);
const QColor kTeal(0, 130, 140);

void strikeThrough(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kRed, r.width() / 12.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft() + QPointF(r.width() * 0.1, r.height() * 0.1),
               r.bottomRight() - QPointF(r.width() * 0.1, r.height() * 0.1));
}

void drawBattery(QPainter& p, const QRectF& r, const QColor& c, double fill) {
    const QRectF body(r.left() + r.width() * 0.15, r.top() + r.height() * 0.3, r.width() * 0.62, r.height() * 0.4);
    p.setPen(QPen(c.darker(150), r.width() / 20.0));
    p.setBrush(Qt::white);
    p.drawRect(body);
    p.setBrush(c.darker(150));
    p.drawRect(QRectF(body.right(), body.top() + body.height() * 0.3, r.width() * 0.06, body.height() * 0.4));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const QRectF inner = body.adjusted(2, 2, -2, -2);
    p.drawRect(QRectF(inner.left(), inner.top(), inner.width() * fill, inner.height()));
}

void drawWave(QPainter& p, const QRectF& r, const QColor& c) {
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const double x = r.left() + r.width() * (0.1 + 0.8 * i / 40.0);
        const double y = r.center().y() - r.height() * 0.22 * std::sin(i / 40.0 * 2 * M_PI * 1.5);
        i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    p.setPen(QPen(c, r.width() / 14.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawArrowDown(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const double cx = r.center().x();
    p.drawRect(QRectF(cx - r.width() * 0.1, r.top() + r.height() * 0.15, r.width() * 0.2, r.height() * 0.4));
    QPolygonF head;
    head << QPointF(cx - r.width() * 0.3, r.top() + r.height() * 0.5) << QPointF(cx + r.width() * 0.3, r.top() + r.height() * 0.5)
         << QPointF(cx, r.top() + r.height() * 0.85);
    p.drawPolygon(head);
}

void drawTrash(QPainter& p, const QRectF& r, const QColor& c) {
    p.setPen(QPen(c.darker(140), r.width() / 24.0));
    p.setBrush(c);
    p.drawRect(QRectF(r.left() + r.width() * 0.28, r.top() + r.height() * 0.32, r.width() * 0.44, r.height() * 0.52));
    p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.22, r.width() * 0.6, r.height() * 0.08));
}

void drawText(QPainter& p, const QRectF& r, const QColor& c, const QString& text, double size) {
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(6, static_cast<int>(r.height() * size)));
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void drawGlyph(QPainter& p, const QRectF& r, const Picture& pic) {
    const QColor& c = pic.colour;
    switch (pic.glyph) {
    case Glyph::Reset:
        p.setPen(QPen(kRed, r.width() / 10.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(r.topLeft() + QPointF(r.width() * 0.25, r.height() * 0.25), r.bottomRight() - QPointF(r.width() * 0.25, r.height() * 0.25));
        p.drawLine(r.topRight() + QPointF(-r.width() * 0.25, r.height() * 0.25), r.bottomLeft() + QPointF(r.width() * 0.25, -r.height() * 0.25));
        break;
    case Glyph::Number: drawText(p, r, c, QStringLiteral("№"), 0.55); break;
    case Glyph::Clock: {
        p.setPen(QPen(c, r.width() / 16.0));
        p.setBrush(Qt::white);
        const QRectF face = r.adjusted(r.width() * 0.18, r.height() * 0.18, -r.width() * 0.18, -r.height() * 0.18);
        p.drawEllipse(face);
        p.drawLine(face.center(), face.center() - QPointF(0, face.height() * 0.35));
        p.drawLine(face.center(), face.center() + QPointF(face.width() * 0.28, 0));
        break;
    }
    case Glyph::Battery: drawBattery(p, r, c, pic.level == 2 ? 0.95 : pic.level == 1 ? 0.55 : 0.2); break;
    case Glyph::Pressure: {
        p.setPen(QPen(c, r.width() / 16.0));
        p.setBrush(Qt::white);
        const QRectF dial = r.adjusted(r.width() * 0.15, r.height() * 0.2, -r.width() * 0.15, r.height() * 0.1);
        p.drawChord(dial, 0, 180 * 16);
        const double angle = M_PI * (pic.level == 2 ? 0.2 : pic.level == 1 ? 0.5 : 0.8);
        const QPointF centre(dial.center().x(), dial.center().y());
        p.drawLine(centre, centre + QPointF(std::cos(angle) * dial.width() * 0.42, -std::sin(angle) * dial.height() * 0.42));
        break;
    }
    case Glyph::Memory: {
        p.setPen(QPen(c.darker(150), r.width() / 24.0));
        p.setBrush(Qt::white);
        const QRectF chip = r.adjusted(r.width() * 0.25, r.height() * 0.15, -r.width() * 0.25, -r.height() * 0.15);
        p.drawRect(chip);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const double fill = pic.level == 2 ? 0.9 : pic.level == 1 ? 0.5 : 0.2;
        p.drawRect(QRectF(chip.left() + 2, chip.bottom() - 2 - (chip.height() - 4) * fill, chip.width() - 4, (chip.height() - 4) * fill));
        break;
    }
    case Glyph::Charging:
    case Glyph::NotCharging: {
        drawBattery(p, r, kGreen, 0.6);
        QPolygonF bolt;
        bolt << QPointF(r.width() * 0.5, r.height() * 0.2) << QPointF(r.width() * 0.36, r.height() * 0.52)
             << QPointF(r.width() * 0.48, r.height() * 0.52) << QPointF(r.width() * 0.42, r.height() * 0.8)
             << QPointF(r.width() * 0.62, r.height() * 0.45) << QPointF(r.width() * 0.5, r.height() * 0.45);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(kOrange);
        p.drawPolygon(bolt.translated(r.topLeft()));
        if (pic.glyph == Glyph::NotCharging)
            strikeThrough(p, r);
        break;
    }
    case Glyph::Record:
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(r.center(), r.width() * 0.25, r.height() * 0.25);
        break;
    case Glyph::Stop:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRect(r.adjusted(r.width() * 0.28, r.height() * 0.28, -r.width() * 0.28, -r.height() * 0.28));
        break;
    case Glyph::Download: drawArrowDown(p, r, c); break;
    case Glyph::NoDownload: drawArrowDown(p, r, c); strikeThrough(p, r); break;
    case Glyph::DownloadStop:
        drawArrowDown(p, r.adjusted(-r.width() * 0.15, 0, -r.width() * 0.15, 0), c);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRect(QRectF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.55, r.width() * 0.28, r.height() * 0.28));
        break;
    case Glyph::Test: drawText(p, r, c, QStringLiteral("T"), 0.6); break;
    case Glyph::NoTest: drawText(p, r, c, QStringLiteral("T"), 0.6); strikeThrough(p, r); break;
    case Glyph::Wave: drawWave(p, r, c); break;
    case Glyph::NoWave: drawWave(p, r, c); strikeThrough(p, r); break;
    case Glyph::WaveStop:
        drawWave(p, r.adjusted(0, -r.height() * 0.15, 0, -r.height() * 0.15), c);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRect(QRectF(r.left() + r.width() * 0.36, r.top() + r.height() * 0.62, r.width() * 0.28, r.height() * 0.28));
        break;
    case Glyph::Acknowledge:
        p.setPen(QPen(kGreen, r.width() / 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF() << r.topLeft() + QPointF(r.width() * 0.22, r.height() * 0.52)
                                   << r.topLeft() + QPointF(r.width() * 0.42, r.height() * 0.72)
                                   << r.topLeft() + QPointF(r.width() * 0.78, r.height() * 0.28));
        break;
    case Glyph::Text: drawText(p, r, c, pic.text, pic.text.size() > 2 ? 0.3 : 0.45); break;
    case Glyph::Info:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(r.center(), r.width() * 0.3, r.height() * 0.3);
        drawText(p, r, Qt::white, QStringLiteral("i"), 0.45);
        break;
    case Glyph::Trash: drawTrash(p, r, c); drawText(p, r.adjusted(0, r.height() * 0.15, 0, 0), Qt::white, QStringLiteral("1"), 0.3); break;
    case Glyph::TrashAll: drawTrash(p, r, c); drawText(p, r.adjusted(0, r.height() * 0.15, 0, 0), Qt::white, QStringLiteral("*"), 0.35); break;
    case Glyph::TrashAngle: drawTrash(p, r, c); drawText(p, r.adjusted(0, r.height() * 0.15, 0, 0), Qt::white, QStringLiteral("∠"), 0.3); break;
    case Glyph::Find:
        p.setPen(QPen(c, r.width() / 10.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(r.left() + r.width() * 0.42, r.top() + r.height() * 0.42), r.width() * 0.2, r.height() * 0.2);
        p.drawLine(QPointF(r.left() + r.width() * 0.57, r.top() + r.height() * 0.57), QPointF(r.left() + r.width() * 0.8, r.top() + r.height() * 0.8));
        break;
    case Glyph::Angle: drawText(p, r, c, QStringLiteral("∠"), 0.6); break;
    case Glyph::Chart:
        p.setPen(QPen(Qt::black, r.width() / 24.0));
        p.drawLine(QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.2), QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.8));
        p.drawLine(QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.8), QPointF(r.left() + r.width() * 0.82, r.top() + r.height() * 0.8));
        p.setPen(QPen(c, r.width() / 14.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF() << QPointF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.7)
                                   << QPointF(r.left() + r.width() * 0.45, r.top() + r.height() * 0.45)
                                   << QPointF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.55)
                                   << QPointF(r.left() + r.width() * 0.8, r.top() + r.height() * 0.25));
        break;
    case Glyph::Power:
        p.setPen(QPen(c, r.width() / 10.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(r.adjusted(r.width() * 0.25, r.height() * 0.25, -r.width() * 0.25, -r.height() * 0.25), 120 * 16, 300 * 16);
        p.drawLine(QPointF(r.center().x(), r.top() + r.height() * 0.18), QPointF(r.center().x(), r.center().y()));
        break;
    }
}

// The 22 filter pictures of category 0, by item.
Picture filterPicture(int item) {
    switch (item) {
    case 0: return {Glyph::Reset, kRed};
    case 1: return {Glyph::Clock, kBlue};
    case 2: case 3: case 4: return {Glyph::Battery, kGreen, 4 - item};
    case 5: case 6: case 7: return {Glyph::Pressure, kTeal, 7 - item};
    case 8: case 9: case 10: return {Glyph::Memory, kPurple, 10 - item};
    case 11: return {Glyph::Number, kBlue};
    case 12: return {Glyph::Charging, kGreen};
    case 13: return {Glyph::NotCharging, kGreen};
    case 14: return {Glyph::Record, kRed};
    case 15: return {Glyph::Stop, QColor(Qt::black)};
    case 16: return {Glyph::Download, kBlue};
    case 17: return {Glyph::NoDownload, kBlue};
    case 18: return {Glyph::Test, kOrange};
    case 19: return {Glyph::NoTest, kOrange};
    case 20: return {Glyph::Wave, kPurple};
    default: return {Glyph::NoWave, kPurple};
    }
}

// The command pictures of category 1, by item 1 ... 17.
Picture commandPicture(int item) {
    switch (item) {
    case 1: return {Glyph::Record, kRed};
    case 2: return {Glyph::Download, kBlue};
    case 3: return {Glyph::Text, kOrange, 0, QStringLiteral("АЦП")};
    case 4: return {Glyph::Text, kOrange, 0, QStringLiteral("ДТЧ")};
    case 5: return {Glyph::Wave, kPurple};
    case 6: return {Glyph::Info, kBlue};
    case 7: return {Glyph::Trash, QColor(120, 120, 120)};
    case 8: return {Glyph::TrashAngle, QColor(120, 120, 120)};
    case 9: return {Glyph::Find, kBlue};
    case 10: return {Glyph::Stop, QColor(Qt::black)};
    case 11: return {Glyph::DownloadStop, kBlue};
    case 12: return {Glyph::Text, kOrange, 0, QStringLiteral("SNR")};
    case 13: return {Glyph::Angle, kTeal};
    case 14: return {Glyph::WaveStop, kPurple};
    case 15: return {Glyph::Chart, kGreen};
    case 16: return {Glyph::TrashAll, kRed};
    default: return {Glyph::Power, kRed};
    }
}

QPixmap paint(const Picture& pic, int size, bool active) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    drawGlyph(p, r, pic);
    p.end();
    if (active)
        return pixmap;
    // Inactive: the same picture, gray and faded.
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = qGray(line[x]);
            const int mixed = 110 + (g * 120) / 255;
            line[x] = qRgba(mixed, mixed, mixed, qAlpha(line[x]) * 4 / 5);
        }
    }
    return QPixmap::fromImage(image);
}

QPixmap drawMnemo(int index) {
    if (index < 0 || index >= kMnemoToolImageCount)
        return {};
    // Filter images: active image a (0 ... 21) pictures item 0, 11, 1, 2 ... 10, 12 ... 21; image a + 21 is
    // its inactive form.
    const auto itemOfImage = [](int a) { return a == 1 ? 11 : a == 2 ? 1 : (a >= 3 && a <= 11) ? a - 1 : a; };
    if (index <= 21)
        return paint(filterPicture(itemOfImage(index)), 40, true);
    if (index <= 42)
        return paint(filterPicture(itemOfImage(index - 21)), 40, false);
    if (index == 43)
        return paint({Glyph::Acknowledge, kGreen}, 40, true);
    if (index <= 60)
        return paint(commandPicture(index - 43), 40, true);
    return paint(commandPicture(index - 60), 40, false);
}

QPixmap drawTable(int index) {
    if (index < 0 || index >= kTableToolImageCount)
        return {};
    const int size = 24;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    if (index == 0) {
        drawGlyph(p, r, {Glyph::Reset, kRed});
        return pixmap;
    }
    if (index == 1 || index == 2) {
        // Expand: chevrons down; collapse: chevrons up.
        p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const double dir = index == 1 ? 1.0 : -1.0;
        for (const double y0 : {8.0, 14.0}) {
            const double y = index == 1 ? y0 : size - y0;
            p.drawPolyline(QPolygonF() << QPointF(6, y - 3 * dir) << QPointF(12, y + 3 * dir) << QPointF(18, y - 3 * dir));
        }
        return pixmap;
    }
    // Sort buttons 3 ... 16: a letter for the key and an arrow up (ascending) or down (descending).
    static const QString kKeys[7] = {QStringLiteral("№"), QStringLiteral("К"), QStringLiteral("З"),
                                     QStringLiteral("Д"), QStringLiteral("У"), QStringLiteral("П"),
                                     QStringLiteral("Ф")};
    const int k = index - 3;
    const bool up = k % 2 == 0;
    drawText(p, QRectF(0, 0, 15, size), Qt::black, kKeys[k / 2], 0.55);
    p.setPen(QPen(up ? kGreen : kRed, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(19, 4), QPointF(19, 20));
    if (up)
        p.drawPolyline(QPolygonF() << QPointF(15.5, 8) << QPointF(19, 4) << QPointF(22.5, 8));
    else
        p.drawPolyline(QPolygonF() << QPointF(15.5, 16) << QPointF(19, 20) << QPointF(22.5, 16));
    return pixmap;
}

} // namespace

QPixmap mnemoToolImage(int index) {
    static QHash<int, QPixmap> cache;
    const auto it = cache.constFind(index);
    if (it != cache.constEnd())
        return *it;
    QPixmap p = drawMnemo(index);
    cache.insert(index, p);
    return p;
}

QPixmap autoScrollImage() {
    static const QPixmap image = [] {
        QPixmap pixmap(24, 24);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        drawArrowDown(p, QRectF(2, 0, 20, 20), kBlue);
        p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 21), QPointF(19, 21));
        return pixmap;
    }();
    return image;
}

QPixmap tableToolImage(int index) {
    static QHash<int, QPixmap> cache;
    const auto it = cache.constFind(index);
    if (it != cache.constEnd())
        return *it;
    QPixmap p = drawTable(index);
    cache.insert(index, p);
    return p;
}

} // namespace kalver::work
