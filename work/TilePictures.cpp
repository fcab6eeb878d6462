#include "work/TilePictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kalver::work {

namespace {

const QColor kBarColours[4] = {QColor(220, 30, 30), QColor(245, 150, 0), QColor(150, 200, 30), QColor(0, 160, 40)};
const QColor kOutlineDark(40, 40, 40);
const QColor kHoverOutline(255, 130, 0);
const QColor kSelectedOutline(0, 90, 230);
const QColor kRegistrationRed(210, 0, 0);
const QColor kTestPurple(130, 0, 170);
const QColor kDownloadGreen(0, 150, 70);
const QColor kTuningBlue(30, 90, 210);

QFont boldPixelFont(int pixels) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(6, pixels));
    f.setBold(true);
    return f;
}

// A vertical battery with a terminal cap and `bars` of four bars lit from the bottom.
void paintBattery(QPainter& p, const QRectF& area, int bars) {
    const qreal capH = std::max<qreal>(3.0, area.height() * 0.08);
    const QRectF cap(area.center().x() - area.width() * 0.2, area.top(), area.width() * 0.4, capH);
    const QRectF body(area.left(), area.top() + capH, area.width(), area.height() - capH);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutlineDark);
    p.drawRect(cap);
    p.setPen(QPen(kOutlineDark, 2.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 2, 2);

    const QRectF inner = body.adjusted(4, 4, -4, -4);
    const qreal gap = 2.0;
    const qreal barH = (inner.height() - 3 * gap) / 4;
    const QColor lit = kBarColours[std::clamp(bars, 1, 4) - 1];
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QRectF bar(inner.left(), inner.bottom() - (i + 1) * barH - i * gap, inner.width(), barH);
        p.setBrush(i < bars ? lit : QColor(225, 225, 225));
        p.drawRect(bar);
    }
}

void paintBolt(QPainter& p, const QRectF& area) {
    const qreal w = area.width(), h = area.height();
    const qreal x = area.left(), y = area.top();
    QPolygonF bolt;
    bolt << QPointF(x + 0.62 * w, y) << QPointF(x + 0.12 * w, y + 0.58 * h) << QPointF(x + 0.46 * w, y + 0.58 * h)
         << QPointF(x + 0.32 * w, y + h) << QPointF(x + 0.90 * w, y + 0.38 * h) << QPointF(x + 0.54 * w, y + 0.38 * h)
         << QPointF(x + 0.74 * w, y);
    p.setPen(QPen(QColor(110, 70, 0), 1.2));
    p.setBrush(QColor(255, 205, 0));
    p.drawPolygon(bolt);
}

void paintTuning(QPainter& p, const QRectF& area) {
    p.setPen(Qt::NoPen);
    p.setBrush(kTuningBlue);
    p.drawRoundedRect(area, 3, 3);
    QPainterPath wave;
    const QRectF in = area.adjusted(3, 3, -3, -3);
    for (int i = 0; i <= 24; ++i) {
        const qreal t = i / 24.0;
        const QPointF pt(in.left() + t * in.width(), in.center().y() - std::sin(t * 2 * M_PI) * in.height() / 2);
        if (i == 0)
            wave.moveTo(pt);
        else
            wave.lineTo(pt);
    }
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void paintWarning(QPainter& p, const QRectF& area) {
    const qreal s = std::min(area.width(), area.height());
    const QRectF sq(area.right() - s, area.center().y() - s / 2, s, s);
    QPolygonF tri;
    tri << QPointF(sq.center().x(), sq.top()) << sq.bottomRight() << sq.bottomLeft();
    p.setPen(QPen(QColor(90, 60, 0), 1.0));
    p.setBrush(QColor(255, 220, 0));
    p.drawPolygon(tri);
    p.setPen(QPen(Qt::black, std::max<qreal>(1.5, s / 8)));
    p.drawLine(QPointF(sq.center().x(), sq.top() + s * 0.35), QPointF(sq.center().x(), sq.top() + s * 0.68));
    p.drawPoint(QPointF(sq.center().x(), sq.top() + s * 0.84));
}

// A band across the row: red "РЕГ" while registering, purple "ТЕСТ" while a test or a calibration
// runs; a yellow warning triangle at its left when the registration marks add up to two (alarm 5).
void paintRegistration(QPainter& p, const QRectF& row, const TileFrameParts& parts) {
    const QColor colour = parts.test ? kTestPurple : kRegistrationRed;
    const QRectF band = row.adjusted(0, 1, 0, -1);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(band, 3, 3);
    QRectF text = band;
    if (parts.registrationMarks >= 2) {
        const qreal s = band.height() - 2;
        paintWarning(p, QRectF(band.left() + 1, band.top() + 1, s, s));
        text.setLeft(band.left() + s + 1);
    }
    p.setPen(Qt::white);
    p.setFont(boldPixelFont(static_cast<int>(band.height()) - 3));
    p.drawText(text, Qt::AlignCenter, parts.test ? QStringLiteral("ТЕСТ") : QStringLiteral("РЕГ"));
}

void paintTestOnly(QPainter& p, const QRectF& row) {
    // A test block without registration marks is never computed; it still gets a legible picture.
    p.setPen(kTestPurple);
    p.setFont(boldPixelFont(static_cast<int>(row.height()) - 3));
    p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ТЕСТ"));
}

void paintDownload(QPainter& p, const QRectF& row, const TileFrameParts& parts) {
    const qreal aw = std::max<qreal>(8.0, row.height() * 0.8);
    const QRectF arrowArea(row.left(), row.top(), aw, row.height());
    const QRectF bar(row.left() + aw + 3, row.top() + row.height() * 0.2, row.width() - aw - 4, row.height() * 0.6);
    const bool failed = parts.activity == TileFrameParts::Activity::DownloadFailed;
    const QColor colour = failed ? QColor(220, 0, 0) : kDownloadGreen;

    // The arrow: down into the tray; it sits lower in the second blink phase.
    const qreal shift = (!failed && parts.downloadPhase == 1) ? arrowArea.height() * 0.2 : 0.0;
    const qreal cx = arrowArea.center().x();
    const qreal top = arrowArea.top() + shift;
    const qreal headTop = top + arrowArea.height() * 0.35;
    const qreal tip = top + arrowArea.height() * 0.78;
    QPolygonF arrow;
    arrow << QPointF(cx - aw * 0.18, top) << QPointF(cx + aw * 0.18, top) << QPointF(cx + aw * 0.18, headTop)
          << QPointF(cx + aw * 0.45, headTop) << QPointF(cx, tip) << QPointF(cx - aw * 0.45, headTop)
          << QPointF(cx - aw * 0.18, headTop);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(arrow);
    p.fillRect(QRectF(arrowArea.left(), arrowArea.bottom() - 2, arrowArea.width(), 2), colour);

    if (failed) {
        p.setPen(QPen(QColor(120, 0, 0), 1.0));
        p.setBrush(QColor(230, 0, 0));
        p.drawRect(bar);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        const QRectF x = QRectF(bar.center().x() - bar.height() / 2 + 1, bar.top() + 2, bar.height() - 4, bar.height() - 4);
        p.drawLine(x.topLeft(), x.bottomRight());
        p.drawLine(x.topRight(), x.bottomLeft());
        return;
    }
    const qreal gap = 1.5;
    const qreal qw = (bar.width() - 3 * gap) / 4;
    p.setPen(QPen(kOutlineDark, 1.0));
    for (int i = 0; i < 4; ++i) {
        const QRectF quarter(bar.left() + i * (qw + gap), bar.top(), qw, bar.height());
        p.setBrush(i < parts.downloadQuarters ? kDownloadGreen : QColor(235, 235, 235));
        p.drawRect(quarter);
    }
}

void paintOutline(QPainter& p, const TileGeometry& g, TileFrameParts::Pointer pointer) {
    if (pointer == TileFrameParts::Pointer::None)
        return;
    const QColor colour = pointer == TileFrameParts::Pointer::Hover ? kHoverOutline : kSelectedOutline;
    p.setPen(QPen(colour, 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, g.width - 3, g.height - 3), 4, 4);
}

} // namespace

TilePictures::TilePictures(const TileGeometry& geometry) : m_geometry(geometry) {}

QPixmap TilePictures::picture(int frame) {
    frame = std::clamp(frame, 1, kTileFrameCount);
    const auto found = m_held.constFind(frame);
    if (found != m_held.constEnd())
        return *found;
    if (m_held.size() >= kMaxHeld)
        m_held.clear();
    QPixmap pixmap(m_geometry.width, m_geometry.height);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        paintFrame(p, m_geometry, tileFrameParts(frame));
    }
    m_held.insert(frame, pixmap);
    return pixmap;
}

void TilePictures::paintFrame(QPainter& p, const TileGeometry& g, const TileFrameParts& parts) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);

    // Above the check box.
    const QRectF top(4, 4, g.width - 8, g.checkBoxTop - 6);
    const qreal batteryW = std::round(top.width() * 0.42);
    paintBattery(p, QRectF(top.left(), top.top(), batteryW, top.height()), parts.bars());
    const QRectF right(top.left() + batteryW + 4, top.top(), top.width() - batteryW - 4, top.height());
    const QRectF upper(right.left(), right.top(), right.width(), right.height() / 2 - 1);
    const QRectF lower(right.left(), right.top() + right.height() / 2 + 1, right.width(), right.height() / 2 - 1);
    if (parts.charging())
        paintBolt(p, upper);
    if (parts.tuning)
        paintTuning(p, lower);

    // Below the check box: registration row and download row.
    const qreal bottomTop = g.checkBoxTop + g.checkBoxHeight + 1;
    const QRectF bottom(4, bottomTop, g.width - 8, g.height - 4 - bottomTop);
    const QRectF regRow(bottom.left(), bottom.top(), bottom.width(), bottom.height() / 2);
    const QRectF dlRow(bottom.left(), bottom.top() + bottom.height() / 2, bottom.width(), bottom.height() / 2);
    if (parts.registrationMarks >= 1)
        paintRegistration(p, regRow, parts);
    else if (parts.test)
        paintTestOnly(p, regRow);
    if (parts.activity != TileFrameParts::Activity::None)
        paintDownload(p, dlRow, parts);

    paintOutline(p, g, parts.pointer);
    p.restore();
}

} // namespace kalver::work
