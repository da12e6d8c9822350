#include "screenart.h"

#include "cardart.h"
#include "language.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>
#include <array>
#include <cstdint>
#include <functional>
#include <map>

namespace vornak::art {

namespace {

// A small repeatable generator so that scattered decorations (coins,
// confetti, rain) sit in the same places on every repaint.
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : state_(seed) {}
    qreal next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<qreal>(state_ >> 8) / static_cast<qreal>(1u << 24);
    }

private:
    std::uint32_t state_;
};

const QColor kGoldLight(0xff, 0xf1, 0xa8);
const QColor kGoldMid(0xd9, 0xa4, 0x1e);
const QColor kGoldDark(0x7a, 0x55, 0x0c);
const QColor kCardRed(0xc4, 0x12, 0x1f);
const QColor kCardBlack(0x16, 0x16, 0x1c);

void paintSuit(QPainter& p, QPointF centre, qreal size, int suit, const QColor& color) {
    p.save();
    p.translate(centre);
    p.scale(size, size);
    p.translate(-0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(suitOutline(suit));
    p.restore();
}

QString rankText(int rank) {
    switch (rank) {
        case 11:
            return QStringLiteral("J");
        case 12:
            return QStringLiteral("Q");
        case 13:
            return QStringLiteral("K");
        case 14:
            return QStringLiteral("A");
        default:
            return QString::number(rank);
    }
}

QFont artFont(qreal pixelSize, bool serif, bool bold = true) {
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    return f;
}

QLinearGradient goldGradient(const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, kGoldLight);
    g.setColorAt(0.45, kGoldMid);
    g.setColorAt(0.55, QColor(0xc2, 0x8a, 0x12));
    g.setColorAt(1.0, QColor(0xf5, 0xd7, 0x6b));
    return g;
}

// A rounded panel with a double gold frame: the common mount of the pictures.
void paintMount(QPainter& p, const QRectF& r, const QColor& centre, const QColor& edge) {
    const qreal radius = qMin(r.width(), r.height()) * 0.06;
    QRadialGradient g(r.center(), qMax(r.width(), r.height()) * 0.7);
    g.setColorAt(0, centre);
    g.setColorAt(1, edge);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    const qreal line = qMax(1.0, r.height() / 120.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(goldGradient(r)), line * 1.6));
    p.drawRoundedRect(r.adjusted(line, line, -line, -line), radius, radius);
    p.setPen(QPen(QColor(0xd9, 0xa4, 0x1e, 150), line * 0.6));
    const qreal inset = line * 4;
    p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), radius * 0.8, radius * 0.8);
}

void paintSparkle(QPainter& p, QPointF c, qreal size, const QColor& color) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - size);
    star.quadTo(c, QPointF(c.x() + size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + size));
    star.quadTo(c, QPointF(c.x() - size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - size));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(star);
}

void paintCoin(QPainter& p, QPointF c, qreal r, qreal tilt = 1.0) {
    const QRectF box(c.x() - r, c.y() - r * tilt, 2 * r, 2 * r * tilt);
    QRadialGradient g(box.center() - QPointF(r * 0.3, r * 0.3 * tilt), r * 1.4);
    g.setColorAt(0, kGoldLight);
    g.setColorAt(0.6, kGoldMid);
    g.setColorAt(1, kGoldDark);
    p.setPen(QPen(kGoldDark, qMax(0.8, r * 0.08)));
    p.setBrush(g);
    p.drawEllipse(box);
    p.setPen(QPen(QColor(0xff, 0xf6, 0xc8, 170), qMax(0.6, r * 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box.adjusted(r * 0.22, r * 0.22 * tilt, -r * 0.22, -r * 0.22 * tilt));
    if (tilt > 0.6) {
        p.setFont(artFont(r * 0.9, true));
        p.setPen(kGoldDark);
        p.drawText(box, Qt::AlignCenter, QStringLiteral("฿"));
    }
}

// A side view of a stack of coins standing on `base`.
void paintCoinStack(QPainter& p, QPointF base, qreal r, int coins) {
    const qreal step = r * 0.28;
    for (int i = 0; i < coins; ++i) {
        const QPointF c(base.x(), base.y() - i * step);
        const QRectF rim(c.x() - r, c.y() - r * 0.35, 2 * r, r * 0.7);
        p.setPen(QPen(kGoldDark, qMax(0.6, r * 0.05)));
        p.setBrush(QColor(0xb8, 0x86, 0x14));
        p.drawRect(QRectF(rim.left(), c.y() - step, rim.width(), step));
        p.drawEllipse(rim);
        if (i == coins - 1) paintCoin(p, QPointF(c.x(), c.y() - step), r, 0.35);
    }
}

void paintChip(QPainter& p, QPointF c, qreal r, const QColor& color) {
    p.setPen(QPen(color.darker(160), qMax(0.8, r * 0.06)));
    p.setBrush(color);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Qt::white, r * 0.22, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 6; ++i) {
        const qreal a = i * 60.0;
        p.drawArc(QRectF(c.x() - r * 0.86, c.y() - r * 0.86, r * 1.72, r * 1.72), qRound(a * 16),
                  15 * 16);
    }
    p.setPen(QPen(QColor(255, 255, 255, 200), qMax(0.6, r * 0.05), Qt::DashLine));
    p.setBrush(color.lighter(115));
    p.drawEllipse(c, r * 0.55, r * 0.55);
}

void paintBanknote(QPainter& p, const QRectF& r, qreal angle) {
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF note(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    QLinearGradient g(note.topLeft(), note.bottomRight());
    g.setColorAt(0, QColor(0x9f, 0xd6, 0x9a));
    g.setColorAt(1, QColor(0x4c, 0x94, 0x52));
    p.setPen(QPen(QColor(0x2c, 0x5e, 0x30), qMax(0.6, r.height() * 0.02)));
    p.setBrush(g);
    p.drawRect(note);
    p.setBrush(Qt::NoBrush);
    p.drawRect(note.adjusted(r.height() * 0.08, r.height() * 0.08, -r.height() * 0.08,
                             -r.height() * 0.08));
    p.setBrush(QColor(0xe6, 0xf4, 0xdc));
    p.drawEllipse(note.center(), r.height() * 0.28, r.height() * 0.28);
    p.setFont(artFont(r.height() * 0.32, true));
    p.setPen(QColor(0x2c, 0x5e, 0x30));
    p.drawText(QRectF(note.center().x() - r.height() * 0.3, note.center().y() - r.height() * 0.3,
                      r.height() * 0.6, r.height() * 0.6),
               Qt::AlignCenter, QStringLiteral("฿"));
    p.restore();
}

void paintCrown(QPainter& p, const QRectF& r) {
    QPainterPath crown;
    const qreal w = r.width(), h = r.height();
    crown.moveTo(r.left(), r.bottom() - h * 0.18);
    crown.lineTo(r.left() + w * 0.02, r.top() + h * 0.25);
    crown.lineTo(r.left() + w * 0.27, r.top() + h * 0.55);
    crown.lineTo(r.left() + w * 0.5, r.top() + h * 0.05);
    crown.lineTo(r.left() + w * 0.73, r.top() + h * 0.55);
    crown.lineTo(r.right() - w * 0.02, r.top() + h * 0.25);
    crown.lineTo(r.right(), r.bottom() - h * 0.18);
    crown.closeSubpath();
    p.setPen(QPen(kGoldDark, qMax(1.0, h * 0.03)));
    p.setBrush(goldGradient(r));
    p.drawPath(crown);
    p.drawRect(QRectF(r.left(), r.bottom() - h * 0.2, w, h * 0.2));
    const QColor jewels[] = {QColor(0xd0, 0x20, 0x30), QColor(0x20, 0x70, 0xd0),
                             QColor(0x20, 0xa0, 0x50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(jewels[i]);
        p.drawEllipse(QPointF(r.left() + w * (0.25 + i * 0.25), r.bottom() - h * 0.1), h * 0.06,
                      h * 0.06);
    }
    for (qreal x : {0.02, 0.5, 0.98}) {
        p.setBrush(kGoldLight);
        p.drawEllipse(QPointF(r.left() + w * x, r.top() + (x == 0.5 ? h * 0.05 : h * 0.25)),
                      h * 0.06, h * 0.06);
    }
}

void paintRays(QPainter& p, QPointF centre, qreal radius, int count, qreal offsetDegrees,
               const QColor& color) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const qreal half = 180.0 / count / 2;
    for (int i = 0; i < count; ++i) {
        const qreal a = qDegreesToRadians(offsetDegrees + i * 360.0 / count);
        const qreal a1 = a - qDegreesToRadians(half), a2 = a + qDegreesToRadians(half);
        QPainterPath ray;
        ray.moveTo(centre);
        ray.lineTo(centre + QPointF(qCos(a1), qSin(a1)) * radius);
        ray.lineTo(centre + QPointF(qCos(a2), qSin(a2)) * radius);
        ray.closeSubpath();
        p.drawPath(ray);
    }
    p.restore();
}

void paintSubtitle(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
                   const QColor& color) {
    QFont f = p.font();  // the application font: it carries the Thai glyphs
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

// ---- The pictures ----

void titleStart(QPainter& p, const QRectF& r) {
    paintMount(p, r, QColor(0x23, 0x86, 0x4c), QColor(0x08, 0x30, 0x1a));
    paintRays(p, QPointF(r.center().x(), r.top() + r.height() * 0.42), r.width() * 0.7, 18, 0,
              QColor(255, 236, 160, 22));
    const FanCard fan[] = {{14, 3}, {13, 2}, {12, 3}, {2, 0}, {14, 1}};
    paintFan(p, QRectF(r.left(), r.top() + r.height() * 0.08, r.width(), r.height() * 0.5), fan, 5,
             56);
    paintGoldText(p, QRectF(r.left(), r.top() + r.height() * 0.58, r.width(), r.height() * 0.25),
                  QStringLiteral("Vornak"), r.height() * 0.2);
    paintSubtitle(p, QRectF(r.left(), r.top() + r.height() * 0.82, r.width(), r.height() * 0.1),
                  tx("ไพ่ดัมมี่  ·  Thai Dummy"), r.height() * 0.055, QColor(0xf4, 0xf0, 0xe0));
    Scatter s(7);
    for (int i = 0; i < 14; ++i)
        paintSparkle(p,
                     QPointF(r.left() + r.width() * (0.06 + 0.88 * s.next()),
                             r.top() + r.height() * (0.08 + 0.5 * s.next())),
                     r.height() * (0.012 + 0.02 * s.next()), QColor(255, 246, 200, 210));
}

void titleLevel(QPainter& p, const QRectF& r, bool vip) {
    if (vip)
        paintMount(p, r, QColor(0x5a, 0x10, 0x22), QColor(0x12, 0x04, 0x0a));
    else
        paintMount(p, r, QColor(0x2a, 0x96, 0x58), QColor(0x0a, 0x3a, 0x20));
    paintRays(p, QPointF(r.left() + r.width() * 0.25, r.center().y()), r.width() * 0.6, 16, 5,
              QColor(255, 236, 160, vip ? 26 : 18));
    const QRectF fanArea(r.left() + r.width() * 0.03, r.top() + r.height() * 0.1, r.width() * 0.42,
                         r.height() * 0.8);
    if (vip) {
        const FanCard aces[] = {{14, 0}, {14, 1}, {14, 2}, {14, 3}};
        paintFan(p, fanArea, aces, 4, 48);
    } else {
        const FanCard cards[] = {{5, 2}, {6, 2}, {7, 2}};
        paintFan(p, fanArea, cards, 3, 36);
    }
    const QRectF textArea(r.left() + r.width() * 0.42, r.top(), r.width() * 0.56, r.height());
    if (vip)
        paintCrown(p, QRectF(textArea.center().x() - r.height() * 0.17, r.top() + r.height() * 0.1,
                             r.height() * 0.34, r.height() * 0.22));
    paintGoldText(
        p, QRectF(textArea.left(), r.top() + r.height() * 0.3, textArea.width(), r.height() * 0.36),
        vip ? QStringLiteral("VIP Level") : QStringLiteral("Beginner Level"),
        r.height() * (vip ? 0.24 : 0.17));
    if (vip) {
        Scatter s(31);
        for (int i = 0; i < 10; ++i)
            paintSparkle(p,
                         QPointF(textArea.left() + textArea.width() * s.next(),
                                 r.top() + r.height() * (0.12 + 0.76 * s.next())),
                         r.height() * (0.015 + 0.025 * s.next()), QColor(255, 240, 200, 220));
    } else {
        const QColor chips[] = {QColor(0x1e, 0x6f, 0xc8), QColor(0xc8, 0x24, 0x2c),
                                QColor(0x22, 0x22, 0x28)};
        for (int i = 0; i < 3; ++i)
            paintChip(p,
                      QPointF(textArea.center().x() + (i - 1) * r.height() * 0.2,
                              r.top() + r.height() * 0.8),
                      r.height() * 0.08, chips[i]);
    }
}

void titleContinue(QPainter& p, const QRectF& r) {
    paintMount(p, r, QColor(0x1f, 0x7e, 0x48), QColor(0x08, 0x30, 0x1a));
    paintRays(p, QPointF(r.center().x(), r.top() + r.height() * 0.35), r.width() * 0.7, 20, 4,
              QColor(255, 236, 160, 20));
    const FanCard fan[] = {{2, 0}, {12, 3}, {14, 2}};
    paintFan(p, QRectF(r.left(), r.top() + r.height() * 0.07, r.width(), r.height() * 0.42), fan, 3,
             34);
    paintGoldText(p, QRectF(r.left(), r.top() + r.height() * 0.5, r.width(), r.height() * 0.2),
                  QStringLiteral("Mission"), r.height() * 0.15);
    // The way ahead: from the Beginner table up to the VIP table.
    const qreal y = r.top() + r.height() * 0.8;
    const QRectF left(r.left() + r.width() * 0.08, y - r.height() * 0.07, r.width() * 0.34,
                      r.height() * 0.14);
    const QRectF right(r.right() - r.width() * 0.42, y - r.height() * 0.07, r.width() * 0.34,
                       r.height() * 0.14);
    for (const QRectF& box : {left, right}) {
        p.setPen(QPen(kGoldMid, qMax(1.0, r.height() / 150)));
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(box, box.height() / 2, box.height() / 2);
    }
    paintSubtitle(p, left, QStringLiteral("Beginner Level"), r.height() * 0.055, Qt::white);
    paintSubtitle(p, right, QStringLiteral("VIP Level"), r.height() * 0.055, kGoldLight);
    QPainterPath arrow;
    const qreal ax = left.right() + r.width() * 0.03, bx = right.left() - r.width() * 0.03,
                h = r.height() * 0.035;
    arrow.moveTo(ax, y - h * 0.4);
    arrow.lineTo(bx - h * 1.4, y - h * 0.4);
    arrow.lineTo(bx - h * 1.4, y - h);
    arrow.lineTo(bx, y);
    arrow.lineTo(bx - h * 1.4, y + h);
    arrow.lineTo(bx - h * 1.4, y + h * 0.4);
    arrow.lineTo(ax, y + h * 0.4);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(goldGradient(QRectF(ax, y - h, bx - ax, 2 * h)));
    p.drawPath(arrow);
}

void endWon(QPainter& p, const QRectF& r, int frame) {
    QRadialGradient bg(QPointF(r.center().x(), r.top() + r.height() * 0.42), r.width() * 0.75);
    bg.setColorAt(0, QColor(0xff, 0xf0, 0xa0));
    bg.setColorAt(0.35, QColor(0xf7, 0xb5, 0x2a));
    bg.setColorAt(1, QColor(0xa3, 0x3c, 0x0c));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(r, r.height() * 0.05, r.height() * 0.05);
    p.save();
    p.setClipRect(r);
    paintRays(p, QPointF(r.center().x(), r.top() + r.height() * 0.42), r.width(), 24,
              frame == 0 ? 0 : 7.5, QColor(255, 255, 230, 70));
    // Coins falling and confetti drifting: the second frame moves them on.
    Scatter coins(11);
    for (int i = 0; i < 16; ++i) {
        const qreal x = r.left() + r.width() * coins.next();
        const qreal y =
            r.top() + r.height() * (coins.next() * 0.9) + (frame == 0 ? 0 : r.height() * 0.04);
        const qreal size = r.height() * (0.035 + 0.03 * coins.next());
        paintCoin(p, QPointF(x, y), size, 0.45 + 0.55 * coins.next());
    }
    const QColor confetti[] = {QColor(0xe6, 0x2e, 0x4d), QColor(0x2e, 0x8b, 0xe6),
                               QColor(0x34, 0xc7, 0x59), QColor(0xff, 0xff, 0xff),
                               QColor(0x9b, 0x4d, 0xe6), QColor(0xff, 0xd2, 0x3f)};
    Scatter bits(23);
    for (int i = 0; i < 70; ++i) {
        const qreal x = r.left() + r.width() * bits.next();
        const qreal y = r.top() + r.height() * bits.next() + (frame == 0 ? 0 : r.height() * 0.03);
        const qreal angle = 360 * bits.next() + (frame == 0 ? 0 : 40);
        const QColor c = confetti[(i + frame) % 6];
        p.save();
        p.translate(x, y);
        p.rotate(angle);
        p.setBrush(c);
        p.drawRect(QRectF(-r.height() * 0.012, -r.height() * 0.006, r.height() * 0.024,
                          r.height() * 0.012));
        p.restore();
    }
    p.restore();
    const FanCard fan[] = {{14, 0}, {14, 1}, {2, 0}, {12, 3}, {14, 2}, {14, 3}};
    paintFan(p, QRectF(r.left(), r.top() + r.height() * 0.1, r.width(), r.height() * 0.46), fan, 6,
             70);
    paintCoinStack(p, QPointF(r.left() + r.width() * 0.14, r.bottom() - r.height() * 0.1),
                   r.height() * 0.07, 6);
    paintCoinStack(p, QPointF(r.right() - r.width() * 0.14, r.bottom() - r.height() * 0.1),
                   r.height() * 0.07, 8);
    paintGoldText(p, QRectF(r.left(), r.top() + r.height() * 0.6, r.width(), r.height() * 0.24),
                  QStringLiteral("You Win!"), r.height() * 0.17);
    Scatter glints(5 + static_cast<std::uint32_t>(frame));
    for (int i = 0; i < 9; ++i)
        paintSparkle(p,
                     QPointF(r.left() + r.width() * (0.1 + 0.8 * glints.next()),
                             r.top() + r.height() * (0.08 + 0.8 * glints.next())),
                     r.height() * (0.02 + 0.03 * glints.next()), Qt::white);
}

void endLost(QPainter& p, const QRectF& r, int frame) {
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(0x2a, 0x33, 0x42));
    bg.setColorAt(1, QColor(0x0b, 0x0f, 0x16));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(r, r.height() * 0.05, r.height() * 0.05);
    p.save();
    p.setClipRect(r);
    // A grey cloud that drifts a little between the frames.
    const qreal drift = frame == 0 ? 0 : r.width() * 0.012;
    const QPointF cloud(r.center().x() + drift, r.top() + r.height() * 0.2);
    p.setBrush(QColor(0x5b, 0x64, 0x72));
    for (const auto& [dx, dy, rad] : std::array<std::array<qreal, 3>, 6>{{{-0.16, 0.03, 0.09},
                                                                          {-0.07, -0.03, 0.12},
                                                                          {0.05, -0.05, 0.13},
                                                                          {0.16, 0.01, 0.1},
                                                                          {0.0, 0.05, 0.1},
                                                                          {-0.1, 0.06, 0.08}}})
        p.drawEllipse(cloud + QPointF(dx * r.width(), dy * r.height() * 1.6), rad * r.height(),
                      rad * r.height());
    // Rain: the second frame moves every drop down.
    Scatter rain(3);
    p.setPen(QPen(QColor(0x9f, 0xb4, 0xcc, 140), qMax(1.0, r.height() / 260)));
    const qreal shift = frame == 0 ? 0 : r.height() * 0.045;
    for (int i = 0; i < 60; ++i) {
        const qreal x = r.left() + r.width() * (0.25 + 0.5 * rain.next()) + drift;
        qreal y = r.top() + r.height() * (0.3 + 0.45 * rain.next()) + shift;
        if (y > r.top() + r.height() * 0.82) y -= r.height() * 0.5;
        p.drawLine(QPointF(x, y), QPointF(x - r.height() * 0.01, y + r.height() * 0.045));
    }
    p.restore();
    // Cards dropped on the floor, face down.
    Scatter cards(9);
    const qreal ch = r.height() * 0.2;
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(r.left() + r.width() * (0.18 + 0.16 * i),
                    r.bottom() - r.height() * (0.14 + 0.04 * cards.next()));
        p.rotate(-50 + 100 * cards.next());
        p.setOpacity(0.75);
        paintCard(p, QRectF(-ch * 0.35, -ch / 2, ch * 0.7, ch), i == 2 ? 2 : 0, 0);
        p.restore();
    }
    QColor silver(0xb8, 0xc2, 0xd0);
    QFont f = artFont(r.height() * 0.13, true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 160));
    const QRectF textBox(r.left(), r.top() + r.height() * 0.46, r.width(), r.height() * 0.2);
    p.drawText(textBox.translated(2, 2), Qt::AlignCenter, QStringLiteral("Game Over"));
    p.setPen(silver);
    p.drawText(textBox, Qt::AlignCenter, QStringLiteral("Game Over"));
    p.setPen(QPen(QColor(0x5b, 0x64, 0x72), qMax(1.0, r.height() / 150)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), r.height() * 0.05, r.height() * 0.05);
}

void moneyPicture(QPainter& p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    paintBanknote(p, QRectF(r.left() + w * 0.04, r.top() + h * 0.1, w * 0.78, h * 0.4), -16);
    paintBanknote(p, QRectF(r.left() + w * 0.14, r.top() + h * 0.2, w * 0.78, h * 0.4), 8);
    paintCoinStack(p, QPointF(r.left() + w * 0.68, r.bottom() - h * 0.1), qMin(w, h) * 0.2, 5);
    paintCoin(p, QPointF(r.left() + w * 0.28, r.bottom() - h * 0.22), qMin(w, h) * 0.18);
}

void aboutPicture(QPainter& p, const QRectF& r) {
    paintMount(p, r, QColor(0x23, 0x86, 0x4c), QColor(0x08, 0x30, 0x1a));
    const FanCard fan[] = {{2, 0}, {14, 3}, {13, 2}, {12, 3}};
    paintFan(p, QRectF(r.left(), r.top() + r.height() * 0.06, r.width(), r.height() * 0.6), fan, 4,
             50);
    paintGoldText(p, QRectF(r.left(), r.top() + r.height() * 0.66, r.width(), r.height() * 0.28),
                  QStringLiteral("Vornak"), r.height() * 0.2);
}

using Painter = std::function<void(QPainter&, const QRectF&)>;

const std::map<std::string, Painter>& pictures() {
    static const std::map<std::string, Painter> table = {
        {"title-start", titleStart},
        {"title-beginner", [](QPainter& p, const QRectF& r) { titleLevel(p, r, false); }},
        {"title-vip", [](QPainter& p, const QRectF& r) { titleLevel(p, r, true); }},
        {"title-continue", titleContinue},
        {"end-won-1", [](QPainter& p, const QRectF& r) { endWon(p, r, 0); }},
        {"end-won-2", [](QPainter& p, const QRectF& r) { endWon(p, r, 1); }},
        {"end-lost-1", [](QPainter& p, const QRectF& r) { endLost(p, r, 0); }},
        {"end-lost-2", [](QPainter& p, const QRectF& r) { endLost(p, r, 1); }},
        {"statistics-money", moneyPicture},
        {"about-fan", aboutPicture},
        {"coin",
         [](QPainter& p, const QRectF& r) {
             paintCoin(p, r.center(), qMin(r.width(), r.height()) * 0.45);
         }},
    };
    return table;
}

}  // namespace

QColor gold() {
    return kGoldMid;
}

bool paint(QPainter& p, const QRectF& target, const std::string& name) {
    const auto& table = pictures();
    const auto it = table.find(name);
    if (it == table.end() || target.isEmpty()) return false;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    it->second(p, target);
    p.restore();
    return true;
}

void paintBaize(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(r.center(), qMax(r.width(), r.height()) * 0.75);
    g.setColorAt(0, QColor(0x1c, 0x6e, 0x3f));
    g.setColorAt(1, QColor(0x06, 0x2a, 0x16));
    p.fillRect(r, g);
    // A faint weave so the cloth does not look flat.
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (qreal x = r.left() - r.height(); x < r.right(); x += 6)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(goldGradient(r)), 2));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(0xd9, 0xa4, 0x1e, 110), 1));
    p.drawRect(r.adjusted(5, 5, -5, -5));
    p.restore();
}

void paintCard(QPainter& p, const QRectF& card, int rank, int suit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = card.width() * 0.08;
    // Soft shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(card.translated(card.width() * 0.03, card.width() * 0.04), radius, radius);
    if (rank == 0) {
        p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), qMax(0.6, card.width() * 0.012)));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, radius, radius);
        const QRectF inner = card.adjusted(card.width() * 0.07, card.width() * 0.07,
                                           -card.width() * 0.07, -card.width() * 0.07);
        QLinearGradient g(inner.topLeft(), inner.bottomRight());
        g.setColorAt(0, QColor(0x1d, 0x3f, 0x8f));
        g.setColorAt(1, QColor(0x0e, 0x22, 0x55));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(inner, radius * 0.6, radius * 0.6);
        p.setClipRect(inner);
        p.setPen(QPen(QColor(0xd9, 0xa4, 0x1e, 120), qMax(0.5, card.width() * 0.015)));
        const qreal step = card.width() * 0.14;
        for (qreal d = -inner.height(); d < inner.width() + inner.height(); d += step) {
            p.drawLine(QPointF(inner.left() + d, inner.top()),
                       QPointF(inner.left() + d - inner.height(), inner.bottom()));
            p.drawLine(QPointF(inner.left() + d, inner.top()),
                       QPointF(inner.left() + d + inner.height(), inner.bottom()));
        }
        p.restore();
        return;
    }
    p.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), qMax(0.6, card.width() * 0.012)));
    p.setBrush(QColor(0xfd, 0xfd, 0xf8));
    p.drawRoundedRect(card, radius, radius);
    const QColor ink = (suit == 1 || suit == 2) ? kCardRed : kCardBlack;
    const qreal w = card.width();
    const QString text = rankText(rank);
    QFont f = artFont(w * 0.24, false);
    p.setFont(f);
    p.setPen(ink);
    const QRectF corner(card.left() + w * 0.04, card.top() + w * 0.04, w * 0.28, w * 0.26);
    p.drawText(corner, Qt::AlignCenter, text);
    paintSuit(p, QPointF(corner.center().x(), corner.bottom() + w * 0.1), w * 0.17, suit, ink);
    p.save();
    p.translate(card.center());
    p.rotate(180);
    p.translate(-card.center());
    p.drawText(corner, Qt::AlignCenter, text);
    paintSuit(p, QPointF(corner.center().x(), corner.bottom() + w * 0.1), w * 0.17, suit, ink);
    p.restore();
    if (rank >= 11 && rank <= 13) {
        const QRectF panel = card.adjusted(w * 0.26, w * 0.24, -w * 0.26, -w * 0.24);
        QLinearGradient g(panel.topLeft(), panel.bottomRight());
        g.setColorAt(0, QColor(0xfb, 0xe9, 0xb0));
        g.setColorAt(1, QColor(0xe2, 0xb9, 0x52));
        p.setPen(QPen(ink, qMax(0.6, w * 0.015)));
        p.setBrush(g);
        p.drawRect(panel);
        p.setFont(artFont(w * 0.42, true));
        p.drawText(panel, Qt::AlignCenter, text);
        paintSuit(p, QPointF(panel.center().x(), panel.top() + panel.height() * 0.16), w * 0.14,
                  suit, ink);
        paintSuit(p, QPointF(panel.center().x(), panel.bottom() - panel.height() * 0.16), w * 0.14,
                  suit, ink);
    } else {
        paintSuit(p, card.center(), w * (rank == 14 ? 0.52 : 0.4), suit, ink);
    }
    p.restore();
}

void paintFan(QPainter& p, const QRectF& area, const FanCard* cards, int count,
              qreal spreadDegrees) {
    if (count <= 0 || area.isEmpty()) return;
    // Lay the fan out for cards one unit tall turning about the origin, then
    // scale and centre it so that the whole fan fits the area.
    constexpr qreal kWidth = 0.7, kReach = 1.38;
    const QRectF unitCard(-kWidth / 2, -kReach, kWidth, 1.0);
    auto angleOf = [&](int i) {
        return count == 1 ? 0.0 : -spreadDegrees / 2 + spreadDegrees * i / (count - 1);
    };
    QRectF bounds;
    for (int i = 0; i < count; ++i) {
        QTransform t;
        t.rotate(angleOf(i));
        bounds = bounds.united(t.mapRect(unitCard));
    }
    const qreal scale = qMin(area.width() / bounds.width(), area.height() / bounds.height());
    for (int i = 0; i < count; ++i) {
        p.save();
        p.translate(area.center());
        p.scale(scale, scale);
        p.translate(-bounds.center());
        p.rotate(angleOf(i));
        // Painting at unit size would round the card's pen widths and fonts
        // away, so draw it at its real size.
        p.scale(1 / scale, 1 / scale);
        paintCard(p, QRectF(unitCard.left() * scale, unitCard.top() * scale, kWidth * scale, scale),
                  cards[i].rank, cards[i].suit);
        p.restore();
    }
}

void paintGoldText(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize,
                   bool serif) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = artFont(pixelSize, serif);
    if (!serif) f = QFont(p.font().family());
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(true);
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF bounds = path.boundingRect();
    qreal scale = 1;
    if (bounds.width() > box.width() * 0.94) scale = box.width() * 0.94 / bounds.width();
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    const qreal outline = qMax(1.0, pixelSize / 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 130));
    p.drawPath(path.translated(outline * 1.5, outline * 2));
    p.setPen(QPen(QColor(0x5a, 0x3c, 0x06), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(goldGradient(bounds));
    p.drawPath(path);
    p.restore();
}

}  // namespace vornak::art
