#include "session/ButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <functional>

namespace kalver::session::icons {

namespace {

constexpr int kSide = 96; // drawn once at this size; Qt scales it for smaller buttons

const QColor kInk(36, 82, 127);
const QColor kIce(205, 226, 244);
const QColor kIceDark(125, 170, 210);
const QColor kSteel(86, 108, 130);

// Draws on a transparent square of kSide pixels and makes an icon of it, with a paler disabled picture.
QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    QPixmap pale(kSide, kSide);
    pale.fill(Qt::transparent);
    {
        QPainter painter(&pale);
        painter.setOpacity(0.3);
        painter.drawPixmap(0, 0, pixmap);
    }
    QIcon icon(pixmap);
    icon.addPixmap(pale, QIcon::Disabled);
    return icon;
}

QPen pen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void rack(QPainter& p, const QRectF& r, const QList<QColor>& tiles) {
    p.setPen(pen(kInk, 2.5));
    p.setBrush(kIce);
    p.drawRoundedRect(r, 3, 3);
    const qreal w = (r.width() - 8) / 2;
    const qreal h = (r.height() - 8) / 3;
    for (int i = 0; i < 6; ++i) {
        const QRectF cell(r.left() + 3 + (i % 2) * (w + 2), r.top() + 3 + (i / 2) * (h + 1), w, h - 1);
        p.setPen(Qt::NoPen);
        p.setBrush(tiles.at(i % tiles.size()));
        p.drawRect(cell);
    }
}

void person(QPainter& p, const QPointF& head, qreal size, const QColor& fill) {
    p.setPen(pen(kInk, 2.5));
    p.setBrush(fill);
    p.drawEllipse(head, size * 0.28, size * 0.28);
    QPainterPath body;
    const QPointF base(head.x(), head.y() + size * 0.36);
    body.moveTo(base.x() - size * 0.5, base.y() + size * 0.62);
    body.cubicTo(base.x() - size * 0.5, base.y(), base.x() + size * 0.5, base.y(), base.x() + size * 0.5,
                 base.y() + size * 0.62);
    body.closeSubpath();
    p.drawPath(body);
}

} // namespace

QIcon authorize() {
    return drawn([](QPainter& p) {
        p.setPen(pen(kInk, 5));
        p.setBrush(QColor(240, 198, 80));
        p.drawEllipse(QPointF(30, 48), 18, 18);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(26, 48), 5, 5);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(48, 48), QPointF(86, 48));
        p.drawLine(QPointF(74, 48), QPointF(74, 62));
        p.drawLine(QPointF(84, 48), QPointF(84, 58));
    });
}

QIcon connection() {
    return drawn([](QPainter& p) {
        const QList<QColor> tiles{QColor(90, 190, 110), QColor(90, 190, 110), QColor(240, 200, 70)};
        rack(p, QRectF(8, 8, 24, 34), tiles);
        rack(p, QRectF(36, 8, 24, 34), tiles);
        rack(p, QRectF(64, 8, 24, 34), tiles);
        p.setPen(pen(kSteel, 3));
        p.drawLine(QPointF(20, 42), QPointF(20, 52));
        p.drawLine(QPointF(48, 42), QPointF(48, 58));
        p.drawLine(QPointF(76, 42), QPointF(76, 52));
        p.drawLine(QPointF(20, 52), QPointF(76, 52));
        // The operator's console.
        p.setPen(pen(kInk, 3));
        p.setBrush(QColor(60, 110, 160));
        p.drawRoundedRect(QRectF(28, 58, 40, 26), 3, 3);
        p.setBrush(kIce);
        p.drawRect(QRectF(32, 62, 32, 18));
        p.drawLine(QPointF(40, 90), QPointF(56, 90));
        p.drawLine(QPointF(48, 84), QPointF(48, 90));
    });
}

QIcon mnemo() {
    return drawn([](QPainter& p) {
        p.setPen(pen(kInk, 3));
        p.setBrush(QColor(40, 60, 84));
        p.drawRoundedRect(QRectF(6, 12, 84, 62), 4, 4);
        const QList<QColor> colours{QColor(90, 190, 110), QColor(240, 200, 70), QColor(90, 190, 110),
                                    QColor(220, 80, 70), QColor(90, 190, 110), QColor(130, 130, 130)};
        for (int cell = 0; cell < 8; ++cell) {
            const QRectF r(12 + (cell % 4) * 19.5, 18 + (cell / 4) * 27, 16, 23);
            p.setPen(Qt::NoPen);
            p.setBrush(kIce);
            p.drawRect(r);
            for (int t = 0; t < 4; ++t) {
                p.setBrush(colours.at((cell + t) % colours.size()));
                p.drawRect(QRectF(r.left() + 2 + (t % 2) * 6.5, r.top() + 2 + (t / 2) * 10, 5.5, 8.5));
            }
        }
        p.setPen(pen(kInk, 3));
        p.drawLine(QPointF(48, 74), QPointF(48, 86));
        p.drawLine(QPointF(30, 88), QPointF(66, 88));
    });
}

QIcon settings() {
    return drawn([](QPainter& p) {
        const QPointF c(48, 48);
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal a0 = (i - 0.35) * M_PI / teeth;
            const qreal a1 = (i + 0.35) * M_PI / teeth;
            const qreal r = (i % 2 == 0) ? 40 : 30;
            const QPointF p0(c.x() + r * qCos(a0), c.y() + r * qSin(a0));
            const QPointF p1(c.x() + r * qCos(a1), c.y() + r * qSin(a1));
            if (i == 0)
                gear.moveTo(p0);
            else
                gear.lineTo(p0);
            gear.lineTo(p1);
        }
        gear.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(c, 12, 12);
        p.setPen(pen(kInk, 3));
        p.setBrush(kIceDark);
        p.drawPath(gear.subtracted(hole));
    });
}

QIcon admin() {
    return drawn([](QPainter& p) {
        person(p, QPointF(62, 30), 40, kIce);
        person(p, QPointF(36, 40), 48, kIceDark);
    });
}

QIcon refresh() {
    return drawn([](QPainter& p) {
        p.setPen(pen(QColor(40, 130, 70), 10));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(18, 18, 60, 60), 60 * 16, 280 * 16);
        QPainterPath head;
        head.moveTo(58, 6);
        head.lineTo(82, 22);
        head.lineTo(56, 34);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 130, 70));
        p.drawPath(head);
    });
}

QIcon toWork() {
    return drawn([](QPainter& p) {
        QPainterPath arrow;
        arrow.moveTo(10, 36);
        arrow.lineTo(50, 36);
        arrow.lineTo(50, 14);
        arrow.lineTo(88, 48);
        arrow.lineTo(50, 82);
        arrow.lineTo(50, 60);
        arrow.lineTo(10, 60);
        arrow.closeSubpath();
        p.setPen(pen(QColor(25, 100, 50), 4));
        p.setBrush(QColor(70, 170, 95));
        p.drawPath(arrow);
    });
}

} // namespace kalver::session::icons
