#include "cardart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <unordered_map>

#include "core/cards.h"

namespace vornak {
namespace {

const QColor kRedInk(196, 22, 40);
const QColor kBlackInk(24, 24, 28);
const QColor kGold(214, 170, 60);

// Suit outlines in a unit square, point up; 0 clubs, 1 diamonds, 2 hearts,
// 3 spades (the order of the card codes).
QPainterPath unitSuit(int suit) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (suit) {
        case 0: {  // club: three leaves and a stem
            p.addEllipse(QPointF(0.5, 0.26), 0.215, 0.215);
            p.addEllipse(QPointF(0.25, 0.58), 0.215, 0.215);
            p.addEllipse(QPointF(0.75, 0.58), 0.215, 0.215);
            p.addEllipse(QPointF(0.5, 0.52), 0.14, 0.14);
            QPainterPath stem;
            stem.moveTo(0.46, 0.55);
            stem.quadTo(0.45, 0.88, 0.3, 1.0);
            stem.lineTo(0.7, 1.0);
            stem.quadTo(0.55, 0.88, 0.54, 0.55);
            stem.closeSubpath();
            p.addPath(stem);
            break;
        }
        case 1:  // diamond with gently curved sides
            p.moveTo(0.5, 0.0);
            p.quadTo(0.64, 0.26, 0.88, 0.5);
            p.quadTo(0.64, 0.74, 0.5, 1.0);
            p.quadTo(0.36, 0.74, 0.12, 0.5);
            p.quadTo(0.36, 0.26, 0.5, 0.0);
            p.closeSubpath();
            break;
        case 2:  // heart
            p.moveTo(0.5, 0.98);
            p.cubicTo(0.36, 0.8, 0.0, 0.6, 0.0, 0.32);
            p.cubicTo(0.0, 0.12, 0.14, 0.02, 0.28, 0.02);
            p.cubicTo(0.4, 0.02, 0.47, 0.1, 0.5, 0.2);
            p.cubicTo(0.53, 0.1, 0.6, 0.02, 0.72, 0.02);
            p.cubicTo(0.86, 0.02, 1.0, 0.12, 1.0, 0.32);
            p.cubicTo(1.0, 0.6, 0.64, 0.8, 0.5, 0.98);
            p.closeSubpath();
            break;
        default:  // spade: a heart upside down with a stem
            p.moveTo(0.5, 0.0);
            p.cubicTo(0.36, 0.18, 0.0, 0.36, 0.0, 0.6);
            p.cubicTo(0.0, 0.78, 0.13, 0.86, 0.27, 0.86);
            p.cubicTo(0.37, 0.86, 0.44, 0.81, 0.47, 0.74);
            p.quadTo(0.46, 0.9, 0.3, 1.0);
            p.lineTo(0.7, 1.0);
            p.quadTo(0.54, 0.9, 0.53, 0.74);
            p.cubicTo(0.56, 0.81, 0.63, 0.86, 0.73, 0.86);
            p.cubicTo(0.87, 0.86, 1.0, 0.78, 1.0, 0.6);
            p.cubicTo(1.0, 0.36, 0.64, 0.18, 0.5, 0.0);
            p.closeSubpath();
            break;
    }
    return p;
}

QColor inkOf(int suit) {
    return (suit == 1 || suit == 2) ? kRedInk : kBlackInk;
}

// Draws a suit symbol of height `size` centred on `c`, upside down when
// `flipped`.
void drawSuit(QPainter& p, QPointF c, qreal size, int suit, bool flipped = false,
              const QBrush* brush = nullptr) {
    p.save();
    p.translate(c);
    if (flipped) p.rotate(180);
    p.scale(size, size);
    p.translate(-0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(brush ? *brush : QBrush(inkOf(suit)));
    p.drawPath(suitOutline(suit));
    p.restore();
}

QString rankText(int rank) {
    static const char* names[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
    return QString::fromLatin1(names[rank]);
}

QFont indexFont(qreal pixelHeight) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setBold(true);
    f.setPixelSize(qMax(1, qRound(pixelHeight)));
    return f;
}

// Draws `text` centred in `box` across, at its top or its middle down. Drawn
// at a point rather than into the box, which would lay the text out as a
// paragraph first.
void drawCentred(QPainter& p, const QRectF& box, const QString& text, bool middle) {
    const QFontMetricsF fm(p.font());
    const qreal x = box.center().x() - fm.horizontalAdvance(text) / 2;
    const qreal y =
        middle ? box.center().y() + (fm.ascent() - fm.descent()) / 2 : box.top() + fm.ascent();
    p.drawText(QPointF(x, y), text);
}

// Rank and small suit in the top-left corner, the same turned round in the
// bottom-right corner.
void drawIndices(QPainter& p, const QRectF& r, int rank, int suit) {
    const qreal w = r.width(), h = r.height();
    const QString text = rankText(rank);
    const QFont f = indexFont(h * 0.16);
    const QRectF box(w * 0.015, h * 0.025, w * 0.22, h * 0.17);
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        p.translate(r.topLeft());
        if (corner == 1) {
            p.translate(w, h);
            p.rotate(180);
        }
        p.save();
        if (text.size() > 1) {
            // "10" is narrowed to fit the corner. A narrower glyph set of the
            // same font is far cheaper than a stretched font of its own.
            const qreal mid = box.center().x();
            p.translate(mid, 0);
            p.scale(0.78, 1);
            p.translate(-mid, 0);
        }
        p.setFont(f);
        p.setPen(inkOf(suit));
        drawCentred(p, box, text, false);
        p.restore();
        drawSuit(p, QPointF(w * 0.125, h * 0.25), w * 0.14, suit);
        p.restore();
    }
}

// Pip positions of the number cards in a unit area, x left to right, y top
// to bottom; pips in the lower half are drawn upside down.
struct Pip {
    qreal x, y;
};
std::vector<Pip> pipLayout(int count) {
    const qreal L = 0.0, C = 0.5, R = 1.0;
    switch (count) {
        case 2:
            return {{C, 0}, {C, 1}};
        case 3:
            return {{C, 0}, {C, 0.5}, {C, 1}};
        case 4:
            return {{L, 0}, {R, 0}, {L, 1}, {R, 1}};
        case 5:
            return {{L, 0}, {R, 0}, {C, 0.5}, {L, 1}, {R, 1}};
        case 6:
            return {{L, 0}, {R, 0}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
        case 7:
            return {{L, 0}, {R, 0}, {C, 0.25}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
        case 8:
            return {{L, 0}, {R, 0}, {C, 0.25}, {L, 0.5}, {R, 0.5}, {C, 0.75}, {L, 1}, {R, 1}};
        case 9:
            return {{L, 0},       {R, 0},       {L, 1.0 / 3}, {R, 1.0 / 3}, {C, 0.5},
                    {L, 2.0 / 3}, {R, 2.0 / 3}, {L, 1},       {R, 1}};
        default:
            return {{L, 0},       {R, 0},       {C, 1.0 / 6}, {L, 1.0 / 3}, {R, 1.0 / 3},
                    {L, 2.0 / 3}, {R, 2.0 / 3}, {C, 5.0 / 6}, {L, 1},       {R, 1}};
    }
}

void drawPips(QPainter& p, const QRectF& r, int rank, int suit) {
    const qreal w = r.width(), h = r.height();
    const qreal pip = w * (rank == 8 ? 0.16 : 0.18);
    const QRectF area(r.left() + w * 0.34, r.top() + h * 0.18, w * 0.32, h * 0.64);
    for (const Pip& q : pipLayout(rank + 2)) {
        const QPointF c(area.left() + q.x * area.width(), area.top() + q.y * area.height());
        drawSuit(p, c, pip, suit, q.y > 0.5);
    }
}

void drawAce(QPainter& p, const QRectF& r, int suit) {
    const qreal w = r.width();
    const QPointF c = r.center();
    if (suit == 3) {  // the ace of spades gets a ring of its own
        p.save();
        p.setPen(QPen(kBlackInk, qMax(0.6, w * 0.015)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, w * 0.36, w * 0.36);
        p.setPen(QPen(kGold, qMax(0.6, w * 0.025)));
        p.drawEllipse(c, w * 0.32, w * 0.32);
        p.restore();
        drawSuit(p, c, w * 0.48, suit);
        QBrush gold(kGold);
        drawSuit(p, c + QPointF(0, -w * 0.03), w * 0.14, suit, false, &gold);
    } else {
        drawSuit(p, c, w * 0.42, suit);
    }
}

// A crown of `points` spikes on the base line from `left` to `right`.
QPainterPath crown(qreal left, qreal right, qreal base, qreal height, int points) {
    QPainterPath path;
    const qreal step = (right - left) / (points * 2);
    path.moveTo(left, base);
    path.lineTo(left, base - height * 0.55);
    for (int i = 0; i < points; ++i) {
        const qreal x0 = left + step * 2 * i;
        path.lineTo(x0 + step, base - height * (i % 2 ? 0.75 : 1.0));
        path.lineTo(x0 + step * 2, base - height * 0.55);
    }
    path.lineTo(right, base);
    path.closeSubpath();
    return path;
}

// Jack, queen and king: a framed panel, double-ended, with a large letter,
// a crown or jewel and the suit.
void drawCourt(QPainter& p, const QRectF& r, int rank, int suit) {
    const qreal w = r.width(), h = r.height();
    const QColor ink = inkOf(suit);
    const QRectF frame(r.left() + w * 0.22, r.top() + h * 0.12, w * 0.56, h * 0.76);

    QLinearGradient bg(frame.topLeft(), frame.bottomRight());
    bg.setColorAt(0, QColor(255, 246, 214));
    bg.setColorAt(0.5, QColor(248, 224, 150));
    bg.setColorAt(1, QColor(255, 246, 214));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRect(frame);

    const qreal line = qMax(0.6, w * 0.018);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, line));
    p.drawRect(frame);
    p.setPen(QPen(kGold.darker(115), line * 0.8));
    p.drawRect(frame.adjusted(w * 0.035, w * 0.035, -w * 0.035, -w * 0.035));
    p.setPen(QPen(ink.lighter(130), line * 0.6, Qt::DashLine));
    p.drawLine(QPointF(frame.left() + w * 0.05, frame.center().y()),
               QPointF(frame.right() - w * 0.05, frame.center().y()));

    const QString letter = rankText(rank);
    const QFont f = indexFont(h * 0.2);

    for (int half = 0; half < 2; ++half) {
        p.save();
        p.translate(frame.center());
        if (half == 1) p.rotate(180);
        // Upper half, origin at the frame's centre.
        const qreal top = -frame.height() / 2;
        const qreal jewelBase = top + frame.height() * 0.16;
        p.setPen(QPen(ink.darker(140), line * 0.5));
        if (rank == 11) {  // king: a tall crown
            p.setBrush(kGold);
            p.drawPath(crown(-w * 0.13, w * 0.13, jewelBase, h * 0.07, 3));
        } else if (rank == 10) {  // queen: a low tiara
            p.setBrush(kGold);
            p.drawPath(crown(-w * 0.1, w * 0.1, jewelBase, h * 0.05, 5));
        } else {  // jack: a jewel
            p.setBrush(ink);
            QPainterPath gem;
            gem.moveTo(0, jewelBase - h * 0.06);
            gem.lineTo(w * 0.06, jewelBase - h * 0.03);
            gem.lineTo(0, jewelBase);
            gem.lineTo(-w * 0.06, jewelBase - h * 0.03);
            gem.closeSubpath();
            p.drawPath(gem);
        }
        p.setFont(f);
        p.setPen(ink);
        const QRectF letterBox(-frame.width() / 2, jewelBase, frame.width() * 0.66,
                               -jewelBase - h * 0.01);
        drawCentred(p, letterBox, letter, true);
        drawSuit(p, QPointF(frame.width() * 0.26, (jewelBase - h * 0.01) / 2 + h * 0.03), w * 0.13,
                 suit);
        p.restore();
    }
}

// A brush of thin crossing diagonals `step` apart, anchored at `origin`.
// The cell is drawn in device pixels so the lines stay sharp on any screen.
QBrush latticeBrush(qreal step, qreal penWidth, qreal dpr, QPointF origin) {
    const int n = qMax(3, qRound(step * dpr));
    QImage cell(n, n, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::transparent);
    {
        QPainter c(&cell);
        c.setRenderHint(QPainter::Antialiasing);
        c.setPen(QPen(QColor(120, 150, 210, 150), penWidth * dpr));
        // Each diagonal also one cell to either side, so that what crosses
        // an edge comes back in at the opposite one.
        for (int shift = -n; shift <= n; shift += n) {
            c.drawLine(QPointF(shift, 0), QPointF(shift + n, n));
            c.drawLine(QPointF(shift, n), QPointF(shift + n, 0));
        }
    }
    QBrush brush(cell);
    brush.setTransform(QTransform::fromTranslate(origin.x(), origin.y()).scale(1 / dpr, 1 / dpr));
    return brush;
}

void drawCardBody(QPainter& p, const QRectF& r, const QBrush& fill) {
    const qreal radius = r.width() * 0.08;
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(110, 110, 110), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
}

}  // namespace

const QPainterPath& suitOutline(int suit) {
    static const QPainterPath paths[4] = {unitSuit(0), unitSuit(1), unitSuit(2), unitSuit(3)};
    return paths[suit & 3];
}

void paintCardFace(QPainter& p, const QRectF& r, int code) {
    if (!isValidCard(code)) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient paper(r.topLeft(), r.bottomLeft());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(243, 242, 236));
    drawCardBody(p, r, paper);

    const int suit = suitOf(code), rank = rankOf(code);
    drawIndices(p, r, rank, suit);
    if (rank == 12)
        drawAce(p, r, suit);
    else if (rank >= 9)
        drawCourt(p, r, rank, suit);
    else
        drawPips(p, r, rank, suit);
    p.restore();
}

void paintCardBack(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    drawCardBody(p, r, QColor(252, 252, 250));

    const qreal w = r.width();
    const qreal margin = w * 0.07;
    const QRectF inner = r.adjusted(margin, margin, -margin, -margin);
    const qreal radius = w * 0.05;
    QPainterPath clip;
    clip.addRoundedRect(inner, radius, radius);

    QLinearGradient deep(inner.topLeft(), inner.bottomRight());
    deep.setColorAt(0, QColor(30, 58, 120));
    deep.setColorAt(1, QColor(14, 30, 74));
    p.setPen(Qt::NoPen);
    p.setBrush(deep);
    p.drawPath(clip);

    // A fine diagonal lattice, laid with a repeated cell: drawing the
    // lines one by one under the rounded clip costs several times more.
    const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1.0;
    p.setBrush(latticeBrush(w * 0.09, qMax(0.5, w * 0.012), dpr, inner.topLeft()));
    p.drawPath(clip);

    // Centre medallion.
    const QPointF c = inner.center();
    QRadialGradient glow(c, w * 0.3);
    glow.setColorAt(0, QColor(40, 72, 150));
    glow.setColorAt(1, QColor(18, 36, 88));
    p.setPen(QPen(kGold, qMax(0.6, w * 0.025)));
    p.setBrush(glow);
    p.drawEllipse(c, w * 0.27, w * 0.27);
    QBrush gold(kGold);
    drawSuit(p, c + QPointF(-w * 0.075, -w * 0.075), w * 0.13, 3, false, &gold);
    drawSuit(p, c + QPointF(w * 0.075, -w * 0.075), w * 0.13, 2, false, &gold);
    drawSuit(p, c + QPointF(-w * 0.075, w * 0.075), w * 0.13, 1, false, &gold);
    drawSuit(p, c + QPointF(w * 0.075, w * 0.075), w * 0.13, 0, false, &gold);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, qMax(0.6, w * 0.02)));
    p.drawRoundedRect(inner.adjusted(w * 0.025, w * 0.025, -w * 0.025, -w * 0.025), radius * 0.7,
                      radius * 0.7);
    p.restore();
}

QPixmap cardPixmap(int code, QSize size, qreal dpr) {
    struct Cache {
        QSize size;
        qreal dpr = 0;
        std::unordered_map<int, QPixmap> pixmaps;
    };
    // One cache for faces and one for the back: they differ in width.
    static Cache caches[2];
    Cache& cache = caches[code == 0 ? 1 : 0];
    if (cache.size != size || cache.dpr != dpr) {
        cache.pixmaps.clear();
        cache.size = size;
        cache.dpr = dpr;
    }
    auto it = cache.pixmaps.find(code);
    if (it != cache.pixmaps.end()) return it->second;

    QPixmap pm(QSize(qCeil(size.width() * dpr), qCeil(size.height() * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    if (!size.isEmpty()) {
        QPainter p(&pm);
        const QRectF rect(QPointF(0, 0), QSizeF(size));
        if (code == 0)
            paintCardBack(p, rect);
        else
            paintCardFace(p, rect, code);
    }
    cache.pixmaps.emplace(code, pm);
    return pm;
}

namespace {

// A circular arrow turning clockwise (or the other way round).
void drawTurnArrow(QPainter& p, const QRectF& r, bool clockwise) {
    const qreal s = qMin(r.width(), r.height());
    const QPointF c = r.center();
    const qreal radius = s * 0.32;
    const QRectF circle(c.x() - radius, c.y() - radius, radius * 2, radius * 2);

    // Disc behind the arrow so it reads on any background.
    QRadialGradient disc(c, s * 0.5);
    disc.setColorAt(0, QColor(0, 0, 0, 110));
    disc.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, s * 0.5, s * 0.5);

    const qreal startDeg = 120, spanDeg = clockwise ? -290 : 290;
    QPainterPath arc;
    arc.arcMoveTo(circle, startDeg);
    arc.arcTo(circle, startDeg, spanDeg);
    const qreal penW = s * 0.11;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 30, 0), penW + s * 0.05, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    p.setPen(QPen(QColor(255, 214, 70), penW, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);

    // Arrow head at the end of the arc, along the tangent.
    const qreal endRad = qDegreesToRadians(startDeg + spanDeg);
    const QPointF tip(c.x() + radius * qCos(endRad), c.y() - radius * qSin(endRad));
    const qreal dir = clockwise ? -1 : 1;  // travel direction in angle
    const QPointF tangent(-qSin(endRad) * dir, -qCos(endRad) * dir);
    const QPointF normal(-tangent.y(), tangent.x());
    const qreal head = s * 0.2;
    QPolygonF tri;
    tri << tip + tangent * head << tip + normal * head * 0.75 << tip - normal * head * 0.75;
    p.setPen(QPen(QColor(40, 30, 0), s * 0.03));
    p.setBrush(QColor(255, 214, 70));
    p.drawPolygon(tri);
}

void drawCloseMark(QPainter& p, const QRectF& r) {
    const qreal s = qMin(r.width(), r.height());
    const QPointF c = r.center();
    QRadialGradient g(c - QPointF(s * 0.1, s * 0.1), s * 0.6);
    g.setColorAt(0, QColor(235, 80, 70));
    g.setColorAt(1, QColor(160, 20, 20));
    p.setPen(QPen(QColor(255, 255, 255, 220), qMax(1.0, s * 0.06)));
    p.setBrush(g);
    p.drawEllipse(c, s * 0.44, s * 0.44);
    const qreal d = s * 0.17;
    p.setPen(QPen(Qt::white, qMax(1.0, s * 0.1), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(d, -d), c + QPointF(-d, d));
}

// The emblem on a plain table: a faint ring with the four suits.
void drawTableEmblem(QPainter& p, const QRectF& r) {
    const qreal s = qMin(r.width(), r.height());
    const QPointF c = r.center();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 60), qMax(1.0, s * 0.02)));
    p.drawEllipse(c, s * 0.46, s * 0.46);
    p.setPen(QPen(QColor(255, 255, 255, 35), qMax(1.0, s * 0.01)));
    p.drawEllipse(c, s * 0.4, s * 0.4);
    const QBrush faint(QColor(255, 255, 255, 55));
    for (int suit = 0; suit < 4; ++suit) {
        const qreal a = qDegreesToRadians(45.0 + 90.0 * suit);
        drawSuit(p, c + QPointF(qCos(a), qSin(a)) * s * 0.2, s * 0.16, suit, false, &faint);
    }
}

// Shown on the round's board when nobody knocked: a stamp with a card
// turned down and a bar across it.
void drawNoKnock(QPainter& p, const QRectF& r) {
    const qreal s = qMin(r.width(), r.height());
    const QPointF c = r.center();
    p.setPen(QPen(QColor(200, 30, 30), s * 0.07));
    p.setBrush(QColor(255, 250, 235, 230));
    p.drawEllipse(c, s * 0.44, s * 0.44);
    const QRectF card(c.x() - s * 0.15, c.y() - s * 0.21, s * 0.3, s * 0.42);
    paintCardBack(p, card);
    p.setPen(QPen(QColor(200, 30, 30), s * 0.08, Qt::SolidLine, Qt::RoundCap));
    const qreal d = s * 0.31;
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
}

}  // namespace

bool paintArt(QPainter& p, const QRectF& r, const QString& art) {
    if (r.isEmpty()) return false;
    const QString name = art.toLower();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    bool known = true;
    if (name.contains(QLatin1String("forward")))
        drawTurnArrow(p, r, true);
    else if (name.contains(QLatin1String("backward")))
        drawTurnArrow(p, r, false);
    else if (name.contains(QLatin1String("close")))
        drawCloseMark(p, r);
    else if (name.contains(QLatin1String("knock")))
        drawNoKnock(p, r);
    else if (name.contains(QLatin1String("overlay")) || name.contains(QLatin1String("skin")))
        drawTableEmblem(p, r);
    else
        known = false;
    p.restore();
    return known;
}

}  // namespace vornak
